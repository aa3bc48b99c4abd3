#include "monitor/win32/monitor_wnd.h"

#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>

#include "common/file_system.h"
#include "common/language.h"
#include "common/synra_folder.h"
#include "common/text.h"
#include "common/win32/windows_values_apply_win.h"
#include "common/windows_values.h"
#include "monitor/device_registration.h"
#include "common/program_messages.h"

namespace vextra {
namespace {

constexpr const char* kWindowClass = "VextraMonitorWindow";
constexpr int kSessionRegistrationTries = 10;

std::string ExecutableFolder() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::string();
  return FolderOf(path);
}

std::string CommonAppData() {
  char path[MAX_PATH] = {};
  if (SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return std::string();
  return path;
}

}  // namespace

const MessageEntry<CMonitorWnd> CMonitorWnd::kMessageMap[] = {
    OnRaw(WM_CREATE, &CMonitorWnd::OnCreate),
    OnRaw(WM_DESTROY, &CMonitorWnd::OnDestroy),
    OnRaw(WM_TIMER, &CMonitorWnd::OnTimer),
    OnRaw(WM_COPYDATA, &CMonitorWnd::OnCopyData),
    OnRaw(WM_DEVICECHANGE, &CMonitorWnd::ReturnOne),
    OnRaw(WM_COMMAND, &CMonitorWnd::OnCommand),
    OnRaw(WM_MON_TRAY_NOTIFY, &CMonitorWnd::OnSystrayNotify),
    OnRaw(WM_MON_APPLY_SETTINGS, &CMonitorWnd::OnApplyAllSetting),
    OnRaw(WM_MON_RELOAD_SHARED, &CMonitorWnd::OnReloadShared),
    OnRaw(WM_MON_APPLY_WINDOWS, &CMonitorWnd::OnApplyWindows),
    OnRaw(WM_MON_LDA_CAPTURE, &CMonitorWnd::OnLdaCapture),
    OnRaw(WM_MON_LDA_COMMAND, &CMonitorWnd::OnLdaCommand),
    OnRaw(WM_MON_LDA_MODE, &CMonitorWnd::OnLdaMode),
    OnRaw(WM_MON_ACCEPTED_1232, &CMonitorWnd::ReturnZero),
    OnRaw(WM_MON_ACCEPTED_1274, &CMonitorWnd::ReturnZero),
    OnRaw(WM_MON_IE_SCROLL, &CMonitorWnd::OnBrowserScroll),
    OnRaw(WM_MON_DEVICE_EVENT, &CMonitorWnd::OnDeviceEvent),
    OnRaw(WM_MON_DEVICE_PRESENCE, &CMonitorWnd::OnDevicePresence),
    OnRaw(WM_MON_ACCEPTED_1327, &CMonitorWnd::ReturnOne),
    OnRaw(WM_SYNRA_A_STATUS, &CMonitorWnd::OnReceiveVelmarSynraAStatus),
};

CMonitorWnd::CMonitorWnd(bool startWithOption) : startWithOption_(startWithOption) {}

// Destroyed while the whole object still lives: the shutdown steps run in
// the WM_DESTROY handler.
CMonitorWnd::~CMonitorWnd() { Destroy(); }

bool CMonitorWnd::Create() {
  if (!RegisterClassOnce(kWindowClass)) return false;
  return CreateOwnWindow(kWindowClass, kMonitorTitle, 0, WS_POPUP, RECT{100, 100, 200, 200}, nullptr, nullptr);
}

LRESULT CMonitorWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (closed_) return Default(message, wParam, lParam);  // shut down: nothing more is handled
  LRESULT result = 0;
  if (RouteMessage(*this, kMessageMap, message, wParam, lParam, &result)) return result;
  if (message != 0 && message == wmSynraMsg_) return OnReceiveSynraMessage(wParam, lParam);
  if (message != 0 && message == wmSynraAmbient_) return OnAmbientLight(wParam, lParam);
  if (message != 0 && message == wmTaskbarCreated_) {
    tray_.Restore();
    return 0;
  }
  return Default(message, wParam, lParam);
}

// ---------------------------------------------------------------- start-up

