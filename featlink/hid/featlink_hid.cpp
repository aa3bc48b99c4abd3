// featlink.dll, HID backend: the mouse through the Windows HID API.
// The mouse is found by the vendor and product id of "featlink.ini" beside
// the library ([Device] VendorId, ProductId; decimal or 0x hex). Its feature
// interface carries the reports; its event interface delivers input reports
// of the form described in featlink/README.md, posted as the event message.
// Arrival and removal come from device-interface notifications.
#include <windows.h>
// windows.h first: the HID and setup headers need its types.
#include <dbt.h>
#include <setupapi.h>
// MinGW's HID header declares the functions without C linkage.
extern "C" {
#include <hidsdi.h>
}

#include <atomic>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "featlink/featlink_api.h"
#include "featlink/featlink_config.h"

namespace {

constexpr uint8_t kEventReportId = 0x20;
constexpr int kEventReportLength = 5;  // id, type (16 bits LE), value (16 bits LE)

struct Interface {
  HANDLE handle = INVALID_HANDLE_VALUE;
  USHORT featureLength = 0;
  USHORT inputLength = 0;
};

struct Library {
  std::mutex lock;
  USHORT vendorId = 0x5A5A, productId = 0x5A01;
  bool configured = false;
  HANDLE feature = INVALID_HANDLE_VALUE;
  USHORT featureLength = 0;
  HWND target = nullptr;
  UINT eventMessage = 0, presenceMessage = 0;
  HANDLE thread = nullptr;
  HWND notifyWindow = nullptr;
  HANDLE ready = nullptr;
  std::atomic<bool> stop{false};
  bool present = false;
};

Library& Lib() {
  static Library* library = new Library();  // outlives static destruction on unload
  return *library;
}

std::string LibraryFolder() {
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&Lib), &self);
  char path[MAX_PATH] = {};
  GetModuleFileNameA(self, path, MAX_PATH);
  return vextra::FolderOf(path);
}

void Configure(Library& lib) {
  if (lib.configured) return;
  lib.configured = true;
  const vextra::FeatlinkDeviceIds ids = vextra::ReadFeatlinkConfig(LibraryFolder() + "featlink.ini");
  lib.vendorId = ids.vendorId;
  lib.productId = ids.productId;
}

// Every interface of our mouse, opened for report exchange.
std::vector<Interface> OpenInterfaces(USHORT vendorId, USHORT productId) {
  std::vector<Interface> found;
  GUID hidGuid;
  HidD_GetHidGuid(&hidGuid);
  HDEVINFO set = SetupDiGetClassDevsA(&hidGuid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return found;
  SP_DEVICE_INTERFACE_DATA data{};
  data.cbSize = sizeof data;
  for (DWORD i = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &hidGuid, i, &data); ++i) {
    DWORD needed = 0;
    SetupDiGetDeviceInterfaceDetailA(set, &data, nullptr, 0, &needed, nullptr);
    if (needed == 0 || needed > 4096) continue;
    std::vector<char> buffer(needed);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!SetupDiGetDeviceInterfaceDetailA(set, &data, detail, needed, nullptr, nullptr)) continue;
    // Mice refuse read/write opens of their pointer collection; feature
    // reports still work on a handle opened without access.
    HANDLE h = CreateFileA(detail->DevicePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (h == INVALID_HANDLE_VALUE)
      h = CreateFileA(detail->DevicePath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                      FILE_FLAG_OVERLAPPED, nullptr);
    if (h == INVALID_HANDLE_VALUE) continue;
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    HIDP_CAPS caps{};
    if (HidD_GetAttributes(h, &attributes) && attributes.VendorID == vendorId && attributes.ProductID == productId &&
        HidD_GetPreparsedData(h, &preparsed)) {
      HidP_GetCaps(preparsed, &caps);
      HidD_FreePreparsedData(preparsed);
      found.push_back(Interface{h, caps.FeatureReportByteLength, caps.InputReportByteLength});
      continue;
    }
    CloseHandle(h);
  }
  SetupDiDestroyDeviceInfoList(set);
  return found;
}

void CloseAll(std::vector<Interface>& interfaces) {
  for (Interface& i : interfaces)
    if (i.handle != INVALID_HANDLE_VALUE) CloseHandle(i.handle);
  interfaces.clear();
}

