#include "option/skin/win32/owner_drawn_menu_win.h"

namespace vextra {

OwnerDrawnMenu* OwnerDrawnMenu::tracking_ = nullptr;

namespace {
constexpr COLORREF kGround = RGB(20, 20, 20);
constexpr COLORREF kSelected = RGB(53, 160, 222);
constexpr COLORREF kText = RGB(200, 200, 200);
constexpr COLORREF kSelectedText = RGB(255, 255, 255);
constexpr COLORREF kLine = RGB(70, 70, 70);
}  // namespace

OwnerDrawnMenu::OwnerDrawnMenu(std::vector<MenuItem> items, MenuLook look)
    : items_(std::move(items)), look_(look) {
  font_ = MakeFont(look_.face, look_.fontHeight, look_.fontWidth);
  menu_ = Build(items_, look_.width);
}

OwnerDrawnMenu::~OwnerDrawnMenu() {
  if (tracking_ == this) tracking_ = nullptr;
  if (menu_) DestroyMenu(menu_);  // submenus go with it
}

HMENU OwnerDrawnMenu::Build(const std::vector<MenuItem>& items, int width) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return nullptr;
  const int childWidth = look_.submenuWidth > 0 ? look_.submenuWidth : look_.width;
  for (const MenuItem& item : items) {
    const ULONG_PTR data = entries_.size();
    entries_.push_back(Entry{&item, width});
    UINT flags = MF_OWNERDRAW;
    UINT_PTR idOrMenu = static_cast<UINT_PTR>(item.id);
    if (item.separator) {
      flags |= MF_SEPARATOR;
      idOrMenu = 0;
    } else if (!item.children.empty()) {
      HMENU sub = Build(item.children, childWidth);
      if (!sub) continue;
      flags |= MF_POPUP;
      idOrMenu = reinterpret_cast<UINT_PTR>(sub);
    } else if (item.checked) {
      flags |= MF_CHECKED;
    }
    AppendMenuA(menu, flags, idOrMenu, reinterpret_cast<LPCSTR>(data));
  }
  return menu;
}

int OwnerDrawnMenu::Track(HWND owner, POINT at) {
  if (!menu_) return 0;
  OwnerDrawnMenu* previous = tracking_;
  tracking_ = this;
  const int chosen = static_cast<int>(
      TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTBUTTON, at.x, at.y,
                     0, owner, nullptr));
  tracking_ = previous;
  return chosen;
}

bool OwnerDrawnMenu::Handle(UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
  if (!tracking_) return false;
  if (message == WM_MEASUREITEM) {
    auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (m->CtlType != ODT_MENU) return false;
    tracking_->Measure(*m);
    *result = TRUE;
    return true;
  }
  if (message == WM_DRAWITEM) {
    const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (d->CtlType != ODT_MENU) return false;
    tracking_->Draw(*d);
    *result = TRUE;
    return true;
  }
  return false;
}

void OwnerDrawnMenu::Measure(MEASUREITEMSTRUCT& m) const {
  if (m.itemData >= entries_.size()) return;
  const Entry& e = entries_[m.itemData];
  m.itemWidth = static_cast<UINT>(e.width);
  m.itemHeight = static_cast<UINT>(e.item->separator ? look_.separatorHeight : look_.itemHeight);
}

void OwnerDrawnMenu::Draw(const DRAWITEMSTRUCT& d) const {
  if (d.itemData >= entries_.size()) return;
  const MenuItem& item = *entries_[d.itemData].item;
  RECT r = d.rcItem;
  const bool selected = (d.itemState & ODS_SELECTED) && !item.separator;
  OwnedBrush ground(CreateSolidBrush(selected ? kSelected : kGround));
  FillRect(d.hDC, &r, ground.get());
  if (item.separator) {
    OwnedBrush line(CreateSolidBrush(kLine));
    RECT l{r.left + 4, (r.top + r.bottom) / 2, r.right - 4, (r.top + r.bottom) / 2 + 1};
    FillRect(d.hDC, &l, line.get());
    return;
  }
  SelectIn font(d.hDC, font_.get());
  SetBkMode(d.hDC, TRANSPARENT);
  SetTextColor(d.hDC, selected ? kSelectedText : kText);
  if (item.checked) {
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 2, selected ? kSelectedText : kText));
    SelectIn in(d.hDC, pen.get());
    const int y = (r.top + r.bottom) / 2;
    const POINT tick[3] = {{r.left + 5, y}, {r.left + 8, y + 3}, {r.left + 14, y - 4}};
    Polyline(d.hDC, tick, 3);
  }
  RECT text{r.left + 18, r.top, r.right - 14, r.bottom};
  DrawTextA(d.hDC, item.text.c_str(), static_cast<int>(item.text.size()), &text,
            DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
  // A submenu's arrow is drawn by the system after this.
}

}  // namespace vextra
