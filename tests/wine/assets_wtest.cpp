// The generated skin as Windows itself reads it: every bitmap loads from file
// at its size, the sensor preview keeps the layout the Monitor patches in
// place, the GIFs and the JPEG load with the picture loader, the AVI opens in
// the animation control, the WAV parses with the multimedia file functions,
// and the icons and the hand cursor load.
// Arguments: the program folder. The resource folder is found beside the test
// folder (build/tests -> build/assets/res).
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/wine/wine_check.h"

namespace {

// System functions outside kernel32/user32 are bound at run time so the test
// needs no extra import libraries.
struct Api {
  HMODULE gdi = LoadLibraryA("gdi32.dll");
  HMODULE ole = LoadLibraryA("ole32.dll");
  HMODULE oleaut = LoadLibraryA("oleaut32.dll");
  HMODULE comctl = LoadLibraryA("comctl32.dll");
  HMODULE winmm = LoadLibraryA("winmm.dll");
  decltype(&GetObjectA) getObject = reinterpret_cast<decltype(&GetObjectA)>(
      reinterpret_cast<void*>(GetProcAddress(gdi, "GetObjectA")));
  decltype(&DeleteObject) deleteObject = reinterpret_cast<decltype(&DeleteObject)>(
      reinterpret_cast<void*>(GetProcAddress(gdi, "DeleteObject")));
  decltype(&CoInitialize) coInitialize = reinterpret_cast<decltype(&CoInitialize)>(
      reinterpret_cast<void*>(GetProcAddress(ole, "CoInitialize")));
  decltype(&CreateStreamOnHGlobal) createStream = reinterpret_cast<decltype(&CreateStreamOnHGlobal)>(
      reinterpret_cast<void*>(GetProcAddress(ole, "CreateStreamOnHGlobal")));
  decltype(&OleLoadPicture) oleLoadPicture = reinterpret_cast<decltype(&OleLoadPicture)>(
      reinterpret_cast<void*>(GetProcAddress(oleaut, "OleLoadPicture")));
  decltype(&InitCommonControlsEx) initCommonControls = reinterpret_cast<decltype(&InitCommonControlsEx)>(
      reinterpret_cast<void*>(GetProcAddress(comctl, "InitCommonControlsEx")));
  using MmioOpen = HMMIO(WINAPI*)(LPSTR, LPMMIOINFO, DWORD);
  MmioOpen mmioOpen = reinterpret_cast<MmioOpen>(reinterpret_cast<void*>(GetProcAddress(winmm, "mmioOpenA")));
  decltype(&mmioDescend) mmioDescendFn = reinterpret_cast<decltype(&mmioDescend)>(
      reinterpret_cast<void*>(GetProcAddress(winmm, "mmioDescend")));
  decltype(&mmioRead) mmioReadFn = reinterpret_cast<decltype(&mmioRead)>(
      reinterpret_cast<void*>(GetProcAddress(winmm, "mmioRead")));
  decltype(&mmioAscend) mmioAscendFn = reinterpret_cast<decltype(&mmioAscend)>(
      reinterpret_cast<void*>(GetProcAddress(winmm, "mmioAscend")));
  decltype(&mmioClose) mmioCloseFn = reinterpret_cast<decltype(&mmioClose)>(
      reinterpret_cast<void*>(GetProcAddress(winmm, "mmioClose")));
  bool Complete() const {
    return getObject && deleteObject && coInitialize && createStream && oleLoadPicture && initCommonControls &&
           mmioOpen && mmioDescendFn && mmioReadFn && mmioAscendFn && mmioCloseFn;
  }
};
Api* api = nullptr;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Width, height and bits per pixel of a bitmap loaded from file; 0s on failure.
struct Loaded {
  int w = 0, h = 0, bits = 0;
};
Loaded LoadBitmapFile(const std::string& path) {
  Loaded r;
  HANDLE h = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  if (!h) return r;
  DIBSECTION ds{};
  if (api->getObject(h, sizeof ds, &ds) >= static_cast<int>(sizeof(BITMAP))) {
    r.w = ds.dsBm.bmWidth;
    r.h = ds.dsBm.bmHeight;
    r.bits = ds.dsBm.bmBitsPixel;
  }
  api->deleteObject(h);
  return r;
}

// Loads a picture the way the animated-picture control does: the whole file
// in a movable global block, a stream over it, the picture loader. Returns the
// size in pixels (96 per inch), or 0s.
const IID kIidIPicture = {0x7BF80980, 0xBF32, 0x101A, {0x8B, 0xBB, 0x00, 0xAA, 0x00, 0x30, 0x0C, 0xAB}};
SIZE LoadPictureFile(const std::string& path) {
  SIZE size{0, 0};
  const std::string data = ReadFile(path);
  if (data.empty()) return size;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, data.size());
  void* p = GlobalLock(block);
  memcpy(p, data.data(), data.size());
  GlobalUnlock(block);
  IStream* stream = nullptr;
  if (api->createStream(block, TRUE, &stream) != S_OK) {
    GlobalFree(block);
    return size;
  }
  IPicture* picture = nullptr;
  if (api->oleLoadPicture(stream, static_cast<LONG>(data.size()), FALSE, kIidIPicture,
                          reinterpret_cast<void**>(&picture)) == S_OK &&
      picture) {
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture->get_Width(&w);
    picture->get_Height(&h);
    size.cx = MulDiv(w, 96, 2540);
    size.cy = MulDiv(h, 96, 2540);
    picture->Release();
  }
  stream->Release();
  return size;
}

