// The Option's ties to the system: the Monitor's section and window for the
// session, and the loaded language library the help texts come from.
#pragma once

#include <windows.h>

#include <string>

#include "common/win32/shared_section_win.h"
#include "option/option_seams.h"

namespace vextra {

class SectionLink : public SharedBlockLink {
 public:
  bool OpenSettingsMutex() override;
  SectionOpen OpenSection() override;
  bool Read(SettingsBlock& block) override { return section_.CopyIn(block); }
  bool Write(const SettingsBlock& block) override { return section_.CopyOut(block); }

 private:
  SharedSection section_;
  bool opened_ = false;
};

class MonitorWindowLink : public MonitorWindow {
 public:
  bool Exists() override;
  void Send(unsigned message, uintptr_t wParam, intptr_t lParam) override;
};

// help\<Language>_help.dll, loaded as data.
class HelpLibrary {
 public:
  HelpLibrary() = default;
  ~HelpLibrary() { Unload(); }
  HelpLibrary(const HelpLibrary&) = delete;
  HelpLibrary& operator=(const HelpLibrary&) = delete;

  // Unloads the previous library first; false when the file is missing.
  bool Load(const std::string& path, int languageIndex);
  void Unload();
  bool loaded() const { return module_ != nullptr; }
  int language() const { return language_; }
  // The string (read with a 500-character buffer); empty when there is none.
  std::string Text(int id) const;

 private:
  HMODULE module_ = nullptr;
  int language_ = 1;
};

}  // namespace vextra