bool MousePresent(USHORT vendorId, USHORT productId) {
  std::vector<Interface> interfaces = OpenInterfaces(vendorId, productId);
  const bool present = !interfaces.empty();
  CloseAll(interfaces);
  return present;
}

void Post(UINT Library::*message, WPARAM wParam, LPARAM lParam) {
  Library& lib = Lib();
  HWND target;
  UINT number;
  {
    std::lock_guard<std::mutex> guard(lib.lock);
    target = lib.target;
    number = lib.*message;
  }
  if (target) PostMessageA(target, number, wParam, lParam);
}

LRESULT CALLBACK NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DEVICECHANGE && (wParam == DBT_DEVICEARRIVAL || wParam == DBT_DEVICEREMOVECOMPLETE)) {
    Library& lib = Lib();
    const bool present = MousePresent(lib.vendorId, lib.productId);
    bool changed;
    {
      std::lock_guard<std::mutex> guard(lib.lock);
      changed = present != lib.present;
      lib.present = present;
    }
    if (changed) Post(&Library::presenceMessage, present ? 1 : 0, 0);
    return TRUE;
  }
  if (message == WM_CLOSE) {
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Reads event reports from the event interface while the mouse is there;
// waits in short steps so that closing the monitor ends it promptly.
void PumpEvents(Library& lib, HANDLE eventInterface, USHORT inputLength) {
  if (eventInterface == INVALID_HANDLE_VALUE || inputLength < kEventReportLength) return;
  std::vector<uint8_t> report(inputLength);
  OVERLAPPED overlapped{};
  overlapped.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  bool pending = false;
  while (!lib.stop) {
    if (!pending) {
      ResetEvent(overlapped.hEvent);
      DWORD got = 0;
      if (ReadFile(eventInterface, report.data(), inputLength, &got, &overlapped)) {
        SetEvent(overlapped.hEvent);
      } else if (GetLastError() != ERROR_IO_PENDING) {
        break;  // the mouse went away
      }
      pending = true;
    }
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        lib.stop = true;
        break;
      }
      DispatchMessageA(&msg);
    }
    if (MsgWaitForMultipleObjects(1, &overlapped.hEvent, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0) continue;
    DWORD got = 0;
    pending = false;
    if (!GetOverlappedResult(eventInterface, &overlapped, &got, FALSE)) break;
    if (got >= static_cast<DWORD>(kEventReportLength) && report[0] == kEventReportId) {
      const WPARAM type = report[1] | (report[2] << 8);
      const LPARAM value = report[3] | (report[4] << 8);
      Post(&Library::eventMessage, type, value);
    }
  }
  CancelIo(eventInterface);
  CloseHandle(overlapped.hEvent);
}

DWORD WINAPI MonitorThread(LPVOID) {
  Library& lib = Lib();
  WNDCLASSA wc{};
  wc.lpfnWndProc = NotifyProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "VextraFeatlinkHidNotify";
  RegisterClassA(&wc);
  HWND window = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
  DEV_BROADCAST_DEVICEINTERFACE_A filter{};
  filter.dbcc_size = sizeof filter;
  filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  HidD_GetHidGuid(&filter.dbcc_classguid);
  HDEVNOTIFY notify = window ? RegisterDeviceNotificationA(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE) : nullptr;
  {
    std::lock_guard<std::mutex> guard(lib.lock);
    lib.notifyWindow = window;
    lib.present = MousePresent(lib.vendorId, lib.productId);
  }
  SetEvent(lib.ready);
  while (!lib.stop) {
    // The event interface is the one with input reports long enough for an event.
    std::vector<Interface> interfaces = OpenInterfaces(lib.vendorId, lib.productId);
    HANDLE events = INVALID_HANDLE_VALUE;
    USHORT length = 0;
    for (const Interface& i : interfaces)
      if (i.inputLength >= kEventReportLength && events == INVALID_HANDLE_VALUE) {
        events = i.handle;
        length = i.inputLength;
      }
    PumpEvents(lib, events, length);
    CloseAll(interfaces);
    // No mouse (or it went away): keep answering notifications until it comes back.
    MSG msg;
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 500, QS_ALLINPUT) == WAIT_OBJECT_0) {
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) lib.stop = true;
        DispatchMessageA(&msg);
      }
    }
  }
  if (notify) UnregisterDeviceNotification(notify);
  return 0;
}

}  // namespace

