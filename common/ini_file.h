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
  // Writes the document to the bound file in one step: the text goes to a
  // temporary file beside it which then replaces the old file, so a failure at
  // any point leaves the old or the new content. A document that would write
  // exactly what Load found is not written again. Returns false on failure.
  bool Commit() const;
  std::string Serialize() const;

  const std::string& path() const { return path_; }
  void set_path(std::string path) {
    path_ = std::move(path);
    loaded_ = false;
  }
  void Clear() { sections_.clear(); }

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

  const Section* FindSection(const std::string& name) const;
  Section* FindSection(const std::string& name);
  const Line* FindKey(const std::string& section, const std::string& key) const;

  std::string path_;
  std::vector<Section> sections_;
  std::string loadedText_;  // the file as Load found it
  bool loaded_ = false;
};

}  // namespace vextra
