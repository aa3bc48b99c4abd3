// CSkinDialog: behaviour shared by every skinned dialog and page.
//  - paints its background bitmap (and what PaintContent adds) through a
//    memory bitmap in one blit; erasing does nothing;
//  - a top-level one takes the shape of its background (white is outside);
//  - a left press on the background moves the top-level window;
//  - Enter and Escape never end it (SkinPreTranslateMessage);
//  - buttons made from the layouts "BUTTON_OK", "BUTTON_CANCEL" and
//    "BUTTON_EXIT" end a modal one with OK, Cancel and Cancel;
//  - notifications of its skinned controls are reflected back to them.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "option/skin/win32/skin_button_win.h"
#include "option/skin/win32/skin_gdi_win.h"
#include "option/skin/win32/skin_window_win.h"

namespace vextra {

class CSkinDialog : public SkinWindow {
 public:
  // The background is copied; `rect` is in the parent's client coordinates
  // for a page, in screen coordinates for a top-level dialog.
  void SetBackground(HBITMAP background);
  HBITMAP background() const { return background_.get(); }

  // Modeless: a page (child = true) or a top-level window; shown at once.
  bool Create(HWND parent, const RECT& rect, bool child);
  // Modal: a top-level window owned by `owner` (disabled meanwhile), sized
  // to the background and centred on the owner, or with its top-left corner
  // at `topLeft` (screen coordinates); returns IDOK or IDCANCEL, or what
  // EndDialog was given (-1 when the window cannot be made).
  INT_PTR DoModal(HWND owner, const POINT* topLeft = nullptr);
  void EndDialog(int result);
  // Styles added to a top-level one when it is made (a main window's
  // system menu and minimise box).
  void SetExtraStyle(DWORD style) { extraStyle_ = style; }
  bool isModal() const { return modal_; }

  // Builds a button from a layout string: created at the layout rectangle,
  // images cut from the sheets there, help text from the layout. Buttons
  // named "BUTTON_OK", "BUTTON_CANCEL" and "BUTTON_EXIT" end the dialog.
  bool AddLayoutButton(CSkinButton& button, const char* layout, int id, const SkinSheets& sheets);

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // After the window exists (children can be created here).
  virtual void OnInitDialog() {}
  // Drawn over the background in the memory bitmap.
  virtual void PaintContent(HDC) {}
  // WM_COMMAND not taken by a control or an ending button; true if handled.
  virtual bool OnCommand(int, int, HWND) { return false; }

 public:
  // Keys that never reach the dialog's controls or the dialog processing
  // (the default: Enter and Escape, which would end it).
  virtual bool SwallowsKey(WPARAM virtualKey) const { return virtualKey == VK_RETURN || virtualKey == VK_ESCAPE; }

 private:
  void Paint();
  void ApplyShape();
  bool IsTopLevel() const;

  OwnedBitmap background_;
  std::map<int, int> endings_;  // button id -> dialog result
  DWORD extraStyle_ = 0;
  bool modal_ = false;
  bool ended_ = false;
  int result_ = IDCANCEL;
};

// Swallows the key-downs a skinned dialog filters (SwallowsKey of the
// nearest dialog around the target window), before dialog processing turns
// Enter and Escape into OK/Cancel. Message loops of programs that show
// skinned windows call it first.
bool SkinPreTranslateMessage(const MSG& msg);

// The small modal question dialogs: the question is part of the background;
// the owner may add a text (white Arial 14, centred, word-wrapped in
// (20,50)-(220,94)). OK ends with OK, Cancel and Exit with Cancel.
class CConfirmDialog : public CSkinDialog {
 public:
  enum class Row {
    kWithExit,  // OK and Cancel at y 200, Exit at the top right
    kLow,       // OK and Cancel at y 170
  };
  static constexpr int kExitId = 1001;

  // The background of the dialog is the normal sheet.
  CConfirmDialog(const SkinSheets& sheets, Row row, std::string text = std::string());

  CSkinButton& okButton() { return ok_; }
  CSkinButton& cancelButton() { return cancel_; }
  CSkinButton& exitButton() { return exit_; }

 protected:
  void OnInitDialog() override;
  void PaintContent(HDC dc) override;

 private:
  SkinSheets sheets_;
  Row row_;
  std::string text_;
  OwnedFont font_;
  CSkinButton ok_, cancel_, exit_;
};

}  // namespace vextra
