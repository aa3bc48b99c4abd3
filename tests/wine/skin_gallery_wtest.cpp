// The skin gallery under Xvfb: every control in every state, a confirmation
// dialog and a popup menu with the skin's frame, each kept as a screenshot
// in tests\artifacts\. Checks what only the screen shows: the window shape
// (white corners are not drawn), the state images at their places and the
// menu's frame colour; Enter and Escape do not close the dialog, OK does.
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/wine/wine_check.h"

namespace {

std::string OwnFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string s(path);
  return s.substr(0, s.find_last_of('\\') + 1);
}

std::string UnixPath(const std::string& windowsPath) {
  using Converter = char*(CDECL*)(LPCWSTR);
  auto convert = reinterpret_cast<Converter>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return std::string();
  std::wstring wide(windowsPath.begin(), windowsPath.end());
  char* unix = convert(wide.c_str());
  if (!unix) return std::string();
  std::string result(unix);
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

struct Screen {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
  COLORREF At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
    const unsigned char* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return RGB(p[0], p[1], p[2]);
  }
};

std::string ReadText(const std::string& path) {
  std::string text;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return text;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
  std::fclose(f);
  return text;
}

bool ReadPpm(const std::string& path, Screen& out) {
  const std::string data = ReadText(path);
  // "P6" width height maxval, blanks between, one blank before the pixels.
  size_t at = 0;
  auto number = [&](int& value) {
    while (at < data.size() && std::isspace(static_cast<unsigned char>(data[at]))) ++at;
    const size_t begin = at;
    value = 0;
    while (at < data.size() && std::isdigit(static_cast<unsigned char>(data[at]))) value = value * 10 + (data[at++] - '0');
    return at > begin && value > 0 && value < 100000;
  };
  int maxValue = 0;
  if (data.compare(0, 2, "P6") != 0) return false;
  at = 2;
  if (!number(out.width) || !number(out.height) || !number(maxValue) || maxValue != 255) return false;
  ++at;
  const size_t bytes = static_cast<size_t>(out.width) * out.height * 3;
  if (data.size() - at < bytes) return false;
  out.rgb.assign(data.begin() + static_cast<std::ptrdiff_t>(at), data.begin() + static_cast<std::ptrdiff_t>(at + bytes));
  return true;
}

// The X server's picture (not Wine's idea of it) as <name>.png for people and
// read back for the checks.
bool Screenshot(const std::string& name, Screen& screen) {
  const std::string folder = OwnFolder() + "artifacts\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string png = folder + name + ".png", ppm = folder + name + ".ppm";
  DeleteFileA(png.c_str());
  DeleteFileA(ppm.c_str());
  const std::string upng = UnixPath(png), uppm = UnixPath(ppm);
  if (upng.empty()) return false;
  std::string command = "Z:\\bin\\sh -c \"PATH=/usr/bin:/bin; import -window root '" + upng + "' && convert '" + upng + "' 'ppm:" + uppm +
                        ".part' && mv '" + uppm + ".part' '" + uppm + "'\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  for (int i = 0; i < 300 && !FileExists(ppm); ++i) Sleep(50);  // Unix children give no waitable handle
  const bool ok = ReadPpm(ppm, screen);
  DeleteFileA(ppm.c_str());
  std::printf("screenshot %s: %s\n", name.c_str(), ok ? "ok" : "missing");
  return ok;
}

HWND gallery = nullptr;

struct Search {
  bool (*found)(HWND);
  HWND hit;
};

BOOL CALLBACK Visit(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<Search*>(p);
  if (!s->found(w)) return TRUE;
  s->hit = w;
  return FALSE;
}

HWND WaitForWindow(bool (*found)(HWND), int timeoutMs) {
  Search search{found, nullptr};
  for (int waited = 0; waited < timeoutMs; waited += 50) {
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    if (!search.hit && gallery) EnumChildWindows(gallery, Visit, reinterpret_cast<LPARAM>(&search));
    if (search.hit) return search.hit;
    Sleep(50);
  }
  return nullptr;
}

// The modal dialog of the gallery: a child of it when it lies inside it,
// else a window it owns.
bool IsConfirmDialog(HWND w) {
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  return w != gallery && std::strcmp(cls, "VextraSkinModal") == 0 &&
         (GetWindow(w, GW_OWNER) == gallery || GetParent(w) == gallery) && IsWindowVisible(w);
}

bool IsMenu(HWND w) {
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  return std::strcmp(cls, "#32768") == 0 && IsWindowVisible(w);
}

void Click(HWND button) {
  PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

bool RegionHas(HWND w, int x, int y) {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  const bool has = GetWindowRgn(w, rgn) != ERROR && PtInRegion(rgn, x, y);
  DeleteObject(rgn);
  return has;
}

}  // namespace

