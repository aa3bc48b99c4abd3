// The main window's small dialogs: profile properties (Create/Edit), the
// Quicklaunch path, the language picker, and the profile file dialogs.
#pragma once

#include <windows.h>

#include <string>

#include "option/profile_commands.h"
#include "option/skin/win32/bitmap_edit_win.h"
#include "option/skin/win32/control_builder_win.h"
#include "option/skin/win32/skin_dialog_win.h"

namespace vextra {

// The standard open-file dialog for a program: starts on the desktop with
// "*.exe"; false when the user cancels (the path is then unchanged).
bool BrowseForProgram(HWND owner, std::string& path);
// Load (open) or Save (save as) of a profile file, starting at `proposal`.
bool AskProfileFile(HWND owner, bool save, const std::string& proposal, std::string& chosen);

class CProfileDialog : public CSkinDialog {
 public:
  explicit CProfileDialog(ProfileProperties start);
  const ProfileProperties& properties() const { return result_; }

 protected:
  void OnInitDialog() override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnBrowse(const Notify& n);
  void OnOk(const Notify& n);
  static const MessageEntry<CProfileDialog> kTable[];

  LoadedSheets sheets_;
  ProfileProperties start_, result_;
  CBitmapEdit name_, paths_[3];
  CSkinButton browse_[3], ok_, cancel_, exit_;
};

class CQuicklaunchDialog : public CSkinDialog {
 public:
  explicit CQuicklaunchDialog(std::string path);
  const std::string& path() const { return path_; }

 protected:
  void OnInitDialog() override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnBrowse(const Notify& n);
  void OnOk(const Notify& n);
  static const MessageEntry<CQuicklaunchDialog> kTable[];

  LoadedSheets sheets_;
  std::string path_;
  CBitmapEdit edit_;
  CSkinButton browse_, ok_, cancel_, exit_;
};

class CLanguagePicker : public CSkinDialog {
 public:
  // The chosen language index 0..16, or -1 when the picker was left.
  static int Choose(HWND owner, POINT topLeft);
  // Escape leaves the picker (it has no Cancel button); Enter does nothing.
  bool SwallowsKey(WPARAM virtualKey) const override {
    if (virtualKey == VK_ESCAPE) PostMessageA(hwnd(), WM_CLOSE, 0, 0);
    return CSkinDialog::SwallowsKey(virtualKey);
  }

 protected:
  void OnInitDialog() override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  CLanguagePicker();
  void OnFlag(const Notify& n);
  static const MessageEntry<CLanguagePicker> kTable[];

  LoadedSheets sheets_;
  CSkinButton flags_[17];
};

}  // namespace vextra
