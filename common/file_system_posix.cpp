// File operations that differ by platform: the native (test) build.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "common/file_system.h"

namespace vextra {

bool ReplaceFileWith(const std::string& source, const std::string& target) {
  return std::rename(source.c_str(), target.c_str()) == 0;
}

bool MakeOneFolder(const std::string& path) { return mkdir(path.c_str(), 0755) == 0; }

// The native build (tests only) locks a companion file beside the target:
// flock() locks conflict between separate opens, so threads of one process
// exclude each other as well as processes do.
FileLock::FileLock(const std::string& path) {
  const int fd = ::open((path + ".lock~").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  for (int waited = 0; waited < 5000; ++waited) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      handle_ = fd;
      return;
    }
    ::usleep(1000);
  }
  ::close(fd);
}

FileLock::~FileLock() {
  if (handle_ == kNone) return;
  ::flock(static_cast<int>(handle_), LOCK_UN);
  ::close(static_cast<int>(handle_));
}

bool FolderExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace vextra
