#include "common/win32/windows_values_apply_win.h"

#include "common/windows_values.h"

namespace vextra {
namespace {

// Negative values (-1 wheel lines = one page) pass through as their UINT form.
UINT AsUint(int32_t value) { return static_cast<UINT>(value); }

void SetAndAnnounce(UINT action, int32_t value) {
  SystemParametersInfoA(action, AsUint(value), nullptr, SPIF_SENDCHANGE);
  PostMessageA(HWND_BROADCAST, WM_SETTINGCHANGE, action, 0);
}

}  // namespace

void ApplyWindowsValues(ProfileRecord& profile, Registry& registry, HWND monitorWindow) {
  const WindowsApplyPlan plan = PlanWindowsApply(profile, registry);

  SetDoubleClickTime(AsUint(plan.DoubleClickTime));

  if (plan.SetMouse) {
    int mouse[3] = {plan.Mouse[0], plan.Mouse[1], plan.Mouse[2]};
    SystemParametersInfoA(SPI_SETMOUSE, 0, mouse, SPIF_SENDCHANGE);
    if (monitorWindow) SendMessageA(monitorWindow, WM_SETTINGCHANGE, SPI_SETMOUSE, 0);
  }

  // Windows takes the speed from pvParam, Wine from uiParam: give it in both.
  SystemParametersInfoA(SPI_SETMOUSESPEED, AsUint(plan.PointerSpeed),
                        reinterpret_cast<PVOID>(static_cast<INT_PTR>(plan.PointerSpeed)),
                        SPIF_SENDCHANGE);
  PostMessageA(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETMOUSESPEED, 0);

  SetAndAnnounce(SPI_SETWHEELSCROLLLINES, plan.WheelScrollLines);
  SetAndAnnounce(SPI_SETWHEELSCROLLCHARS, plan.WheelScrollChars);
  SetAndAnnounce(SPI_SETMOUSETRAILS, plan.MouseTrails);
}

}  // namespace vextra
