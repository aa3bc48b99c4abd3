// The Monitor's hidden main window: it owns the settings, the section, the
// device library, the worker threads and the tray icon, and turns every
// message it receives into a call of the Monitor's logic.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "common/win32/registry_win.h"
#include "common/win32/window_win.h"
#include "device/win32/featlink_binding.h"
#include "monitor/monitor_core.h"
#include "monitor/monitor_host.h"
#include "monitor/win32/monitor_pc.h"
#include "common/win32/shared_section_win.h"
#include "monitor/win32/tray_icon.h"
#include "monitor/win32/worker_thread.h"

namespace vextra {

class WinDeviceClock : public DeviceClock {
 public:
  void Sleep(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }
};

class CMonitorWnd : public Window, public MonitorHost {
 public:
  explicit CMonitorWnd(bool startWithOption);
  ~CMonitorWnd() override;
  CMonitorWnd(const CMonitorWnd&) = delete;
  CMonitorWnd& operator=(const CMonitorWnd&) = delete;

  // Registers the class and creates the window (never shown). False when
  // creation failed; the program then ends.
  bool Create();

  // MonitorHost
  bool CopyOut(const SettingsBlock& block) override { return section_.CopyOut(block); }
  bool CopyIn(SettingsBlock& block) override { return section_.CopyIn(block); }
  bool WindowExists(const char* title) override;
  bool BringForward(const char* title) override;
  void PostToWindow(const char* title, unsigned message, uintptr_t wParam, intptr_t lParam) override;
  void PostToSelf(unsigned message, uintptr_t wParam, intptr_t lParam) override;
  uint32_t SelfHandle32() override;
  void SendCopyData(uintptr_t window, uint32_t dwData, const void* data, uint32_t size) override;
  void PostSynraActiveStatus() override;
  void StartTimer(int id, int milliseconds) override;
  void KillTimer(int id) override;
  void ShellOpen(const std::string& path, const char* parameters) override;
  std::string ForegroundExecutable() override;
  void PostDeviceJob(int job, int argument) override;
  int OpenFeatureDevice() override { return featlink_.OpenFeatureDevice(); }
  void CloseFeatureDevice() override { featlink_.CloseFeatureDevice(); }
  void SetTrayIcon(bool present) override { tray_.Show(present); }
  void ApplyWindowsValues(ProfileRecord& profile, bool writeRegistry) override;
  void Sleep(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }
  void Trace(const std::string& text) override { OutputDebugStringA(text.c_str()); }

 private:
  static const MessageEntry<CMonitorWnd> kMessageMap[];
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  LRESULT OnCreate(WPARAM, LPARAM);
  LRESULT OnDestroy(WPARAM, LPARAM);
  LRESULT OnTimer(WPARAM, LPARAM);
  LRESULT OnCopyData(WPARAM, LPARAM);
  LRESULT OnCommand(WPARAM, LPARAM);
  LRESULT OnSystrayNotify(WPARAM, LPARAM);
  LRESULT OnApplyAllSetting(WPARAM, LPARAM);
  LRESULT OnReloadShared(WPARAM, LPARAM);
  LRESULT OnApplyWindows(WPARAM, LPARAM);
  LRESULT OnLdaCapture(WPARAM, LPARAM);
  LRESULT OnLdaCommand(WPARAM, LPARAM);
  LRESULT OnLdaMode(WPARAM, LPARAM);
  LRESULT OnBrowserScroll(WPARAM, LPARAM);
  LRESULT OnDeviceEvent(WPARAM, LPARAM);
  LRESULT OnDevicePresence(WPARAM, LPARAM);
  LRESULT OnReceiveVelmarSynraAStatus(WPARAM, LPARAM);
  LRESULT OnReceiveSynraMessage(WPARAM, LPARAM);
  LRESULT OnAmbientLight(WPARAM, LPARAM);
  LRESULT ReturnZero(WPARAM, LPARAM) { return 0; }
  LRESULT ReturnOne(WPARAM, LPARAM) { return 1; }

  void ShowTrayMenu();
  void ShowLastActivePopup();
  void RegisterSessionNotification();
  static void DeviceThreadMessage(void* self, UINT message, WPARAM wParam, LPARAM lParam);
  static void MacroThreadMessage(void* self, UINT message, WPARAM wParam, LPARAM lParam);

  bool startWithOption_;
  bool closed_ = false;  // the shutdown steps have run
  std::string programFolder_;
  // The last foreground program looked up: a process snapshot is dear, and
  // the foreground window rarely changes between two checks.
  HWND foregroundWindow_ = nullptr;
  DWORD foregroundProcess_ = 0;
  std::string foregroundName_;
  WinRegistry registry_;
  ScopedHkey mouseKey_;
  FeatlinkBinding featlink_;
  WinDeviceClock clock_;
  PcContext pcContext_;
  std::unique_ptr<MonitorPc> pc_;
  std::unique_ptr<MonitorCore> core_;
  SharedSection section_;
  TrayIcon tray_;
  WorkerThread macroThread_;
  WorkerThread deviceThread_;
  HMODULE wtsapi_ = nullptr;
  UINT wmSynraMsg_ = 0;
  UINT wmSynraActiveToSynra_ = 0;
  UINT wmSynraAmbient_ = 0;
  UINT wmTaskbarCreated_ = 0;  // the shell (re)started: tray icons must be added again
};

}  // namespace vextra
