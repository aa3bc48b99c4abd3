#include "option/skin/number_field.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace vextra {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int Digits(int64_t v) {
  if (v < 0) v = -v;
  int n = 1;
  while (v >= 10) {
    v /= 10;
    ++n;
  }
  return n;
}

int Clamp(int64_t v, int lo, int hi) { return static_cast<int>(std::clamp<int64_t>(v, lo, hi)); }

}  // namespace

std::string KeepLeadingDigits(const std::string& text, bool signAllowed) {
  const char* allowed = signAllowed ? "0123456789-+" : "0123456789";
  size_t n = text.find_first_not_of(allowed);
  return n == std::string::npos ? text : text.substr(0, n);
}

bool IsNumberFieldKey(unsigned vk) {
  if (vk >= '0' && vk <= '9') return true;
  if (vk >= 0x60 && vk <= 0x69) return true;  // keypad 0-9
  switch (vk) {
    case 0x08:  // Backspace
    case 0x0D:  // Enter
    case 0x23:  // End
    case 0x24:  // Home
    case 0x25:  // Left
    case 0x27:  // Right
    case 0x2E:  // Delete
    case 187:   // = / + of the main keyboard
    case 189:   // - of the main keyboard
      return true;
    default:
      return false;
  }
}

int TextToInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) value = std::min<int64_t>(value * 10 + (text[i] - '0'), int64_t{1} << 32);
  return Clamp(negative ? -value : value, INT32_MIN, INT32_MAX);
}

int SpinTextLimit(int minimum, int maximum) {
  // The wider bound decides, so that a range like -10 ... -1 still fits "-10".
  return std::max(Digits(maximum), Digits(minimum)) + (minimum < 0 ? 1 : 0);
}

SpinTextOutcome SpinTextChanged(const std::string& text, int minimum, int maximum, bool enter) {
  if (minimum > maximum) std::swap(minimum, maximum);
  // From the first sign or non-zero digit on (this drops leading zeros), then
  // digits only, with a sign kept only in front.
  size_t start = text.find_first_of("-+123456789");
  std::string kept;
  if (start != std::string::npos) {
    for (size_t i = start; i < text.size(); ++i) {
      const char c = text[i];
      if (IsDigit(c) || (i == start && (c == '-' || c == '+'))) kept += c;
    }
  }
  SpinTextOutcome out;
  int64_t v = std::min(TextToInt(kept), maximum);
  if (enter) {
    v = std::clamp<int64_t>(v, minimum, maximum);
    out.text = std::to_string(v);
    out.rewrite = out.text != text;
  } else if (!text.empty()) {
    if (v == 0 && v < minimum) v = minimum;
    if (text != "-" && text != "+") {
      out.text = std::to_string(v);
      out.rewrite = out.text != text;
    }
  }
  out.value = static_cast<int>(v);
  out.notify = out.value >= minimum;
  return out;
}

std::optional<int> SpinStepUp(const std::string& text, int minimum, int maximum, int step) {
  if (minimum > maximum) std::swap(minimum, maximum);
  const int v = TextToInt(text);
  if (v > maximum) return std::nullopt;
  return Clamp(int64_t{v} + step, minimum, maximum);
}

std::optional<int> SpinStepDown(const std::string& text, int minimum, int maximum, int step) {
  if (minimum > maximum) std::swap(minimum, maximum);
  const int v = TextToInt(text);
  if (v < minimum) return std::nullopt;
  return Clamp(int64_t{v} - step, minimum, maximum);
}

}  // namespace vextra
