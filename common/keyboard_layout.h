// The active keyboard layout as the key conversions need it.
#pragma once

namespace vextra {

class KeyboardLayout {
 public:
  virtual ~KeyboardLayout() = default;
  // Scan code -> side-independent virtual key (MapVirtualKeyA mode 3 on Windows).
  virtual unsigned ScanToVirtualKey(unsigned scan) const = 0;
  // Virtual key -> scan code (mode 0).
  virtual unsigned VirtualKeyToScan(unsigned virtualKey) const = 0;
};

// The US layout: each key table row's scan code gives the row's own key.
class UsKeyboardLayout : public KeyboardLayout {
 public:
  unsigned ScanToVirtualKey(unsigned scan) const override;
  unsigned VirtualKeyToScan(unsigned virtualKey) const override;
};

}  // namespace vextra
