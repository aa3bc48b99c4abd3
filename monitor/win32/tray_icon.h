// The Monitor's one tray icon: added and removed as the icon rule says, never
// twice.
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace vextra {

class TrayIcon {
 public:
  ~TrayIcon() {
    Remove();
    if (icon_) DestroyIcon(icon_);
  }
  void Attach(HWND window, UINT id, UINT callbackMessage, const char* tip);
  void Show(bool present) { present ? Add() : Remove(); }
  void Add();
  void Remove();
  // After a restart of the shell: the icon it lost comes back if it was shown.
  void Restore();
  bool shown() const { return shown_; }

 private:
  NOTIFYICONDATAA data_{};
  HICON icon_ = nullptr;
  bool shown_ = false;
};

}  // namespace vextra
