#include "common/file_system.h"

#include <cctype>
#include <cstdio>
#include <memory>

namespace vextra {
namespace {
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  if (IsSeparator(folder.back())) return folder + name;
  return folder + kPathSeparator + name;
}

std::string FileNameOf(const std::string& path) {
  size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string FileTitleOf(const std::string& path) {
  std::string name = FileNameOf(path);
  size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string FolderOf(const std::string& path) {
  size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

bool ReadWholeFile(const std::string& path, std::string& out, size_t maxBytes) {
  out.clear();
  FilePtr f(std::fopen(path.c_str(), "rb"));
  if (!f) return false;
  // A file known to be too large is refused before reading it.
  if (std::fseek(f.get(), 0, SEEK_END) == 0) {
    const long size = std::ftell(f.get());
    if (size > 0 && static_cast<unsigned long>(size) > maxBytes) return false;
    std::rewind(f.get());
  }
  char chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0) {
    if (out.size() + n > maxBytes) {
      out.clear();
      return false;
    }
    out.append(chunk, n);
  }
  return !std::ferror(f.get());
}

std::string TemporaryPathOf(const std::string& path) { return path + ".new~"; }

bool WriteFileReplacing(const std::string& path, const std::string& data) {
  const std::string temp = TemporaryPathOf(path);
  {
    FilePtr f(std::fopen(temp.c_str(), "wb"));
    if (!f) return false;
    if (!data.empty() && std::fwrite(data.data(), 1, data.size(), f.get()) != data.size()) {
      f.reset();
      std::remove(temp.c_str());
      return false;
    }
    if (std::fflush(f.get()) != 0) {
      f.reset();
      std::remove(temp.c_str());
      return false;
    }
  }
  if (!ReplaceFileWith(temp, path)) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

bool CopyFileReplacing(const std::string& from, const std::string& to) {
  if (SamePath(from, to)) return CanOpenForReading(from);
  std::string data;
  if (!ReadWholeFile(from, data)) return false;
  return WriteFileReplacing(to, data);
}

bool CanOpenForReading(const std::string& path) {
  FilePtr f(std::fopen(path.c_str(), "rb"));
  return f != nullptr;
}

bool RemoveFile(const std::string& path) { return std::remove(path.c_str()) == 0; }

bool CreateFolders(const std::string& path) {
  if (path.empty()) return false;
  std::string p = path;
  while (p.size() > 1 && IsSeparator(p.back())) p.pop_back();
  if (FolderExists(p)) return true;
  size_t cut = p.find_last_of("\\/");
  if (cut != std::string::npos && cut > 0) {
    std::string parent = p.substr(0, cut);
    // "C:" is a drive, not a folder to create.
    if (!(parent.size() == 2 && parent[1] == ':') && !CreateFolders(parent)) return false;
  }
  return MakeOneFolder(p) || FolderExists(p);
}

bool SamePath(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
#ifdef _WIN32
    if (IsSeparator(x) && IsSeparator(y)) continue;
    x = static_cast<char>(std::tolower(static_cast<unsigned char>(x)));
    y = static_cast<char>(std::tolower(static_cast<unsigned char>(y)));
#endif
    if (x != y) return false;
  }
  return true;
}

}  // namespace vextra
