// GDI helpers of the skinned controls: owned handles, a memory canvas for
// double-buffered painting, cutting control images out of skin sheets, and
// window regions made from bitmaps.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "option/skin/button_look.h"

namespace vextra {

// Owns one GDI object and deletes it once.
template <typename H>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(H handle) : handle_(handle) {}
  ~GdiObject() { reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(other.release()) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  H get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  H release() { return std::exchange(handle_, nullptr); }
  void reset(H handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  H handle_ = nullptr;
};
using OwnedBitmap = GdiObject<HBITMAP>;
using OwnedFont = GdiObject<HFONT>;
using OwnedBrush = GdiObject<HBRUSH>;
using OwnedRegion = GdiObject<HRGN>;

// Selects an object into a DC for one scope.
class SelectIn {
 public:
  SelectIn(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectIn() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectIn(const SelectIn&) = delete;
  SelectIn& operator=(const SelectIn&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// An off-screen picture of the given size: paint into dc(), then one blit.
class MemoryCanvas {
 public:
  MemoryCanvas(HDC reference, int width, int height);
  ~MemoryCanvas();
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;
  bool ok() const { return dc_ && bitmap_; }
  HDC dc() const { return dc_; }
  void BlitTo(HDC target, int x = 0, int y = 0) const;

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  int width_, height_;
};

SIZE BitmapSize(HBITMAP bitmap);
// Draws the bitmap's top-left (width x height) at (x, y).
void DrawBitmap(HDC dc, HBITMAP bitmap, int x, int y, int width, int height);
// A new 32-bit bitmap holding `rect` of `source` (parts outside
// the source come out black). None for an empty rectangle or no source.
OwnedBitmap CutBitmap(HBITMAP source, const RECT& rect);
OwnedBitmap CopyBitmap(HBITMAP source);
// An empty 32-bit top-down DIB section; its pixels at *bits when asked for.
OwnedBitmap NewDib32(int width, int height, void** bits = nullptr);
// A bitmap resource of the program as a DIB section: its bits are taken as
// they are, with no conversion to the screen's format (the skin's sheets are
// large, and only cut from).
OwnedBitmap LoadSkinBitmap(UINT resource);
// Font of the toolkit: face, height, width, weight 400, default character set.
OwnedFont MakeFont(const char* face, int height, int width);

// The four full-window sheets a page's controls are cut from (not owned).
// A sheet may be given twice, e.g. the normal sheet as the disabled one.
struct SkinSheets {
  HBITMAP normal = nullptr;
  HBITMAP hover = nullptr;
  HBITMAP pressed = nullptr;  // also the latched state
  HBITMAP disabled = nullptr;
};

// A control's own four state images, each the control's size.
class StateImages {
 public:
  bool FromSheets(const SkinSheets& sheets, const RECT& rect);
  bool FromBitmaps(HBITMAP normal, HBITMAP hover, HBITMAP pressed, HBITMAP disabled);
  // The same sub-rectangle of another control's images (spin edit arrows).
  bool FromImages(const StateImages& source, const RECT& rect);
  HBITMAP get(ButtonImage which) const { return images_[static_cast<int>(which)].get(); }
  bool empty() const { return !images_[0]; }

 private:
  OwnedBitmap images_[4];
};

// Window region of every pixel outside key ... key + tolerance (per channel,
// capped at 255): one rectangle per run of such pixels in a row, combined in
// chunks of 2000. None when there is no bitmap or no drawing context.
HRGN BitmapToRegion(HBITMAP bitmap, COLORREF key, COLORREF tolerance);
// The thumb's shape: the whole bitmap minus every pixel of the colour of
// pixel (0,0).
HRGN CornerKeyRegion(HBITMAP bitmap);

// The running program's folder with a trailing backslash.
std::string ProgramFolderPath();
// Debugger output only (the toolkit keeps no log).
void DebugTrace(const char* format, ...);

}  // namespace vextra
