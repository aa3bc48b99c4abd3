// Media players on Windows: their registry entries, their windows, and the
// messages they understand.
#include <windows.h>

#include "common/win32/registry_win.h"
#include "monitor/media_control.h"
#include "monitor/win32/monitor_pc.h"

namespace vextra {
namespace {

constexpr DWORD kRegistryValueBytes = 260;
constexpr UINT kSendTimeout = 1000;  // ms a player may take for one message

HWND AsWindow(uintptr_t window) { return reinterpret_cast<HWND>(window); }

class WinMediaDesktop : public MediaDesktop {
 public:
  explicit WinMediaDesktop(PcContext& context) : context_(context) {}

  // Read access only: these keys belong to the players, and a normal user may
  // not write to the local machine's keys at all.
  bool ReadRegistryString(RegistryRoot root, const std::string& subkey, const std::string& name,
                          std::string& value) override {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(RootKeyHandle(root), subkey.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return false;
    ScopedHkey key(opened);
    char buffer[kRegistryValueBytes + 1] = {};
    DWORD type = 0, size = kRegistryValueBytes;
    if (RegQueryValueExA(key.get(), name.empty() ? nullptr : name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
      return false;
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || size > kRegistryValueBytes) return false;
    buffer[size] = '\0';  // a value may be stored without its terminator
    value = buffer;
    return true;
  }

  std::string ExpandEnvironment(const std::string& text) override {
    char buffer[MAX_PATH * 4] = {};
    const DWORD n = ExpandEnvironmentStringsA(text.c_str(), buffer, sizeof buffer);
    if (n == 0 || n > sizeof buffer) return std::string();
    return buffer;
  }

  void Run(const std::string& commandLine) override { WinExec(commandLine.c_str(), SW_SHOWNORMAL); }

  uintptr_t FindTopWindow(const char* className, const char* title) override {
    return reinterpret_cast<uintptr_t>(FindWindowA(className, title));
  }

  uintptr_t NextWindow(uintptr_t window) override {
    return reinterpret_cast<uintptr_t>(GetWindow(AsWindow(window), GW_HWNDNEXT));
  }

  std::string ClassName(uintptr_t window) override {
    char name[256] = {};
    const int n = GetClassNameA(AsWindow(window), name, sizeof name);
    return std::string(name, n > 0 ? static_cast<size_t>(n) : 0);
  }

  std::string Title(uintptr_t window) override {
    char title[512] = {};
    const int n = GetWindowTextA(AsWindow(window), title, sizeof title);
    return std::string(title, n > 0 ? static_cast<size_t>(n) : 0);
  }

  // Windows lets only the foreground's own input queue hand the foreground
  // on, so the Monitor joins that queue for the call.
  void BringToForeground(uintptr_t window) override {
    const DWORD self = GetCurrentThreadId();
    HWND foreground = GetForegroundWindow();
    if (foreground == AsWindow(window)) return;
    const DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    const bool attached = foregroundThread && foregroundThread != self && AttachThreadInput(foregroundThread, self, TRUE);
    SetForegroundWindow(AsWindow(window));
    if (attached) AttachThreadInput(foregroundThread, self, FALSE);
  }

  uintptr_t Self() override { return reinterpret_cast<uintptr_t>(context_.window); }

  void Send(uintptr_t window, unsigned message, uintptr_t wParam, intptr_t lParam) override {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(AsWindow(window), message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, kSendTimeout, &result);
  }

  void Post(uintptr_t window, unsigned message, uintptr_t wParam, intptr_t lParam) override {
    PostMessageA(AsWindow(window), message, wParam, lParam);
  }

  void Sleep(int milliseconds) override { ::Sleep(static_cast<DWORD>(milliseconds)); }

 private:
  PcContext& context_;
};

// The desktop exists before the control that uses it.
struct MediaSystem {
  explicit MediaSystem(PcContext& context) : desktop(context) {}
  WinMediaDesktop desktop;
};

class WinMediaActions : private MediaSystem, public MediaControl {
 public:
  explicit WinMediaActions(PcContext& context)
      : MediaSystem(context), MediaControl(desktop, [&context] {
          const ProfileRecord* profile = context.currentProfile ? context.currentProfile() : nullptr;
          return profile ? static_cast<int>(profile->MediaOption) : -1;
        }) {}
};

}  // namespace

std::unique_ptr<PcActions> MakeMediaActions(PcContext& context) { return std::make_unique<WinMediaActions>(context); }

}  // namespace vextra
