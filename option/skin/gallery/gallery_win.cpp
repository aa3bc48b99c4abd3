// Skin gallery: a test tool (not shipped) that shows every control of the
// toolkit in every state on sample sheets made in code. Used by the Wine
// tests for screenshots; also handy to look at by hand.
//
//   skin_gallery.exe            the gallery window ("Skin gallery")
// Commands a driver may post to it (WM_COMMAND ids): kOpenConfirm opens the
// confirmation dialog, kOpenMenu the popup menu. The named event
// "VextraSkinGalleryReady" is set once everything is drawn.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "option/skin/gallery/sample_bitmaps_win.h"
#include "option/skin/layout.h"
#include "option/skin/skin_messages.h"
#include "option/skin/win32/animated_picture_win.h"
#include "option/skin/win32/bitmap_edit_win.h"
#include "option/skin/win32/cool_menu_win.h"
#include "option/skin/win32/double_click_test_win.h"
#include "option/skin/win32/hover_help_win.h"
#include "option/skin/win32/skin_button_win.h"
#include "option/skin/win32/skin_dialog_win.h"
#include "option/skin/win32/skin_label_win.h"
#include "option/skin/win32/slider_win.h"
#include "option/skin/win32/spin_edit_win.h"

using namespace vextra;

namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr int kOpenConfirm = 900, kOpenMenu = 901;

// Layout strings, as the pages write them.
const char* const kButtons[] = {
    "Normal,30,70,100,26,A push button in its normal state",
    "Hover,140,70,100,26,A push button while the mouse is over it",
    "Pressed,250,70,100,26,A push button latched by its owner",
    "Disabled,360,70,100,26,A disabled push button",
    "Caption,470,70,130,26,A button with a caption and the trademark sign",
    "Default,610,70,100,26,A default push button starts lit",
};
const char* const kToggles[] = {
    "T1,30,112,26,26,Toggle off",
    "T2,64,112,26,26,Toggle on",
    "T3,98,112,26,26,Toggle off, disabled",
    "T4,132,112,26,26,Toggle on, disabled",
};
const char kHand[] = "Hand,180,112,100,26,The hand cursor shows over this button";
const char kConfirm[] = "Confirm,290,112,100,26,Open a confirmation dialog";
const char kMenu[] = "Menu,400,112,100,26,Open a popup menu with the skin's frame";
const char kTextEdit[] = "EDIT_PROFILE_NAME,30,160,160,20,A text field";
const char kDigitEdit[] = "EDIT_COUNT,200,160,70,20,Digits only";
const char* const kSpins[] = {
    "Sensitivity,290,161,50,17,Range -5 to 5",
    "Check Interval,360,161,50,17,Range 100 to 6000, step 100",
    "Disabled spin,430,161,50,17,A disabled number field",
};
const char* const kSliders[] = {
    "SENSITIVITY,30,200,266,25,Snap slider 1 to 11",
    "Double Click speed,30,240,266,25,Free slider 0 to 700",
    "Scroll speed,320,200,240,25,Snap slider 1 to 10 at its maximum",
};
const char kHelpLine[] = "help line,52,570,528,20,";

RECT RectOf(const char* layout);

std::vector<sample::Face> Faces() {
  std::vector<sample::Face> faces;
  auto add = [&](const char* layout, bool labelled) {
    LayoutEntry e;
    ParseLayout(layout, e);
    faces.push_back({RECT{e.left, e.top, e.right, e.bottom}, labelled ? e.name : ""});
  };
  for (const char* b : kButtons) add(b, std::string(b).rfind("Caption", 0) != 0);
  for (const char* t : kToggles) add(t, false);
  add(kHand, true);
  add(kConfirm, true);
  add(kMenu, true);
  for (const char* s : kSpins) {
    LayoutEntry e;
    ParseLayout(s, e);
    // The arrows' faces inside the spin edit's own rectangle.
    faces.push_back({RECT{e.left + 34, e.top, e.left + 50, e.top + 8}, ""});
    faces.push_back({RECT{e.left + 34, e.top + 9, e.left + 50, e.top + 17}, ""});
  }
  for (const char* s : kSliders) faces.push_back({RectOf(s), "", true});
  return faces;
}

std::vector<std::pair<POINT, std::string>> Captions() {
  return {{POINT{30, 52}, "Push buttons: normal, hover, pressed, disabled, caption, default"},
          {POINT{30, 142}, "Toggles off/on/disabled, hand cursor, dialog, menu; edits and spin edits"},
          {POINT{30, 186}, "Sliders (snap, free, at maximum); animated and still GIF"},
          {POINT{30, 272}, "Labels"},
          {POINT{30, 314}, "LED previews and the double-click test"}};
}

RECT RectOf(const char* layout) {
  LayoutEntry e;
  ParseLayout(layout, e);
  return RECT{e.left, e.top, e.right, e.bottom};
}

std::string HelpOf(const char* layout) {
  LayoutEntry e;
  ParseLayout(layout, e);
  return e.help;
}

class Gallery : public CSkinDialog {
 public:
  Gallery() : sheets_(sample::MakeSheets(kWidth, kHeight, Faces(), Captions())) { SetBackground(sheets_.bitmap[0].get()); }