extern "C" {

__declspec(dllexport) void FEATLINK_CALL Open_DevMonitor(HWND window, UINT eventMessage, UINT presenceMessage) {
  Library& lib = Lib();
  {
    std::lock_guard<std::mutex> guard(lib.lock);
    Configure(lib);
    lib.target = window;
    lib.eventMessage = eventMessage;
    lib.presenceMessage = presenceMessage;
    if (lib.thread) return;
    lib.stop = false;
    lib.ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  }
  HANDLE thread = CreateThread(nullptr, 0, MonitorThread, nullptr, 0, nullptr);
  if (thread) WaitForSingleObject(lib.ready, 5000);
  std::lock_guard<std::mutex> guard(lib.lock);
  lib.thread = thread;
}

__declspec(dllexport) void FEATLINK_CALL Close_DevMonitor(void) {
  Library& lib = Lib();
  HANDLE thread;
  HWND window;
  {
    std::lock_guard<std::mutex> guard(lib.lock);
    lib.target = nullptr;
    thread = lib.thread;
    window = lib.notifyWindow;
    lib.thread = nullptr;
    lib.notifyWindow = nullptr;
  }
  lib.stop = true;
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  if (thread) {
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
  }
  if (lib.ready) {
    CloseHandle(lib.ready);
    lib.ready = nullptr;
  }
}

__declspec(dllexport) int FEATLINK_CALL Open_FeatureDevice(void) {
  Library& lib = Lib();
  std::lock_guard<std::mutex> guard(lib.lock);
  Configure(lib);
  if (lib.feature != INVALID_HANDLE_VALUE) CloseHandle(lib.feature);
  lib.feature = INVALID_HANDLE_VALUE;
  std::vector<Interface> interfaces = OpenInterfaces(lib.vendorId, lib.productId);
  for (Interface& i : interfaces) {
    if (i.featureLength > 0 && lib.feature == INVALID_HANDLE_VALUE) {
      lib.feature = i.handle;
      lib.featureLength = i.featureLength;
      i.handle = INVALID_HANDLE_VALUE;
    }
  }
  CloseAll(interfaces);
  return lib.feature != INVALID_HANDLE_VALUE ? 1 : 0;
}

__declspec(dllexport) void FEATLINK_CALL Close_FeatureDevice(void) {
  Library& lib = Lib();
  std::lock_guard<std::mutex> guard(lib.lock);
  if (lib.feature != INVALID_HANDLE_VALUE) CloseHandle(lib.feature);
  lib.feature = INVALID_HANDLE_VALUE;
}

// Windows wants the buffer of a feature report exactly as long as the
// interface's longest feature report: shorter reports are padded with zeros.
__declspec(dllexport) int FEATLINK_CALL SetFeature(unsigned char* buffer, int length) {
  Library& lib = Lib();
  std::lock_guard<std::mutex> guard(lib.lock);
  if (lib.feature == INVALID_HANDLE_VALUE || !buffer || length <= 0 || length > lib.featureLength) return 0;
  std::vector<unsigned char> report(lib.featureLength, 0);
  std::memcpy(report.data(), buffer, static_cast<size_t>(length));
  return HidD_SetFeature(lib.feature, report.data(), lib.featureLength) ? 1 : 0;
}

__declspec(dllexport) int FEATLINK_CALL GetFeature(unsigned char* buffer, int length) {
  Library& lib = Lib();
  std::lock_guard<std::mutex> guard(lib.lock);
  if (lib.feature == INVALID_HANDLE_VALUE || !buffer || length <= 0 || length > lib.featureLength) return 0;
  std::vector<unsigned char> report(lib.featureLength, 0);
  report[0] = buffer[0];  // the wanted report id
  if (!HidD_GetFeature(lib.feature, report.data(), lib.featureLength)) return 0;
  std::memcpy(buffer, report.data(), static_cast<size_t>(length));
  return 1;
}

__declspec(dllexport) int FEATLINK_CALL GetMousePID(void) {
  Library& lib = Lib();
  std::lock_guard<std::mutex> guard(lib.lock);
  Configure(lib);
  return lib.productId;
}

}  // extern "C"
