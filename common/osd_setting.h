// The on-screen-display settings record. Its fields mean something only to
// the outside display program; this system stores it, restores its defaults
// and forwards the words at 28 and 32.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vextra {

#pragma pack(push, 1)
struct OSDSetting {
  uint8_t Options[28];  // flag and option bytes
  int32_t Value28;
  int32_t Value32;
  char Text36[100];
  int32_t Value136;
  char Text140[100];
  char Text240[100];
  int32_t Value340;
};
#pragma pack(pop)

static_assert(sizeof(OSDSetting) == 344, "OSDSetting size");
static_assert(offsetof(OSDSetting, Options) == 0, "");
static_assert(offsetof(OSDSetting, Value28) == 28, "");
static_assert(offsetof(OSDSetting, Value32) == 32, "");
static_assert(offsetof(OSDSetting, Text36) == 36, "");
static_assert(offsetof(OSDSetting, Value136) == 136, "");
static_assert(offsetof(OSDSetting, Text140) == 140, "");
static_assert(offsetof(OSDSetting, Text240) == 240, "");
static_assert(offsetof(OSDSetting, Value340) == 340, "");

// All zero except Value136 = 110 and Value340 = 5.
OSDSetting DefaultOSDSetting();

// The record in config.ini, section "config", key "OSDSetting". An absent or
// damaged record (wrong length, bad checksum) gives the defaults and false;
// the strings are always terminated.
bool ReadOSDSetting(const std::string& configPath, OSDSetting& setting);
// Stores the record; the file's other keys stay. False when it could not be written.
bool WriteOSDSetting(const std::string& configPath, const OSDSetting& setting);

}  // namespace vextra