  void StartPictures() {
    for (auto& p : pictures_) p.Draw();
  }

 protected:
  void OnInitDialog() override {
    SetWindowTextA(hwnd(), "Skin gallery");
    SetHoverHelpWindow(hwnd());
    const SkinSheets sheets = sheets_.view();
    int id = 100;
    for (auto& b : buttons_) {
      const char* layout = kButtons[&b - buttons_];
      b.Create(RectOf(layout), hwnd(), id++, &b == &buttons_[5] ? BS_DEFPUSHBUTTON : 0);
      b.SetImagesFromSheets(sheets, RectOf(layout));
      b.SetHelpText(HelpOf(layout));
    }
    buttons_[1].SetHover(true);
    buttons_[2].SetLatched(true);
    EnableWindow(buttons_[3].hwnd(), FALSE);
    buttons_[4].SetCaption("Profile 1");
    buttons_[4].SetTrademark(true);
    for (auto& t : toggles_) {
      const char* layout = kToggles[&t - toggles_];
      t.Create(RectOf(layout), hwnd(), id++);
      t.SetImagesFromSheets(sheets, RectOf(layout));
      t.SetToggleMode(true);
      t.SetHelpText(HelpOf(layout));
    }
    toggles_[1].SetLatched(true);
    toggles_[3].SetLatched(true);
    EnableWindow(toggles_[2].hwnd(), FALSE);
    EnableWindow(toggles_[3].hwnd(), FALSE);
    AddLayoutButton(hand_, kHand, id++, sheets);
    hand_.SetHandCursor(true);
    AddLayoutButton(confirm_, kConfirm, kOpenConfirm, sheets);
    AddLayoutButton(menu_, kMenu, kOpenMenu, sheets);

    text_.Create(WS_VISIBLE, RectOf(kTextEdit), hwnd(), id++);
    text_.SetText("Profile name");
    text_.SetHelpText(HelpOf(kTextEdit));
    digits_.Create(WS_VISIBLE | ES_RIGHT, RectOf(kDigitEdit), hwnd(), id++);
    digits_.SetDigitsOnly(true);
    digits_.SetColors(RGB(255, 230, 120), RGB(20, 20, 30));
    digits_.SetText("1234");

    const int ranges[3][4] = {{-5, 5, 1, -3}, {100, 6000, 100, 700}, {0, 10, 1, 4}};
    for (int i = 0; i < 3; ++i) {
      spins_[i].Create(RectOf(kSpins[i]), hwnd(), 400 + i);
      spins_[i].SetImagesFromSheets(sheets, RectOf(kSpins[i]));
      spins_[i].SetRange(ranges[i][0], ranges[i][1]);
      spins_[i].SetStep(ranges[i][2]);
      spins_[i].SetValue(ranges[i][3]);
      spins_[i].SetHelpText(HelpOf(kSpins[i]));
    }
    EnableWindow(spins_[2].hwnd(), FALSE);

    thumb_ = sample::MakeThumb();
    const int sliderRanges[3][3] = {{1, 11, 6}, {0, 700, 350}, {1, 10, 10}};
    for (int i = 0; i < 3; ++i) {
      const RECT r = RectOf(kSliders[i]);
      sliders_[i].Create(thumb_.get(), r.left, r.top, r.right, r.bottom, hwnd(), 300 + i);
      sliders_[i].SetTrackImage(r.left, r.top, r.right - r.left, r.bottom - r.top, sheets.normal);
      sliders_[i].SetRange(sliderRanges[i][0], sliderRanges[i][1]);
      sliders_[i].SetSnap(i != 1);
      sliders_[i].SetPosition(sliderRanges[i][2]);
      sliders_[i].SetHelpText(HelpOf(kSliders[i]));
    }

    const char* labelTexts[3] = {"Profile 1", "Profile 2", "Left aligned"};
    for (int i = 0; i < 3; ++i) {
      labels_[i].Create(RECT{30 + 170 * i, 290, 190 + 170 * i, 310}, hwnd(), 500 + i);
      labels_[i].SetText(labelTexts[i], i == 0);
      labels_[i].SetHelpText(labelTexts[i]);
      labels_[i].EnableHelp(true);
    }
    labels_[2].SetCentred(false);

    const COLORREF colours[3][4] = {
        {RGB(255, 0, 0), RGB(255, 0, 0), RGB(255, 0, 0), RGB(255, 0, 0)},
        {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)},
        {RGB(0, 200, 255), RGB(255, 0, 255), RGB(255, 255, 255), RGB(255, 128, 0)},
    };
    ledGround_ = sample::SolidBitmap(23, 23, 0x181818);
    for (int i = 0; i < 3; ++i) {
      leds_[i].Create(RECT{30 + 40 * i, 330, 53 + 40 * i, 353}, hwnd(), 600 + i);
      leds_[i].SetBackground(ledGround_.get());
      for (int k = 0; k < 4; ++k) leds_[i].SetColor(colours[i][k], k);
    }

