#include "monitor/win32/tray_icon.h"

#include <cstring>

namespace vextra {

namespace {

BOOL CALLBACK TakeFirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
  *reinterpret_cast<LPSTR*>(found) = name;
  return FALSE;
}

// The program's own first icon at the small size: what the shell shows for it.
HICON OwnSmallIcon() {
  HMODULE self = GetModuleHandleA(nullptr);
  LPSTR name = nullptr;
  EnumResourceNamesA(self, RT_GROUP_ICON, TakeFirstName, reinterpret_cast<LONG_PTR>(&name));
  if (!name) return nullptr;
  return static_cast<HICON>(LoadImageA(self, name, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                       GetSystemMetrics(SM_CYSMICON), 0));
}

}  // namespace

void TrayIcon::Attach(HWND window, UINT id, UINT callbackMessage, const char* tip) {
  // Wine's shell answers with a generic program icon; the icon in our own
  // resources is the one Windows' shell would give.
  icon_ = OwnSmallIcon();
  if (!icon_) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    SHFILEINFOA info{};
    if (SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON)) icon_ = info.hIcon;
  }
  data_.cbSize = sizeof data_;
  data_.hWnd = window;
  data_.uID = id;
  data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data_.uCallbackMessage = callbackMessage;
  data_.hIcon = icon_;
  lstrcpynA(data_.szTip, tip, sizeof data_.szTip);
}

void TrayIcon::Add() {
  if (shown_ || !data_.hWnd) return;
  shown_ = Shell_NotifyIconA(NIM_ADD, &data_) != FALSE;
}

void TrayIcon::Remove() {
  if (shown_) Shell_NotifyIconA(NIM_DELETE, &data_);
  shown_ = false;
}

void TrayIcon::Restore() {
  if (!shown_) return;
  shown_ = false;
  Add();
}

}  // namespace vextra
