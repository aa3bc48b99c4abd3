// A popup menu as data: what the pages build (the function, set and timer
// menus) and the toolkit turns into an owner-drawn menu. No Windows header.
#pragma once

#include <string>
#include <vector>

namespace vextra {

struct MenuItem {
  int id = 0;            // the command the item returns; unused for submenus and separators
  std::string text;
  bool checked = false;
  bool separator = false;
  std::vector<MenuItem> children;  // a submenu when not empty

  static MenuItem Command(int id, std::string text, bool checked = false) {
    MenuItem m;
    m.id = id;
    m.text = std::move(text);
    m.checked = checked;
    return m;
  }
  static MenuItem Separator() {
    MenuItem m;
    m.separator = true;
    return m;
  }
  static MenuItem Submenu(std::string text, std::vector<MenuItem> children) {
    MenuItem m;
    m.text = std::move(text);
    m.children = std::move(children);
    return m;
  }
};

// How the items are drawn: the font and the width of a (sub)menu.
struct MenuLook {
  const char* face = "Arial";
  int fontHeight = 14;
  int fontWidth = 5;
  int width = 140;         // of the top menu and of submenus without their own
  int submenuWidth = 0;    // 0: the same as `width`
  int itemHeight = 18;
  int separatorHeight = 7;
};

// The item with this command id anywhere in the tree, or none.
const MenuItem* FindMenuItem(const std::vector<MenuItem>& items, int id);

}  // namespace vextra
