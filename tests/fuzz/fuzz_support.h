// What every fuzz target shares: a private folder for the files it hands to
// the readers, property checks that stop the run, checksum repair so that
// mutations get past the structure checks, and the target's seeds.
//
// Each target defines LLVMFuzzerTestOneInput and fuzz::WriteSeeds. Started
// with VEXTRA_FUZZ_SEEDS=<folder>, a target writes its seeds there (made with
// the product's own writers and sample data) and exits instead of fuzzing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// This process's own folder under $TMPDIR (else /tmp), ending with '/',
// removed with its content when the process exits.
const std::string& Folder();
// A sub-folder of Folder() emptied for this input (created when missing).
std::string FreshFolder(const std::string& name);

bool WriteFile(const std::string& path, const std::string& bytes);
// The file's bytes; `exists` tells a missing file from an empty one.
std::string ReadFile(const std::string& path, bool* exists = nullptr);

// A failed property: reported with its place and turned into a crash, so
// libFuzzer keeps the input.
[[noreturn]] void Fail(const char* condition, const char* file, int line);
#define FUZZ_CHECK(condition) ((condition) ? (void)0 : ::fuzz::Fail(#condition, __FILE__, __LINE__))

// The INI text with the checksum byte of every value that reads as a hex
// structure (an even number of hex digits) made right again.
std::string FixStructChecksums(const std::string& text);

// What a text value saved by the INI engine reads back as (cut at the first
// line break, outer blanks and one pair of enclosing quotes gone): the most a
// store that keeps names and paths as INI values can give back.
std::string AsStored(const std::string& value);

// Takes one input apart: a few leading bytes for choices, the rest as data.
class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  // The next byte (0 once the input is used up).
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  // Everything not taken yet.
  std::string Rest() {
    std::string rest(reinterpret_cast<const char*>(data_) + at_, size_ - at_);
    at_ = size_;
    return rest;
  }
  // At most n bytes.
  std::string Take(size_t n) {
    if (n > size_ - at_) n = size_ - at_;
    std::string part(reinterpret_cast<const char*>(data_) + at_, n);
    at_ += n;
    return part;
  }
  size_t left() const { return size_ - at_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

// Where a target puts its seeds.
class Seeds {
 public:
  explicit Seeds(std::string folder) : folder_(std::move(folder)) {}
  void Add(const std::string& name, const std::string& bytes);
  int count() const { return count_; }
  bool ok() const { return ok_; }

 private:
  std::string folder_;
  int count_ = 0;
  bool ok_ = true;
};

// Defined by each target.
void WriteSeeds(Seeds& seeds);

}  // namespace fuzz
