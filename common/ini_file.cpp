#include "common/ini_file.h"

#include <cstring>
#include <utility>

#include "common/file_system.h"
#include "common/text.h"

namespace vextra {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Everything up to the first line break, trimmed: a stored name or value can
// never start a new line of the file.
std::string OneLine(const std::string& s) {
  size_t cut = s.find_first_of("\r\n");
  return TrimSpaces(cut == std::string::npos ? s : s.substr(0, cut));
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool IniFile::Load() {
  std::string text;
  bool read;
  {
    // Under the writers' lock: on Windows a reader holding the file open
    // would make a writer's replace fail.
    FileLock lock(path_);
    read = ReadWholeFile(path_, text);
  }
  if (!read) text.clear();
  Parse(text);
  return read;
}

void IniFile::Parse(const std::string& text) {
  sections_.clear();
  edits_.clear();
  size_t pos = 0;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
  // Index arithmetic on the text itself: a line is copied once, into its entry.
  auto trimmed = [&text](size_t b, size_t e) {
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    return std::make_pair(b, e);
  };
  while (pos < text.size()) {
    // A line ends at LF, CR LF or a lone CR: the same breaks a stored name or
    // value is cut at, so what is read can be written back unchanged.
    size_t lineEnd = text.find_first_of("\r\n", pos);
    if (lineEnd == std::string::npos) lineEnd = text.size();
    const size_t lineStart = pos;
    pos = lineEnd + 1;
    if (lineEnd < text.size() && text[lineEnd] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    const auto line = trimmed(lineStart, lineEnd);
    const size_t b = line.first, e = line.second;
    if (b < e && text[b] == '[') {
      size_t close = text.rfind(']', e - 1);
      if (close != std::string::npos && close > b) {
        Section s;
        const auto name = trimmed(b + 1, close);
        s.name = text.substr(name.first, name.second - name.first);
        sections_.push_back(std::move(s));
        continue;
      }
    }
    if (sections_.empty()) {
      Section s;
      s.header = false;
      sections_.push_back(std::move(s));
    }
    Line entry;
    // Searched within the line only: a file of many lines without "=" must
    // not cost a scan to the end of the file for each of them.
    const void* found = std::memchr(text.data() + b, '=', e - b);
    const size_t eq = found ? static_cast<size_t>(static_cast<const char*>(found) - text.data())
                            : std::string::npos;
    if (eq != std::string::npos && eq > b) {
      const auto key = trimmed(b, eq);
      const auto value = trimmed(eq + 1, e);
      entry.key = text.substr(key.first, key.second - key.first);
      if (!entry.key.empty()) entry.value = text.substr(value.first, value.second - value.first);
    }
    if (entry.key.empty()) entry.raw = text.substr(lineStart, lineEnd - lineStart);
    sections_.back().lines.push_back(std::move(entry));
  }
}

std::string IniFile::Serialize() const {
  size_t total = 0;
  for (const Section& s : sections_) {
    total += s.name.size() + 4;
    for (const Line& l : s.lines) total += l.key.size() + l.value.size() + l.raw.size() + 3;
  }
  std::string out;
  out.reserve(total);
  for (const Section& s : sections_) {
    if (s.header) out.append("[").append(s.name).append("]\r\n");
    for (const Line& l : s.lines) {
      if (l.key.empty())
        out.append(l.raw);
      else
        out.append(l.key).append("=").append(l.value);
      out.append("\r\n");
    }
  }
  return out;
}

bool IniFile::Commit() { return Write(false); }

bool IniFile::CommitWhole() { return Write(true); }

bool IniFile::Write(bool whole) {
  FileLock lock(path_);
  // A save killed between writing and replacing left its stage behind.
  const std::string temp = TemporaryPathOf(path_);
  if (CanOpenForReading(temp)) RemoveFile(temp);
  std::string onDisk;
  const bool exists = ReadWholeFile(path_, onDisk);
  if (!exists) {
    onDisk.clear();
    if (CanOpenForReading(path_)) return false;  // there, but too large or unreadable
  }
  if (!whole) {
    std::vector<Edit> edits = std::move(edits_);
    Parse(onDisk);
    for (const Edit& edit : edits) Apply(edit);
  }
  edits_.clear();
  const std::string text = Serialize();
  if (exists && text == onDisk) return true;  // unchanged: nothing to write
  return WriteFileReplacing(path_, text);
}

void IniFile::Apply(const Edit& edit) {
  switch (edit.kind) {
    case Edit::kSet: SetString(edit.section, edit.key, edit.value); break;
    case Edit::kRemoveKey: RemoveKey(edit.section, edit.key); break;
    case Edit::kRemoveSection: RemoveSection(edit.section); break;
    case Edit::kClear: Clear(); break;
  }
}

const IniFile::Section* IniFile::FindSection(const std::string& name) const {
  for (const Section& s : sections_)
    if (s.header && EqualIgnoringCase(s.name, name)) return &s;
  return nullptr;
}

IniFile::Section* IniFile::FindSection(const std::string& name) {
  for (Section& s : sections_)
    if (s.header && EqualIgnoringCase(s.name, name)) return &s;
  return nullptr;
}

const IniFile::Line* IniFile::FindKey(const std::string& section, const std::string& key) const {
  const Section* s = FindSection(section);
  if (!s) return nullptr;
  for (const Line& l : s->lines)
    if (!l.key.empty() && EqualIgnoringCase(l.key, key)) return &l;
  return nullptr;
}

bool IniFile::HasSection(const std::string& section) const { return FindSection(section) != nullptr; }

bool IniFile::HasKey(const std::string& section, const std::string& key) const {
  return FindKey(section, key) != nullptr;
}

std::string IniFile::GetString(const std::string& section, const std::string& key,
                               const std::string& def, size_t maxChars) const {
  const Line* l = FindKey(section, key);
  std::string v = l ? l->value : TrimSpaces(def);
  if (l && v.size() > 1 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0])
    v = v.substr(1, v.size() - 2);
  if (v.size() > maxChars) v.resize(maxChars);
  return v;
}

int32_t IniFile::ParseInt(const std::string& text, int32_t def) {
  size_t i = 0;
  while (i < text.size() && (IsBlank(text[i]) || text[i] == '\r' || text[i] == '\n')) ++i;
  if (i >= text.size()) return def;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') {
    negative = text[i] == '-';
    ++i;
  }
  unsigned base = 10;
  if (i + 1 < text.size() && text[i] == '0') {
    char p = Lower(text[i + 1]);
    if (p == 'x') base = 16;
    if (p == 'o') base = 8;
    if (p == 'b') base = 2;
    if (base != 10) i += 2;
  }
  uint32_t value = 0;  // wraps like the platform's conversion
  for (; i < text.size(); ++i) {
    int d = HexValue(text[i]);
    if (d < 0 || static_cast<unsigned>(d) >= base) break;
    value = value * base + static_cast<uint32_t>(d);
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

int32_t IniFile::GetInt(const std::string& section, const std::string& key, int32_t def) const {
  std::string v = GetString(section, key, "");
  if (v.empty()) return def;
  return ParseInt(v, def);
}

std::string IniFile::EncodeStruct(const void* buffer, size_t size) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(size * 2 + 2);
  const auto* p = static_cast<const uint8_t*>(buffer);
  uint8_t sum = 0;
  for (size_t i = 0; i < size; ++i) {
    out += kHex[p[i] >> 4];
    out += kHex[p[i] & 15];
    sum = static_cast<uint8_t>(sum + p[i]);
  }
  out += kHex[sum >> 4];
  out += kHex[sum & 15];
  return out;
}

bool IniFile::DecodeStruct(const std::string& text, void* buffer, size_t size) {
  if (text.size() != (size + 1) * 2) return false;
  std::vector<uint8_t> bytes(size + 1);
  uint8_t sum = 0;
  for (size_t i = 0; i <= size; ++i) {
    int hi = HexValue(text[2 * i]), lo = HexValue(text[2 * i + 1]);
    if (hi < 0 || lo < 0) return false;
    bytes[i] = static_cast<uint8_t>(hi * 16 + lo);
    if (i < size) sum = static_cast<uint8_t>(sum + bytes[i]);
  }
  if (bytes[size] != sum) return false;
  if (size) std::memcpy(buffer, bytes.data(), size);
  return true;
}

bool IniFile::GetStruct(const std::string& section, const std::string& key, void* buffer,
                        size_t size) const {
  const Line* l = FindKey(section, key);
  return l && DecodeStruct(l->value, buffer, size);
}

void IniFile::SetString(const std::string& section, const std::string& key,
                        const std::string& value) {
  const std::string sectionName = OneLine(section);
  const std::string keyName = OneLine(key.substr(0, key.find('=')));
  if (keyName.empty()) return;
  edits_.push_back(Edit{Edit::kSet, sectionName, keyName, value});
  Section* s = FindSection(sectionName);
  if (!s) {
    Section fresh;
    fresh.name = sectionName;
    sections_.push_back(std::move(fresh));
    s = &sections_.back();
  }
  for (Line& l : s->lines) {
    if (!l.key.empty() && EqualIgnoringCase(l.key, keyName)) {
      l.value = OneLine(value);
      return;
    }
  }
  // New keys go after the section's last key, before any trailing blank lines.
  size_t at = s->lines.size();
  while (at > 0 && s->lines[at - 1].key.empty() && TrimSpaces(s->lines[at - 1].raw).empty()) --at;
  Line fresh;
  fresh.key = keyName;
  fresh.value = OneLine(value);
  s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(fresh));
}

void IniFile::SetInt(const std::string& section, const std::string& key, int32_t value) {
  SetString(section, key, std::to_string(value));
}

void IniFile::SetStruct(const std::string& section, const std::string& key, const void* buffer,
                        size_t size) {
  SetString(section, key, EncodeStruct(buffer, size));
}

void IniFile::RemoveKey(const std::string& section, const std::string& key) {
  edits_.push_back(Edit{Edit::kRemoveKey, section, key, {}});
  Section* s = FindSection(section);
  if (!s) return;
  for (auto it = s->lines.begin(); it != s->lines.end(); ++it) {
    if (!it->key.empty() && EqualIgnoringCase(it->key, key)) {
      s->lines.erase(it);
      return;
    }
  }
}

void IniFile::RemoveSection(const std::string& section) {
  edits_.push_back(Edit{Edit::kRemoveSection, section, {}, {}});
  for (auto it = sections_.begin(); it != sections_.end(); ++it) {
    if (it->header && EqualIgnoringCase(it->name, section)) {
      sections_.erase(it);
      return;
    }
  }
}

std::vector<std::string> IniFile::SectionNames() const {
  std::vector<std::string> names;
  for (const Section& s : sections_)
    if (s.header) names.push_back(s.name);
  return names;
}

std::vector<std::string> IniFile::KeyNames(const std::string& section) const {
  std::vector<std::string> names;
  if (const Section* s = FindSection(section))
    for (const Line& l : s->lines)
      if (!l.key.empty()) names.push_back(l.key);
  return names;
}

}  // namespace vextra
