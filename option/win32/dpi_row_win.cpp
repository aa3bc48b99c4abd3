#include "option/win32/dpi_row_win.h"

#include "option/skin/skin_messages.h"

namespace vextra {
namespace {
constexpr RECT kPresetRects[kDpiPresetCount] = {{35, 25, 60, 34},   {72, 25, 97, 34},   {113, 25, 142, 34},
                                                {155, 25, 183, 34}, {197, 25, 224, 34}, {240, 25, 265, 34},
                                                {279, 25, 304, 34}};
constexpr RECT kHeaderRect{1, 1, 372, 13};
constexpr RECT kBoxRect{10, 10, 28, 28};
constexpr RECT kSliderRect{37, 14, 304, 22};
constexpr RECT kSpinRect{317, 15, 361, 33};
constexpr int kPresetId = 310, kHeaderId = 320, kBoxId = 321;
}  // namespace

const MessageEntry<CDpiRow> CDpiRow::kTable[] = {
    OnClick(kPresetId, kPresetId + kDpiPresetCount - 1, &CDpiRow::OnPreset),
    OnClick(kHeaderId, &CDpiRow::OnHeader),
    OnClick(kBoxId, &CDpiRow::OnBox),
    OnValue(WM_SLIDER_CHANGED, kDpiRowSliderId, kDpiRowSliderId, &CDpiRow::OnSlider),
    OnValue(WM_SPIN_CHANGED, kDpiRowFieldId, kDpiRowFieldId, &CDpiRow::OnSpin),
};

LRESULT CDpiRow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ReflectToChild(message, wParam, lParam, &result)) return result;
  if (RouteMessage(*this, kTable, message, wParam, lParam, &result)) return result;
  if (HandleCommon(message, &result)) return result;
  return Default(message, wParam, lParam);
}

bool CDpiRow::Create(const RECT& rect, HWND parent, int id, const SkinSheets& pageSheets, HBITMAP thumb) {
  if (!CreateCustom(0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, id)) return false;
  images_.FromSheets(pageSheets, rect);
  for (int i = 0; i < kDpiPresetCount; ++i) {
    presets_[i].Create(kPresetRects[i], hwnd(), kPresetId + i);
    presets_[i].SetImagesFrom(images_, kPresetRects[i]);
  }
  header_.Create(kHeaderRect, hwnd(), kHeaderId);
  header_.SetImagesFrom(images_, kHeaderRect);
  box_.Create(kBoxRect, hwnd(), kBoxId);
  box_.SetToggleMode(true);
  // The box shows its pressed (ticked) picture while it cannot be clicked.
  StateImages box;
  box.FromImages(images_, kBoxRect);
  box_.SetImages(box.get(ButtonImage::kNormal), box.get(ButtonImage::kHover), box.get(ButtonImage::kPressed),
                 box.get(ButtonImage::kPressed));
  slider_.Create(thumb, kSliderRect.left, kSliderRect.top, kSliderRect.right, kSliderRect.bottom, hwnd(),
                 kDpiRowSliderId);
  slider_.SetTrackImage(kSliderRect.left, kSliderRect.top, kSliderRect.right - kSliderRect.left,
                        kSliderRect.bottom - kSliderRect.top, images_.get(ButtonImage::kNormal));
  slider_.SetRange(kDpiMinimum, kDpiMaximum);
  slider_.SetSnap(true);
  spin_.Create(kSpinRect, hwnd(), kDpiRowFieldId);
  const SkinSheets own{images_.get(ButtonImage::kNormal), images_.get(ButtonImage::kHover),
                       images_.get(ButtonImage::kPressed), images_.get(ButtonImage::kDisabled)};
  spin_.SetImagesFromSheets(own, kSpinRect);
  spin_.SetRange(kDpiFieldMinimum, kDpiFieldMaximum);
  spin_.SetStep(kDpiFieldStep);
  // The row's defaults on screen.
  Apply(row_.SetValue(row_.value()));
  Apply(row_.SetEnabled(row_.enabled()));
  Apply(row_.SetSelected(row_.selected()));
  return true;
}

void CDpiRow::SetHelpTexts(const std::string& parts, const std::string& boxText) {
  SetHelpText(parts);
  for (CSkinButton& p : presets_) p.SetHelpText(parts);
  header_.SetHelpText(parts);
  slider_.SetHelpText(parts);
  spin_.SetHelpText(parts);
  box_.SetHelpText(boxText);
}

void CDpiRow::Apply(const DpiRow::Outcome& out) {
  if (out.slider) slider_.SetPosition(row_.value());
  if (out.field) spin_.SetValue(row_.fieldValue());
  if (out.children) {
    const BOOL on = row_.childrenEnabled() ? TRUE : FALSE;
    for (CSkinButton& p : presets_) EnableWindow(p.hwnd(), on);
    EnableWindow(header_.hwnd(), on);
    EnableWindow(slider_.hwnd(), on);
    EnableWindow(slider_.thumb().hwnd(), on);
    EnableWindow(spin_.hwnd(), on);
    EnableWindow(box_.hwnd(), row_.enableBoxEnabled() ? TRUE : FALSE);
  }
  if (out.box) box_.SetLatched(row_.enabled());
  if (out.header) {
    header_.SetLatched(row_.selected());
    EnableWindow(box_.hwnd(), row_.enableBoxEnabled() ? TRUE : FALSE);
    Invalidate();
  }
  if (out.notify)
    PostMessageA(GetParent(hwnd()), kDpiRowMessage, static_cast<WPARAM>(*out.notify), static_cast<LPARAM>(id()));
}

void CDpiRow::PaintTo(HDC dc, const RECT& client) {
  HBITMAP image = images_.get(ButtonImage::kNormal);
  if (image)
    DrawBitmap(dc, image, 0, 0, client.right, client.bottom);
  else
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void CDpiRow::OnPreset(const Notify& n) { Apply(row_.Preset(n.index)); }
void CDpiRow::OnHeader(const Notify&) { Apply(row_.HeaderClicked()); }
void CDpiRow::OnBox(const Notify&) { Apply(row_.EnableBoxClicked(box_.latched())); }
void CDpiRow::OnSlider(const Notify& n) { Apply(row_.SliderChanged(n.value)); }
void CDpiRow::OnSpin(const Notify& n) { Apply(row_.FieldChanged(n.value)); }

}  // namespace vextra
