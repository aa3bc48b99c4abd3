#include "option/win32/update_page_win.h"

#include <shellapi.h>

#include "common/help_string_ids.h"
#include "option/update_links.h"
#include "vextra_skin_ids.h"

namespace vextra {
namespace {
constexpr int kFirstLinkId = 700;
constexpr const char* kLinkLayouts[5] = {
    "BUTTON_update,15,81,200,34,", "BUTTON_help,405,81,200,34,", "BUTTON_Email_Request,10,265,100,30,",
    "BUTTON_Support_Form,400,210,100,30,", "BUTTON_Support_Form,400,265,100,30,"};
constexpr int kLinkHelp[5] = {kHelpDriverDownload, kHelpSupportPage, kHelpSupportEmail, kHelpSupportForm,
                              kHelpSupportMail};
}  // namespace

const MessageEntry<CUpdatePage> CUpdatePage::kTable[] = {
    OnClick(kFirstLinkId, kFirstLinkId + 4, &CUpdatePage::OnLink),
};

LRESULT CUpdatePage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (RouteMessage(*this, kTable, message, wParam, lParam, &result)) return result;
  return CSkinDialog::OnMessage(message, wParam, lParam);
}

bool CUpdatePage::Build(HWND parent, const RECT& at) {
  LoadedSheets sheets(IDB_PAGE_UPDATE_NORMAL);
  SkinSheets view = sheets.sheets();
  view.disabled = view.normal;  // the normal sheet doubles as disabled
  SetBackground(view.normal);
  if (!Create(parent, at, true)) return false;
  builder_ = std::make_unique<ControlBuilder>(hwnd(), view);
  for (int i = 0; i < 5; ++i) {
    builder_->Button(links_[i], kLinkLayouts[i], kFirstLinkId + i, kLinkHelp[i]);
    if (i >= 2) links_[i].SetHandCursor(true);
  }
  return true;
}

void CUpdatePage::SetVersions(const std::string& driver, const std::string& firmware) {
  driver_ = "V" + driver;
  firmware_ = "V" + firmware;
  Invalidate();
}

void CUpdatePage::Relabel(const HelpLibrary& help) {
  if (builder_) builder_->Relabel([&help](int id) { return help.Text(id); });
}

void CUpdatePage::PaintContent(HDC dc) {
  if (!font_) font_ = MakeFont("Arial", 12, 6);
  SelectIn font(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(240, 240, 240));
  TextOutA(dc, 146, 182, driver_.c_str(), static_cast<int>(driver_.size()));
  TextOutA(dc, 163, 209, firmware_.c_str(), static_cast<int>(firmware_.size()));
}

void CUpdatePage::OnLink(const Notify& n) {
  const char* target = UpdateLinkTarget(n.index);
  if (target) ShellExecuteA(hwnd(), "open", target, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace vextra
