#include "monitor/win32/shared_section.h"

#include <cstring>

#include "monitor/monitor_messages.h"

namespace vextra {

bool SharedSection::CreateMutexObject() {
  mutex_ = CreateMutexA(nullptr, FALSE, kSettingsMutex);
  if (mutex_ && GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex_);
    mutex_ = nullptr;
    return false;
  }
  return mutex_ != nullptr;
}

bool SharedSection::CreateSection() {
  SECURITY_DESCRIPTOR descriptor;
  if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION)) return false;
  if (!SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE)) return false;
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, TRUE};
  mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, &attributes, PAGE_READWRITE, 0, sizeof(SettingsBlock),
                                kSharedSection);
  if (!mapping_) return false;
  view_ = MapViewOfFile(mapping_, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(SettingsBlock));
  if (!view_) {
    CloseHandle(mapping_);
    mapping_ = nullptr;
    return false;
  }
  return true;
}

bool SharedSection::Lock() {
  if (!mutex_) return false;
  const DWORD result = WaitForSingleObject(mutex_, INFINITE);
  if (result == WAIT_OBJECT_0) return true;
  // An owner that died left the mutex to us: the block may be half written,
  // so this copy is skipped, but the mutex is ours and must be given back.
  if (result == WAIT_ABANDONED) ReleaseMutex(mutex_);
  return false;
}

bool SharedSection::CopyOut(const SettingsBlock& block) {
  if (!view_ || !Lock()) return false;
  std::memcpy(view_, &block, sizeof block);
  ReleaseMutex(mutex_);
  return true;
}

bool SharedSection::CopyIn(SettingsBlock& block) {
  if (!view_ || !Lock()) return false;
  std::memcpy(&block, view_, sizeof block);
  ReleaseMutex(mutex_);
  return true;
}

void SharedSection::CloseSection() {
  if (view_) UnmapViewOfFile(view_);
  if (mapping_) CloseHandle(mapping_);
  view_ = nullptr;
  mapping_ = nullptr;
}

void SharedSection::Close() {
  CloseSection();
  if (mutex_) CloseHandle(mutex_);
  mutex_ = nullptr;
}

}  // namespace vextra
