// The language libraries "help\<Language>_help.dll": which file serves which
// user-interface language index (`QuickHelpLan`), and the Windows language
// their string table is tagged with. The build reads this table too, so the
// list of libraries exists only here.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vextra {

struct HelpLibrary {
  const char* file;     // file name inside the "help" folder
  uint16_t languageId;  // Windows language identifier of its string table
};

constexpr size_t kHelpLanguageCount = 17;
constexpr int32_t kHelpEnglishIndex = 1;

inline constexpr HelpLibrary kHelpLibraries[kHelpLanguageCount] = {
    {"Danish_help.dll", 0x0406},        // 0
    {"English_help.dll", 0x0409},       // 1
    {"Finnish_help.dll", 0x040B},       // 2
    {"French_help.dll", 0x040C},        // 3
    {"German_help.dll", 0x0407},        // 4
    {"Italian_help.dll", 0x0410},       // 5
    {"Japanese_help.dll", 0x0411},      // 6
    {"Korean_help.dll", 0x0412},        // 7
    {"Polish_help.dll", 0x0415},        // 8
    {"Russian_help.dll", 0x0419},       // 9
    {"SimplChinese_help.dll", 0x0804},  // 10
    {"Spanish_help.dll", 0x0C0A},       // 11
    {"Swedish_help.dll", 0x041D},       // 12
    {"Thai_help.dll", 0x041E},          // 13
    {"TradChinese_help.dll", 0x0404},   // 14
    {"Turkish_help.dll", 0x041F},       // 15
    {"Vietnamese_help.dll", 0x042A},    // 16
};

// The library for a language index; anything outside 0..16 (a missing or
// damaged setting reads as -1) falls back to English.
constexpr const char* HelpLibraryFile(int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < kHelpLanguageCount
             ? kHelpLibraries[index].file
             : kHelpLibraries[kHelpEnglishIndex].file;
}

}  // namespace vextra
