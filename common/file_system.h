// File access for the stores. Paths are narrow strings in the system's code
// page, as the rest of the programs use them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vextra {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

// folder + name; folder may or may not end with a separator.
std::string JoinPath(const std::string& folder, const std::string& name);
// "C:\a\b.vmp" -> "b.vmp" (either separator).
std::string FileNameOf(const std::string& path);
// "C:\a\b.vmp" -> "b"
std::string FileTitleOf(const std::string& path);
// "C:\a\b.vmp" -> "C:\a\" (with its separator; empty when there is no folder)
std::string FolderOf(const std::string& path);

// Whole file into `out`; false when it cannot be opened or exceeds maxBytes.
bool ReadWholeFile(const std::string& path, std::string& out, size_t maxBytes = 128u << 20);
// Writes `data` beside the target (to TemporaryPathOf) and moves it over the
// target in one step.
bool WriteFileReplacing(const std::string& path, const std::string& data);
// Where WriteFileReplacing stages a file's new content.
std::string TemporaryPathOf(const std::string& path);
bool CopyFileReplacing(const std::string& from, const std::string& to);
bool CanOpenForReading(const std::string& path);
bool RemoveFile(const std::string& path);
// Creates the folder and any missing parents; true when it exists afterwards.
bool CreateFolders(const std::string& path);
// The same file named twice (compared as text, ignoring case on Windows).
bool SamePath(const std::string& a, const std::string& b);

// Holds a lock named after a file for as long as it lives, shared by every
// thread and process that takes a FileLock on the same file, so read-modify-
// write sequences on one file run one at a time. A lock that cannot be had in
// a few seconds (its holder hangs) is given up: held() is then false and the
// caller goes on unserialised rather than never saving.
class FileLock {
 public:
  explicit FileLock(const std::string& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool held() const { return handle_ != kNone; }

 private:
  static constexpr intptr_t kNone = -1;
  intptr_t handle_ = kNone;
};

// Platform part: replaces `target` by `source` atomically.
bool ReplaceFileWith(const std::string& source, const std::string& target);
bool MakeOneFolder(const std::string& path);
bool FolderExists(const std::string& path);

}  // namespace vextra
