#include "option/skin/win32/control_builder_win.h"

namespace vextra {

LoadedSheets::LoadedSheets(UINT firstResource) {
  for (UINT i = 0; i < 4; ++i) owned_[i] = LoadSkinBitmap(firstResource + i);
  sheets_ = SkinSheets{owned_[0].get(), owned_[1].get(), owned_[2].get(), owned_[3].get()};
}

void LoadedSheets::Release() {
  for (OwnedBitmap& b : owned_) b.reset();
  sheets_ = SkinSheets{};
}

RECT LayoutRect(const LayoutEntry& e) { return RECT{e.left, e.top, e.right, e.bottom}; }

LayoutEntry Parsed(const char* layout) {
  LayoutEntry e;
  ParseLayout(layout, e);
  return e;
}

void ControlBuilder::Remember(SkinControl& control, const std::string& layoutHelp, int helpId) {
  control.SetHelpText(layoutHelp);
  if (helpId) relabelled_.push_back(Relabelled{&control, helpId});
}

bool ControlBuilder::Button(CSkinButton& button, const char* layout, int id, int helpId) {
  const LayoutEntry e = Parsed(layout);
  const RECT rect = LayoutRect(e);
  if (!button.Create(rect, parent_, id)) return false;
  button.SetImagesFromSheets(sheets_, rect);
  Remember(button, e.help, helpId);
  return true;
}

bool ControlBuilder::Slider(CclickHSlider& slider, const char* layout, int id, HBITMAP thumb, int minimum,
                            int maximum, int helpId) {
  const LayoutEntry e = Parsed(layout);
  if (!slider.Create(thumb, e.left, e.top, e.right, e.bottom, parent_, id)) return false;
  slider.SetTrackImage(e.left, e.top, e.right - e.left, e.bottom - e.top, sheets_.normal);
  slider.SetRange(minimum, maximum);
  slider.SetSnap(true);
  Remember(slider, e.help, helpId);
  return true;
}

bool ControlBuilder::Spin(CSpinEdit& spin, const char* layout, int id, int minimum, int maximum, int step,
                          int helpId) {
  const LayoutEntry e = Parsed(layout);
  const RECT rect = LayoutRect(e);
  if (!spin.Create(rect, parent_, id)) return false;
  spin.SetImagesFromSheets(sheets_, rect);
  spin.SetRange(minimum, maximum);
  spin.SetStep(step);
  Remember(spin, e.help, helpId);
  return true;
}

bool ControlBuilder::Label(CSkinLabel& label, const char* layout, int id, int helpId) {
  const LayoutEntry e = Parsed(layout);
  if (!label.Create(LayoutRect(e), parent_, id)) return false;
  Remember(label, e.help, helpId);
  return true;
}

void ControlBuilder::Relabel(const HelpLookup& lookup) const {
  for (const Relabelled& r : relabelled_) r.control->SetHelpText(lookup(r.helpId));
}

void RadioGroup::Select(int index) {
  selected_ = index >= 0 && index < size() ? index : -1;
  for (int i = 0; i < size(); ++i) buttons_[static_cast<size_t>(i)]->SetLatched(i == selected_);
}

int RadioGroup::IndexOf(int controlId) const {
  for (int i = 0; i < size(); ++i)
    if (buttons_[static_cast<size_t>(i)]->id() == controlId) return i;
  return -1;
}

}  // namespace vextra
