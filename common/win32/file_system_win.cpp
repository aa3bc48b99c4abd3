// File operations that differ by platform: Windows.
#include <windows.h>

#include "common/file_system.h"

namespace vextra {

bool ReplaceFileWith(const std::string& source, const std::string& target) {
  // One rename over the old file: readers see the old or the new content.
  return MoveFileExA(source.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool MakeOneFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr) != 0; }

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace vextra
