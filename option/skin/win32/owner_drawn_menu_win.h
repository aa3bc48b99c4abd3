// An owner-drawn popup menu made from a menu tree: every item drawn in the
// look's font and width on the skin's dark ground, checked items with a mark,
// submenus with an arrow. The window that tracks it must hand its
// WM_MEASUREITEM and WM_DRAWITEM to Handle (skinned dialogs do).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "option/skin/menu_tree.h"
#include "option/skin/win32/skin_gdi_win.h"

namespace vextra {

class OwnerDrawnMenu {
 public:
  OwnerDrawnMenu(std::vector<MenuItem> items, MenuLook look);
  ~OwnerDrawnMenu();
  OwnerDrawnMenu(const OwnerDrawnMenu&) = delete;
  OwnerDrawnMenu& operator=(const OwnerDrawnMenu&) = delete;

  // Shows the menu with its top-left corner at `at` (screen) and returns the
  // chosen command id, 0 when none was chosen.
  int Track(HWND owner, POINT at);
  HMENU handle() const { return menu_; }

  // For the owner's window procedure while a menu is tracked.
  static bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

 private:
  struct Entry {
    const MenuItem* item;
    int width;
  };
  HMENU Build(const std::vector<MenuItem>& items, int width);
  void Measure(MEASUREITEMSTRUCT& m) const;
  void Draw(const DRAWITEMSTRUCT& d) const;

  std::vector<MenuItem> items_;
  MenuLook look_;
  HMENU menu_ = nullptr;
  std::vector<Entry> entries_;  // indexed by the item data
  OwnedFont font_;
  static OwnerDrawnMenu* tracking_;
};

}  // namespace vextra
