#include "option/skin/button_look.h"

namespace vextra {

ButtonImage ChooseButtonImage(const ButtonLook& look) {
  if (look.toggle) {
    if (!look.enabled) return ButtonImage::kDisabled;
    if (look.latched) return ButtonImage::kPressed;
    return look.hovered ? ButtonImage::kHover : ButtonImage::kNormal;
  }
  if (look.latched && look.enabled) return ButtonImage::kPressed;
  if (look.held) return ButtonImage::kPressed;
  if (look.hovered) return ButtonImage::kHover;
  if (!look.enabled) return ButtonImage::kDisabled;
  return ButtonImage::kNormal;
}

}  // namespace vextra