    doubleClick_.SetAnimationFile(ProgramFolderPath() + "wave\\double_click.avi");
    doubleClick_.SetSoundFile(ProgramFolderPath() + "wave\\double_click.wav");
    doubleClick_.Create(RECT{160, 330, 201, 352}, hwnd(), 700);

    const std::vector<uint8_t> gifs[2] = {sample::AnimatedGif(), sample::StillGif()};
    for (int i = 0; i < 2; ++i) {
      pictures_[i].Create(RECT{600 + 80 * i, 200, 664 + 80 * i, 248}, hwnd(), 800 + i);
      HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, gifs[i].size());
      if (void* p = GlobalLock(block)) {
        CopyMemory(p, gifs[i].data(), gifs[i].size());
        GlobalUnlock(block);
      }
      pictures_[i].LoadMemory(block, static_cast<DWORD>(gifs[i].size()));
    }

    help_.Create(RectOf(kHelpLine), hwnd(), 999);
    const RECT h = RectOf(kHelpLine);
    OwnedBitmap under = CutBitmap(sheets.normal, h);
    help_.SetBackground(under.get());
    help_.SetText("Move the mouse over a control to see its help here");
  }

  void PaintContent(HDC dc) override {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(235, 235, 235));
    OwnedFont title = MakeFont("Arial", 20, 0);
    SelectIn font(dc, title.get());
    TextOutA(dc, 180, 10, "Skin gallery: every control in every state", 42);
  }

  bool OnCommand(int id, int code, HWND) override {
    if (code != BN_CLICKED) return false;
    if (id == kOpenConfirm) {
      OpenConfirm();
      return true;
    }
    if (id == kOpenMenu) {
      OpenMenu();
      return true;
    }
    return false;
  }

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_HOVER_HELP:
        help_.SetText(HoverHelpText);
        return 0;
      case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
      case WM_RBUTTONUP:
        OpenMenu();
        return 0;
      default:
        return CSkinDialog::OnMessage(message, wParam, lParam);
    }
  }

 private:
  void OpenConfirm() {
    sample::Sheets sheets = sample::MakeSheets(
        300, 230,
        {{RectOf(kConfirmOkLayout), "OK"}, {RectOf(kConfirmCancelLayout), "Cancel"}, {RectOf(kConfirmExitLayout), "X"}},
        {{POINT{24, 20}, "Delete this macro?"}}, sample::DialogBackground(300, 230));
    CConfirmDialog dialog(sheets.view(), CConfirmDialog::Row::kWithExit, "Macro \"Reload and jump\" in profile 2");
    dialog.SetBackground(sheets.bitmap[0].get());
    confirmResult_ = static_cast<int>(dialog.DoModal(hwnd()));
    std::printf("confirm=%d\n", confirmResult_);
    std::fflush(stdout);
  }

  void OpenMenu() {
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "Configuration");
    AppendMenuA(menu, MF_STRING, 2, "Profile 1");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, 3, "Exit");
    RECT r;
    GetWindowRect(menu_.hwnd(), &r);
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN, r.left, r.bottom + 2, 0, hwnd(), nullptr);
    std::printf("menu=%d\n", chosen);
    std::fflush(stdout);
    DestroyMenu(menu);
  }

  sample::Sheets sheets_;
  CSkinButton buttons_[6];
  CSkinButton toggles_[4];
  CSkinButton hand_, confirm_, menu_;
  CBitmapEdit text_, digits_;
  CSpinEdit spins_[3];
  OwnedBitmap thumb_;
  CclickHSlider sliders_[3];
  CSkinLabel labels_[3];
  OwnedBitmap ledGround_;
  CLedPreview leds_[3];
  CDoubleClickTest doubleClick_;
  CAnimatedPicture pictures_[2];
  CHelpLine help_;
  int confirmResult_ = -1;
};

// The double-click test shows "wave\double_click.bmp" of the program folder.
void EnsureDoubleClickPicture() {
  const std::string folder = ProgramFolderPath() + "wave";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string path = folder + "\\double_click.bmp";
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return;
  const std::vector<uint8_t> bmp = sample::BmpFile(41, 22, 0x3060A0);
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(f, bmp.data(), static_cast<DWORD>(bmp.size()), &written, nullptr);
  CloseHandle(f);
}

}  // namespace

int RunGallery() {
  EnsureDoubleClickPicture();
  CoolMenu::Install();
  auto gallery = std::make_unique<Gallery>();
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int x = work.left + 20, y = work.top + 20;
  if (!gallery->Create(nullptr, RECT{x, y, x + kWidth, y + kHeight}, false)) {
    std::printf("gallery: window not created\n");
    return 1;
  }
  gallery->StartPictures();
  UpdateWindow(gallery->hwnd());
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, "VextraSkinGalleryReady");
  MSG msg;
  // Let every child paint once before announcing that the window is complete.
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  GdiFlush();
  if (ready) SetEvent(ready);
  std::printf("READY_FOR_SCREENSHOT\n");
  std::fflush(stdout);
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (SkinPreTranslateMessage(msg) || IsDialogMessageA(gallery->hwnd(), &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  gallery.reset();
  CoolMenu::Uninstall();
  if (ready) CloseHandle(ready);
  return 0;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return RunGallery(); }
