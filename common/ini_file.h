// Private-profile (INI) files, read and written as the Windows private-profile
// functions do, but parsed once on load and written once on commit.
//
// Text rules kept compatible with the Windows functions:
//  - section and key names compare without regard to ASCII case; the first
//    matching section and the first matching key in it win;
//  - blanks around names and values are ignored; a value enclosed in one pair of
//    matching quotes reads without them;
//  - integers read like GetPrivateProfileInt (optional sign, 0x prefix, digits up
//    to the first other character; a missing or empty value gives the default);
//  - structures are two upper-case hex digits per byte plus one checksum byte
//    (sum of the bytes modulo 256); a read fails on a wrong length, a non-hex
//    character or a wrong checksum, and then leaves the caller's buffer untouched;
//  - files are written with CRLF line ends; lines the engine does not understand
//    (comments, blank lines) are kept as they are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vextra {

class IniFile {
 public:
  IniFile() = default;
  explicit IniFile(std::string path) : path_(std::move(path)) {}

  // Reads the bound file. A missing or unreadable file gives an empty document
  // and returns false; the object stays usable for writing.
  bool Load();
  // Parses text as a file's content (used by Load, tests and fuzzing).
  void Parse(const std::string& text);
  // Saves what this document changed since Load or Parse, as the platform's
  // one-key writes do: under a lock shared by every thread and process that
  // saves the file, the file is read again as it is now, only the keys and
  // sections set or removed here are changed in it, and the result replaces
  // the file in one step (written beside it first, so a failure at any point
  // leaves the old or the new content). Another writer's keys are never lost.
  // A file that exists but cannot be read is left alone (false), as is one the
  // changes would not alter (true). Returns false on failure.
  bool Commit();
  // Replaces the whole file by this document, under the same lock and with
  // the same refusal to overwrite a file that exists but cannot be read: for
  // files one writer owns and rewrites whole (a library without its removed
  // entries, an export).
  bool CommitWhole();
  std::string Serialize() const;

  const std::string& path() const { return path_; }
  void set_path(std::string path) { path_ = std::move(path); }
  void Clear() {
    sections_.clear();
    edits_.push_back(Edit{Edit::kClear, {}, {}, {}});
  }

  bool HasSection(const std::string& section) const;
  bool HasKey(const std::string& section, const std::string& key) const;

  // At most maxChars characters of the value (the Windows buffer of maxChars + 1).
  std::string GetString(const std::string& section, const std::string& key,
                        const std::string& def, size_t maxChars = 2047) const;
  int32_t GetInt(const std::string& section, const std::string& key, int32_t def) const;
  bool GetStruct(const std::string& section, const std::string& key, void* buffer,
                 size_t size) const;

  // Values are cut at the first line break so that no value can add lines.
  void SetString(const std::string& section, const std::string& key, const std::string& value);
  void SetInt(const std::string& section, const std::string& key, int32_t value);
  void SetStruct(const std::string& section, const std::string& key, const void* buffer,
                 size_t size);
  void RemoveKey(const std::string& section, const std::string& key);
  void RemoveSection(const std::string& section);

  // Names of the sections in file order, and the key names of the first
  // section of that name in file order.
  std::vector<std::string> SectionNames() const;
  std::vector<std::string> KeyNames(const std::string& section) const;

  // The conversions on their own, shared with other readers of the format.
  static int32_t ParseInt(const std::string& text, int32_t def);
  static std::string EncodeStruct(const void* buffer, size_t size);
  static bool DecodeStruct(const std::string& text, void* buffer, size_t size);

 private:
  struct Line {
    std::string key;    // trimmed key name; empty for a line that holds no key
    std::string value;  // trimmed value as stored
    std::string raw;    // the original text of a non-key line
  };
  struct Section {
    std::string name;   // empty for lines before the first section header
    bool header = true;
    std::vector<Line> lines;
  };

  // A change as Commit replays it over the file as it is on disk.
  struct Edit {
    enum Kind { kSet, kRemoveKey, kRemoveSection, kClear } kind;
    std::string section, key, value;
  };

  void Apply(const Edit& edit);
  bool Write(bool whole);
  const Section* FindSection(const std::string& name) const;
  Section* FindSection(const std::string& name);
  const Line* FindKey(const std::string& section, const std::string& key) const;

  std::string path_;
  std::vector<Section> sections_;
  std::vector<Edit> edits_;  // since Load or Parse, in order
};

}  // namespace vextra
