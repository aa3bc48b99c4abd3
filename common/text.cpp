#include "common/text.h"

namespace vextra {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string TrimSpaces(const std::string& text) {
  size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  return text.substr(b, e - b);
}

std::string ToLowerAscii(std::string text) {
  for (char& c : text) c = LowerAscii(c);
  return text;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  return EqualIgnoringCase(TrimSpaces(a), TrimSpaces(b));
}

bool ContainsIgnoringCase(const std::string& text, const std::string& part) {
  return ToLowerAscii(text).find(ToLowerAscii(part)) != std::string::npos;
}

}  // namespace vextra
