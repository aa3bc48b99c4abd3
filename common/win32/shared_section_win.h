// The named section with the settings block and the mutex that guards it:
// the Monitor creates both, the Option opens them. Every access is one
// whole-block copy made while holding the mutex.
#pragma once

#include <windows.h>

#include "common/settings_block.h"
#include "common/win32/handles_win.h"

namespace vextra {

class SharedSection {
 public:
  SharedSection() = default;
  ~SharedSection() { Close(); }
  SharedSection(const SharedSection&) = delete;
  SharedSection& operator=(const SharedSection&) = delete;

  // The settings mutex, not owned. False when it already existed (another
  // Monitor holds it) or could not be made.
  bool CreateMutexObject();
  // The section with a null DACL so that every process may open it.
  bool CreateSection();

  // The other side: the existing mutex and section, never created here.
  enum class OpenResult { kOpened, kMissing, kCannotMap };
  OpenResult Open();
  bool hasMutex() const { return mutex_.valid(); }
  // Whole-block copies under the mutex; false without a section or when the
  // wait does not end with the mutex given to us normally.
  bool CopyOut(const SettingsBlock& block);
  bool CopyIn(SettingsBlock& block);
  void CloseSection();
  void Close();

 private:
  bool Lock();
  UniqueHandle mutex_;
  UniqueHandle mapping_;
  void* view_ = nullptr;
};

}  // namespace vextra
