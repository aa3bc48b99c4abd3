// File operations that differ by platform: the native (test) build.
#include <sys/stat.h>

#include <cstdio>

#include "common/file_system.h"

namespace vextra {

bool ReplaceFileWith(const std::string& source, const std::string& target) {
  return std::rename(source.c_str(), target.c_str()) == 0;
}

bool MakeOneFolder(const std::string& path) { return mkdir(path.c_str(), 0755) == 0; }

bool FolderExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace vextra
