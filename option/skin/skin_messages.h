// Message numbers, ids and fixed texts of the skinned controls, shared by the
// controls and by every page that listens to them. No Windows header needed.
#pragma once

namespace vextra {

constexpr unsigned kWmUser = 1024;  // WM_USER

// wParam new value, lParam control id; to the slider's parent.
constexpr unsigned WM_SLIDER_CHANGED = 1094;
// wParam new value, lParam control id; to the spin edit's parent.
constexpr unsigned WM_SPIN_CHANGED = 1114;
// wParam 0 = text changed, 13 = Enter released; to the edit's parent.
constexpr unsigned WM_EDIT_CHANGED = 1116;
// wParam 1 = mouse entered, 0 = left; to the button's parent.
constexpr unsigned WM_BUTTON_HOVER = 1124;
// wParam 1 = show HoverHelpText, 0 = it was cleared; to the main window.
constexpr unsigned WM_HOVER_HELP = 1125;

// Registered message a CBitmapEdit posts to its parent when it loses the focus.
constexpr char kBitmapEditKillFocusMessage[] = "BitmapEdit_KillFocus";

// Undocumented message a popup menu window receives while it is set up.
constexpr unsigned kMenuSetupMessage = 482;
constexpr char kPopupMenuClass[] = "#32768";
constexpr char kCoolMenuOldProcProperty[] = "CoolMenu_oldProc";

// The edit inside every CSpinEdit.
constexpr int kSpinEditFieldId = 401;

// Layout strings of the confirmation dialogs' button rows.
constexpr char kConfirmOkLayout[] = "BUTTON_OK,72,200,56,24,";
constexpr char kConfirmCancelLayout[] = "BUTTON_CANCEL,136,200,100,24,";
constexpr char kConfirmExitLayout[] = "BUTTON_EXIT,274,3,26,22,";
constexpr char kConfirmLowOkLayout[] = "BUTTON_OK,72,170,56,24,";
constexpr char kConfirmLowCancelLayout[] = "BUTTON_CANCEL,136,170,100,24,";

}  // namespace vextra
