// The real Option with the real Monitor and the simulated mouse, driven as a
// user drives it: clicks at the layout rectangles through mouse messages to
// the window under the point, typing into fields. What the clicks did is
// read where it lands: the simulated mouse, config.ini and the profile files.
// Screenshots of each page and dialog are kept with the results.
//   option_wtest <work folder> <program folder>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "common/file_system.h"
#include "common/help_string_ids.h"
#include "common/ini_file.h"
#include "common/program_messages.h"
#include "common/settings_store.h"
#include "sim/simulated_mouse.h"
#include "tests/wine/monitor_driver.h"
#include "tests/wine/wine_check.h"

using namespace vextra;
using namespace monitor_driver;

namespace {

std::string work, program;

// ---------------------------------------------------------------- the user's hands

HWND Option() { return FindWindowA(nullptr, kOptionTitle); }

// The deepest visible child of `top` at a point of its client area; the point
// comes back in that child's client coordinates.
HWND WindowAt(HWND top, POINT& at) {
  HWND w = top;
  for (;;) {
    HWND child = ChildWindowFromPointEx(w, at, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!child || child == w) return w;
    MapWindowPoints(w, child, &at, 1);
    w = child;
  }
}

void ClickIn(HWND top, int x, int y) {
  POINT at{x, y};
  HWND w = WindowAt(top, at);
  const LPARAM where = MAKELPARAM(at.x, at.y);
  PostMessageA(w, WM_MOUSEMOVE, 0, where);
  PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, where);
  PostMessageA(w, WM_LBUTTONUP, 0, where);
  Pump(250);
}

// The middle of a layout rectangle given as x, y, width, height.
void Click(int x, int y, int w, int h) { ClickIn(Option(), x + w / 2, y + h / 2); }
// Main page controls sit at the page rectangle (12,124).
void ClickPage(int x, int y, int w, int h) { Click(12 + x, 124 + y, w, h); }

void Hover(HWND top, int x, int y) {
  POINT at{x, y};
  HWND w = WindowAt(top, at);
  PostMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
  Pump(250);
}

void TypeInto(HWND edit, const std::string& text) {
  SendMessageA(edit, EM_SETSEL, 0, -1);
  PostMessageA(edit, WM_KEYDOWN, VK_DELETE, 1);
  PostMessageA(edit, WM_KEYUP, VK_DELETE, 0xC0000001);
  for (char c : text) PostMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 1);
  Pump(200);
}

std::string TextOf(HWND w) {
  char text[600] = {};
  GetWindowTextA(w, text, sizeof text);
  return text;
}

// (Named callbacks: the 32-bit build's lambdas do not convert to stdcall.)
BOOL CALLBACK FindModal(HWND w, LPARAM out) {
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  // The main window runs as a modal dialog too: it is not one of these.
  if (std::strcmp(cls, "VextraSkinModal") == 0 && IsWindowVisible(w) && w != Option()) {
    *reinterpret_cast<HWND*>(out) = w;
    return FALSE;
  }
  return TRUE;
}

// The skinned modal dialog that is up: a child of the main window when it
// lies inside it, else a window of its own.
HWND SkinDialog() {
  HWND found = nullptr;
  if (HWND main = Option()) EnumChildWindows(main, FindModal, reinterpret_cast<LPARAM>(&found));
  if (!found) EnumWindows(FindModal, reinterpret_cast<LPARAM>(&found));
  return found;
}

// A modal dialog runs its own loop inside the Option: it is driven from here
// while it is up, so every step waits for it.
HWND WaitForDialog() {
  HWND d = nullptr;
  WaitFor([&] { return (d = SkinDialog()) != nullptr; }, 5000);
  Pump(300);
  return d;
}

BOOL CALLBACK CountOptionWindow(HWND w, LPARAM count) {
  char title[128] = {};
  GetWindowTextA(w, title, sizeof title);
  if (std::strcmp(title, kOptionTitle) == 0) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// The system's open / save dialog of the Option, once it is up.
BOOL CALLBACK FindFileDialog(HWND w, LPARAM out) {
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (std::strcmp(cls, "#32770") == 0 && IsWindowVisible(w)) {
    *reinterpret_cast<HWND*>(out) = w;
    return FALSE;
  }
  return TRUE;
}

HWND WaitForFileDialog() {
  HWND d = nullptr;
  WaitFor([&] {
    EnumWindows(FindFileDialog, reinterpret_cast<LPARAM>(&d));
    return d != nullptr;
  }, 10000);
  Pump(500);
  return d;
}

// Types the path into the dialog's file name field and presses its OK
// button, as a user would.
void ChooseFile(HWND dialog, const std::string& path) {
  constexpr int kFileNameCombo = 0x47C, kFileNameEdit = 0x480;
  HWND field = GetDlgItem(dialog, kFileNameCombo);
  if (!field) field = GetDlgItem(dialog, kFileNameEdit);
  if (field) SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 8000);
  Pump(300);
}

