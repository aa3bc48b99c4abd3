#include "option/win32/option_dialogs_win.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cstdio>
#include <vector>

#include "vextra_skin_ids.h"

namespace vextra {
namespace {

constexpr int kBrowseIds = 601, kOkId = 1, kCancelId = 2, kExitId = 3, kFirstFlagId = 620;
constexpr int kLanguageResultBase = 100;  // EndDialog(100 + language)

// "a|b|" -> "a\0b\0\0", the form the file dialogs take.
std::vector<char> FilterOf(const char* filter) {
  std::vector<char> out(filter, filter + std::char_traits<char>::length(filter));
  for (char& c : out)
    if (c == '|') c = '\0';
  out.push_back('\0');
  out.push_back('\0');
  return out;
}

// A text cut to what the dialog's buffer holds.
void CopyInto(char (&buffer)[MAX_PATH * 2], const std::string& text) {
  const size_t n = text.size() < sizeof buffer - 1 ? text.size() : sizeof buffer - 1;
  text.copy(buffer, n);
  buffer[n] = '\0';
}

void StyleEdit(CBitmapEdit& edit) { edit.SetColors(RGB(230, 230, 230), RGB(24, 24, 24)); }

}  // namespace

namespace {
// One standard file dialog: opens at `start`, with the filter ("a|b|") and
// the default extension; the chosen full path on OK.
bool FileDialog(HWND owner, bool save, const std::string& start, const char* filter, const char* extension,
                std::string& chosen) {
  char file[MAX_PATH * 2];
  CopyInto(file, start);
  const std::vector<char> filters = FilterOf(filter);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filters.data();
  ofn.lpstrFile = file;
  ofn.nMaxFile = sizeof file;
  ofn.lpstrDefExt = extension;
  ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (!(save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn))) return false;
  chosen = file;
  return true;
}
}  // namespace

bool BrowseForProgram(HWND owner, std::string& path) {
  char desktop[MAX_PATH] = {};
  SHGetSpecialFolderPathA(owner, desktop, 0, FALSE);
  return FileDialog(owner, false, std::string(desktop) + "\\.exe", "exe file(*.exe)|*.EXE|", "*.exe", path);
}

bool AskProfileFile(HWND owner, bool save, const std::string& proposal, std::string& chosen) {
  return FileDialog(owner, save, proposal, kProfileFileFilter, "vmp", chosen);
}

// ---------------------------------------------------------------- profile properties

const MessageEntry<CProfileDialog> CProfileDialog::kTable[] = {
    OnClick(kBrowseIds, kBrowseIds + 2, &CProfileDialog::OnBrowse),
    OnClick(kOkId, &CProfileDialog::OnOk),
};

LRESULT CProfileDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (RouteMessage(*this, kTable, message, wParam, lParam, &result)) return result;
  return CSkinDialog::OnMessage(message, wParam, lParam);
}

CProfileDialog::CProfileDialog(ProfileProperties start)
    : sheets_(IDB_PROFILE_PROPERTIES_NORMAL), start_(std::move(start)) {
  SetBackground(sheets_.normal());
}

void CProfileDialog::OnInitDialog() {
  ControlBuilder b(hwnd(), sheets_.sheets());
  const LayoutEntry name = Parsed("EDIT_PROFILE_NAME,120,78,182,15,");
  name_.Create(WS_VISIBLE, LayoutRect(name), hwnd(), 501);
  StyleEdit(name_);
  name_.SetLimit(static_cast<int>(kProfileNameChars));
  name_.SetText(start_.name.substr(0, kProfileNameChars));
  const char* pathLayouts[3] = {"EDIT_PATH_TOEXECUTEABLE,35,137,265,15,", "EDIT_PATH_TOEXECUTEABLE,35,157,265,15,",
                                "EDIT_PATH_TOEXECUTEABLE,35,177,265,15,"};
  const char* browseLayouts[3] = {"BUTTON_BROWER,304,136,23,17,", "BUTTON_BROWER,304,156,23,17,",
                                  "BUTTON_BROWER,304,176,23,17,"};
  for (int i = 0; i < 3; ++i) {
    paths_[i].Create(WS_VISIBLE, LayoutRect(Parsed(pathLayouts[i])), hwnd(), 502 + i);
    StyleEdit(paths_[i]);
    paths_[i].SetLimit(static_cast<int>(kProgramPathChars));
    paths_[i].SetText(start_.paths[i].substr(0, kProgramPathChars));
    b.Button(browse_[i], browseLayouts[i], kBrowseIds + i);
  }
  // OK is handled here (the texts are taken first); Cancel and Exit end the dialog.
  b.Button(ok_, "BUTTON_OK,72,210,56,24,", kOkId);
  AddLayoutButton(cancel_, "BUTTON_CANCEL,136,210,100,24,", kCancelId, sheets_.sheets());
  AddLayoutButton(exit_, "BUTTON_EXIT,314,3,26,22,", kExitId, sheets_.sheets());
  SetFocus(name_.hwnd());
}

