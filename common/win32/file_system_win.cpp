// File operations that differ by platform: Windows.
#include <windows.h>

#include <cstdio>

#include "common/file_system.h"

namespace vextra {

bool ReplaceFileWith(const std::string& source, const std::string& target) {
  // One rename over the old file: readers see the old or the new content.
  return MoveFileExA(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// A named mutex per file: the name is a hash of the file's full path, folded
// to one case and one separator as the file system compares them (a mutex name
// may not hold a backslash, and the path may be longer than a name may be).
FileLock::FileLock(const std::string& path) {
  char full[MAX_PATH * 4];
  DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  std::string name = (n > 0 && n < sizeof full) ? std::string(full, n) : path;
  uint64_t hash = 1469598103934665603ull;  // FNV-1a
  for (char c : name) {
    unsigned char u = static_cast<unsigned char>(c == '/' ? '\\' : c);
    if (u >= 'A' && u <= 'Z') u = static_cast<unsigned char>(u - 'A' + 'a');
    hash = (hash ^ u) * 1099511628211ull;
  }
  char mutexName[64];
  std::snprintf(mutexName, sizeof mutexName, "Vextra_IniFile_%016llx",
                static_cast<unsigned long long>(hash));
  HANDLE mutex = CreateMutexA(nullptr, FALSE, mutexName);
  if (!mutex) return;
  // An abandoned mutex (its holder died) is ours now, like a free one.
  const DWORD r = WaitForSingleObject(mutex, 5000);
  if (r != WAIT_OBJECT_0 && r != WAIT_ABANDONED) {
    CloseHandle(mutex);
    return;
  }
  handle_ = reinterpret_cast<intptr_t>(mutex);
}

FileLock::~FileLock() {
  if (handle_ == kNone) return;
  HANDLE mutex = reinterpret_cast<HANDLE>(handle_);
  ReleaseMutex(mutex);
  CloseHandle(mutex);
}

bool MakeOneFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace vextra