int OptionWindows() {
  int n = 0;
  EnumWindows(CountOptionWindow, reinterpret_cast<LPARAM>(&n));
  return n;
}

void Screenshot(const std::string& name) {
  const std::string png = work + name + ".png";
  WriteFileReplacing(work + name + ".shot-request", "");
  WaitFor([&] { return CanOpenForReading(png); }, 8000);
}

// ---------------------------------------------------------------- what landed

std::unique_ptr<SimulatedMouse> Mouse() { return SavedMouse(program); }
int ConfigInt(const char* key) { return monitor_driver::ConfigInt(program, key); }

ProfileRecord StoredProfile(int index) {
  ProfileRecord p{};
  SettingsStore::LoadProfile(p, program + "config\\Default" + std::to_string(index) + ".vmp", index);
  return p;
}

HANDLE StartOption() {
  HANDLE h = StartProcess(program + "VextraOption.exe", "", program);
  WaitFor([] { return Option() != nullptr && IsWindowVisible(Option()); }, 20000);
  Pump(800);
  return h;
}

bool Closed(HANDLE option) {
  const bool ended = Ended(option, 10000);
  CloseHandle(option);
  return ended;
}

void LayOut(const std::string& built, const std::string& tests) {
  Layout layout;
  layout.option = false;  // the real one
  LayOutProgram(built, tests, program, layout);
  CopyFileReplacing(built + "VextraOption.exe", program + "VextraOption.exe");
  CreateFolders(program + "help");
  for (const char* lib : {"English_help.dll", "Japanese_help.dll", "Russian_help.dll"})
    CopyFileReplacing(built + "help\\" + lib, program + "help\\" + lib);
  for (const char* wave : {"double_click.bmp", "double_click.avi", "double_click.wav"})
    CopyFileReplacing(built + "Wave\\" + wave, program + "Wave\\" + wave);
  CreateFolders(program + "Gif");
  for (const char* gif : {"ColorFlow-Animation_all-together.gif", "ColorFlow-Animation_down-up.gif",
                          "ColorFlow-Animation_up-down.gif", "ColorFlow-Animation_right-left.gif",
                          "ColorFlow-Animation_left-right.gif"})
    CopyFileReplacing(built + "Gif\\" + gif, program + "Gif\\" + gif);
}

