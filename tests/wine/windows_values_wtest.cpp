// The Windows mouse values against the real registry and system parameters:
// a profile written by the store lands in the user's registry, reads back
// unchanged, and ApplyWindowsValues makes it live.
#include <windows.h>

#include <memory>
#include <string>

#include "common/settings_block.h"
#include "common/win32/registry_win.h"
#include "common/win32/windows_values_apply_win.h"
#include "common/windows_values.h"
#include "tests/wine/wine_check.h"

using namespace vextra;

namespace {
std::string RegText(const char* subkey, const char* name) {
  char value[80] = {};
  DWORD size = sizeof value, type = 0;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
  LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS && type == REG_SZ ? std::string(value) : "<none>";
}
}  // namespace

int main() {
  WinRegistry registry;
  auto p = std::make_unique<ProfileRecord>();
  ResetProfile(*p, 0);
  p->DbleClickSpeed = 640;
  p->MouseSpeed = 13;
  p->MouseTrails = 4;
  p->AccelerationFlag = 1;
  p->Acceleration = 8;  // row 8: 1, 6, 0
  p->ScrollWheelSpeed = 7;
  p->TiltSpeed = 5;
  WCHECK_EQ(WriteWindowsValues(*p, registry), 1);
  WCHECK_EQ(RegText("Control Panel\\Mouse", "DoubleClickSpeed"), std::string("640"));
  WCHECK_EQ(RegText("Control Panel\\Mouse", "MouseSensitivity"), std::string("13"));
  WCHECK_EQ(RegText("Control Panel\\Mouse", "MouseSpeed"), std::string("1"));
  WCHECK_EQ(RegText("Control Panel\\Mouse", "MouseThreshold1"), std::string("6"));
  WCHECK_EQ(RegText("Control Panel\\Mouse", "MouseThreshold2"), std::string("0"));
  WCHECK_EQ(RegText("Control Panel\\Desktop", "WheelScrollLines"), std::string("7"));
  WCHECK_EQ(RegText("Control Panel\\Desktop", "WheelScrollChars"), std::string("5"));

  auto back = std::make_unique<ProfileRecord>();
  ResetProfile(*back, 1);
  WCHECK_EQ(ReadWindowsValues(*back, registry), 1);
  WCHECK_EQ(back->DbleClickSpeed, 640);
  WCHECK_EQ(back->MouseSpeed, 13);
  WCHECK_EQ(back->MouseTrails, 4);
  WCHECK_EQ(back->Acceleration, 8);
  WCHECK_EQ(back->AccelerationFlag, 1);
  WCHECK_EQ(back->ScrollWheelSpeed, 7);
  WCHECK_EQ(back->ScrollWheelFlag, 0);
  WCHECK_EQ(back->TiltSpeed, 5);

  ApplyWindowsValues(*p, registry, nullptr);
  WCHECK_EQ(GetDoubleClickTime(), 640u);
  int mouse[3] = {};
  SystemParametersInfoA(SPI_GETMOUSE, 0, mouse, 0);
  WCHECK_EQ(mouse[0], 6);
  WCHECK_EQ(mouse[1], 0);
  WCHECK_EQ(mouse[2], 1);
  UINT lines = 0, chars = 0, trails = 0;
  int speed = 0;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  SystemParametersInfoA(SPI_GETWHEELSCROLLCHARS, 0, &chars, 0);
  SystemParametersInfoA(SPI_GETMOUSETRAILS, 0, &trails, 0);
  SystemParametersInfoA(SPI_GETMOUSESPEED, 0, &speed, 0);
  WCHECK_EQ(lines, 7u);
  WCHECK_EQ(chars, 5u);
  WCHECK_EQ(trails, 4u);
  WCHECK_EQ(speed, 13);

  // Acceleration off: the apply zeroes the three mouse values everywhere.
  p->AccelerationFlag = 0;
  p->ScrollWheelFlag = 1;
  ApplyWindowsValues(*p, registry, nullptr);
  SystemParametersInfoA(SPI_GETMOUSE, 0, mouse, 0);
  WCHECK(mouse[0] == 0 && mouse[1] == 0 && mouse[2] == 0);
  WCHECK_EQ(p->Acceleration, 0);
  WCHECK_EQ(RegText("Control Panel\\Mouse", "MouseSpeed"), std::string("0"));
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  WCHECK_EQ(lines, 0xFFFFFFFFu);
  return wine_check::Finish();
}
