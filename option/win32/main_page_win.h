// The Main page: sensitivity, wheel and tilt speeds, scroll mode, double-click
// time with its test pad, and the five DPI rows of the current profile.
#pragma once

#include <windows.h>

#include <memory>

#include "option/main_page.h"
#include "option/option_session.h"
#include "option/skin/win32/control_builder_win.h"
#include "option/skin/win32/double_click_test_win.h"
#include "option/skin/win32/skin_dialog_win.h"
#include "option/win32/dpi_row_win.h"
#include "option/win32/option_links_win.h"

namespace vextra {

class CMainPage : public CSkinDialog {
 public:
  explicit CMainPage(OptionSession& session) : session_(session) {}
  bool Build(HWND parent, const RECT& at);
  // Everything from the current profile of the working block.
  void Show();
  void Relabel(const HelpLibrary& help);
  CDpiRow& row(int i) { return rows_[i]; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Carry(const MainPageEffect& effect);
  void OnSlider(const Notify& n);
  void OnField(const Notify& n);
  void OnScrollMode(const Notify& n);
  LRESULT OnDpiRowMessage(WPARAM wParam, LPARAM lParam);
  static const MessageEntry<CMainPage> kTable[];

  OptionSession& session_;
  std::unique_ptr<ControlBuilder> builder_;
  CclickHSlider sensitivity_, scrollSpeed_, tiltSpeed_, doubleClick_;
  CSpinEdit field_;
  CSkinButton scrollModes_[2];
  RadioGroup scrollGroup_;
  CDpiRow rows_[kDpiRowCount];
  CDoubleClickTest doubleClickTest_;
};

}  // namespace vextra