std::string HelpString(const char* library, int id) {
  HMODULE m = LoadLibraryExA((program + "help\\" + library).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  char text[500] = {};
  if (m) {
    LoadStringA(m, static_cast<UINT>(id), text, sizeof text);
    FreeLibrary(m);
  }
  return text;
}

HWND HelpLine() {
  POINT at{60, 578};
  return WindowAt(Option(), at);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::printf("usage: option_wtest <work folder> <program folder>\n");
    return 2;
  }
  work = std::string(argv[1]) + "\\";
  const std::string built = std::string(argv[2]) + "\\";
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  program = work + "program\\";
  LayOut(built, FolderOf(self));

  // The shell's "open" of a web or e-mail link reaches the harness's stand-in
  // browser, which notes each address it is given.
  if (const char* browser = std::getenv("WINE_TEST_BROWSER")) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
      RegSetValueExA(key, "Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(browser),
                     static_cast<DWORD>(std::strlen(browser) + 1));
      RegSetValueExA(key, "Mailers", 0, REG_SZ, reinterpret_cast<const BYTE*>(browser),
                     static_cast<DWORD>(std::strlen(browser) + 1));
      RegCloseKey(key);
    }
  }

  HANDLE monitor = StartProcess(program + "VextraMonitor.exe", "", program);
  WCHECK(WaitFor([] { return Monitor() != nullptr; }, 20000));
  WCHECK(WaitForReadBack(Layout(), 40000));

  // --- the window, once
  HANDLE option = StartOption();
  WCHECK(Option() != nullptr);
  Screenshot("main-page");
  HANDLE second = StartProcess(program + "VextraOption.exe", "", program);
  DWORD code = 99;
  WCHECK(second && Ended(second, 15000, &code));
  WCHECK_EQ(code, 0ul);
  if (second) CloseHandle(second);
  WCHECK_EQ(OptionWindows(), 1);

  // --- a DPI level and the active level, applied: the mouse and the files hold them
  ClickPage(395 + 279, 136 + 25, 25, 9);  // row 3, preset 60
  ClickPage(395 + 1, 175 + 1, 371, 12);   // row 4's header: the active level
  Click(640, 563, 72, 30);                // Apply
  WCHECK(WaitFor([] {
    const ProfileRecord p = Mouse()->Profile(0);
    return p.CpiLevel_X[2] == 60 && p.Cpi_X == 3;
  }, 10000));
  WCHECK_EQ(StoredProfile(0).CpiLevel_X[2], 60);
  WCHECK_EQ(StoredProfile(0).Cpi_X, 3);

  // --- slot 3 and Cancel: nothing changes anywhere
  const int storedCurrent = ConfigInt("CurrentProfile");
  Click(322, 485, 155, 25);
  Click(712, 563, 80, 30);  // Cancel
  WCHECK(Closed(option));
  WCHECK_EQ(Mouse()->CurrentProfile(), 0);
  WCHECK_EQ(ConfigInt("CurrentProfile"), storedCurrent);

  // --- slot 3 and Apply: the mouse's current profile is the third
  option = StartOption();
  Click(322, 485, 155, 25);
  Click(640, 563, 72, 30);
  WCHECK(WaitFor([] { return Mouse()->CurrentProfile() == 2; }, 10000));
  WCHECK_EQ(ConfigInt("CurrentProfile"), 2);

  // --- the mouse's DPI button while the window is open: the page follows
  // (1257), and so does the next Apply
  const int before = Mouse()->Profile(2).Cpi_X;
  WCHECK(Sim("dpi up"));
  Pump(1500);
  Screenshot("after-dpi-button");
  Click(640, 563, 72, 30);
  Pump(1000);
  WCHECK_EQ(StoredProfile(2).Cpi_X, Mouse()->Profile(2).Cpi_X);
  WCHECK(StoredProfile(2).Cpi_X != before);

  // --- the windows-profile marker, with its question
  Click(296, 514, 22, 22);  // slot 2's marker
  HWND confirm = WaitForDialog();
  WCHECK(confirm != nullptr);
  Screenshot("windows-profile-confirm");
  if (confirm) ClickIn(confirm, 72 + 28, 200 + 12);  // OK
  WCHECK(WaitFor([] { return SkinDialog() == nullptr; }, 5000));

  Click(640, 563, 72, 30);
  WCHECK(WaitFor([] { return ConfigInt("WindowsProfile") == 1; }, 5000));
  Click(296, 514, 22, 22);  // the marker already there: cleared, no question
  Pump(500);
  WCHECK(SkinDialog() == nullptr);
  Click(640, 563, 72, 30);
  WCHECK(WaitFor([] { return ConfigInt("WindowsProfile") == -1; }, 5000));

  // --- Edit: the name and a program path, typed
  Click(685, 450, 110, 25);
  HWND properties = WaitForDialog();
  WCHECK(properties != nullptr);
  if (properties) {
    POINT nameAt{211, 85}, pathAt{160, 144};
    HWND nameEdit = WindowAt(properties, nameAt);
    HWND pathEdit = WindowAt(properties, pathAt);
    TypeInto(nameEdit, "Racing wheel setup and more");  // longer than 20: cut to fit
    TypeInto(pathEdit, "C:\\Games\\Racer\\racer.exe");
    Screenshot("profile-properties");
    ClickIn(properties, 72 + 28, 210 + 12);  // OK
  }
  WCHECK(WaitFor([] { return SkinDialog() == nullptr; }, 5000));
  POINT nameLabel{347 + 50, 514 + 10};
  WCHECK_EQ(TextOf(WindowAt(Option(), nameLabel)), std::string("Racing wheel setup a"));
  Click(640, 563, 72, 30);
  WCHECK(WaitFor([] { return std::string(StoredProfile(2).ProFileName) == "Racing wheel setup a"; }, 5000));
  WCHECK_EQ(std::string(StoredProfile(2).GameFile0), std::string("C:\\Games\\Racer\\racer.exe"));

  // --- Create on slot 4: the fields start empty, and the new name lands
  Click(479, 485, 156, 25);
  Click(290, 450, 110, 25);
  HWND created = WaitForDialog();
  WCHECK(created != nullptr);
  if (created) {
    POINT nameAt{211, 85}, pathAt{160, 144};
    HWND nameEdit = WindowAt(created, nameAt);
    WCHECK_EQ(TextOf(nameEdit), std::string());
    WCHECK_EQ(TextOf(WindowAt(created, pathAt)), std::string());
    TypeInto(nameEdit, "Strategy");
    ClickIn(created, 72 + 28, 210 + 12);
  }
  WCHECK(WaitFor([] { return SkinDialog() == nullptr; }, 5000));
  Click(640, 563, 72, 30);
  WCHECK(WaitFor([] { return std::string(StoredProfile(3).ProFileName) == "Strategy"; }, 5000));
  Click(322, 485, 155, 25);  // back to slot 3
  Click(640, 563, 72, 30);

  // --- Save then Load of a profile file: slot 3's profile into slot 5
  const std::string exported = work + "Racing.vmp";
  Click(560, 450, 110, 25);
  HWND saveDialog = WaitForFileDialog();
  WCHECK(saveDialog != nullptr);
  if (saveDialog) ChooseFile(saveDialog, exported);
  WCHECK(WaitFor([&] { return CanOpenForReading(exported); }, 8000));
  ProfileRecord fromFile{};
  WCHECK(SettingsStore::LoadProfile(fromFile, exported, 2) == 1);
  WCHECK_EQ(std::string(fromFile.ProFileName), std::string("Racing wheel setup a"));
  Click(637, 485, 155, 25);  // slot 5
  Click(430, 450, 110, 25);  // Load
  HWND loadDialog = WaitForFileDialog();
  WCHECK(loadDialog != nullptr);
  if (loadDialog) ChooseFile(loadDialog, exported);
  Pump(800);
  Click(640, 563, 72, 30);
  WCHECK(WaitFor([] { return std::string(StoredProfile(4).ProFileName) == "Racing wheel setup a"; }, 8000));
  WCHECK_EQ(std::string(StoredProfile(4).GameFile0), std::string("C:\\Games\\Racer\\racer.exe"));
  Click(322, 485, 155, 25);  // back to slot 3
  Click(640, 563, 72, 30);

  // --- the pages; on the Update page the lower support button opens the
  // e-mail link, the upper one the form
  for (int page = 1; page < 5; ++page) {
    Click(4 + (page == 0 ? 0 : 160 + 157 * (page - 1)), 75, 157, 38);
    const char* names[5] = {"main", "buttons", "light", "advanced", "update"};
    Screenshot(std::string("page-") + names[page]);
  }
  const char* browserLog = std::getenv("WINE_TEST_BROWSER_LOG");
  if (browserLog) {
    const std::string log = std::string("Z:") + browserLog;
    ClickPage(400, 265, 100, 30);
    WCHECK(WaitFor([&] { return ReadText(log).find("mailto:support@velmar.example") != std::string::npos; }, 8000));
    ClickPage(400, 210, 100, 30);
    WCHECK(WaitFor([&] { return ReadText(log).find("https://support.velmar.example/contact") != std::string::npos; },
                   8000));
    ClickPage(15, 81, 200, 34);
    WCHECK(WaitFor([&] { return ReadText(log).find("https://support.velmar.example/vextra") != std::string::npos; },
                   8000));
  }
  Click(4, 75, 160, 38);

  // --- the language: the help line speaks Japanese, then Russian
  Hover(Option(), 640 + 36, 563 + 15);  // Apply
  WCHECK_EQ(TextOf(HelpLine()), HelpString("English_help.dll", kHelpApply));
  for (const auto& lang : {std::make_pair(6, "Japanese_help.dll"), std::make_pair(9, "Russian_help.dll")}) {
    Click(12, 570, 32, 17);
    HWND picker = WaitForDialog();
    WCHECK(picker != nullptr);
    if (lang.first == 6) Screenshot("language-picker");
    if (picker) ClickIn(picker, 75, 17 * lang.first + 8);
    WCHECK(WaitFor([] { return SkinDialog() == nullptr; }, 5000));
    Hover(Option(), 582 + 29, 563 + 15);  // OK, then Apply again: a new entry each time
    Hover(Option(), 640 + 36, 563 + 15);
    const std::string expected = HelpString(lang.second, kHelpApply);
    WCHECK(!expected.empty());
    WCHECK_EQ(TextOf(HelpLine()), expected);
    WCHECK(expected != HelpString("English_help.dll", kHelpApply));
  }
  Click(640, 563, 72, 30);
  WCHECK(WaitFor([] { return ConfigInt("QuickHelpLan") == 9; }, 5000));
  Click(582, 563, 58, 30);  // OK: applies and closes
  WCHECK(Closed(option));

  // --- without a Monitor: from storage, and Apply saves to storage
  PostMessageA(Monitor(), WM_COMMAND, ID_EXIT, 0);
  WCHECK(Ended(monitor, 20000));
  CloseHandle(monitor);
  option = StartOption();
  WCHECK(Option() != nullptr);
  POINT highlighted{347 + 50, 514 + 10};
  WCHECK_EQ(TextOf(WindowAt(Option(), highlighted)), std::string("Racing wheel setup a"));
  ClickPage(395 + 35, 58 + 25, 25, 9);  // row 1, preset 1 (100 DPI)
  Click(640, 563, 72, 30);
  WCHECK(WaitFor([] { return StoredProfile(2).CpiLevel_X[0] == 1; }, 5000));
  Click(771, 4, 22, 22);  // Exit
  WCHECK(Closed(option));

  return wine_check::Finish();
}
