#include "common/language.h"

namespace vextra {
namespace {
struct LanguageRow {
  uint16_t id;
  int8_t index;
};
constexpr LanguageRow kLanguages[] = {
    {1030, 0},  {1035, 2},  {1036, 3},  {2060, 3},  {3084, 3},  {4108, 3},  {5132, 3},
    {1031, 4},  {2055, 4},  {3079, 4},  {4103, 4},  {5127, 4},  {1040, 5},  {2064, 5},
    {1041, 6},  {1042, 7},  {1045, 8},  {1049, 9},  {2052, 10}, {1034, 11}, {2058, 11},
    {3082, 11}, {4106, 11}, {5130, 11}, {6154, 11}, {7178, 11}, {8202, 11}, {9226, 11},
    {10250, 11}, {11274, 11}, {12298, 11}, {13322, 11}, {14346, 11}, {15370, 11},
    {16394, 11}, {17418, 11}, {18442, 11}, {19466, 11}, {20490, 11}, {1053, 12},
    {1054, 13}, {1028, 14}, {1055, 15}, {1066, 16},
};
}  // namespace

int32_t SystemLanguageIndex(uint16_t languageId) {
  for (const LanguageRow& row : kLanguages)
    if (row.id == languageId) return row.index;
  return 1;
}

}  // namespace vextra
