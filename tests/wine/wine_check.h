// Minimal checks for the test programs that run under Wine.
#pragma once

#include <string>

namespace wine_check {
void Record(bool ok, const char* expr, const char* file, int line, const std::string& detail = "");
int Finish();  // prints the summary; returns the process exit code
}  // namespace wine_check

#define WCHECK(expr) ::wine_check::Record((expr), #expr, __FILE__, __LINE__)
#define WCHECK_EQ(a, b)                                                                   \
  do {                                                                                    \
    auto wc_a_ = (a);                                                                     \
    auto wc_b_ = (b);                                                                     \
    ::wine_check::Record(wc_a_ == wc_b_, #a " == " #b, __FILE__, __LINE__,                \
                         ::wine_check::Show(wc_a_) + " vs " + ::wine_check::Show(wc_b_)); \
  } while (0)

namespace wine_check {
inline std::string Show(const std::string& s) { return "\"" + s + "\""; }
inline std::string Show(const char* s) { return s ? Show(std::string(s)) : "(null)"; }
template <typename T>
std::string Show(const T& v) { return std::to_string(v); }
}  // namespace wine_check
