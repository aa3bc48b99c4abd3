// CDpiRow: one DPI level of the Main page as a composite child window; the
// decisions are DpiRow's, this draws them and tells the page.
#pragma once

#include <windows.h>

#include "option/dpi_row.h"
#include "option/skin/win32/control_builder_win.h"
#include "option/skin/win32/skin_button_win.h"
#include "option/skin/win32/skin_control_win.h"
#include "option/skin/win32/slider_win.h"
#include "option/skin/win32/spin_edit_win.h"

namespace vextra {

class CDpiRow : public SkinControl {
 public:
  // At `rect` of the page, images cut from the page's sheets there.
  bool Create(const RECT& rect, HWND parent, int id, const SkinSheets& pageSheets, HBITMAP thumb);
  void SetValue(int value) { Apply(row_.SetValue(value)); }
  void SetEnabled(bool enabled) { Apply(row_.SetEnabled(enabled)); }
  void SetSelected(bool selected) { Apply(row_.SetSelected(selected)); }
  // The presets, header, slider and field take one text, the box another.
  void SetHelpTexts(const std::string& parts, const std::string& box);
  const DpiRow& row() const { return row_; }

  // Children, for tests and the page's relabelling.
  CSkinButton& preset(int i) { return presets_[i]; }
  CSkinButton& header() { return header_; }
  CSkinButton& enableBox() { return box_; }
  CSpinEdit& field() { return spin_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PaintTo(HDC dc, const RECT& client) override;

 private:
  void Apply(const DpiRow::Outcome& out);
  void OnPreset(const Notify& n);
  void OnHeader(const Notify& n);
  void OnBox(const Notify& n);
  void OnSlider(const Notify& n);
  void OnSpin(const Notify& n);
  static const MessageEntry<CDpiRow> kTable[];

  DpiRow row_;
  StateImages images_;
  CSkinButton presets_[kDpiPresetCount];
  CSkinButton header_;
  CSkinButton box_;
  CclickHSlider slider_;
  CSpinEdit spin_;
};

}  // namespace vextra
