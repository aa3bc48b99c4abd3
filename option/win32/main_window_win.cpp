#include "option/win32/main_window_win.h"

#include <commdlg.h>

#include <cstdio>

#include "common/help_string_ids.h"
#include "common/language.h"
#include "common/program_messages.h"
#include "option/main_window_view.h"
#include "option/profile_commands.h"
#include "option/skin/skin_messages.h"
#include "option/win32/option_dialogs_win.h"
#include "vextra_skin_ids.h"

namespace vextra {
namespace {

// Control ids.
constexpr int kPageIds = 101;     // 101..105
constexpr int kCreateId = 110, kLoadId = 111, kSaveId = 112, kEditId = 113;
constexpr int kSlotIds = 121;     // 121..125
constexpr int kMarkerOffIds = 131, kMarkerOnIds = 141;
constexpr int kPreviewIds = 151, kNameIds = 161;
constexpr int kLanguageId = 170, kMinId = 171, kExitId = 172, kOkId = 173, kApplyId = 174, kCancelId = 175;
constexpr int kHelpLineId = 176, kFlowIds = 200;

// What the light page sends when a slot's preview must follow (1134), and
// what the Advanced page sends for its Reset.
constexpr UINT kLightChangedMessage = 1134;
constexpr UINT kIgnoredMessage = 1258;
constexpr UINT kResetRequestMessage = WM_APP + 40;

constexpr const char* kPageLayouts[5] = {
    "Main,4,75,160,38,Main settings for the selected device",
    "Button Assign,164,75,157,38,Assign a function to each mouse button", "Color,321,75,157,38,Color Setting",
    "Advanced,478,75,157,38,Advanced settings for the selected device",
    "Update,635,75,157,38,Check for the lastest driver update"};
constexpr int kPageHelp[5] = {kHelpMainPage, kHelpButtonAssignPage, kHelpColorPage, kHelpAdvancedPage,
                              kHelpUpdatePage};
constexpr int kSlotX[5] = {8, 165, 322, 479, 637};
constexpr int kSlotW[5] = {155, 155, 155, 156, 155};
constexpr int kMarkerX[5] = {139, 296, 453, 611, 769};
constexpr int kPreviewX[5] = {7, 167, 324, 481, 639};
constexpr int kNameX[5] = {31, 190, 347, 504, 662};
constexpr RECT kPageRect{12, 124, 12 + 774, 124 + 312};
constexpr RECT kHelpLineRect{52, 570, 580, 590};
constexpr POINT kBadgeAt{7, 34};

std::string Format(const char* format, int a, int b = 0, int c = 0, int d = 0) {
  char text[200];
  std::snprintf(text, sizeof text, format, a, b, c, d);
  return text;
}


}  // namespace

const MessageEntry<CMainWindow> CMainWindow::kTable[] = {
    OnClick(kPageIds, kPageIds + 4, &CMainWindow::OnPageButton),
    OnClick(kSlotIds, kSlotIds + 4, &CMainWindow::OnSlot),
    OnClick(kMarkerOffIds, kMarkerOffIds + 4, &CMainWindow::OnMarker),
    OnClick(kMarkerOnIds, kMarkerOnIds + 4, &CMainWindow::OnMarker),
    OnClick(kCreateId, &CMainWindow::OnCreate),
    OnClick(kEditId, &CMainWindow::OnEdit),
    OnClick(kLoadId, &CMainWindow::OnLoad),
    OnClick(kSaveId, &CMainWindow::OnSave),
    OnClick(kLanguageId, &CMainWindow::OnLanguage),
    OnClick(kMinId, &CMainWindow::OnMin),
    OnClick(kExitId, &CMainWindow::OnClose),
    OnClick(kCancelId, &CMainWindow::OnClose),
    OnClick(kOkId, &CMainWindow::OnOk),
    OnClick(kApplyId, &CMainWindow::OnApply),
    OnRaw(WM_HOVER_HELP, &CMainWindow::OnHoverHelp),
    OnRaw(WM_OPT_SETTINGS_READ, &CMainWindow::OnSettingsRead),
    OnRaw(WM_OPT_PROFILE_CHANGED, &CMainWindow::OnProfileChanged),
    OnRaw(WM_OPT_DEVICE_VALUE_CHANGED, &CMainWindow::OnDeviceValueChanged),
    OnRaw(WM_OPT_DEVICE_LIST_CHANGED, &CMainWindow::OnDeviceListChanged),
    OnRaw(kLightChangedMessage, &CMainWindow::OnLightChanged),
    OnRaw(kIgnoredMessage, &CMainWindow::OnIgnored),
    OnRaw(kResetRequestMessage, &CMainWindow::OnResetRequest),
};

LRESULT CMainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (RouteMessage(*this, kTable, message, wParam, lParam, &result)) return result;
  return CSkinDialog::OnMessage(message, wParam, lParam);
}

