// The one base of every window object of the programs: the Monitor's hidden
// window, skinned dialogs and pages, and the skinned controls.
//
//  - `this` is bound once, from lpCreateParams at WM_NCCREATE for windows of
//    our own classes, or right after creation for a subclassed system
//    control; either way it is kept in GWLP_USERDATA and forgotten at
//    WM_NCDESTROY.
//  - The window procedure is noexcept: a handler that throws (out of memory)
//    loses its message, never the program.
//  - A class lists its messages in one table (MessageEntry below); handlers
//    of the skin notifications get a decoded Notify and never unpack
//    wParam/lParam themselves.
//
// Destroying the object destroys its window; a window destroyed first (with
// its parent) leaves the object without a handle.
#pragma once

#include <windows.h>

#include <cstddef>

namespace vextra {

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }
  int id() const { return hwnd_ ? GetDlgCtrlID(hwnd_) : 0; }
  void Destroy();
  static Window* FromHandle(HWND window);

  // Registers a window class whose procedure binds the object handed in
  // lpCreateParams (once per class name).
  static bool RegisterClassOnce(const char* name, UINT classStyle = 0, HICON icon = nullptr,
                                HCURSOR cursor = nullptr);

 protected:
  // A window of a class registered with RegisterClassOnce.
  bool CreateOwnWindow(const char* className, const char* title, DWORD exStyle, DWORD style,
                       const RECT& rect, HWND parent, HMENU menuOrId);
  // A system control (button, edit, static), subclassed right after creation.
  bool CreateSubclassed(const char* className, const char* text, DWORD exStyle, DWORD style,
                        const RECT& rect, HWND parent, int id);

  // Every message of the window. The default is Default().
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The processing the window would get without this object.
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  // Right after the object is bound to its new window.
  virtual void OnAttached() {}

 private:
  static LRESULT CALLBACK OwnProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  static LRESULT Route(Window* self, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  void Attach(HWND window, WNDPROC oldProc);
  void Detach();

  HWND hwnd_ = nullptr;
  WNDPROC oldProc_ = nullptr;  // a subclassed control's own procedure
};

// ---------------------------------------------------------------- message tables

// What a notification handler receives, decoded from the message.
struct Notify {
  int id = 0;      // the sending control's id
  int value = 0;   // new value / click code / hover state / DPI row value
  int code = 0;    // WM_DPI_ROW: 1 enable, 2 value, 3 made active
  int index = 0;   // id - first id of the entry's range
  HWND from = nullptr;
};

enum class Decode {
  kRaw,      // handler(wParam, lParam) -> LRESULT
  kClick,    // WM_COMMAND BN_CLICKED from ids first..last
  kCommand,  // WM_COMMAND from ids first..last, any code (value = code)
  kValue,    // value in wParam, id in lParam (sliders, spin edits)
  kDpiRow,   // wParam = code << 16 | value, lParam = id
  kHover,    // WM_BUTTON_HOVER: wParam = state, lParam = id
};

template <class T>
struct MessageEntry {
  UINT message;
  Decode decode;
  int first, last;
  LRESULT (T::*raw)(WPARAM, LPARAM);
  void (T::*notify)(const Notify&);
};

template <class T>
constexpr MessageEntry<T> OnRaw(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
  return {message, Decode::kRaw, 0, 0, handler, nullptr};
}
template <class T>
constexpr MessageEntry<T> OnClick(int first, int last, void (T::*handler)(const Notify&)) {
  return {WM_COMMAND, Decode::kClick, first, last, nullptr, handler};
}
template <class T>
constexpr MessageEntry<T> OnClick(int id, void (T::*handler)(const Notify&)) {
  return OnClick<T>(id, id, handler);
}
template <class T>
constexpr MessageEntry<T> OnCommandFrom(int first, int last, void (T::*handler)(const Notify&)) {
  return {WM_COMMAND, Decode::kCommand, first, last, nullptr, handler};
}
// Sliders (WM_SLIDER_CHANGED) and spin edits (WM_SPIN_CHANGED).
template <class T>
constexpr MessageEntry<T> OnValue(UINT message, int first, int last, void (T::*handler)(const Notify&)) {
  return {message, Decode::kValue, first, last, nullptr, handler};
}
template <class T>
constexpr MessageEntry<T> OnDpiRow(UINT message, int first, int last, void (T::*handler)(const Notify&)) {
  return {message, Decode::kDpiRow, first, last, nullptr, handler};
}
template <class T>
constexpr MessageEntry<T> OnHover(UINT message, int first, int last, void (T::*handler)(const Notify&)) {
  return {message, Decode::kHover, first, last, nullptr, handler};
}

// Finds the first entry that takes the message and calls it. True when one
// did; *result is then the message's result (0 for notifications).
template <class T, size_t N>
bool RouteMessage(T& self, const MessageEntry<T> (&table)[N], UINT message, WPARAM wParam, LPARAM lParam,
                  LRESULT* result) {
  for (const MessageEntry<T>& e : table) {
    if (e.message != message) continue;
    Notify n;
    switch (e.decode) {
      case Decode::kRaw:
        *result = (self.*e.raw)(wParam, lParam);
        return true;
      case Decode::kClick:
      case Decode::kCommand:
        n.id = LOWORD(wParam);
        n.value = HIWORD(wParam);
        n.from = reinterpret_cast<HWND>(lParam);
        if (e.decode == Decode::kClick && n.value != BN_CLICKED) continue;
        break;
      case Decode::kValue:
      case Decode::kHover:
        n.id = static_cast<int>(lParam);
        n.value = static_cast<int>(static_cast<INT_PTR>(wParam));
        break;
      case Decode::kDpiRow:
        n.id = static_cast<int>(lParam);
        n.code = static_cast<int>((static_cast<UINT_PTR>(wParam) >> 16) & 0xFFFF);
        n.value = static_cast<int>(wParam & 0xFFFF);
        break;
    }
    if (n.id < e.first || n.id > e.last) continue;
    n.index = n.id - e.first;
    (self.*e.notify)(n);
    *result = 0;
    return true;
  }
  return false;
}

}  // namespace vextra
