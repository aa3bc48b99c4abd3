// The toolkit's small display windows: CSkinLabel (one line of text on the
// skin's dark ground), CHelpLine (the main window's help line) and
// CLedPreview (the four light colours of a profile as dots).
#pragma once

#include <windows.h>

#include <string>

#include "option/skin/win32/skin_control_win.h"
#include "option/skin/win32/skin_gdi_win.h"

namespace vextra {

class CSkinLabel : public SkinControl {
 public:
  bool Create(const RECT& rect, HWND parent, int id);
  // Repaints; white when highlighted, grey otherwise.
  void SetText(const std::string& text, bool highlighted);
  const std::string& text() const { return text_; }
  bool highlighted() const { return highlighted_; }
  void SetCentred(bool on);
  void EnableHelp(bool on) { helpEnabled_ = on; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PaintTo(HDC dc, const RECT& client) override;
  bool ShowsHelp() const override { return helpEnabled_; }

 private:
  std::string text_;
  bool highlighted_ = false;
  bool centred_ = true;
  bool helpEnabled_ = false;
  OwnedFont font_;
};

class CHelpLine : public SkinControl {
 public:
  // The font follows the interface language (0..16); set it before Create
  // or call again to change it.
  void SetLanguage(int language);
  bool Create(const RECT& rect, HWND parent, int id);
  // Background: the rectangle of a page bitmap under the line (copied).
  void SetBackground(HBITMAP background);
  void SetText(const std::string& text);
  const std::string& text() const { return text_; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PaintTo(HDC dc, const RECT& client) override;
  bool ShowsHelp() const override { return false; }

 private:
  std::string text_;
  int language_ = 1;
  OwnedFont font_;
  OwnedBitmap background_;
};

class CLedPreview : public SkinControl {
 public:
  bool Create(const RECT& rect, HWND parent, int id);
  // A resource of the program, or a bitmap (copied).
  void SetBackground(UINT bitmapResource);
  void SetBackground(HBITMAP background);
  // Index 0..3; setting index 3 repaints (the four are set in order).
  void SetColor(COLORREF colour, int index);
  COLORREF color(int index) const { return index >= 0 && index < 4 ? colours_[index] : 0; }

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PaintTo(HDC dc, const RECT& client) override;

 private:
  COLORREF colours_[4] = {RGB(255, 0, 0), RGB(255, 0, 0), RGB(255, 0, 0), RGB(255, 0, 0)};
  OwnedBitmap background_;
};

}  // namespace vextra
