// SkinControl: what every skinned control shares, written once.
//  - Painting: a control draws itself into PaintTo on an off-screen canvas of
//    its client size, which is then put on the screen in one blit; erasing
//    does nothing (no flicker).
//  - Help: its hover help text, shown in the program's help line when the
//    mouse enters it; relabelling from a language library is one call,
//    SetHelpText, for every kind of control.
#pragma once

#include <windows.h>

#include <string>

#include "option/skin/win32/hover_help_win.h"
#include "option/skin/win32/skin_window_win.h"

namespace vextra {

class SkinControl : public SkinWindow {
 public:
  // Virtual: a composite control hands the text on to its parts.
  virtual void SetHelpText(const std::string& text) { help_ = text; }
  const std::string& helpText() const { return help_; }

 protected:
  // Draws the whole control; `dc` is the off-screen canvas.
  virtual void PaintTo(HDC dc, const RECT& client) { (void)dc, (void)client; }
  // Whether entering shows the help text (a label may stay silent).
  virtual bool ShowsHelp() const { return true; }
  // For OnMessage to call first: paints through PaintTo, swallows erasing and
  // shows the help on entering. True when the message is done (*result set).
  bool HandleCommon(UINT message, LRESULT* result);
  // Only the help on entering, for a system control that paints itself.
  void TrackHover(UINT message);
  // WM_PAINT through PaintTo, for a control that paints only sometimes.
  void PaintBuffered();

 private:
  std::string help_;
  HoverTracker hover_;
};

}  // namespace vextra
