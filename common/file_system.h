// File access for the stores. Paths are narrow strings in the system's code
// page, as the rest of the programs use them.
#pragma once

#include <cstddef>
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
// Writes `data` beside the target and moves it over the target in one step.
bool WriteFileReplacing(const std::string& path, const std::string& data);
bool CopyFileReplacing(const std::string& from, const std::string& to);
bool CanOpenForReading(const std::string& path);
bool RemoveFile(const std::string& path);
// Creates the folder and any missing parents; true when it exists afterwards.
bool CreateFolders(const std::string& path);
// The same file named twice (compared as text, ignoring case on Windows).
bool SamePath(const std::string& a, const std::string& b);

// Platform part: replaces `target` by `source` atomically.
bool ReplaceFileWith(const std::string& source, const std::string& target);
bool MakeOneFolder(const std::string& path);
bool FolderExists(const std::string& path);

}  // namespace vextra
