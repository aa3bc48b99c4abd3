// VextraOption: one configuration window per session; it edits a copy of the
// settings and hands them to the Monitor, or to storage when none runs.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "common/language.h"
#include "common/win32/handles_win.h"
#include "common/win32/registry_win.h"
#include "common/win32/windows_values_apply_win.h"
#include "option/skin/win32/cool_menu_win.h"
#include "option/skin/win32/skin_gdi_win.h"
#include "option/win32/main_window_win.h"
#include "option/win32/option_links_win.h"

namespace vextra {

constexpr char kOptionInstanceMutex[] = "Velmar_Vext+_configure";

class COptionApp {
 public:
  int Run() {
    instance_.Reset(CreateMutexA(nullptr, FALSE, kOptionInstanceMutex));
    if (!instance_ || GetLastError() == ERROR_ALREADY_EXISTS) return 0;  // one window only, nothing shown
    ComScope com;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_ANIMATE_CLASS};
    InitCommonControlsEx(&controls);
    const std::string folder = ProgramFolderPath();
    CoolMenu::Install();
    {
      WinRegistry registry;
      SectionLink link;
      MonitorWindowLink monitor;
      OptionSession session(folder, &registry, link, monitor);
      const StartupResult start = session.Start(SystemLanguageIndex(GetSystemDefaultLangID()));
      if (start.mapFailed) MessageBoxA(nullptr, "Could not map view of file.", nullptr, MB_OK | MB_ICONERROR);
      CMainWindow window(session);
      if (start.applyWindowsValues && session.CurrentRecord())
        ApplyWindowsValues(*session.CurrentRecord(), registry, nullptr);
      window.DoModal(nullptr);
    }
    CoolMenu::Uninstall();
    ReleaseMutex(instance_.get());
    return 0;
  }

 private:
  UniqueHandle instance_;
};

}  // namespace vextra

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  vextra::COptionApp app;
  return app.Run();
}
