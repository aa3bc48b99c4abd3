// Companion devices that can take part in the shift function, kept in
// "DeviceInfo.ini" in the program folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vextra {

constexpr int kMaxDeviceInfos = 100;
constexpr int kDeviceNameSize = 20;  // 19 characters and the terminating zero

struct DeviceInfoEntry {
  uint16_t VID = 0;
  uint16_t PID = 0;
  char Name[kDeviceNameSize] = {};
  int32_t CPI[5] = {0, 0, 0, 0, 0};

  // Keeps at most 19 characters, always terminated.
  void SetName(const std::string& name);
};

// At most 100 entries, one per product id when filled through AddOrUpdate.
class DeviceInfoList {
 public:
  // Replaces the entry with the same product id, else appends one. False when
  // the list is full and holds no entry for that product id.
  bool AddOrUpdate(const DeviceInfoEntry& entry);
  // The first entry with this product id, or null.
  const DeviceInfoEntry* FindByProductId(uint16_t pid) const;
  void Clear() { entries_.clear(); }
  int Count() const { return static_cast<int>(entries_.size()); }
  const std::vector<DeviceInfoEntry>& entries() const { return entries_; }

  // Reads the file into the list, replacing its content. A missing file or
  // "Count" gives an empty list; entries beyond 100 are not kept. False when
  // the file could not be read.
  bool Load(const std::string& path);
  // Writes "Count" and one "Device%d" section per entry; the file's other
  // keys stay. False when the file could not be written.
  bool Save(const std::string& path) const;

 private:
  std::vector<DeviceInfoEntry> entries_;
};

}  // namespace vextra
