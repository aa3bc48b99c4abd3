#include "option/win32/option_links_win.h"

#include "common/help_string_ids.h"
#include "common/program_messages.h"

namespace vextra {

bool SectionLink::OpenSettingsMutex() {
  // The section's own opening takes the mutex with it; the answer is whether
  // the Monitor's mutex exists.
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, kSettingsMutex);
  if (!mutex) return false;
  CloseHandle(mutex);
  return true;
}

SectionOpen SectionLink::OpenSection() {
  switch (section_.Open()) {
    case SharedSection::OpenResult::kOpened:
      return SectionOpen::kOpened;
    case SharedSection::OpenResult::kCannotMap:
      return SectionOpen::kMapFailed;
    default:
      return SectionOpen::kAbsent;
  }
}

bool MonitorWindowLink::Exists() { return FindWindowA(nullptr, kMonitorTitle) != nullptr; }

void MonitorWindowLink::Send(unsigned message, uintptr_t wParam, intptr_t lParam) {
  HWND monitor = FindWindowA(nullptr, kMonitorTitle);
  if (!monitor) return;
  // Waits for the Monitor, which uploads to the mouse meanwhile; a Monitor
  // that hangs must not hang the Option for ever.
  DWORD_PTR result = 0;
  SendMessageTimeoutA(monitor, message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam),
                      SMTO_NORMAL, 60000, &result);
}

bool HelpLibrary::Load(const std::string& path, int languageIndex) {
  Unload();
  module_ = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  language_ = languageIndex;
  return module_ != nullptr;
}

void HelpLibrary::Unload() {
  if (module_) FreeLibrary(module_);
  module_ = nullptr;
}

std::string HelpLibrary::Text(int id) const {
  char text[kHelpStringBufferChars] = {};
  if (!module_) return std::string();
  const int n = LoadStringA(module_, static_cast<UINT>(id), text, sizeof text);
  return n > 0 ? std::string(text, static_cast<size_t>(n)) : std::string();
}

}  // namespace vextra
