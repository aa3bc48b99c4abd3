// The Update page: the driver and firmware versions, and five link buttons
// handed to the shell's "open".
#pragma once

#include <windows.h>

#include <string>

#include "option/skin/win32/control_builder_win.h"
#include "option/skin/win32/skin_dialog_win.h"
#include "option/win32/option_links_win.h"

namespace vextra {

class CUpdatePage : public CSkinDialog {
 public:
  // The page's own sheets, released once its buttons are cut.
  bool Build(HWND parent, const RECT& at);
  void SetVersions(const std::string& driver, const std::string& firmware);
  void Relabel(const HelpLibrary& help);
  const std::string& driverText() const { return driver_; }
  const std::string& firmwareText() const { return firmware_; }

 protected:
  void PaintContent(HDC dc) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnLink(const Notify& n);
  static const MessageEntry<CUpdatePage> kTable[];

  std::unique_ptr<ControlBuilder> builder_;
  CSkinButton links_[5];
  std::string driver_ = "V", firmware_ = "V";
  OwnedFont font_;
};

}  // namespace vextra
