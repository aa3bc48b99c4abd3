// The 17 language libraries help\<Language>_help.dll as the Option reads them:
// each loads as a data file and as a library, yields every string id through
// LoadStringW with the program's 500-character buffer, holds exactly the text
// of its UTF-8 source (read here on a separate path: the copies beside this
// executable in help_strings\), carries its own language tag, and is found
// whatever the thread's language. A Thai and a Japanese string are drawn into
// a memory DC. Argument: the program folder.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "assets/help/help_libraries.h"
#include "common/help_string_ids.h"
#include "tests/wine/wine_check.h"

using namespace vextra;

namespace {

std::wstring Widen(const std::string& utf8, UINT codePage = CP_UTF8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, utf8.data(),
                                    static_cast<int>(utf8.size()), nullptr, 0);
  if (n <= 0) return L"<invalid>";
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), &out[0], n);
  return out;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

// The source file as the generator reads it: "<id>\t<text>" lines, "#" comments.
std::map<int, std::wstring> ReadSource(const std::wstring& path) {
  std::map<int, std::wstring> strings;
  std::ifstream in(Narrow(path), std::ios::binary);
  if (!in) return strings;
  std::stringstream buffer;
  buffer << in.rdbuf();
  std::string text = buffer.str();
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t tab = line.find('\t');
    if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
    strings[std::atoi(line.substr(0, tab).c_str())] = Widen(line.substr(tab + 1));
  }
  return strings;
}

