#include "monitor/win32/tray_icon.h"

#include <cstring>

namespace vextra {

void TrayIcon::Attach(HWND window, UINT id, UINT callbackMessage, const char* tip) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  SHFILEINFOA info{};
  if (SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON)) icon_ = info.hIcon;
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

}  // namespace vextra
