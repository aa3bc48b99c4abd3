// The seven operations of the device-access library "featlink.dll", shared by
// the binding in the programs and by both of our library backends.
//
// Calling convention: every export is extern "C" __cdecl with its plain name
// (no decoration on either target), so GetProcAddress finds it by the names
// below in the 32- and the 64-bit build alike.
#pragma once

#include <windows.h>

#define FEATLINK_CALL __cdecl

extern "C" {
// From this call on the library posts to `window`: `presenceMessage` with
// wParam 1 (mouse plugged in) or 0 (removed), and `eventMessage` with
// wParam = event type and lParam = event value for each event of the mouse.
typedef void(FEATLINK_CALL* OpenDevMonitorFn)(HWND window, UINT eventMessage, UINT presenceMessage);
typedef void(FEATLINK_CALL* CloseDevMonitorFn)(void);
// Nonzero when the mouse's feature interface is open.
typedef int(FEATLINK_CALL* OpenFeatureDeviceFn)(void);
typedef void(FEATLINK_CALL* CloseFeatureDeviceFn)(void);
// buffer[0] is the report id. Nonzero = delivered / buffer holds the report.
typedef int(FEATLINK_CALL* SetFeatureFn)(unsigned char* buffer, int length);
typedef int(FEATLINK_CALL* GetFeatureFn)(unsigned char* buffer, int length);
typedef int(FEATLINK_CALL* GetMousePIDFn)(void);
}

#define FEATLINK_OPEN_DEV_MONITOR "Open_DevMonitor"
#define FEATLINK_CLOSE_DEV_MONITOR "Close_DevMonitor"
#define FEATLINK_OPEN_FEATURE_DEVICE "Open_FeatureDevice"
#define FEATLINK_CLOSE_FEATURE_DEVICE "Close_FeatureDevice"
#define FEATLINK_SET_FEATURE "SetFeature"
#define FEATLINK_GET_FEATURE "GetFeature"
#define FEATLINK_GET_MOUSE_PID "GetMousePID"