LRESULT CMonitorWnd::OnCreate(WPARAM, LPARAM) {
  InitCommonControls();
  for (const char* name : kSynraRegisteredNames) RegisterWindowMessageA(name);
  wmSynraMsg_ = RegisterWindowMessageA(kSynraMsgName);
  wmSynraActiveToSynra_ = RegisterWindowMessageA(kSynraActiveToSynraName);
  wmSynraAmbient_ = RegisterWindowMessageA(kSynraAmbientName);
  wmTaskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");

  const std::string commonAppData = CommonAppData();
  if (!commonAppData.empty()) RegisterWithSynra(commonAppData);
  programFolder_ = ExecutableFolder();
  RegisterSessionNotification();
  HKEY mouse = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Mouse", 0, KEY_ALL_ACCESS, &mouse) == ERROR_SUCCESS)
    mouseKey_.Reset(mouse);
  featlink_.Bind(programFolder_);

  pcContext_.host = this;
  pcContext_.window = hwnd();
  pcContext_.programFolder = programFolder_;
  pcContext_.currentProfile = [this] { return core_ ? core_->CurrentProfileRecord() : nullptr; };
  pcContext_.currentProfileIndex = [this] { return core_ ? core_->block().CurrentProfile : -1; };
  pcContext_.postMacroPlay = [this] { macroThread_.Post(WM_MACRO_PLAY, 0, 0); };
  pc_ = std::make_unique<MonitorPc>(pcContext_);
  core_ = std::make_unique<MonitorCore>(*this, *pc_, featlink_, clock_, programFolder_, &registry_);
  core_->setStartWithOption(startWithOption_);
  core_->LoadSettings(SystemLanguageIndex(GetSystemDefaultLangID()));
  // The display settings are read where they are used: by every apply.

  if (!section_.CreateMutexObject()) {
    OutputDebugStringA("CMonitorApp: the settings mutex already exists\n");
    return -1;
  }
  if (section_.CreateSection()) core_->CopyOut();
  PostMessageA(HWND_BROADCAST, wmSynraMsg_, 11, reinterpret_cast<LPARAM>(hwnd()));
  macroThread_.Start(MacroThreadMessage, this);
  deviceThread_.Start(DeviceThreadMessage, this);
  SetWindowLongPtrA(hwnd(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
  tray_.Attach(hwnd(), kTrayIconId, WM_MON_TRAY_NOTIFY, kTrayTip);

  featlink_.OpenDevMonitor(hwnd(), WM_MON_DEVICE_EVENT, WM_MON_DEVICE_PRESENCE);
  core_->OpenDevice(featlink_.OpenFeatureDevice() != 0);
  core_->ApplyCurrentWindowsValues(false);
  ShellOpen(programFolder_ + "VextraOSD.exe", nullptr);
  core_->LoadDeviceInfo();
  return 0;
}

void CMonitorWnd::RegisterSessionNotification() {
  wtsapi_ = LoadLibraryA("wtsapi32.dll");
  if (!wtsapi_) return;
  using Register = BOOL(WINAPI*)(HWND, DWORD);
  auto reg = reinterpret_cast<Register>(reinterpret_cast<void*>(GetProcAddress(wtsapi_, "WTSRegisterSessionNotification")));
  if (!reg) return;
  for (int attempt = 0; attempt < kSessionRegistrationTries; ++attempt) {
    if (reg(hwnd(), 0)) return;
    ::Sleep(1000);
  }
}

// ---------------------------------------------------------------- shutdown

LRESULT CMonitorWnd::OnDestroy(WPARAM, LPARAM) {
  if (core_) core_->BeginShutdown();
  deviceThread_.Stop();
  featlink_.CloseDevMonitor();
  featlink_.CloseFeatureDevice();
  featlink_.Free();
  // A long macro would otherwise hold up the end for as long as it plays.
  if (pc_) pc_->StopAll();
  macroThread_.Stop();
  if (wtsapi_) {
    using Unregister = BOOL(WINAPI*)(HWND);
    auto unreg = reinterpret_cast<Unregister>(
        reinterpret_cast<void*>(GetProcAddress(wtsapi_, "WTSUnRegisterSessionNotification")));
    if (unreg) unreg(hwnd());
    FreeLibrary(wtsapi_);
    wtsapi_ = nullptr;
  }
  section_.Close();
  tray_.Remove();
  if (core_) core_->SendDeviceStatus(2);
  closed_ = true;
  PostQuitMessage(0);
  return 0;
}

// ---------------------------------------------------------------- threads

void CMonitorWnd::DeviceThreadMessage(void* context, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<CMonitorWnd*>(context);
  if (message == WM_DEVICE_JOB && self->core_) self->core_->RunDeviceJob(static_cast<int>(wParam), static_cast<int>(lParam));
}

void CMonitorWnd::MacroThreadMessage(void* context, UINT message, WPARAM, LPARAM) {
  auto* self = static_cast<CMonitorWnd*>(context);
  if (message == WM_MACRO_PLAY && self->pc_) self->pc_->PlayMacro();
}

// ---------------------------------------------------------------- messages

LRESULT CMonitorWnd::OnTimer(WPARAM wParam, LPARAM) {
  if (core_) core_->OnTimer(static_cast<int>(wParam));
  return 0;
}

LRESULT CMonitorWnd::OnCopyData(WPARAM wParam, LPARAM lParam) {
  char text[96];
  std::snprintf(text, sizeof text, "OnCopyData: wParam=%d, lParam=%x\r\n", static_cast<int>(wParam),
                static_cast<unsigned>(lParam));
  OutputDebugStringA(text);
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
  if (!core_ || !data) return 1;
  const NarrowText toAnsi = [](const std::u16string& name) -> std::string {
    const std::wstring wide(name.begin(), name.end());
    char narrow[64] = {};
    WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, wide.c_str(), -1, narrow, sizeof narrow - 1, nullptr, nullptr);
    OutputDebugStringA(narrow);
    return narrow;
  };
  DeviceInfoEntry entry;
  if (DecodeDeviceRegistration(data->lpData, data->cbData, toAnsi, entry)) core_->RegisterDevice(entry);
  return 1;
}

LRESULT CMonitorWnd::OnCommand(WPARAM wParam, LPARAM) {
  switch (LOWORD(wParam)) {
    case ID_CONFIGURATION:
      if (core_) core_->OnCustomizer();
      break;
    case ID_EXIT:
      PostMessageA(hwnd(), WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
  return 0;
}

LRESULT CMonitorWnd::OnSystrayNotify(WPARAM, LPARAM lParam) {
  switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDOWN:
      ShowLastActivePopup();
      break;
    case WM_LBUTTONDBLCLK:
      if (core_) core_->OnCustomizer();
      break;
    case WM_RBUTTONDOWN:
      ShowTrayMenu();
      break;
    default:
      break;
  }
  return 0;
}

void CMonitorWnd::ShowLastActivePopup() {
  HWND popup = GetLastActivePopup(hwnd());
  if (!popup) return;
  if (IsIconic(popup)) ShowWindow(popup, SW_SHOW);
  SetForegroundWindow(popup);
  SetActiveWindow(popup);
}

void CMonitorWnd::ShowTrayMenu() {
  HWND popup = GetLastActivePopup(hwnd());
  SetForegroundWindow(popup ? popup : hwnd());
  HMENU menu = CreatePopupMenu();
  if (!menu) return;
  AppendMenuA(menu, MF_STRING, ID_CONFIGURATION, "Configuration");
  SetMenuDefaultItem(menu, ID_CONFIGURATION, FALSE);
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, ID_EXIT, "Exit");
  POINT at{};
  GetCursorPos(&at);
  TrackPopupMenu(menu, TPM_LEFTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
  PostMessageA(hwnd(), WM_NULL, 0, 0);
  DestroyMenu(menu);
}

LRESULT CMonitorWnd::OnApplyAllSetting(WPARAM wParam, LPARAM) {
  if (core_) core_->OnApplySettings(static_cast<int>(wParam));
  return 0;
}

LRESULT CMonitorWnd::OnReloadShared(WPARAM, LPARAM) {
  if (core_) core_->OnReloadShared();
  return 0;
}

LRESULT CMonitorWnd::OnApplyWindows(WPARAM, LPARAM) {
  if (core_) core_->OnApplyWindows();
  return 0;
}

LRESULT CMonitorWnd::OnLdaCapture(WPARAM, LPARAM) {
  if (core_) core_->OnLdaCapture();
  return 0;
}

LRESULT CMonitorWnd::OnLdaCommand(WPARAM, LPARAM lParam) {
  if (core_) core_->OnLdaCommand(static_cast<int>(lParam));
  return 0;
}

LRESULT CMonitorWnd::OnLdaMode(WPARAM, LPARAM lParam) {
  if (core_) core_->OnLdaMode(static_cast<int>(lParam));
  return 0;
}

LRESULT CMonitorWnd::OnBrowserScroll(WPARAM wParam, LPARAM lParam) {
  if (pc_) pc_->BrowserScroll(static_cast<int>(wParam), static_cast<int>(lParam));
  return 1;
}

LRESULT CMonitorWnd::OnDeviceEvent(WPARAM wParam, LPARAM lParam) {
  if (core_)
    core_->OnDeviceEvent(DeviceEventCode(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam)));
  return 1;
}

LRESULT CMonitorWnd::OnDevicePresence(WPARAM wParam, LPARAM) {
  if (core_) core_->OnDeviceEvent(PresenceEventCode(static_cast<uint32_t>(wParam)));
  return 0;
}

LRESULT CMonitorWnd::OnReceiveVelmarSynraAStatus(WPARAM wParam, LPARAM lParam) {
  if (core_) core_->OnSynraCode(static_cast<int>(wParam), lParam, true);
  return 0;
}

LRESULT CMonitorWnd::OnReceiveSynraMessage(WPARAM wParam, LPARAM lParam) {
  if (core_) core_->OnSynraCode(static_cast<int>(wParam), lParam, false);
  return 0;
}

LRESULT CMonitorWnd::OnAmbientLight(WPARAM, LPARAM) {
  // The ambient record is the Synra program's own and no channel to it is
  // published yet, so there is nothing to send.
  OutputDebugStringA("CMonitorApp: ambient light event without a record\n");
  return 0;
}

// ---------------------------------------------------------------- MonitorHost

bool CMonitorWnd::WindowExists(const char* title) { return FindWindowA(nullptr, title) != nullptr; }

bool CMonitorWnd::BringForward(const char* title) {
  HWND window = FindWindowA(nullptr, title);
  if (!window) return false;
  if (IsIconic(window)) ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  SetActiveWindow(window);
  return true;
}

void CMonitorWnd::PostToWindow(const char* title, unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (HWND window = FindWindowA(nullptr, title)) PostMessageA(window, message, wParam, lParam);
}

void CMonitorWnd::PostToSelf(unsigned message, uintptr_t wParam, intptr_t lParam) {
  if (hwnd()) PostMessageA(hwnd(), message, wParam, lParam);
}

uint32_t CMonitorWnd::SelfHandle32() {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hwnd()));
}

