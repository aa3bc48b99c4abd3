#include "common/win32/shared_section_win.h"

#include <cstring>

#include "common/program_messages.h"

namespace vextra {

bool SharedSection::CreateMutexObject() {
  mutex_.Reset(CreateMutexA(nullptr, FALSE, kSettingsMutex));
  if (mutex_ && GetLastError() == ERROR_ALREADY_EXISTS) {
    mutex_.Reset();
    return false;
  }
  return mutex_.valid();
}

bool SharedSection::CreateSection() {
  SECURITY_DESCRIPTOR descriptor;
  if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION)) return false;
  if (!SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE)) return false;
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, TRUE};
  mapping_.Reset(CreateFileMappingA(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE, 0, sizeof(SettingsBlock),
                                    kSharedSection));
  if (!mapping_) return false;
  view_ = MapViewOfFile(mapping_.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(SettingsBlock));
  if (!view_) {
    mapping_.Reset();
    return false;
  }
  return true;
}

SharedSection::OpenResult SharedSection::Open() {
  Close();
  mutex_.Reset(OpenMutexA(MUTEX_ALL_ACCESS, FALSE, kSettingsMutex));
  mapping_.Reset(OpenFileMappingA(FILE_MAP_READ | FILE_MAP_WRITE, FALSE, kSharedSection));
  if (!mapping_) return OpenResult::kMissing;
  view_ = MapViewOfFile(mapping_.get(), FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(SettingsBlock));
  if (!view_) {
    mapping_.Reset();
    return OpenResult::kCannotMap;
  }
  return OpenResult::kOpened;
}

bool SharedSection::Lock() {
  if (!mutex_) return false;
  const DWORD result = WaitForSingleObject(mutex_.get(), INFINITE);
  if (result == WAIT_OBJECT_0) return true;
  // An owner that died left the mutex to us: the block may be half written,
  // so this copy is skipped, but the mutex is ours and must be given back.
  if (result == WAIT_ABANDONED) ReleaseMutex(mutex_.get());
  return false;
}

bool SharedSection::CopyOut(const SettingsBlock& block) {
  if (!view_ || !Lock()) return false;
  std::memcpy(view_, &block, sizeof block);
  ReleaseMutex(mutex_.get());
  return true;
}

bool SharedSection::CopyIn(SettingsBlock& block) {
  if (!view_ || !Lock()) return false;
  std::memcpy(&block, view_, sizeof block);
  ReleaseMutex(mutex_.get());
  return true;
}

void SharedSection::CloseSection() {
  if (view_) UnmapViewOfFile(view_);
  view_ = nullptr;
  mapping_.Reset();
}

void SharedSection::Close() {
  CloseSection();
  mutex_.Reset();
}

}  // namespace vextra