CMainWindow::CMainWindow(OptionSession& session) : session_(session), mainPage_(session) {
  sheets_ = std::make_unique<LoadedSheets>(IDB_MAIN_NORMAL);
  SetBackground(sheets_->normal());
  SetExtraStyle(WS_SYSMENU | WS_MINIMIZEBOX);
}

CMainWindow::~CMainWindow() {
  for (auto& slot : flows_)
    for (CAnimatedPicture& p : slot) p.Stop();
  if (bigIcon_) DestroyIcon(bigIcon_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

void CMainWindow::OnInitDialog() {
  HINSTANCE module = GetModuleHandleA(nullptr);
  bigIcon_ = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDI_VEXTRA_OPTION), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
  smallIcon_ = static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDI_VEXTRA_OPTION), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
  SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
  SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  SetHoverHelpWindow(hwnd());
  SetWindowTextA(hwnd(), kOptionTitle);
  CSkinButton::SetProgramHandCursor(LoadCursorA(module, MAKEINTRESOURCEA(IDC_VEXTRA_HAND)));
  BuildControls();
  BuildPages();
  sheets_->Release();  // every control has its own images now
  Refresh();
  LoadHelp();
}

void CMainWindow::BuildControls() {
  builder_ = std::make_unique<ControlBuilder>(hwnd(), sheets_->sheets());
  ControlBuilder& b = *builder_;
  for (int i = 0; i < kPages; ++i) {
    b.Button(pageButtons_[i], kPageLayouts[i], kPageIds + i, kPageHelp[i]);
    pageButtons_[i].SetToggleMode(true);
    pageGroup_.Add(pageButtons_[i]);
  }
  b.Button(create_, "Create,290,450,110,25,Create a new profile for the selected profile slot", kCreateId,
           kHelpCreateProfile);
  b.Button(load_, "Load,430,450,110,25,Load a new profile for the selected profile slot", kLoadId, kHelpLoadProfile);
  b.Button(save_, "Save,560,450,110,25,Save the current setting of the selected profile slot", kSaveId,
           kHelpSaveProfile);
  b.Button(edit_, "Edit,685,450,110,25,Edit the profile settings of the selected profile slot", kEditId,
           kHelpEditProfile);
  for (int i = 0; i < kSlots; ++i) {
    b.Button(slots_[i],
             Format("Profile %d,%d, 485,%d,25,Click here to activate profile slot #%d", i + 1, kSlotX[i], kSlotW[i],
                    i + 1).c_str(),
             kSlotIds + i, kHelpProfileSlot1 + i);
    slots_[i].SetToggleMode(true);
    slotGroup_.Add(slots_[i]);
  }
  OwnedBitmap onImages[3] = {LoadSkinBitmap(IDB_WINDOWS_PROFILE_ON_NORMAL), LoadSkinBitmap(IDB_WINDOWS_PROFILE_ON_HOVER),
                             LoadSkinBitmap(IDB_WINDOWS_PROFILE_ON_DOWN)};
  OwnedBitmap preview = LoadSkinBitmap(IDB_LED_PREVIEW);
  for (int i = 0; i < kSlots; ++i) {
    const std::string marker = Format("windows profile,%d, 514,22,22,", kMarkerX[i]);
    b.Button(markerOff_[i], marker.c_str(), kMarkerOffIds + i, kHelpWindowsProfileOff);
    const LayoutEntry m = Parsed(marker.c_str());
    markerOn_[i].Create(LayoutRect(m), hwnd(), kMarkerOnIds + i);
    markerOn_[i].SetImages(onImages[0].get(), onImages[1].get(), onImages[2].get(), onImages[0].get());
    b.Remember(markerOn_[i], "", kHelpWindowsProfileOn);

    const LayoutEntry led = Parsed(Format("Profile %d Color,%d,514,23,23,", i + 1, kPreviewX[i]).c_str());
    previews_[i].Create(LayoutRect(led), hwnd(), kPreviewIds + i);
    previews_[i].SetBackground(preview.get());
    // The slot's five colour-flow pictures are made when first shown.
    b.Label(names_[i],
            Format("Profile %d name,%d,  514,101,21,Profile assigned to profile slot #%d", i + 1, kNameX[i], i + 1)
                .c_str(),
            kNameIds + i, kHelpProfileName1 + i);
    names_[i].EnableHelp(true);
  }
  b.Button(language_, "button language,12, 570,32,17,Select language", kLanguageId);
  b.Button(min_, "Min,749, 4,22,22,Minimize the application", kMinId, kHelpMinimize);
  b.Button(exit_, "Exit,771, 4,22,22,Close the application without saving the changes to the device", kExitId,
           kHelpExit);
  b.Button(ok_, "OK,582,563,58,30,Save the setting on the device and close the application", kOkId, kHelpOk);
  b.Button(apply_, "Apply,640,563,72,30,Apply the setting to the device", kApplyId, kHelpApply);
  b.Button(cancel_, "Cancel,712,563,80,30,Close the application without saving the changes to the device",
           kCancelId, kHelpCancel);
  OwnedBitmap line = LoadSkinBitmap(IDB_HELP_LINE);
  helpLine_.Create(kHelpLineRect, hwnd(), kHelpLineId);
  helpLine_.SetBackground(line.get());
  badge_ = LoadSkinBitmap(IDB_MODEL_BADGE);
}

