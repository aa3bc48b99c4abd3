#include "option/skin/win32/animated_picture_win.h"

#include <algorithm>

#include "option/skin/gif_frames.h"
#include "option/skin/win32/skin_gdi_win.h"

namespace vextra {
namespace {

// The picture loader over a copy of `bytes` (the stream owns the copy).
IPicture* LoadPicture(const void* bytes, size_t size) {
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!copy) return nullptr;
  if (void* p = GlobalLock(copy)) {
    CopyMemory(p, bytes, size);
    GlobalUnlock(copy);
  }
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
    GlobalFree(copy);
    return nullptr;
  }
  IPicture* picture = nullptr;
  if (FAILED(OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                            reinterpret_cast<void**>(&picture))))
    picture = nullptr;
  stream->Release();
  return picture;
}

SIZE PixelSize(IPicture* picture) {
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  picture->get_Width(&w);
  picture->get_Height(&h);
  HDC screen = GetDC(nullptr);
  const SIZE size{MulDiv(w, GetDeviceCaps(screen, LOGPIXELSX), 2540), MulDiv(h, GetDeviceCaps(screen, LOGPIXELSY), 2540)};
  ReleaseDC(nullptr, screen);
  return size;
}

COLORREF FromRgb(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

}  // namespace

CAnimatedPicture::CAnimatedPicture() {
  InitializeCriticalSection(&lock_);
  stopEvent_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  shownEvent_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
}

CAnimatedPicture::~CAnimatedPicture() {
  Unload();
  if (stopEvent_) CloseHandle(stopEvent_);
  if (shownEvent_) CloseHandle(shownEvent_);
  DeleteCriticalSection(&lock_);
}

bool CAnimatedPicture::Create(const RECT& rect, HWND parent, int id) {
  return CreateControl("STATIC", "", 0, WS_CHILD | WS_VISIBLE, rect, parent, id);
}

bool CAnimatedPicture::Load(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const DWORD size = GetFileSize(file, nullptr);
  bool ok = false;
  HGLOBAL block = nullptr;
  if (size != INVALID_FILE_SIZE && size > 0 && size <= kMaxFileBytes) {
    block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (void* p = block ? GlobalLock(block) : nullptr) {
      DWORD read = 0;
      ok = ReadFile(file, p, size, &read, nullptr) && read == size;
      GlobalUnlock(block);
    }
  }
  CloseHandle(file);
  if (!ok) {
    if (block) GlobalFree(block);
    return false;
  }
  return LoadMemory(block, size);
}

bool CAnimatedPicture::LoadMemory(HGLOBAL block, DWORD size) {
  Unload();
  if (!block) return false;
  block_ = block;
  const auto* bytes = static_cast<const uint8_t*>(GlobalLock(block));
  if (!bytes) return false;
  const size_t length = std::min<size_t>(size, GlobalSize(block));
  GifInfo gif;
  if (StartsAsGif(bytes, length) && ReadGif(bytes, length, gif) && gif.frames.size() > 1) {
    background_ = FromRgb(gif.background);
    size_ = SIZE{gif.width, gif.height};
    for (const GifFrame& f : gif.frames) {
      Frame frame;
      frame.picture = LoadPicture(f.gif.data(), f.gif.size());
      if (!frame.picture) continue;  // a frame the loader cannot read is left out
      frame.info = FrameInfo{f.left, f.top, f.width, f.height, FrameDelayMs(f.delay), f.disposal};
      frames_.push_back(frame);
    }
    if (frames_.size() == 1) {  // one usable frame: a still picture after all
      single_ = frames_[0].picture;
      frames_.clear();
    }
  } else {
    // Still GIF, JPEG, BMP: the loader reads the whole block.
    if (StartsAsGif(bytes, length) && !gif.frames.empty()) {
      background_ = FromRgb(gif.background);
    }
    single_ = LoadPicture(bytes, length);
    if (single_) size_ = PixelSize(single_);
  }
  GlobalUnlock(block);
  if (!loaded()) {
    Unload();
    return false;
  }
  if (size_.cx <= 0 || size_.cy <= 0) size_ = single_ ? PixelSize(single_) : SIZE{1, 1};
  return true;
}

CAnimatedPicture::FrameInfo CAnimatedPicture::frameInfo(size_t index) const {
  return index < frames_.size() ? frames_[index].info : FrameInfo{};
}

bool CAnimatedPicture::PrepareCanvas() {
  if (canvas_) return true;
  HDC screen = GetDC(nullptr);
  canvas_ = CreateCompatibleDC(screen);
  canvasBitmap_ = CreateCompatibleBitmap(screen, std::max<LONG>(size_.cx, 1), std::max<LONG>(size_.cy, 1));
  ReleaseDC(nullptr, screen);
  if (!canvas_ || !canvasBitmap_) return false;
  canvasOld_ = SelectObject(canvas_, canvasBitmap_);
  FillArea(RECT{0, 0, size_.cx, size_.cy});
  return true;
}

void CAnimatedPicture::FillArea(const RECT& area) {
  HBRUSH brush = CreateSolidBrush(background_);
  FillRect(canvas_, &area, brush);
  DeleteObject(brush);
}

void CAnimatedPicture::Render(IPicture* picture, int x, int y, int width, int height) {
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  picture->get_Width(&w);
  picture->get_Height(&h);
  picture->Render(canvas_, x, y, width, height, 0, h, w, -h, nullptr);
}