int main() {
  const std::string log = OwnFolder() + "artifacts\\skin_gallery.log";
  CreateDirectoryA((OwnFolder() + "artifacts").c_str(), nullptr);
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE out = CreateFileA(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS, 0,
                           nullptr);
  std::string command = "\"" + OwnFolder() + "skin_gallery.exe\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = out;
  si.hStdError = out;
  PROCESS_INFORMATION pi{};
  const bool started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  WCHECK(started);
  if (!started) return wine_check::Finish();
  CloseHandle(out);

  HANDLE ready = nullptr;
  for (int i = 0; i < 400 && !ready; ++i) {
    ready = OpenEventA(SYNCHRONIZE, FALSE, "VextraSkinGalleryReady");
    if (!ready) Sleep(50);
  }
  WCHECK(ready != nullptr && WaitForSingleObject(ready, 20000) == WAIT_OBJECT_0);
  gallery = FindWindowA(nullptr, "Skin gallery");
  WCHECK(gallery != nullptr);
  if (!gallery) {
    TerminateProcess(pi.hProcess, 1);
    return wine_check::Finish();
  }
  Sleep(300);  // let the X server catch up with the last blits

  // The shape: white corners, the notches beside the title and the ragged
  // right edge are outside the window.
  WCHECK(!RegionHas(gallery, 0, 0));
  WCHECK(!RegionHas(gallery, 799, 599));
  WCHECK(!RegionHas(gallery, 5, 20));
  WCHECK(!RegionHas(gallery, 797, 300));
  WCHECK(RegionHas(gallery, 400, 20));
  WCHECK(RegionHas(gallery, 400, 300));

  RECT g;
  GetWindowRect(gallery, &g);
  Screen screen;
  WCHECK(Screenshot("skin_gallery", screen));
  if (!screen.rgb.empty()) {
    // Outside the shape the X root (black) shows; inside, the dark skin.
    WCHECK_EQ(screen.At(g.left + 1, g.top + 1), RGB(0, 0, 0));
    WCHECK_EQ(screen.At(g.left + 30, g.top + 20), RGB(0, 0, 0));
    WCHECK(screen.At(g.left + 400, g.top + 500) != RGB(0, 0, 0));
    // Each button shows its state's image: face colours of the sample sheets.
    WCHECK_EQ(screen.At(g.left + 34, g.top + 74), RGB(58, 66, 84));     // normal
    WCHECK_EQ(screen.At(g.left + 144, g.top + 74), RGB(36, 112, 190));  // hover
    WCHECK_EQ(screen.At(g.left + 254, g.top + 74), RGB(196, 112, 28));  // pressed (latched)
    WCHECK_EQ(screen.At(g.left + 364, g.top + 74), RGB(64, 64, 64));    // disabled
    WCHECK_EQ(screen.At(g.left + 614, g.top + 74), RGB(36, 112, 190));  // default push starts lit
    WCHECK_EQ(screen.At(g.left + 68, g.top + 116), RGB(196, 112, 28));  // toggle on
    WCHECK_EQ(screen.At(g.left + 136, g.top + 116), RGB(64, 64, 64));   // toggle on but disabled
  }

  // The confirmation dialog: shaped, not closed by Enter or Escape, ended by OK.
  PostMessageA(gallery, WM_COMMAND, MAKEWPARAM(900, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(gallery, 900)));
  HWND dialog = WaitForWindow(IsConfirmDialog, 5000);
  WCHECK(dialog != nullptr);
  if (dialog) {
    Sleep(300);
    WCHECK(!RegionHas(dialog, 0, 0));
    WCHECK(RegionHas(dialog, 150, 120));
    WCHECK(Screenshot("skin_gallery_confirm", screen));
    PostMessageA(GetDlgItem(dialog, IDOK), WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    Sleep(300);
    WCHECK(IsWindow(dialog) && IsWindowVisible(dialog));
    Click(GetDlgItem(dialog, IDOK));
    for (int i = 0; i < 100 && IsWindow(dialog); ++i) Sleep(50);
    WCHECK(!IsWindow(dialog));
  }

  // The popup menu with the skin's frame.
  PostMessageA(gallery, WM_COMMAND, MAKEWPARAM(901, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(gallery, 901)));
  HWND menu = WaitForWindow(IsMenu, 5000);
  WCHECK(menu != nullptr);
  if (menu) {
    Sleep(300);
    RECT m;
    GetWindowRect(menu, &m);
    WCHECK(Screenshot("skin_gallery_menu", screen));
    if (!screen.rgb.empty()) {
      WCHECK_EQ(screen.At(m.left, m.top), RGB(53, 160, 222));
      WCHECK_EQ(screen.At(m.right - 1, m.bottom - 1), RGB(53, 160, 222));
      WCHECK_EQ(screen.At(m.left + 1, m.top + 5), RGB(0, 0, 0));
      WCHECK_EQ(screen.At(m.left + 2, m.top + 5), RGB(0, 0, 0));
    }
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    for (int i = 0; i < 100 && IsWindowVisible(menu); ++i) Sleep(50);
  }

  PostMessageA(gallery, WM_CLOSE, 0, 0);
  WCHECK(WaitForSingleObject(pi.hProcess, 10000) == WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  WCHECK_EQ(code, 0ul);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  if (ready) CloseHandle(ready);
  const std::string printed = ReadText(log);
  WCHECK(printed.find("confirm=1") != std::string::npos);
  WCHECK(printed.find("menu=0") != std::string::npos);
  return wine_check::Finish();
}
