#include "tests/wine/wine_check.h"

#include <cstdio>

namespace wine_check {
namespace {
int passed = 0;
int failed = 0;
}  // namespace

void Record(bool ok, const char* expr, const char* file, int line, const std::string& detail) {
  if (ok) {
    ++passed;
    return;
  }
  ++failed;
  std::printf("FAIL %s:%d: %s %s\n", file, line, expr, detail.c_str());
  std::fflush(stdout);
}

int Finish() {
  std::printf("%d passed, %d failed\n", passed, failed);
  std::fflush(stdout);
  return failed == 0 && passed > 0 ? 0 : 1;
}
}  // namespace wine_check
