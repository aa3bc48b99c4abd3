// CAnimatedPicture: a picture control for GIF (animated or still), JPEG and
// BMP data, loaded with the platform picture loader. An animated GIF is
// split into one small GIF per frame and played by a worker thread that
// renders into the control's memory bitmap; the UI thread only blits it.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <atomic>
#include <string>
#include <vector>

#include "option/skin/win32/skin_window_win.h"

namespace vextra {

class CAnimatedPicture : public SkinWindow {
 public:
  struct FrameInfo {
    int left, top, width, height;
    int delayMs;
    int disposal;
  };

  CAnimatedPicture();
  ~CAnimatedPicture() override;

  bool Create(const RECT& rect, HWND parent, int id);

  // Whole file into a movable global block, then LoadMemory. Files larger
  // than kMaxFileBytes are refused.
  bool Load(const std::string& path);
  // Takes ownership of the block (freed on Unload), unloading the previous picture.
  bool LoadMemory(HGLOBAL block, DWORD size);
  // Still picture: rendered once. Animation: the worker thread starts.
  bool Draw();
  void Stop();
  void Unload();

  bool loaded() const { return single_ != nullptr || !frames_.empty(); }
  bool animated() const { return frames_.size() > 1; }
  bool playing() const { return thread_ != nullptr; }
  SIZE size() const { return size_; }
  COLORREF backgroundColor() const { return background_; }
  size_t frameCount() const { return frames_.size(); }
  FrameInfo frameInfo(size_t index) const;
  // Frames the worker has rendered since Draw (for tests and diagnostics).
  long framesShown() const { return framesShown_.load(); }

  static constexpr DWORD kMaxFileBytes = 32u << 20;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Frame {
    IPicture* picture = nullptr;
    FrameInfo info{};
  };

  static DWORD WINAPI ThreadMain(LPVOID self);
  void Play();
  bool PrepareCanvas();
  void FillArea(const RECT& area);
  void Render(IPicture* picture, int x, int y, int width, int height);

  CRITICAL_SECTION lock_;  // guards the memory DC between the two threads
  HGLOBAL block_ = nullptr;
  IPicture* single_ = nullptr;
  std::vector<Frame> frames_;
  SIZE size_{0, 0};
  COLORREF background_ = RGB(255, 255, 255);
  HDC canvas_ = nullptr;
  HBITMAP canvasBitmap_ = nullptr;
  HGDIOBJ canvasOld_ = nullptr;
  HANDLE thread_ = nullptr;
  HANDLE stopEvent_ = nullptr;
  HANDLE shownEvent_ = nullptr;  // WM_SHOWWINDOW wakes a worker waiting while hidden
  std::atomic<bool> stop_{false};
  std::atomic<long> framesShown_{0};
};

}  // namespace vextra
