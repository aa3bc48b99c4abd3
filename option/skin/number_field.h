// Text rules of the number fields: the digits-only filter of CBitmapEdit and
// what CSpinEdit makes of its text when it changes, when Enter is released
// and when an arrow is clicked.
#pragma once

#include <optional>
#include <string>

namespace vextra {

// The leading run of "0123456789" (plus "-+" when signs are allowed).
std::string KeepLeadingDigits(const std::string& text, bool signAllowed);

// Virtual keys a digits-only edit lets through: 0-9, keypad 0-9, Backspace,
// Enter, End, Home, Left, Right, Delete and the main keyboard's plus/minus.
bool IsNumberFieldKey(unsigned virtualKey);

// Integer value of a text the way atoi reads it (blanks, sign, digits up to
// the first other character), saturated to the int range.
int TextToInt(const std::string& text);

// Characters a spin edit's field may hold: the digits of the wider bound plus
// one for the sign when the minimum is negative.
int SpinTextLimit(int minimum, int maximum);

struct SpinTextOutcome {
  int value = 0;
  bool rewrite = false;  // replace the field's text by `text`
  std::string text;
  bool notify = false;  // post WM_SPIN_CHANGED
};

// The field's text changed (enter = false) or Enter was released (enter = true).
SpinTextOutcome SpinTextChanged(const std::string& text, int minimum, int maximum, bool enter);

// The arrows: the new value, or none when the text's value is already past
// the bound in that direction.
std::optional<int> SpinStepUp(const std::string& text, int minimum, int maximum, int step);
std::optional<int> SpinStepDown(const std::string& text, int minimum, int maximum, int step);

}  // namespace vextra
