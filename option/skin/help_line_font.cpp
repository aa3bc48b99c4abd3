#include "option/skin/help_line_font.h"

namespace vextra {

FontChoice HelpLineFont(int language) {
  if (language == 6) return {"", 13, 6};
  if (language == 9) return {"", 13, 5};
  return {"Arial", 13, 6};
}

}  // namespace vextra
