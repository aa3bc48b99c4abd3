#include "common/function_catalogue.h"

namespace vextra {
namespace {
constexpr uint8_t kDefaultCodes[24] = {
    1, 2,  3,  7, 65, 9,  10, 13, 14, 21, 22, 26,   // normal layer
    8, 7, 37,  6,  0, 33, 34, 38, 39, 17, 18, 27};  // Tanshift layer
}  // namespace

uint8_t DefaultFunctionCode(int slot) {
  return (slot >= 0 && slot < 24) ? kDefaultCodes[slot] : 0;
}

}  // namespace vextra