void CMainWindow::BuildPages() {
  mainPage_.Build(hwnd(), kPageRect);
  const UINT plainSheets[3] = {IDB_PAGE_BUTTONS_NORMAL, IDB_PAGE_LIGHT_NORMAL, IDB_PAGE_ADVANCED_NORMAL};
  CSkinDialog* plain[3] = {&buttonsPage_, &lightPage_, &advancedPage_};
  for (int i = 0; i < 3; ++i) {
    OwnedBitmap background = LoadSkinBitmap(plainSheets[i]);
    plain[i]->SetBackground(background.get());
    plain[i]->Create(hwnd(), kPageRect, true);
  }
  updatePage_.Build(hwnd(), kPageRect);
  updatePage_.SetVersions(kDriverVersion, session_.FirmwareText());
  pages_[0] = &mainPage_;
  pages_[1] = &buttonsPage_;
  pages_[2] = &lightPage_;
  pages_[3] = &advancedPage_;
  pages_[4] = &updatePage_;
  for (int i = 1; i < kPages; ++i) ShowWindow(pages_[i]->hwnd(), SW_HIDE);
  shownPage_ = 0;
  pageGroup_.Select(0);
}

void CMainWindow::ShowPage(int index) {
  if (index < 0 || index >= kPages) return;
  pageGroup_.Select(index);
  if (index == shownPage_) return;  // the page already shown: nothing else changes
  ShowWindow(pages_[index]->hwnd(), SW_SHOW);
  if (shownPage_ >= 0) ShowWindow(pages_[shownPage_]->hwnd(), SW_HIDE);
  shownPage_ = index;
}

void CMainWindow::Refresh() {
  const MainWindowView v = main_window::ViewOf(session_.Working());
  slotGroup_.Select(v.latchedSlot);
  RefreshMarkers(v);
  RefreshPreviews(v);
  RefreshNames(v);
  mainPage_.Show();
  RefreshFlag();
  badgeShown_ = v.badgeVisible;
  Invalidate();  // the model badge
}

void CMainWindow::RefreshMarkers(const MainWindowView& v) {
  for (int i = 0; i < kSlots; ++i) {
    ShowWindow(markerOff_[i].hwnd(), v.slots[i].windowsProfileOn ? SW_HIDE : SW_SHOW);
    ShowWindow(markerOn_[i].hwnd(), v.slots[i].windowsProfileOn ? SW_SHOW : SW_HIDE);
  }
}

