#include "monitor/win32/scroll_page_win.h"

#include <mshtml.h>

namespace vextra {
namespace {

// The page's document and window interfaces, defined here so that nothing
// beyond the system libraries is linked.
constexpr GUID kIidHtmlDocument2 = {0x332C4425, 0x26CB, 0x11D0, {0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19}};
constexpr GUID kIidHtmlWindow2 = {0x332C4427, 0x26CB, 0x11D0, {0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19}};
constexpr UINT kGetObjectTimeout = 1000;

using ObjectFromLresultFunction = HRESULT(WINAPI*)(LRESULT, REFIID, WPARAM, void**);

// Releases a COM interface when it goes out of scope.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() {
    if (pointer_) pointer_->Release();
  }
  T* get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  T** out() { return &pointer_; }
  void** out_void() { return reinterpret_cast<void**>(&pointer_); }

 private:
  T* pointer_ = nullptr;
};

class Library {
 public:
  explicit Library(const char* name) : module_(LoadLibraryA(name)) {}
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  ~Library() {
    if (module_) FreeLibrary(module_);
  }
  FARPROC Find(const char* name) const { return module_ ? GetProcAddress(module_, name) : nullptr; }

 private:
  HMODULE module_;
};

}  // namespace

ScrollSink::PageResult ScrollBrowserPage(HWND window, int dx, int dy) {
  using Result = ScrollSink::PageResult;
  // Declared first so that every interface is released before the library goes.
  Library accessibility("OLEACC.DLL");
  const auto objectFromLresult =
      reinterpret_cast<ObjectFromLresultFunction>(reinterpret_cast<void*>(accessibility.Find("ObjectFromLresult")));
  if (!objectFromLresult) return Result::Unavailable;
  const UINT getObject = RegisterWindowMessageA("WM_HTML_GETOBJECT");
  DWORD_PTR answer = 0;
  if (getObject == 0 || !SendMessageTimeoutA(window, getObject, 0, 0, SMTO_ABORTIFHUNG, kGetObjectTimeout, &answer))
    return Result::Unavailable;

  ComRef<IHTMLDocument2> document;
  if (FAILED(objectFromLresult(static_cast<LRESULT>(answer), kIidHtmlDocument2, 0, document.out_void())) || !document)
    return Result::Failed;
  ComRef<IDispatch> script;
  if (FAILED(document->get_Script(script.out())) || !script) return Result::Failed;
  ComRef<IHTMLWindow2> page;
  if (FAILED(script->QueryInterface(kIidHtmlWindow2, page.out_void())) || !page) return Result::Failed;
  return SUCCEEDED(page->scrollBy(dx, dy)) ? Result::Scrolled : Result::Failed;
}

}  // namespace vextra