void CProfileDialog::OnBrowse(const Notify& n) {
  std::string path = paths_[n.index].GetText();
  if (BrowseForProgram(hwnd(), path)) paths_[n.index].SetText(path.substr(0, kProgramPathChars));
}

void CProfileDialog::OnOk(const Notify&) {
  result_.name = name_.GetText();
  for (int i = 0; i < 3; ++i) result_.paths[i] = paths_[i].GetText();
  EndDialog(IDOK);
}

// ---------------------------------------------------------------- Quicklaunch

const MessageEntry<CQuicklaunchDialog> CQuicklaunchDialog::kTable[] = {
    OnClick(kBrowseIds, &CQuicklaunchDialog::OnBrowse),
    OnClick(kOkId, &CQuicklaunchDialog::OnOk),
};

LRESULT CQuicklaunchDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (RouteMessage(*this, kTable, message, wParam, lParam, &result)) return result;
  return CSkinDialog::OnMessage(message, wParam, lParam);
}

CQuicklaunchDialog::CQuicklaunchDialog(std::string path)
    : sheets_(IDB_QUICKLAUNCH_NORMAL), path_(std::move(path)) {
  SetBackground(sheets_.normal());
}

void CQuicklaunchDialog::OnInitDialog() {
  ControlBuilder b(hwnd(), sheets_.sheets());
  edit_.Create(WS_VISIBLE, LayoutRect(Parsed("Gaming path to executeable,27,88,227,15,")), hwnd(), 501);
  StyleEdit(edit_);
  edit_.SetLimit(MAX_PATH - 1);  // the slot keeps 260 bytes
  edit_.SetText(path_.substr(0, MAX_PATH - 1));
  b.Button(browse_, "browser1,256,86,24,20,", kBrowseIds);
  b.Button(ok_, "BUTTON_OK,72,200,56,24,", kOkId);
  AddLayoutButton(cancel_, "BUTTON_CANCEL,136,200,100,24,", kCancelId, sheets_.sheets());
  AddLayoutButton(exit_, "BUTTON_EXIT,274,3,26,22,", kExitId, sheets_.sheets());
}

void CQuicklaunchDialog::OnBrowse(const Notify&) {
  std::string path = edit_.GetText();
  if (BrowseForProgram(hwnd(), path)) edit_.SetText(path.substr(0, MAX_PATH - 1));
}

void CQuicklaunchDialog::OnOk(const Notify&) {
  path_ = edit_.GetText();
  EndDialog(IDOK);
}

// ---------------------------------------------------------------- language picker

const MessageEntry<CLanguagePicker> CLanguagePicker::kTable[] = {
    OnClick(kFirstFlagId, kFirstFlagId + 16, &CLanguagePicker::OnFlag),
};

LRESULT CLanguagePicker::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (RouteMessage(*this, kTable, message, wParam, lParam, &result)) return result;
  return CSkinDialog::OnMessage(message, wParam, lParam);
}

CLanguagePicker::CLanguagePicker() : sheets_(IDB_LANGUAGE_PICKER_NORMAL) { SetBackground(sheets_.normal()); }

int CLanguagePicker::Choose(HWND owner, POINT topLeft) {
  CLanguagePicker picker;
  const INT_PTR result = picker.DoModal(owner, &topLeft);
  return result >= kLanguageResultBase && result < kLanguageResultBase + 17
             ? static_cast<int>(result - kLanguageResultBase)
             : -1;
}

void CLanguagePicker::OnInitDialog() {
  ControlBuilder b(hwnd(), sheets_.sheets());
  for (int i = 0; i < 17; ++i) {
    char layout[64];
    std::snprintf(layout, sizeof layout, "Language %d,0,%d,150,17,", i, 17 * i);
    b.Button(flags_[i], layout, kFirstFlagId + i);
  }
}

void CLanguagePicker::OnFlag(const Notify& n) { EndDialog(kLanguageResultBase + n.index); }

}  // namespace vextra