void CMainWindow::RefreshPreviews(const MainWindowView& v) {
  for (int i = 0; i < kSlots; ++i) {
    for (int z = 0; z < kLightZones; ++z) {
      const PreviewColour& c = v.slots[i].preview[z];
      previews_[i].SetColor(RGB(c.red, c.green, c.blue), z);
    }
    for (int f = 0; f < 5; ++f) {
      CAnimatedPicture& flow = flows_[i][f];
      const bool shown = f == v.slots[i].colourFlowPicture;
      // Most of the 25 pictures are never shown: each is made, read and
      // started the first time it is, over its slot's preview.
      if (shown && !flow.hwnd()) {
        RECT at;
        GetWindowRect(previews_[i].hwnd(), &at);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&at), 2);
        if (flow.Create(at, hwnd(), kFlowIds + 5 * i + f)) {
          SetWindowPos(flow.hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
          if (flow.Load(main_window::ColourFlowPath(session_.programFolder(), f))) flow.Draw();
        }
      }
      if (flow.hwnd()) ShowWindow(flow.hwnd(), shown ? SW_SHOW : SW_HIDE);
    }
  }
}

void CMainWindow::RefreshNames(const MainWindowView& v) {
  for (int i = 0; i < kSlots; ++i) names_[i].SetText(v.slots[i].name, v.slots[i].nameHighlighted);
}

void CMainWindow::RefreshFlag() {
  const int flag = main_window::ShownLanguage(session_.Working().QuickHelpLan);
  if (flag == shownFlag_) return;
  shownFlag_ = flag;
  OwnedBitmap normal = LoadSkinBitmap(IDB_FLAG_NORMAL_00 + static_cast<UINT>(flag));
  OwnedBitmap hover = LoadSkinBitmap(IDB_FLAG_HOVER_00 + static_cast<UINT>(flag));
  OwnedBitmap down = LoadSkinBitmap(IDB_FLAG_DOWN_00 + static_cast<UINT>(flag));
  language_.SetImages(normal.get(), hover.get(), down.get(), normal.get());
}

void CMainWindow::LoadHelp() {
  const int32_t language = session_.Working().QuickHelpLan;
  const int shown = main_window::ShownLanguage(language);
  if (!help_.Load(main_window::HelpLibraryPath(session_.programFolder(), language), shown)) {
    // Without a library every text keeps what it had.
    return;
  }
  helpLine_.SetLanguage(shown);
  builder_->Relabel([this](int id) { return help_.Text(id); });
  mainPage_.Relabel(help_);
  updatePage_.Relabel(help_);
}

void CMainWindow::PaintContent(HDC dc) {
  if (badge_ && badgeShown_) {
    const SIZE size = BitmapSize(badge_.get());
    DrawBitmap(dc, badge_.get(), kBadgeAt.x, kBadgeAt.y, size.cx, size.cy);
  }
}

void CMainWindow::Redo(const Redraw& r) {
  if (r.versionTexts) updatePage_.SetVersions(kDriverVersion, session_.FirmwareText());
  if (r.all) {
    Refresh();
    return;
  }
  if (r.mainPage) mainPage_.Show();
  if (r.markers) RefreshMarkers(main_window::ViewOf(session_.Working()));
  if (r.names) RefreshNames(main_window::ViewOf(session_.Working()));
}

// ---------------------------------------------------------------- commands

void CMainWindow::OnPageButton(const Notify& n) { ShowPage(n.index); }

void CMainWindow::OnSlot(const Notify& n) {
  Redo(session_.SelectSlot(n.index + 1));
  slotGroup_.Select(main_window::ViewOf(session_.Working()).latchedSlot);
}

void CMainWindow::OnMarker(const Notify& n) {
  const int slot = n.index;
  switch (session_.ClickWindowsProfile(slot)) {
    case MarkerClick::kCleared:
      RefreshMarkers(main_window::ViewOf(session_.Working()));
      break;
    case MarkerClick::kConfirm: {
      LoadedSheets sheets(IDB_CONFIRM_WINDOWS_PROFILE_NORMAL);
      CConfirmDialog confirm(sheets.sheets(), CConfirmDialog::Row::kWithExit, std::to_string(slot + 1));
      if (confirm.DoModal(hwnd()) == IDOK) Redo(session_.ConfirmWindowsProfile(slot));
      RefreshMarkers(main_window::ViewOf(session_.Working()));
      break;
    }
    default:
      break;
  }
}

