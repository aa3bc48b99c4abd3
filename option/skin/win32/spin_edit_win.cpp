#include "option/skin/win32/spin_edit_win.h"

#include <utility>

#include "option/skin/number_field.h"
#include "option/skin/skin_messages.h"

namespace vextra {
namespace {
const RECT kUpRect{34, 0, 50, 8};
const RECT kDownRect{34, 9, 50, 17};
const RECT kFieldRect{1, 1, 32, 16};
}  // namespace

bool CSpinEdit::Create(const RECT& rect, HWND parent, int id) {
  if (!CreateCustom(0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, id)) return false;
  up_.Create(kUpRect, hwnd(), kUpId);
  down_.Create(kDownRect, hwnd(), kDownId);
  edit_.Create(WS_VISIBLE | ES_CENTER, kFieldRect, hwnd(), kSpinEditFieldId);
  edit_.SetColors(RGB(255, 255, 255), RGB(0, 0, 0));
  edit_.SetDigitsOnly(true);
  SetRange(min_, max_);
  edit_.SetText(std::to_string(value_));
  return true;
}

void CSpinEdit::SetImagesFromSheets(const SkinSheets& sheets, const RECT& rect) {
  images_.FromSheets(sheets, rect);
  up_.SetImagesFrom(images_, kUpRect);
  down_.SetImagesFrom(images_, kDownRect);
  Invalidate();
}

void CSpinEdit::SetRange(int minimum, int maximum) {
  if (minimum > maximum) std::swap(minimum, maximum);
  min_ = minimum;
  max_ = maximum;
  edit_.SetLimit(SpinTextLimit(min_, max_));
  edit_.SetSignAllowed(min_ < 0);
}

void CSpinEdit::SetValue(int value) {
  value_ = value;
  Show(value);
}

void CSpinEdit::Show(int value) {
  const std::string text = std::to_string(value);
  if (edit_.GetText() != text) edit_.SetText(text);
}

void CSpinEdit::SetHelpText(const std::string& text) {
  SkinControl::SetHelpText(text);
  edit_.SetHelpText(text);
  up_.SetHelpText(text);
  down_.SetHelpText(text);
}

void CSpinEdit::Step(bool up) {
  const std::string text = edit_.GetText();
  const std::optional<int> next = up ? SpinStepUp(text, min_, max_, step_) : SpinStepDown(text, min_, max_, step_);
  if (!next) return;
  value_ = *next;
  Show(value_);  // the field's change notification reports it
}

void CSpinEdit::OnFieldChanged(bool enter) {
  const SpinTextOutcome out = SpinTextChanged(edit_.GetText(), min_, max_, enter);
  if (out.rewrite) {
    edit_.SetText(out.text);
    SendMessageA(edit_.hwnd(), EM_SETSEL, out.text.size(), out.text.size());
  }
  value_ = out.value;
  if (out.notify) PostMessageA(GetParent(hwnd()), WM_SPIN_CHANGED, static_cast<WPARAM>(value_), id());
}

void CSpinEdit::PaintTo(HDC dc, const RECT& client) {
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  const bool enabled = IsWindowEnabled(hwnd()) != FALSE;
  HBITMAP image = images_.get(enabled ? ButtonImage::kNormal : ButtonImage::kDisabled);
  if (image) DrawBitmap(dc, image, 0, 0, client.right, client.bottom);
}

LRESULT CSpinEdit::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT reflected = 0;
  if (ReflectToChild(message, wParam, lParam, &reflected)) return reflected;
  if (HandleCommon(message, &reflected)) return reflected;
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && (LOWORD(wParam) == kUpId || LOWORD(wParam) == kDownId)) {
        Step(LOWORD(wParam) == kUpId);
        return 0;
      }
      return Default(message, wParam, lParam);
    case WM_EDIT_CHANGED:
      OnFieldChanged(wParam == 13);
      return 0;
    case WM_ENABLE:
      EnableWindow(edit_.hwnd(), static_cast<BOOL>(wParam));
      EnableWindow(up_.hwnd(), static_cast<BOOL>(wParam));
      EnableWindow(down_.hwnd(), static_cast<BOOL>(wParam));
      Invalidate();
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

}  // namespace vextra
