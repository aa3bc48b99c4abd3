#include "option/skin/layout.h"

#include <algorithm>
#include <cstring>

namespace vextra {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// One "%d" conversion: blanks, optional sign, digits. Saturates instead of
// overflowing; returns false when there is no digit.
bool ReadInt(const char*& p, int64_t& out) {
  while (IsBlank(*p) || *p == '\r' || *p == '\n') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  if (*p < '0' || *p > '9') return false;
  int64_t value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) value = std::min<int64_t>(value * 10 + (*p - '0'), INT32_MAX + int64_t{1});
  out = negative ? -value : value;
  return true;
}

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

void CopyCut(char* out, size_t capacity, const char* begin, const char* end) {
  size_t n = std::min(static_cast<size_t>(end - begin), capacity - 1);
  std::memcpy(out, begin, n);
  out[n] = '\0';
}

}  // namespace

int ParseLayout(const char* layout, LayoutEntry& entry) {
  std::memset(&entry, 0, sizeof entry);
  if (!layout) return 0;
  const char* end = layout + std::strlen(layout);
  const char* firstComma = std::strchr(layout, ',');
  CopyCut(entry.name, sizeof entry.name, layout, firstComma ? firstComma : end);
  if (!firstComma) return 1;

  // As "%d,%d,%d,%d": stops at the first field that does not convert.
  int64_t values[4] = {0, 0, 0, 0};
  const char* p = firstComma + 1;
  for (int i = 0; i < 4; ++i) {
    if (i > 0) {
      if (*p != ',') break;
      ++p;
    }
    if (!ReadInt(p, values[i])) break;
  }
  entry.left = Clamp32(values[0]);
  entry.top = Clamp32(values[1]);
  entry.right = Clamp32(values[2] + entry.left);
  entry.bottom = Clamp32(values[3] + entry.top);

  const char* help = std::strrchr(layout, ',') + 1;
  const char* helpEnd = end;
  while (help < helpEnd && IsBlank(*help)) ++help;
  while (helpEnd > help && IsBlank(helpEnd[-1])) --helpEnd;
  CopyCut(entry.help, sizeof entry.help, help, helpEnd);
  return 1;
}

}  // namespace vextra
