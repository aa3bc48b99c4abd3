// The Option's settings state: the block last received from the Monitor or
// handed to it (baseline, the reference for change detection), the copy the
// pages edit (working), the feature data loaded at start, and the exchanges
// with the Monitor and with storage: start-up, Apply, Reset and the Monitor's
// notifications. The windows call this and redraw what it says.
#pragma once

#include <memory>
#include <string>

#include "common/device_info.h"
#include "common/macro_library.h"
#include "common/osd_setting.h"
#include "common/registry.h"
#include "common/settings_block.h"
#include "common/settings_store.h"
#include "common/timer_list.h"
#include "option/option_seams.h"
#include "option/profile_commands.h"

namespace vextra {

constexpr char kDriverVersion[] = "1.50";

// Where the settings came from at start-up.
enum class SettingsSource {
  kMonitor,          // the Monitor's section
  kStorage,          // config.ini and the profile files
  kStorageDefaults,  // storage could not be loaded: defaults
};

struct StartupResult {
  SettingsSource source = SettingsSource::kStorage;
  bool sectionOpened = false;
  bool mapFailed = false;           // show "Could not map view of file."
  bool applyWindowsValues = false;  // make the current profile's pointer values live now
};

// What the window redraws after a change of the working block.
struct Redraw {
  bool all = false;           // every control (includes pages, markers, names)
  bool mainPage = false;
  bool advancedPage = false;
  bool markers = false;       // the windows-profile markers
  bool names = false;         // the five profile name labels
  bool versionTexts = false;  // the firmware text: repaint it, hand both texts to the Update page
  bool macroSets = false;     // hand the macro sets to the pages again
  bool any() const { return all || mainPage || advancedPage || markers || names || versionTexts || macroSets; }
};

enum class MarkerClick {
  kIgnored,   // not a slot
  kCleared,   // the slot held the marker: cleared, no question asked
  kConfirm,   // ask the user; on OK call ConfirmWindowsProfile(slot)
};

class OptionSession {
 public:
  // registry may be null: no Windows values are read or written.
  OptionSession(std::string programFolder, Registry* registry, SharedBlockLink& link, MonitorWindow& monitor);
  OptionSession(const OptionSession&) = delete;
  OptionSession& operator=(const OptionSession&) = delete;

  // Initialisation before the first refresh: the empty baseline, the mutex,
  // the version texts, the block from the Monitor or from storage, the
  // macro sets, OSD record, timers and device list, working = baseline.
  // systemLanguage (0..16) is what defaults use for the language.
  StartupResult Start(int systemLanguage);

  // Apply (mode 0 from OK and Apply, 1 after a reset): change detection, the
  // block written to the section, everything saved to storage, 1224 sent and
  // waited for (only when the block reached the section and the Monitor's
  // window exists), the flags cleared, baseline = working.
  void Apply(int mode, ApplyObserver& window);
  // Defaults and the OSD record's defaults, everything marked changed, the
  // window refreshed and relabelled, then Apply with mode 1.
  void ResetAll(int systemLanguage, ApplyObserver& window);
  // The Advanced page's hand-over of the two device flags: into the baseline,
  // to the section and to storage, when the Monitor's window exists.
  bool HandOverDeviceFlags();

  // The Monitor's notifications.
  Redraw OnSettingsRead();        // 1254
  Redraw OnProfileChanged();      // 1255
  Redraw OnDeviceValueChanged();  // 1257
  // 1284: the device list read again; true when it was replaced (a file
  // that exists but cannot be read leaves the list as it was).
  bool OnDeviceListChanged();

  // Main window commands.
  Redraw SelectSlot(int slotNumber);  // 1..5
  MarkerClick ClickWindowsProfile(int slot);  // 0..4
  Redraw ConfirmWindowsProfile(int slot);
  // A flag of the picker, 0..16; true when stored (then the window shows the
  // flag and loads the help library again).
  bool SetLanguage(int index);
  // Load: the chosen file into the current profile. Nothing changes when it
  // cannot be read or no profile is current.
  Redraw ImportProfile(const std::string& path);
  // Save: the current profile to the chosen file. False when nothing was written.
  bool ExportProfile(const std::string& path) const;
  // Create/Edit ended with OK.
  Redraw StoreProperties(const ProfileProperties& properties);

  // The profile the pages edit; null while no profile is current.
  ProfileRecord* CurrentRecord();
  const ProfileRecord* CurrentRecord() const;

  const SettingsBlock& Working() const { return *working_; }
  SettingsBlock& Working() { return *working_; }
  const SettingsBlock& Baseline() const { return *baseline_; }
  const std::string& FirmwareText() const { return firmwareText_; }
  const std::string& programFolder() const { return store_.programFolder(); }
  const SettingsStore& store() const { return store_; }
  bool sectionOpen() const { return sectionOpen_; }

  MacroLibrary& macros() { return macros_; }
  TimerList& timers() { return timers_; }
  const DeviceInfoList& devices() const { return devices_; }
  OSDSetting& osd() { return osd_; }

 private:
  // Takes the section into the baseline: false, with the baseline unchanged,
  // when it cannot be read or has never been written.
  bool ReadBaseline();
  std::string ConfigFile(const char* name) const;

  SettingsStore store_;
  SharedBlockLink& link_;
  MonitorWindow& monitor_;
  std::unique_ptr<SettingsBlock> baseline_;
  std::unique_ptr<SettingsBlock> working_;
  std::unique_ptr<SettingsBlock> incoming_;  // a read lands here first
  bool sectionOpen_ = false;
  std::string firmwareText_ = "N/A";
  MacroLibrary macros_;
  TimerList timers_;
  DeviceInfoList devices_;
  OSDSetting osd_ = DefaultOSDSetting();
};

}  // namespace vextra
