// Builds a window's skinned controls from their layout strings: each is
// created at its layout rectangle, takes its images cut from the window's
// sheets there and the layout's help text, and is remembered with the help
// string that relabels it, so relabelling from a language library is one
// call for every window. Also the sheets themselves and radio groups.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "option/skin/layout.h"
#include "option/skin/win32/skin_button_win.h"
#include "option/skin/win32/skin_control_win.h"
#include "option/skin/win32/skin_gdi_win.h"
#include "option/skin/win32/skin_label_win.h"
#include "option/skin/win32/slider_win.h"
#include "option/skin/win32/spin_edit_win.h"

namespace vextra {

// A window's four sheets loaded from four consecutive bitmap resources
// (normal, hover, down, disabled), owned until Release (after building).
class LoadedSheets {
 public:
  explicit LoadedSheets(UINT firstResource);
  const SkinSheets& sheets() const { return sheets_; }
  HBITMAP normal() const { return sheets_.normal; }
  void Release();

 private:
  OwnedBitmap owned_[4];
  SkinSheets sheets_;
};

RECT LayoutRect(const LayoutEntry& entry);
LayoutEntry Parsed(const char* layout);

// Strings of the loaded language library by id; empty when it has none.
using HelpLookup = std::function<std::string(int id)>;

class ControlBuilder {
 public:
  ControlBuilder(HWND parent, const SkinSheets& sheets) : parent_(parent), sheets_(sheets) {}

  // helpId 0: the control keeps its layout's help text on relabelling.
  bool Button(CSkinButton& button, const char* layout, int id, int helpId = 0);
  // The track from the normal sheet, the thumb from `thumb` (copied).
  bool Slider(CclickHSlider& slider, const char* layout, int id, HBITMAP thumb, int minimum, int maximum,
              int helpId = 0);
  bool Spin(CSpinEdit& spin, const char* layout, int id, int minimum, int maximum, int step, int helpId = 0);
  bool Label(CSkinLabel& label, const char* layout, int id, int helpId = 0);
  // A control the caller made: only its help text and relabelling.
  void Remember(SkinControl& control, const std::string& layoutHelp, int helpId);

  // Every remembered control with a help id takes its string from `lookup`.
  void Relabel(const HelpLookup& lookup) const;

 private:
  struct Relabelled {
    SkinControl* control;
    int helpId;
  };
  HWND parent_;
  SkinSheets sheets_;
  std::vector<Relabelled> relabelled_;
};

// Buttons of which exactly one is latched (or none, for an index outside).
class RadioGroup {
 public:
  void Add(CSkinButton& button) { buttons_.push_back(&button); }
  void Select(int index);
  int selected() const { return selected_; }
  int IndexOf(int controlId) const;
  int size() const { return static_cast<int>(buttons_.size()); }

 private:
  std::vector<CSkinButton*> buttons_;
  int selected_ = -1;
};

}  // namespace vextra
