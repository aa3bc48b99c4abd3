// The toolkit pieces every window of the Option is built from: the message
// tables with their typed decoding, the control builder (layout rectangles,
// images, help texts, relabelling), radio groups, per-dialog key filters,
// modal dialogs at a position and owner-drawn menus from a menu tree (chosen
// with real key presses).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/win32/window_win.h"
#include "option/skin/gallery/sample_bitmaps_win.h"
#include "option/skin/skin_messages.h"
#include "option/skin/win32/control_builder_win.h"
#include "option/skin/win32/owner_drawn_menu_win.h"
#include "option/skin/win32/skin_dialog_win.h"
#include "tests/wine/wine_check.h"

using namespace vextra;

namespace {

constexpr UINT kDpiRowMessage = 1117;

void Pump(int quietMs = 60) {
  int quiet = 0;
  while (quiet < quietMs) {
    MSG msg;
    bool any = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      any = true;
      if (SkinPreTranslateMessage(msg)) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    quiet = any ? 0 : quiet + 10;
    Sleep(10);
  }
}

// A page whose handlers are one table, recording what they were given.
class TablePage : public CSkinDialog {
 public:
  std::vector<std::string> calls;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Record(const char* what, const Notify& n) {
    calls.push_back(std::string(what) + " id=" + std::to_string(n.id) + " value=" + std::to_string(n.value) +
                    " code=" + std::to_string(n.code) + " index=" + std::to_string(n.index));
  }
  void OnProfile(const Notify& n) { Record("profile", n); }
  void OnOk(const Notify& n) { Record("ok", n); }
  void OnSlider(const Notify& n) { Record("slider", n); }
  void OnSpin(const Notify& n) { Record("spin", n); }
  void OnRow(const Notify& n) { Record("row", n); }
  void OnHoverOf(const Notify& n) { Record("hover", n); }
  LRESULT OnCustom(WPARAM wParam, LPARAM) {
    calls.push_back("custom " + std::to_string(wParam));
    return 77;
  }
  static const MessageEntry<TablePage> kTable[];
};

const MessageEntry<TablePage> TablePage::kTable[] = {
    OnClick(10, 14, &TablePage::OnProfile),
    OnClick(1, &TablePage::OnOk),
    OnValue(WM_SLIDER_CHANGED, 300, 303, &TablePage::OnSlider),
    OnValue(WM_SPIN_CHANGED, 400, 400, &TablePage::OnSpin),
    OnDpiRow(kDpiRowMessage, 500, 504, &TablePage::OnRow),
    OnHover(WM_BUTTON_HOVER, 0, 1000, &TablePage::OnHoverOf),
    OnRaw(WM_APP + 5, &TablePage::OnCustom),
};

// After the table, whose size RouteMessage takes from its definition.
LRESULT TablePage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (RouteMessage(*this, kTable, message, wParam, lParam, &result)) return result;
  return CSkinDialog::OnMessage(message, wParam, lParam);
}

void TestMessageTable(TablePage& page) {
  HWND w = page.hwnd();
  page.calls.clear();
  SendMessageA(w, WM_COMMAND, MAKEWPARAM(12, BN_CLICKED), 0);
  SendMessageA(w, WM_COMMAND, MAKEWPARAM(12, EN_CHANGE), 0);  // not a click: nobody takes it
  SendMessageA(w, WM_COMMAND, MAKEWPARAM(15, BN_CLICKED), 0);  // outside the range
  SendMessageA(w, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), 0);
  SendMessageA(w, WM_SLIDER_CHANGED, 7, 302);
  SendMessageA(w, WM_SLIDER_CHANGED, 7, 304);
  SendMessageA(w, WM_SPIN_CHANGED, static_cast<WPARAM>(-5), 400);
  SendMessageA(w, kDpiRowMessage, (2u << 16) | 60u, 502);
  SendMessageA(w, kDpiRowMessage, (3u << 16), 499);
  SendMessageA(w, WM_BUTTON_HOVER, 1, 33);
  WCHECK_EQ(SendMessageA(w, WM_APP + 5, 9, 0), static_cast<LRESULT>(77));
  const std::vector<std::string> expected = {
      "profile id=12 value=0 code=0 index=2", "ok id=1 value=0 code=0 index=0",
      "slider id=302 value=7 code=0 index=2",  "spin id=400 value=-5 code=0 index=0",
      "row id=502 value=60 code=2 index=2",    "hover id=33 value=1 code=0 index=33",
      "custom 9"};
  WCHECK(page.calls == expected);
  if (page.calls != expected)
    for (const std::string& c : page.calls) std::printf("  got: %s\n", c.c_str());
}

