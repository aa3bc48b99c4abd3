// The user-interface language index (0..16) chosen from the system language.
#pragma once

#include <cstdint>

namespace vextra {

// Maps a Windows language identifier to the index of its text library:
// 0 Danish, 1 English (and every language without a library), 2 Finnish,
// 3 French, 4 German, 5 Italian, 6 Japanese, 7 Korean, 8 Polish, 9 Russian,
// 10 Simplified Chinese, 11 Spanish, 12 Swedish, 13 Thai, 14 Traditional
// Chinese, 15 Turkish, 16 Vietnamese.
int32_t SystemLanguageIndex(uint16_t languageId);

}  // namespace vextra
