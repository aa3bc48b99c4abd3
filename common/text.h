// Small text rules shared by the stores and the Monitor. Letters are compared
// and lowered as ASCII, the way file, key and program names are matched here.
#pragma once

#include <string>

namespace vextra {

// Blanks (spaces and tabs) cut from both ends.
std::string TrimSpaces(const std::string& text);
std::string ToLowerAscii(std::string text);
bool EqualIgnoringCase(const std::string& a, const std::string& b);
// Both names with their blanks trimmed, then compared ignoring case.
bool SameNameIgnoringCase(const std::string& a, const std::string& b);
bool ContainsIgnoringCase(const std::string& text, const std::string& part);

}  // namespace vextra
