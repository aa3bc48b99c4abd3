#include "tests/fuzz/fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "common/ini_file.h"

namespace fuzz {
namespace {

std::string& FolderName() {
  static std::string name;
  return name;
}

void RemoveFolder() {
  if (FolderName().empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(FolderName(), ignored);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string FixValue(const std::string& value) {
  if (value.size() < 2 || value.size() % 2) return value;
  unsigned sum = 0;
  for (size_t i = 0; i < value.size(); i += 2) {
    const int hi = HexValue(value[i]), lo = HexValue(value[i + 1]);
    if (hi < 0 || lo < 0) return value;
    if (i + 2 < value.size()) sum += static_cast<unsigned>(hi * 16 + lo);
  }
  static const char kDigits[] = "0123456789ABCDEF";
  std::string fixed = value;
  fixed[fixed.size() - 2] = kDigits[(sum >> 4) & 15];
  fixed[fixed.size() - 1] = kDigits[sum & 15];
  return fixed;
}

}  // namespace

const std::string& Folder() {
  std::string& name = FolderName();
  if (name.empty()) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/vextra-fuzz-XXXXXX";
    if (!mkdtemp(&pattern[0])) {
      std::perror("fuzz: cannot make a temporary folder");
      std::abort();
    }
    name = pattern + "/";
    std::atexit(RemoveFolder);
  }
  return name;
}

std::string FreshFolder(const std::string& sub) {
  const std::string path = Folder() + sub + "/";
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
  std::filesystem::create_directories(path, ignored);
  return path;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string ReadFile(const std::string& path, bool* exists) {
  std::ifstream in(path, std::ios::binary);
  if (exists) *exists = static_cast<bool>(in);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Fail(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "fuzz: property failed at %s:%d: %s\n", file, line, condition);
  RemoveFolder();  // the abort skips the exit handlers
  std::abort();
}

std::string FixStructChecksums(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    const size_t equals = line.find('=');
    if (equals != std::string::npos) {
      size_t first = equals + 1;
      while (first < line.size() && (line[first] == ' ' || line[first] == '\t')) ++first;
      size_t last = line.size();
      while (last > first && (line[last - 1] == ' ' || line[last - 1] == '\t' || line[last - 1] == '\r')) --last;
      line = line.substr(0, first) + FixValue(line.substr(first, last - first)) + line.substr(last);
    }
    out += line;
    if (end < text.size()) out += '\n';
    start = end + 1;
  }
  return out;
}

std::string AsStored(const std::string& value) {
  vextra::IniFile written;
  written.SetString("s", "k", value);
  vextra::IniFile read;
  read.Parse(written.Serialize());
  return read.GetString("s", "k", "");
}

void Seeds::Add(const std::string& name, const std::string& bytes) {
  if (WriteFile(folder_ + "/" + name, bytes))
    ++count_;
  else
    ok_ = false;
}

}  // namespace fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (const char* folder = std::getenv("VEXTRA_FUZZ_SEEDS")) {
    fuzz::Seeds seeds(folder);
    fuzz::WriteSeeds(seeds);
    std::printf("fuzz: %d seeds written to %s\n", seeds.count(), folder);
    std::exit(seeds.ok() && seeds.count() > 0 ? 0 : 1);
  }
  return 0;
}