std::wstring LoadHelpString(HMODULE module, int id) {
  wchar_t buffer[kHelpStringBufferChars];
  const int n = LoadStringW(module, static_cast<UINT>(id), buffer, static_cast<int>(kHelpStringBufferChars));
  return std::wstring(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

// Length of the stored string, independent of any buffer.
int StoredLength(HMODULE module, int id) {
  const wchar_t* text = nullptr;
  return LoadStringW(module, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
}

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }

struct Library {
  std::string name;  // "Danish"
  HMODULE data = nullptr;
  std::map<int, std::wstring> source;
  std::map<int, std::wstring> loaded;
};

// Loads, reads every id, compares with the source.
void CheckLibrary(Library& lib, const std::wstring& path, uint16_t languageId) {
  lib.data = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  WCHECK(lib.data != nullptr);
  if (!lib.data) {
    std::printf("  %s: cannot load %s (error %lu)\n", lib.name.c_str(), Narrow(path).c_str(), GetLastError());
    return;
  }
  WCHECK_EQ(lib.source.size(), kHelpStringCount);
  std::string empty, cut, differ;
  std::set<int> blocks;
  for (int32_t id : kHelpStringIds) {
    const std::wstring text = LoadHelpString(lib.data, id);
    lib.loaded[id] = text;
    blocks.insert(id / 16 + 1);
    const std::string tag = " " + std::to_string(id);
    if (text.empty()) empty += tag;
    const int stored = StoredLength(lib.data, id);
    if (stored < 0 || static_cast<size_t>(stored) >= kHelpStringBufferChars || text.size() != static_cast<size_t>(stored))
      cut += tag;
    if (text != lib.source[id]) differ += tag;
  }
  wine_check::Record(empty.empty(), "every id yields a non-empty string", __FILE__, __LINE__, lib.name + empty);
  wine_check::Record(cut.empty(), "no string is cut by the 500-character buffer", __FILE__, __LINE__,
                     lib.name + cut);
  wine_check::Record(differ.empty(), "every string equals its UTF-8 source", __FILE__, __LINE__,
                     lib.name + differ);
  // The table carries the library's own language (what resource tools show).
  std::string untagged;
  for (int block : blocks)
    if (!FindResourceExW(lib.data, MAKEINTRESOURCEW(6) /* RT_STRING */, MAKEINTRESOURCEW(block), languageId))
      untagged += " " + std::to_string(block);
  wine_check::Record(untagged.empty(), "string table tagged with the library's language", __FILE__, __LINE__,
                     lib.name + untagged);

  // An ordinary load works as well and reads the same.
  HMODULE plain = LoadLibraryW(path.c_str());
  WCHECK(plain != nullptr);
  if (plain) {
    WCHECK(LoadHelpString(plain, kHelpMainPage) == lib.loaded[kHelpMainPage]);
    WCHECK(FreeLibrary(plain));
  }
}

// Draws a string into a 600 x 40 memory bitmap; returns the text extent and
// how many pixels changed. Missing glyphs are not a failure here (fonts under
// Wine may lack a script): the call itself must work and take room.
void DrawSample(const wchar_t* text, const char* what) {
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = 600;
  info.bmiHeader.biHeight = -40;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  WCHECK(dc != nullptr && bitmap != nullptr && bits != nullptr);
  if (!dc || !bitmap || !bits) return;
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  std::fill_n(static_cast<uint32_t*>(bits), 600 * 40, 0xFFFFFFu);
  // The help line's font: Arial 13 x 6, default character set.
  HFONT font = CreateFontW(13, 6, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
  HGDIOBJ oldFont = SelectObject(dc, font);
  RECT extent{0, 0, 600, 40};
  const int height = DrawTextW(dc, text, -1, &extent, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  WCHECK(height > 0);
  WCHECK(extent.right - extent.left > 0);
  SetTextColor(dc, RGB(100, 100, 100));
  SetBkMode(dc, TRANSPARENT);
  RECT line{0, 0, 600, 40};
  WCHECK(DrawTextW(dc, text, -1, &line, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_LEFT) > 0);
  GdiFlush();
  int inked = 0;
  for (int i = 0; i < 600 * 40; ++i)
    if ((static_cast<uint32_t*>(bits)[i] & 0xFFFFFFu) != 0xFFFFFFu) ++inked;
  wchar_t face[LF_FACESIZE] = L"";
  GetTextFaceW(dc, LF_FACESIZE, face);
  std::printf("  %s drawn: extent %ld x %ld, %d pixels inked, face \"%s\"\n", what, extent.right - extent.left,
              extent.bottom - extent.top, inked, Narrow(face).c_str());
  SelectObject(dc, oldFont);
  DeleteObject(font);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: help_libraries_wtest <program folder>\n");
    return 2;
  }
  std::printf("ACP %u, user UI language 0x%04X, user default language 0x%04X\n", GetACP(),
              GetUserDefaultUILanguage(), GetUserDefaultLangID());
  const std::wstring helpFolder = Widen(argv[1], CP_ACP) + L"\\help\\";
  wchar_t self[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring sourceFolder = Folder(self) + L"help_strings\\";

  // Out-of-range language indexes (a missing setting reads as -1) fall back to English.
  WCHECK_EQ(std::string(HelpLibraryFile(-1)), std::string("English_help.dll"));
  WCHECK_EQ(std::string(HelpLibraryFile(17)), std::string("English_help.dll"));
  WCHECK_EQ(std::string(HelpLibraryFile(13)), std::string("Thai_help.dll"));

  std::map<std::string, Library> libs;
  for (size_t i = 0; i < kHelpLanguageCount; ++i) {
    const std::string file = kHelpLibraries[i].file;
    Library& lib = libs[file];
    lib.name = file.substr(0, file.find("_help.dll"));
    lib.source = ReadSource(sourceFolder + Widen(lib.name) + L".txt");
    CheckLibrary(lib, helpFolder + Widen(file), kHelpLibraries[i].languageId);
  }

  // Anchors written here, not taken from the sources: the English text as the
  // main window shows it, and non-Latin scripts through another decoder.
  const Library& english = libs["English_help.dll"];
  WCHECK(english.loaded.at(kHelpMainPage) == L"Main settings for the selected device");
  WCHECK(english.loaded.at(kHelpUpdatePage) == L"Check for the lastest driver update");
  WCHECK(libs["Russian_help.dll"].loaded[kHelpMinimize] == L"Свернуть приложение");
  WCHECK(libs["Japanese_help.dll"].loaded[kHelpMinimize] == L"アプリケーションを最小化します");
  WCHECK(libs["Thai_help.dll"].loaded[kHelpMinimize] == L"ย่อหน้าต่างโปรแกรม");
  WCHECK(libs["Vietnamese_help.dll"].loaded[kHelpMinimize] == L"Thu nhỏ ứng dụng");
  WCHECK(libs["TradChinese_help.dll"].loaded[kHelpMinimize] == L"將應用程式最小化");

  // Real translations: every other library differs from English in most ids.
  for (auto& entry : libs) {
    Library& lib = entry.second;
    if (&lib == &english || lib.loaded.empty()) continue;
    size_t same = 0;
    for (int32_t id : kHelpStringIds)
      if (lib.loaded[id] == english.loaded.at(id)) ++same;
    wine_check::Record(same * 10 <= kHelpStringCount, "translated (at most 10% equal to English)", __FILE__,
                       __LINE__, lib.name + ": " + std::to_string(same) + " equal");
  }

  // The lookup must not depend on the thread's language: ask for Japanese and
  // read the English and Thai libraries again.
  SetThreadUILanguage(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN));
  SetThreadLocale(MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN), SORT_DEFAULT));
  for (const char* file : {"English_help.dll", "Thai_help.dll", "SimplChinese_help.dll"}) {
    Library& lib = libs[file];
    if (!lib.data) continue;
    std::string differ;
    for (int32_t id : kHelpStringIds)
      if (LoadHelpString(lib.data, id) != lib.loaded[id]) differ += " " + std::to_string(id);
    wine_check::Record(differ.empty(), "same strings under a Japanese thread language", __FILE__, __LINE__,
                       lib.name + differ);
  }

  DrawSample(libs["Thai_help.dll"].loaded[kHelpMainPage].c_str(), "Thai");
  DrawSample(libs["Japanese_help.dll"].loaded[kHelpMainPage].c_str(), "Japanese");

  for (auto& entry : libs)
    if (entry.second.data) FreeLibrary(entry.second.data);
  return wine_check::Finish();
}