// A dialog that also keeps Space from its controls (as a time line does).
class SpaceEater : public CSkinDialog {
 public:
  bool SwallowsKey(WPARAM vk) const override { return vk == VK_SPACE || CSkinDialog::SwallowsKey(vk); }
};

void TestKeyFilters(HWND plainChildParent) {
  SpaceEater eater;
  WCHECK(eater.Create(nullptr, RECT{500, 40, 600, 100}, false));
  CSkinButton inside;
  WCHECK(inside.Create(RECT{5, 5, 40, 25}, eater.hwnd(), 3));
  MSG m{};
  m.message = WM_KEYDOWN;
  for (HWND target : {eater.hwnd(), inside.hwnd()}) {
    m.hwnd = target;
    for (WPARAM vk : {WPARAM(VK_SPACE), WPARAM(VK_RETURN), WPARAM(VK_ESCAPE)}) {
      m.wParam = vk;
      WCHECK(SkinPreTranslateMessage(m));
    }
    m.wParam = 'A';
    WCHECK(!SkinPreTranslateMessage(m));
  }
  // An ordinary skinned dialog lets Space through.
  m.hwnd = plainChildParent;
  m.wParam = VK_SPACE;
  WCHECK(!SkinPreTranslateMessage(m));
  m.wParam = VK_RETURN;
  WCHECK(SkinPreTranslateMessage(m));
}

void TestBuilder(TablePage& page, const sample::Sheets& sheets) {
  ControlBuilder builder(page.hwnd(), sheets.view());
  CSkinButton buttons[3];
  const char* layouts[3] = {"Profile 1,8, 60,100,25,Click here for #1", "Profile 2,120, 60,100,25,Click here for #2",
                            "Profile 3,232, 60,100,25,Click here for #3"};
  for (int i = 0; i < 3; ++i) WCHECK(builder.Button(buttons[i], layouts[i], 10 + i, i < 2 ? 1017 + i : 0));
  CSkinLabel label;
  WCHECK(builder.Label(label, "Profile 1 name,31,  100,101,21,Profile #1", 20, 1022));
  OwnedBitmap thumb = sample::MakeThumb();
  CclickHSlider slider;
  WCHECK(builder.Slider(slider, "SENSITIVITY,23,150,266,25,", 300, thumb.get(), 1, 11, 1004));
  CSpinEdit spin;
  WCHECK(builder.Spin(spin, "Sensitivity,311,150,45,19,", 400, -5, 5, 1, 1005));

  RECT r;
  GetWindowRect(buttons[1].hwnd(), &r);
  MapWindowPoints(nullptr, page.hwnd(), reinterpret_cast<POINT*>(&r), 2);
  WCHECK(r.left == 120 && r.top == 60 && r.right == 220 && r.bottom == 85);
  WCHECK_EQ(GetDlgCtrlID(buttons[1].hwnd()), 11);
  WCHECK_EQ(buttons[0].helpText(), std::string("Click here for #1"));
  WCHECK(buttons[0].CurrentImage() == ButtonImage::kNormal);
  // The images come from the sheets at the layout rectangle: the normal
  // face colour of the sample sheets is there.
  WCHECK_EQ(spin.minimum(), -5);
  WCHECK_EQ(spin.maximum(), 5);

  builder.Relabel([](int id) { return id == 1017 ? std::string("Aktiviere Profil 1") : "text " + std::to_string(id); });
  WCHECK_EQ(buttons[0].helpText(), std::string("Aktiviere Profil 1"));
  WCHECK_EQ(buttons[1].helpText(), std::string("text 1018"));
  WCHECK_EQ(buttons[2].helpText(), std::string("Click here for #3"));  // no help id: kept
  WCHECK_EQ(label.helpText(), std::string("text 1022"));
  WCHECK_EQ(slider.helpText(), std::string("text 1004"));
  WCHECK_EQ(spin.helpText(), std::string("text 1005"));
  WCHECK_EQ(spin.field().helpText(), std::string("text 1005"));  // a composite passes it on

  RadioGroup group;
  for (CSkinButton& b : buttons) {
    b.SetToggleMode(true);
    group.Add(b);
  }
  group.Select(2);
  WCHECK(!buttons[0].latched() && !buttons[1].latched() && buttons[2].latched());
  WCHECK_EQ(group.IndexOf(11), 1);
  group.Select(7);  // outside: none latched
  WCHECK(!buttons[0].latched() && !buttons[1].latched() && !buttons[2].latched());
  WCHECK_EQ(group.selected(), -1);
}

// Modal at a position: the window's top-left corner lands where asked.
struct ModalProbe {
  RECT rect{};
  bool seen = false;
  int ticks = 0;
};
ModalProbe* modalProbe = nullptr;
std::string workFolder;

