// The help line's font for each interface language (index 0..16).
#pragma once

namespace vextra {

struct FontChoice {
  const char* face;  // "" = the system's default face
  int height;
  int width;
};

// Arial 13 x 6, except Japanese (6: default face, width 6) and Russian
// (9: default face, width 5), whose letters Arial lacks or draws too wide.
FontChoice HelpLineFont(int language);

}  // namespace vextra