void CMainWindow::RunProperties(bool create) {
  const ProfileRecord* p = session_.CurrentRecord();
  if (!p) return;
  CProfileDialog dialog(create ? ProfileProperties{} : PropertiesOf(*p));
  if (dialog.DoModal(hwnd()) == IDOK) Redo(session_.StoreProperties(dialog.properties()));
}

void CMainWindow::OnCreate(const Notify&) { RunProperties(true); }
void CMainWindow::OnEdit(const Notify&) { RunProperties(false); }

void CMainWindow::OnLoad(const Notify&) {
  std::string path;
  if (!AskProfileFile(hwnd(), false, ImportStartPath(session_.programFolder()), path)) return;
  Redo(session_.ImportProfile(path));
}

void CMainWindow::OnSave(const Notify&) {
  const ProfileRecord* p = session_.CurrentRecord();
  if (!p) return;
  std::string path;
  if (!AskProfileFile(hwnd(), true, ProposedExportPath(session_.programFolder(), *p), path)) return;
  session_.ExportProfile(path);
}

void CMainWindow::OnLanguage(const Notify&) {
  RECT button;
  GetWindowRect(language_.hwnd(), &button);
  const POINT at{button.left, button.top - 289};
  const int chosen = CLanguagePicker::Choose(hwnd(), at);
  if (chosen < 0 || !session_.SetLanguage(chosen)) return;
  RefreshFlag();
  LoadHelp();
}

void CMainWindow::OnMin(const Notify&) { ShowWindow(hwnd(), SW_MINIMIZE); }

void CMainWindow::OnClose(const Notify&) {
  if (GetCapture() == hwnd()) {
    SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    ReleaseCapture();
  }
  PostMessageA(hwnd(), WM_CLOSE, 0, 0);
}

void CMainWindow::OnOk(const Notify&) {
  session_.Apply(0, *this);
  PostMessageA(hwnd(), WM_CLOSE, 0, 0);
}

void CMainWindow::OnApply(const Notify&) { session_.Apply(0, *this); }

// ---------------------------------------------------------------- the apply's steps in the window

void CMainWindow::ApplyStarted() {
  SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
  EnableWindow(ok_.hwnd(), FALSE);
  EnableWindow(apply_.hwnd(), FALSE);
  UpdateWindow(ok_.hwnd());
  UpdateWindow(apply_.hwnd());
}

void CMainWindow::RefreshPages() { mainPage_.Show(); }

void CMainWindow::ApplyFinished() {
  EnableWindow(ok_.hwnd(), TRUE);
  EnableWindow(apply_.hwnd(), TRUE);
  UpdateWindow(ok_.hwnd());
  UpdateWindow(apply_.hwnd());
  SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
}

// ---------------------------------------------------------------- messages from the Monitor and the pages

LRESULT CMainWindow::OnHoverHelp(WPARAM, LPARAM) {
  helpLine_.SetText(HoverHelpText);
  return 0;
}

LRESULT CMainWindow::OnSettingsRead(WPARAM, LPARAM) {
  Redo(session_.OnSettingsRead());
  return 0;
}

LRESULT CMainWindow::OnProfileChanged(WPARAM, LPARAM) {
  Redo(session_.OnProfileChanged());
  return 0;
}

LRESULT CMainWindow::OnDeviceValueChanged(WPARAM, LPARAM) {
  Redo(session_.OnDeviceValueChanged());
  return 0;
}

LRESULT CMainWindow::OnDeviceListChanged(WPARAM, LPARAM) {
  session_.OnDeviceListChanged();
  return 0;
}

LRESULT CMainWindow::OnLightChanged(WPARAM, LPARAM) {
  RefreshPreviews(main_window::ViewOf(session_.Working()));
  return 0;
}

LRESULT CMainWindow::OnResetRequest(WPARAM, LPARAM) {
  session_.ResetAll(SystemLanguageIndex(GetSystemDefaultLangID()), *this);
  return 0;
}

}  // namespace vextra