void CALLBACK ModalTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (!modalProbe) return;
  HWND active = GetActiveWindow();
  char cls[64] = {};
  GetClassNameA(active, cls, sizeof cls);
  if (std::string(cls) != "VextraSkinModal") active = FindWindowExA(active, nullptr, "VextraSkinModal", nullptr);
  if (!active || !IsWindowVisible(active)) return;
  if (!modalProbe->seen) {
    modalProbe->seen = true;
    GetWindowRect(active, &modalProbe->rect);
    // A picture of the dialog while its loop runs (kept with the results).
    if (!workFolder.empty())
      if (FILE* f = std::fopen((workFolder + "modal-dialog.shot-request").c_str(), "wb")) std::fclose(f);
  }
  if (++modalProbe->ticks == 25) PostMessageA(active, WM_CLOSE, 0, 0);
}

void TestModalAtPosition(HWND owner, const sample::Sheets& sheets) {
  ModalProbe probe;
  modalProbe = &probe;
  CConfirmDialog dialog(sheets.view(), CConfirmDialog::Row::kLow);
  const POINT at{61, 77};
  const UINT_PTR timer = SetTimer(nullptr, 0, 40, ModalTimer);
  const INT_PTR result = dialog.DoModal(owner, &at);
  KillTimer(nullptr, timer);
  modalProbe = nullptr;
  WCHECK_EQ(result, static_cast<INT_PTR>(IDCANCEL));
  WCHECK(probe.seen);
  WCHECK(probe.rect.left == 61 && probe.rect.top == 77);
}

// Owner-drawn menus: keys pressed for real while the menu is up.
struct MenuScript {
  std::vector<WORD> keys;
  bool pressed = false;
};
MenuScript* menuScript = nullptr;

void CALLBACK MenuTimer(HWND, UINT, UINT_PTR, DWORD) {
  if (!menuScript || menuScript->pressed) return;
  HWND menu = FindWindowA("#32768", nullptr);
  if (!menu || !IsWindowVisible(menu)) return;
  menuScript->pressed = true;
  for (WORD vk : menuScript->keys) {
    keybd_event(static_cast<BYTE>(vk), 0, 0, 0);
    keybd_event(static_cast<BYTE>(vk), 0, KEYEVENTF_KEYUP, 0);
  }
}

int Choose(HWND owner, std::vector<WORD> keys) {
  std::vector<MenuItem> items = {
      MenuItem::Command(101, "Left Button"),
      MenuItem::Command(102, "Right Button", true),
      MenuItem::Separator(),
      MenuItem::Submenu("Profile", {MenuItem::Command(201, "Profile 1"), MenuItem::Command(202, "Profile 2")}),
      MenuItem::Command(103, "Disabled"),
  };
  MenuLook look;
  look.width = 140;
  look.submenuWidth = 170;
  OwnerDrawnMenu menu(items, look);
  MenuScript script{std::move(keys)};
  menuScript = &script;
  SetForegroundWindow(owner);
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, MenuTimer);
  const int chosen = menu.Track(owner, POINT{120, 120});
  KillTimer(nullptr, timer);
  menuScript = nullptr;
  Pump();
  return chosen;
}

void TestOwnerDrawnMenu(HWND owner) {
  WCHECK_EQ(Choose(owner, {VK_DOWN, VK_DOWN, VK_RETURN}), 102);
  // Down skips the separator: the fourth item is the submenu, which opens on
  // its first item.
  WCHECK_EQ(Choose(owner, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}), 202);
  WCHECK_EQ(Choose(owner, {VK_ESCAPE}), 0);

  // The tree's own lookup.
  std::vector<MenuItem> tree = {MenuItem::Submenu("A", {MenuItem::Command(5, "five")}), MenuItem::Separator()};
  WCHECK(FindMenuItem(tree, 5) && FindMenuItem(tree, 5)->text == "five");
  WCHECK(FindMenuItem(tree, 0) == nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) workFolder = std::string(argv[1]) + "\\";
  const std::vector<sample::Face> faces = {{RECT{8, 60, 108, 85}, "1"}, {RECT{120, 60, 220, 85}, "2"},
                                           {RECT{232, 60, 332, 85}, "3"}};
  sample::Sheets sheets = sample::MakeSheets(400, 300, faces);
  TablePage page;
  page.SetBackground(sheets.bitmap[0].get());
  WCHECK(page.Create(nullptr, RECT{40, 40, 440, 340}, false));
  SetActiveWindow(page.hwnd());
  Pump();

  TestMessageTable(page);
  TestBuilder(page, sheets);
  TestKeyFilters(page.hwnd());
  TestModalAtPosition(page.hwnd(), sheets);
  TestOwnerDrawnMenu(page.hwnd());
  return wine_check::Finish();
}