bool CAnimatedPicture::Draw() {
  if (!loaded() || playing()) return loaded();
  EnterCriticalSection(&lock_);
  const bool ready = PrepareCanvas();
  if (ready && single_) Render(single_, 0, 0, size_.cx, size_.cy);
  LeaveCriticalSection(&lock_);
  if (!ready) return false;
  if (single_) {
    Invalidate();
    return true;
  }
  stop_ = false;
  framesShown_ = 0;
  ResetEvent(stopEvent_);
  thread_ = CreateThread(nullptr, 0, ThreadMain, this, CREATE_SUSPENDED, nullptr);
  if (!thread_) return false;
  ResumeThread(thread_);
  return true;
}

namespace {
// What a DC shows, as a bitmap of its own.
OwnedBitmap Snapshot(HDC from, int width, int height) {
  HDC to = CreateCompatibleDC(from);
  OwnedBitmap copy(CreateCompatibleBitmap(from, std::max(width, 1), std::max(height, 1)));
  if (to && copy) {
    SelectIn in(to, copy.get());
    BitBlt(to, 0, 0, width, height, from, 0, 0, SRCCOPY);
  }
  if (to) DeleteDC(to);
  return copy;
}
}  // namespace

DWORD WINAPI CAnimatedPicture::ThreadMain(LPVOID self) {
  static_cast<CAnimatedPicture*>(self)->Play();
  return 0;
}

void CAnimatedPicture::Play() {
  HDC saved = nullptr;
  HBITMAP savedBitmap = nullptr;
  HGDIOBJ savedOld = nullptr;
  EnterCriticalSection(&lock_);
  saved = CreateCompatibleDC(canvas_);
  savedBitmap = CreateCompatibleBitmap(canvas_, std::max<LONG>(size_.cx, 1), std::max<LONG>(size_.cy, 1));
  if (saved && savedBitmap) savedOld = SelectObject(saved, savedBitmap);
  LeaveCriticalSection(&lock_);

  // The first pass composes every frame (with its disposal) and keeps the
  // result; later passes only put the kept pictures on the canvas, since the
  // sequence repeats exactly.
  std::vector<OwnedBitmap> composed(frames_.size());
  bool firstPass = true;
  while (!stop_) {
    for (size_t i = 0; i < frames_.size() && !stop_; ++i) {
      // A hidden picture costs nothing: the worker sleeps until it is shown
      // (or, for a parent's change, looks again each second).
      while (!stop_ && hwnd() && !IsWindowVisible(hwnd())) {
        const HANDLE wake[2] = {stopEvent_, shownEvent_};
        WaitForMultipleObjects(2, wake, FALSE, 1000);
      }
      if (stop_) break;
      const FrameInfo& f = frames_[i].info;
      const RECT area{f.left, f.top, f.left + f.width, f.top + f.height};
      EnterCriticalSection(&lock_);
      if (firstPass) {
        if (f.disposal == 3 && savedOld) BitBlt(saved, f.left, f.top, f.width, f.height, canvas_, f.left, f.top, SRCCOPY);
        Render(frames_[i].picture, f.left, f.top, f.width, f.height);
        composed[i] = Snapshot(canvas_, size_.cx, size_.cy);
      } else if (composed[i]) {
        DrawBitmap(canvas_, composed[i].get(), 0, 0, size_.cx, size_.cy);
      }
      ++framesShown_;
      // Straight onto the window from here: no paint message round trip
      // through the window's thread for every frame (WM_PAINT still serves
      // uncovering).
      if (HWND window = hwnd()) {
        if (HDC dc = GetDC(window)) {
          BitBlt(dc, 0, 0, size_.cx, size_.cy, canvas_, 0, 0, SRCCOPY);
          ReleaseDC(window, dc);
        }
      }
      LeaveCriticalSection(&lock_);
      if (WaitForSingleObject(stopEvent_, static_cast<DWORD>(f.delayMs)) == WAIT_OBJECT_0) break;
      if (!firstPass) continue;
      // This frame's disposal, before the next one is drawn.
      EnterCriticalSection(&lock_);
      if (f.disposal == 2) FillArea(area);
      if (f.disposal == 3 && savedOld) BitBlt(canvas_, f.left, f.top, f.width, f.height, saved, f.left, f.top, SRCCOPY);
      LeaveCriticalSection(&lock_);
    }
    if (stop_) break;
    firstPass = false;
  }
  if (savedOld) SelectObject(saved, savedOld);
  if (savedBitmap) DeleteObject(savedBitmap);
  if (saved) DeleteDC(saved);
}

void CAnimatedPicture::Stop() {
  if (!thread_) return;
  stop_ = true;
  SetEvent(stopEvent_);
  WaitForSingleObject(thread_, 5000);
  CloseHandle(thread_);
  thread_ = nullptr;
  ResetEvent(stopEvent_);
}

void CAnimatedPicture::Unload() {
  Stop();
  for (Frame& f : frames_) f.picture->Release();
  frames_.clear();
  if (single_) single_->Release();
  single_ = nullptr;
  EnterCriticalSection(&lock_);
  if (canvas_) {
    SelectObject(canvas_, canvasOld_);
    DeleteDC(canvas_);
  }
  if (canvasBitmap_) DeleteObject(canvasBitmap_);
  canvas_ = nullptr;
  canvasBitmap_ = nullptr;
  canvasOld_ = nullptr;
  LeaveCriticalSection(&lock_);
  if (block_) GlobalFree(block_);
  block_ = nullptr;
  size_ = SIZE{0, 0};
  background_ = RGB(255, 255, 255);
}

LRESULT CAnimatedPicture::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      EnterCriticalSection(&lock_);
      if (canvas_) BitBlt(dc, 0, 0, size_.cx, size_.cy, canvas_, 0, 0, SRCCOPY);
      LeaveCriticalSection(&lock_);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_SHOWWINDOW:
      if (wParam && shownEvent_) SetEvent(shownEvent_);
      break;
    case WM_DESTROY:
      Stop();  // the worker must not outlive the window it invalidates
      break;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

}  // namespace vextra
