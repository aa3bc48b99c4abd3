#include "option/win32/main_page_win.h"

#include <string>

#include "common/help_string_ids.h"
#include "option/skin/skin_messages.h"
#include "vextra_skin_ids.h"

namespace vextra {
namespace {
constexpr int kScrollModeIds = 310;  // "not one page" 310, "one page" 311
constexpr const char* kRowLayouts[kDpiRowCount] = {"DPI,395,58,375,39,", "DPI,395,97,375,39,", "DPI,395,136,375,39,",
                                                   "DPI,395,175,375,39,", "DPI,395,214,375,39,"};

}  // namespace

const MessageEntry<CMainPage> CMainPage::kTable[] = {
    OnValue(WM_SLIDER_CHANGED, kSensitivitySliderId, kDoubleClickSliderId, &CMainPage::OnSlider),
    OnValue(WM_SPIN_CHANGED, kSensitivityFieldId, kSensitivityFieldId, &CMainPage::OnField),
    OnClick(kScrollModeIds, kScrollModeIds + 1, &CMainPage::OnScrollMode),
    OnRaw(kDpiRowMessage, &CMainPage::OnDpiRowMessage),
};

LRESULT CMainPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (RouteMessage(*this, kTable, message, wParam, lParam, &result)) return result;
  return CSkinDialog::OnMessage(message, wParam, lParam);
}

bool CMainPage::Build(HWND parent, const RECT& at) {
  LoadedSheets sheets(IDB_PAGE_MAIN_NORMAL);
  SkinSheets view = sheets.sheets();
  view.disabled = view.normal;
  SetBackground(view.normal);
  if (!Create(parent, at, true)) return false;
  builder_ = std::make_unique<ControlBuilder>(hwnd(), view);
  OwnedBitmap speedThumb = LoadSkinBitmap(IDB_THUMB_SPEED);
  OwnedBitmap doubleClickThumb = LoadSkinBitmap(IDB_THUMB_DOUBLE_CLICK);
  OwnedBitmap dpiThumb = LoadSkinBitmap(IDB_THUMB_DPI);
  ControlBuilder& b = *builder_;
  b.Slider(sensitivity_, "SENSITIVITY,23,50,266,25,", kSensitivitySliderId, speedThumb.get(), kSensitivityRange.minimum,
           kSensitivityRange.maximum, kHelpSensitivitySlider);
  b.Slider(scrollSpeed_, "Scroll speed,46,149,240,25,", kScrollSpeedSliderId, speedThumb.get(), kSpeedRange.minimum,
           kSpeedRange.maximum, kHelpScrollLines);
  b.Slider(tiltSpeed_, "Tilt Speed,23,259,240,25,", kTiltSpeedSliderId, speedThumb.get(), kSpeedRange.minimum,
           kSpeedRange.maximum, kHelpTiltSpeed);
  b.Slider(doubleClick_, "Double Click speed,545,279,140,20,", kDoubleClickSliderId, doubleClickThumb.get(),
           kDoubleClickRange.minimum, kDoubleClickRange.maximum, kHelpDoubleClickSpeed);
  b.Spin(field_, "Sensitivity,311,42,45,19,", kSensitivityFieldId, kSensitivityFieldRange.minimum,
         kSensitivityFieldRange.maximum, 1, kHelpSensitivityField);
  b.Button(scrollModes_[0], "not one page,13,144,20,20,", kScrollModeIds, kHelpScrollLines);
  b.Button(scrollModes_[1], "one page,13,169,190,20,", kScrollModeIds + 1, kHelpScrollPage);
  for (CSkinButton& m : scrollModes_) {
    m.SetToggleMode(true);
    scrollGroup_.Add(m);
  }
  for (int i = 0; i < kDpiRowCount; ++i) {
    const LayoutEntry e = Parsed(kRowLayouts[i]);
    rows_[i].Create(LayoutRect(e), hwnd(), kDpiRowFirstId + i, view, dpiThumb.get());
  }
  const LayoutEntry test = Parsed("Double Click Test,721,277,41,22,");
  const std::string folder = session_.programFolder();
  doubleClickTest_.SetAnimationFile(folder + "wave\\double_click.avi");
  doubleClickTest_.SetSoundFile(folder + "wave\\double_click.wav");
  doubleClickTest_.Create(LayoutRect(test), hwnd(), 0);
  return true;
}

void CMainPage::Show() {
  const ProfileRecord* p = session_.CurrentRecord();
  if (!p || !hwnd()) return;
  const MainPageView v = main_page::ViewOf(*p);
  sensitivity_.SetPosition(v.sensitivity);
  scrollSpeed_.SetPosition(v.scrollSpeed);
  tiltSpeed_.SetPosition(v.tiltSpeed);
  doubleClick_.SetPosition(v.doubleClick);
  field_.SetValue(v.sensitivityField);
  scrollGroup_.Select(v.scrollMode);
  for (int i = 0; i < kDpiRowCount; ++i) {
    rows_[i].SetValue(v.rows[i].value);
    rows_[i].SetEnabled(v.rows[i].enabled);
    rows_[i].SetSelected(v.rows[i].selected);
  }
}

void CMainPage::Relabel(const HelpLibrary& help) {
  if (builder_) builder_->Relabel([&help](int id) { return help.Text(id); });
  const std::string parts = help.Text(main_page::kDpiRowPartsHelp), box = help.Text(main_page::kDpiRowEnableHelp);
  for (CDpiRow& r : rows_) r.SetHelpTexts(parts, box);
}

void CMainPage::Carry(const MainPageEffect& e) {
  if (e.sensitivitySlider) sensitivity_.SetPosition(*e.sensitivitySlider);
  if (e.sensitivityField) field_.SetValue(*e.sensitivityField);
  if (e.doubleClickTime) SetDoubleClickTime(static_cast<UINT>(*e.doubleClickTime));
  if (e.scrollMode) scrollGroup_.Select(*e.scrollMode);
  if (e.activeRow)
    for (int i = 0; i < kDpiRowCount; ++i) rows_[i].SetSelected(i == *e.activeRow);
  if (e.rowEnabledAgain) rows_[*e.rowEnabledAgain].SetEnabled(true);
}

void CMainPage::OnSlider(const Notify& n) {
  ProfileRecord* p = session_.CurrentRecord();
  if (!p) return;
  switch (n.id) {
    case kSensitivitySliderId: Carry(main_page::SetSensitivity(*p, n.value)); break;
    case kScrollSpeedSliderId: Carry(main_page::SetScrollSpeed(*p, n.value)); break;
    case kTiltSpeedSliderId: Carry(main_page::SetTiltSpeed(*p, n.value)); break;
    case kDoubleClickSliderId: Carry(main_page::SetDoubleClick(*p, n.value)); break;
    default: break;
  }
}

void CMainPage::OnField(const Notify& n) {
  DebugTrace("lParam = %d\n", n.id);
  if (ProfileRecord* p = session_.CurrentRecord()) Carry(main_page::SetSensitivityField(*p, n.value));
}

void CMainPage::OnScrollMode(const Notify& n) {
  if (ProfileRecord* p = session_.CurrentRecord()) {
    Carry(main_page::SetScrollMode(*p, n.index));
    scrollGroup_.Select(p->ScrollWheelFlag == 0 || p->ScrollWheelFlag == 1 ? p->ScrollWheelFlag : -1);
  }
}

LRESULT CMainPage::OnDpiRowMessage(WPARAM wParam, LPARAM lParam) {
  if (ProfileRecord* p = session_.CurrentRecord()) Carry(main_page::OnDpiRow(*p, lParam, wParam));
  return 0;
}

}  // namespace vextra