void CMonitorWnd::SendCopyData(uintptr_t window, uint32_t dwData, const void* data, uint32_t size) {
  HWND target = reinterpret_cast<HWND>(window);
  if (!IsWindow(target)) return;
  COPYDATASTRUCT copy{dwData, size, const_cast<void*>(data)};
  // A Synra program that stopped answering must not stop the Monitor.
  DWORD_PTR result = 0;
  SendMessageTimeoutA(target, WM_COPYDATA, kSynraCopyDataWParam, reinterpret_cast<LPARAM>(&copy),
                      SMTO_ABORTIFHUNG | SMTO_BLOCK, 2000, &result);
}

void CMonitorWnd::PostSynraActiveStatus() {
  if (HWND window = FindWindowA(nullptr, kSynraMonitorTitle)) PostMessageA(window, wmSynraActiveToSynra_, 0, 0);
}

void CMonitorWnd::StartTimer(int id, int milliseconds) {
  if (hwnd()) SetTimer(hwnd(), static_cast<UINT_PTR>(id), static_cast<UINT>(milliseconds), nullptr);
}

void CMonitorWnd::KillTimer(int id) {
  if (hwnd()) ::KillTimer(hwnd(), static_cast<UINT_PTR>(id));
}

void CMonitorWnd::ShellOpen(const std::string& path, const char* parameters) {
  ShellExecuteA(nullptr, "open", path.c_str(), parameters, nullptr, SW_SHOW);
}

std::string CMonitorWnd::ForegroundExecutable() {
  HWND foreground = GetForegroundWindow();
  if (!foreground) return std::string();
  DWORD pid = 0;
  GetWindowThreadProcessId(foreground, &pid);
  if (!pid) return std::string();
  if (foreground == foregroundWindow_ && pid == foregroundProcess_) return foregroundName_;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return std::string();
  std::string name;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (entry.th32ProcessID == pid) {
      name.assign(entry.szExeFile, strnlen(entry.szExeFile, sizeof entry.szExeFile));
      break;
    }
  }
  CloseHandle(snapshot);
  foregroundWindow_ = foreground;
  foregroundProcess_ = pid;
  foregroundName_ = ToLowerAscii(name);
  return foregroundName_;
}

void CMonitorWnd::PostDeviceJob(int job, int argument) {
  deviceThread_.Post(WM_DEVICE_JOB, static_cast<WPARAM>(job), static_cast<LPARAM>(argument));
}

void CMonitorWnd::ApplyWindowsValues(ProfileRecord& profile, bool writeRegistry) {
  if (writeRegistry) WriteWindowsValues(profile, registry_);
  vextra::ApplyWindowsValues(profile, registry_, hwnd());
}

}  // namespace vextra