struct ManifestEntry {
  std::string rel;
  int w, h, bits;
};

std::vector<ManifestEntry> ReadManifest(const std::string& path) {
  std::vector<ManifestEntry> out;
  std::istringstream in(ReadFile(path));
  ManifestEntry e;
  while (in >> e.rel >> e.w >> e.h >> e.bits) out.push_back(e);
  return out;
}

std::string WinPath(std::string s) {
  for (char& c : s)
    if (c == '/') c = '\\';
  return s;
}

void CheckResourceBitmaps(const std::string& res) {
  const auto manifest = ReadManifest(res + "skin_manifest.txt");
  WCHECK(manifest.size() > 300);
  int bad = 0;
  for (const auto& e : manifest) {
    const Loaded l = LoadBitmapFile(res + WinPath(e.rel));
    if (l.w != e.w || l.h != e.h || l.bits != e.bits) {
      if (++bad <= 10) std::printf("bitmap %s: loaded %dx%dx%d\n", e.rel.c_str(), l.w, l.h, l.bits);
    }
  }
  WCHECK_EQ(bad, 0);
  // sizes the windows are built on, independent of the manifest
  const struct {
    const char* rel;
    int w, h;
  } fixed[] = {{"option\\main_normal.bmp", 800, 600},          {"option\\page_main_disabled.bmp", 774, 312},
               {"option\\page_buttons_hover.bmp", 774, 312},   {"option\\page_light_down.bmp", 774, 312},
               {"updater\\updater_main_normal.bmp", 525, 291}, {"updater\\updater_failure_down.bmp", 305, 215},
               {"option\\mouse_button_59.bmp", 188, 272},      {"option\\flag_hover_16.bmp", 32, 17},
               {"option\\swatch_down_32.bmp", 24, 24},         {"option\\led_preview.bmp", 23, 23}};
  for (const auto& f : fixed) {
    const Loaded l = LoadBitmapFile(res + f.rel);
    WCHECK_EQ(l.w, f.w);
    WCHECK_EQ(l.h, f.h);
  }
  // a file that is not a bitmap must not pass for one
  WCHECK_EQ(LoadBitmapFile(res + "skin_manifest.txt").w, 0);
}

void CheckSensorImage(const std::string& program) {
  const std::string path = program + "Wave\\sensorImage.bmp";
  const Loaded l = LoadBitmapFile(path);
  WCHECK_EQ(l.w, 30);
  WCHECK_EQ(l.h, 30);
  WCHECK_EQ(l.bits, 8);
  const std::string data = ReadFile(path);
  WCHECK_EQ(data.size(), static_cast<size_t>(1078 + 30 * 32));
  if (data.size() >= 54) {
    BITMAPFILEHEADER fh;
    memcpy(&fh, data.data(), sizeof fh);
    WCHECK_EQ(static_cast<unsigned>(fh.bfOffBits), 1078u);
  }
  const Loaded dc = LoadBitmapFile(program + "wave\\double_click.bmp");
  WCHECK_EQ(dc.w, 41);
  WCHECK_EQ(dc.h, 22);
}

void CheckPictures(const std::string& program, const std::string& res) {
  for (const char* flow : {"all-together", "down-up", "up-down", "right-left", "left-right"}) {
    const SIZE s = LoadPictureFile(program + "Gif\\ColorFlow-Animation_" + flow + ".gif");
    WCHECK_EQ(s.cx, 23);
    WCHECK_EQ(s.cy, 23);
  }
  const SIZE p = LoadPictureFile(program + "Gif\\ProgressbarAnimation.gif");
  WCHECK_EQ(p.cx, 128);
  WCHECK_EQ(p.cy, 15);
  const SIZE j = LoadPictureFile(res + "option\\Key_Assignment_normal.jpg");
  WCHECK_EQ(j.cx, 460);
  WCHECK_EQ(j.cy, 205);
  const SIZE none = LoadPictureFile(program + "wave\\double_click.wav");
  WCHECK_EQ(none.cx, 0);
}

