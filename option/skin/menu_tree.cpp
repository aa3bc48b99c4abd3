#include "option/skin/menu_tree.h"

namespace vextra {

const MenuItem* FindMenuItem(const std::vector<MenuItem>& items, int id) {
  for (const MenuItem& item : items) {
    if (item.separator) continue;
    if (item.children.empty()) {
      if (item.id == id) return &item;
    } else if (const MenuItem* found = FindMenuItem(item.children, id)) {
      return found;
    }
  }
  return nullptr;
}

}  // namespace vextra
