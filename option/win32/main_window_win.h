// The Option's main window: page buttons, the five profile slots with their
// markers, light previews, colour-flow pictures and names, the profile
// commands, the language button, OK / Apply / Cancel, the help line, and the
// five pages. It shows what the session holds and hands every click to it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "common/win32/window_win.h"
#include "option/main_window_view.h"
#include "option/option_session.h"
#include "option/skin/win32/animated_picture_win.h"
#include "option/skin/win32/control_builder_win.h"
#include "option/skin/win32/skin_dialog_win.h"
#include "option/win32/main_page_win.h"
#include "option/win32/option_links_win.h"
#include "option/win32/update_page_win.h"

namespace vextra {

class CMainWindow : public CSkinDialog, public ApplyObserver {
 public:
  explicit CMainWindow(OptionSession& session);
  ~CMainWindow() override;

  // ApplyObserver
  void ApplyStarted() override;
  void RefreshPages() override;
  void ApplyFinished() override;
  void RefreshAll() override { Refresh(); }
  void ReloadHelp() override { LoadHelp(); }

 protected:
  void OnInitDialog() override;
  void PaintContent(HDC dc) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  static constexpr int kPages = 5;
  static constexpr int kSlots = 5;

  void BuildControls();
  void BuildPages();
  void Refresh();
  // The parts of a refresh, from one view of the working block.
  void RefreshPreviews(const MainWindowView& view);
  void RefreshMarkers(const MainWindowView& view);
  void RefreshNames(const MainWindowView& view);
  void RefreshFlag();
  void LoadHelp();
  void ShowPage(int index);

  void OnPageButton(const Notify& n);
  void OnSlot(const Notify& n);
  void OnMarker(const Notify& n);
  void OnCreate(const Notify& n);
  void OnEdit(const Notify& n);
  void OnLoad(const Notify& n);
  void OnSave(const Notify& n);
  void OnLanguage(const Notify& n);
  void OnMin(const Notify& n);
  void OnClose(const Notify& n);
  void OnOk(const Notify& n);
  void OnApply(const Notify& n);
  LRESULT OnHoverHelp(WPARAM, LPARAM);
  LRESULT OnSettingsRead(WPARAM, LPARAM);
  LRESULT OnProfileChanged(WPARAM, LPARAM);
  LRESULT OnDeviceValueChanged(WPARAM, LPARAM);
  LRESULT OnDeviceListChanged(WPARAM, LPARAM);
  LRESULT OnLightChanged(WPARAM, LPARAM);
  LRESULT OnIgnored(WPARAM, LPARAM) { return 0; }
  LRESULT OnResetRequest(WPARAM, LPARAM);
  void RunProperties(bool create);
  void Redo(const Redraw& redraw);

  static const MessageEntry<CMainWindow> kTable[];

  OptionSession& session_;
  HelpLibrary help_;
  std::unique_ptr<LoadedSheets> sheets_;
  std::unique_ptr<ControlBuilder> builder_;
  CSkinButton pageButtons_[kPages];
  RadioGroup pageGroup_;
  CSkinButton create_, load_, save_, edit_;
  CSkinButton slots_[kSlots];
  RadioGroup slotGroup_;
  CSkinButton markerOff_[kSlots], markerOn_[kSlots];
  CLedPreview previews_[kSlots];
  CAnimatedPicture flows_[kSlots][5];
  CSkinLabel names_[kSlots];
  CSkinButton language_;
  CSkinButton min_, exit_, ok_, apply_, cancel_;
  CHelpLine helpLine_;
  OwnedBitmap badge_;
  bool badgeShown_ = false;  // as the last refresh decided
  HICON bigIcon_ = nullptr, smallIcon_ = nullptr;
  int shownFlag_ = -1;

  CSkinDialog buttonsPage_, lightPage_, advancedPage_;
  CMainPage mainPage_;
  CUpdatePage updatePage_;
  CSkinDialog* pages_[kPages] = {};
  int shownPage_ = -1;
};

}  // namespace vextra