void CheckAnimation(const std::string& program) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_ANIMATE_CLASS};
  WCHECK(api->initCommonControls(&icc));
  HWND parent = CreateWindowExA(0, "STATIC", "assets test", WS_POPUP, 0, 0, 100, 60, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  HWND anim = CreateWindowExA(0, ANIMATE_CLASSA, "", WS_CHILD | WS_VISIBLE | ACS_TRANSPARENT, 0, 0, 41, 22, parent,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  WCHECK(anim != nullptr);
  const std::string avi = program + "wave\\double_click.avi";
  WCHECK_EQ(SendMessageA(anim, ACM_OPENA, 0, reinterpret_cast<LPARAM>(avi.c_str())), 1);
  WCHECK_EQ(SendMessageA(anim, ACM_PLAY, 1, MAKELPARAM(0, 0xFFFF)), 1);
  const std::string wav = program + "wave\\double_click.wav";
  WCHECK_EQ(SendMessageA(anim, ACM_OPENA, 0, reinterpret_cast<LPARAM>(wav.c_str())), 0);
  DestroyWindow(parent);
}

void CheckWave(const std::string& program) {
  std::string path = program + "wave\\double_click.wav";
  HMMIO file = api->mmioOpen(&path[0], nullptr, MMIO_READ);
  WCHECK(file != nullptr);
  if (!file) return;
  MMCKINFO riff{};
  riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
  WCHECK_EQ(api->mmioDescendFn(file, &riff, nullptr, MMIO_FINDRIFF), 0u);
  MMCKINFO chunk{};
  chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
  WCHECK_EQ(api->mmioDescendFn(file, &chunk, &riff, MMIO_FINDCHUNK), 0u);
  PCMWAVEFORMAT fmt{};
  WCHECK_EQ(api->mmioReadFn(file, reinterpret_cast<HPSTR>(&fmt), sizeof fmt), static_cast<LONG>(sizeof fmt));
  WCHECK_EQ(fmt.wf.wFormatTag, WAVE_FORMAT_PCM);
  WCHECK_EQ(fmt.wf.nChannels, 1);
  WCHECK_EQ(fmt.wBitsPerSample, 16);
  api->mmioAscendFn(file, &chunk, 0);
  MMCKINFO data{};
  data.ckid = mmioFOURCC('d', 'a', 't', 'a');
  WCHECK_EQ(api->mmioDescendFn(file, &data, &riff, MMIO_FINDCHUNK), 0u);
  WCHECK(data.cksize > fmt.wf.nAvgBytesPerSec / 4);
  api->mmioCloseFn(file, 0);
}

void CheckIcons(const std::string& res) {
  for (const char* name : {"monitor\\VextraMonitor.ico", "option\\VextraOption.ico", "updater\\VextraUpdater.ico"}) {
    for (int size : {16, 32, 48}) {
      HANDLE icon = LoadImageA(nullptr, (res + name).c_str(), IMAGE_ICON, size, size, LR_LOADFROMFILE);
      WCHECK(icon != nullptr);
      if (icon) DestroyIcon(static_cast<HICON>(icon));
    }
  }
  HANDLE cursor = LoadImageA(nullptr, (res + "option\\hand.cur").c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE);
  WCHECK(cursor != nullptr);
  if (cursor) {
    ICONINFO info{};
    WCHECK(GetIconInfo(static_cast<HICON>(cursor), &info));
    WCHECK_EQ(static_cast<int>(info.xHotspot), 11);
    WCHECK_EQ(static_cast<int>(info.yHotspot), 1);
    if (info.hbmMask) api->deleteObject(info.hbmMask);
    if (info.hbmColor) api->deleteObject(info.hbmColor);
    DestroyCursor(static_cast<HCURSOR>(cursor));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  std::string program = argv[1];
  if (program.back() != '\\') program += '\\';
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string res = exe;
  res = res.substr(0, res.find_last_of('\\'));       // ...\tests
  res = res.substr(0, res.find_last_of('\\') + 1) + "assets\\res\\";
  Api bound;
  api = &bound;
  WCHECK(bound.Complete());
  if (!bound.Complete()) return wine_check::Finish();
  bound.coInitialize(nullptr);
  CheckResourceBitmaps(res);
  CheckSensorImage(program);
  CheckPictures(program, res);
  CheckAnimation(program);
  CheckWave(program);
  CheckIcons(res);
  return wine_check::Finish();
}
