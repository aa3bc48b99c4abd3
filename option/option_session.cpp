#include "option/option_session.h"

#include <cstring>
#include <utility>

#include "assets/help/help_libraries.h"
#include "common/file_system.h"
#include "common/program_messages.h"

namespace vextra {
namespace {

// A section the Monitor has created but not yet filled holds only zeros.
bool NeverWritten(const SettingsBlock& block) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&block);
  for (size_t i = 0; i < sizeof block; ++i)
    if (bytes[i] != 0) return false;
  return true;
}

// The values the mouse reports by itself (DPI level, sensitivity, polling rate).
void MergeDeviceValues(const ProfileRecord& from, ProfileRecord& to) {
  std::memcpy(to.dpi, from.dpi, sizeof to.dpi);
  to.Cpi_X = from.Cpi_X;
  to.Cpi_Y = from.Cpi_Y;
  std::memcpy(to.CpiLevel_X, from.CpiLevel_X, sizeof to.CpiLevel_X);
  std::memcpy(to.CpiLevel_Y, from.CpiLevel_Y, sizeof to.CpiLevel_Y);
  to.Sensitivity_X = from.Sensitivity_X;
  to.Sensitivity_Y = from.Sensitivity_Y;
  to.Sensitivity = from.Sensitivity;
  to.PollingRate = from.PollingRate;
}

}  // namespace

OptionSession::OptionSession(std::string programFolder, Registry* registry, SharedBlockLink& link,
                             MonitorWindow& monitor)
    : store_(std::move(programFolder), registry),
      link_(link),
      monitor_(monitor),
      baseline_(std::make_unique<SettingsBlock>()),
      working_(std::make_unique<SettingsBlock>()),
      incoming_(std::make_unique<SettingsBlock>()) {}

std::string OptionSession::ConfigFile(const char* name) const {
  return JoinPath(JoinPath(store_.programFolder(), "config"), name);
}

StartupResult OptionSession::Start(int systemLanguage) {
  StartupResult result;
  std::memset(static_cast<void*>(baseline_.get()), 0, sizeof(SettingsBlock));
  ResetToEmpty(*baseline_);
  link_.OpenSettingsMutex();
  firmwareText_ = FormatFirmwareVersion(store_.ReadFirmwareVersion());

  const SectionOpen open = link_.OpenSection();
  sectionOpen_ = open == SectionOpen::kOpened;
  result.sectionOpened = sectionOpen_;
  result.mapFailed = open == SectionOpen::kMapFailed;
  bool osdReset = false;
  if (ReadBaseline()) {
    result.source = SettingsSource::kMonitor;
  } else if (store_.LoadAll(*baseline_)) {
    // Also when the section is open but could not be read: an empty block
    // handed back on Apply would wipe the Monitor's settings and the files.
    SanitizeBlock(*baseline_);
    result.source = SettingsSource::kStorage;
  } else {
    ResetToDefaults(*baseline_, systemLanguage);
    osd_ = DefaultOSDSetting();
    osdReset = true;
    result.source = SettingsSource::kStorageDefaults;
  }

  macros_.Load(ConfigFile("Preset_sequence.dat"));
  if (!osdReset) ReadOSDSetting(store_.ConfigPath(), osd_);
  timers_.Load(ConfigFile("Timer.ini"));
  *working_ = *baseline_;
  OnDeviceListChanged();

  result.applyWindowsValues = result.source == SettingsSource::kMonitor && IsProfileIndex(working_->CurrentProfile);
  return result;
}

bool OptionSession::ReadBaseline() {
  if (!sectionOpen_ || !link_.Read(*incoming_)) return false;
  if (NeverWritten(*incoming_)) return false;
  SanitizeBlock(*incoming_);
  // Flags travel only from the Option to the Monitor; what the section still
  // holds of an earlier hand-over must not be handed back as new changes.
  ClearChangeFlags(*incoming_);
  std::swap(baseline_, incoming_);
  return true;
}

void OptionSession::Apply(int mode, ApplyObserver& window) {
  window.ApplyStarted();
  // After a reset every flag stays set, as marked: detection would clear
  // those of settings that happen to equal the old ones.
  if (mode != 1) DetectChanges(*baseline_, *working_);
  const bool handedOver = sectionOpen_ && link_.Write(*working_);
  store_.SaveAll(*working_);
  window.RefreshPages();
  // The Monitor takes the block from the section: without our block there it
  // would act on what it holds already.
  if (handedOver && monitor_.Exists()) monitor_.Send(WM_MON_APPLY_SETTINGS, mode == 1 ? 1 : 0, 0);
  ClearChangeFlags(*working_);
  *baseline_ = *working_;
  window.ApplyFinished();
}

void OptionSession::ResetAll(int systemLanguage, ApplyObserver& window) {
  ResetToDefaults(*working_, systemLanguage);
  osd_ = DefaultOSDSetting();
  // The Monitor reads the record from config.ini when it applies.
  WriteOSDSetting(store_.ConfigPath(), osd_);
  MarkAllChanged(*working_);
  window.RefreshAll();
  window.ReloadHelp();
  Apply(1, window);
}

bool OptionSession::HandOverDeviceFlags() {
  if (!monitor_.Exists()) return false;
  baseline_->LiftOnFlag = working_->LiftOnFlag;
  baseline_->TrackControlFlag = working_->TrackControlFlag;
  if (sectionOpen_) link_.Write(*baseline_);
  store_.SaveDeviceFlags(*baseline_);
  return true;
}

Redraw OptionSession::OnSettingsRead() {
  Redraw r;
  // Just read from the mouse: any version from 100 up is shown dotted.
  const int version = store_.ReadFirmwareVersion();
  firmwareText_ = version < 100 ? std::string("N/A")
                                : std::to_string(version).insert(1, ".");
  r.versionTexts = true;
  if (ReadBaseline()) {
    *working_ = *baseline_;
    r.all = r.macroSets = true;
  }
  return r;
}

Redraw OptionSession::OnProfileChanged() {
  Redraw r;
  if (!ReadBaseline()) return r;
  *working_ = *baseline_;
  r.all = true;
  return r;
}

Redraw OptionSession::OnDeviceValueChanged() {
  Redraw r;
  if (!ReadBaseline()) return r;
  const int p = baseline_->CurrentProfile;
  if (!IsProfileIndex(p)) return r;
  MergeDeviceValues(baseline_->Profiles[p], working_->Profiles[p]);
  r.mainPage = true;
  r.advancedPage = working_->Profiles[p].XYSynchronous == 1;
  return r;
}

bool OptionSession::OnDeviceListChanged() {
  const std::string path = JoinPath(store_.programFolder(), "DeviceInfo.ini");
  DeviceInfoList list;
  if (list.Load(path) || !CanOpenForReading(path)) {
    devices_ = std::move(list);
    return true;
  }
  return false;
}

Redraw OptionSession::SelectSlot(int slotNumber) {
  Redraw r;
  if (!IsProfileIndex(slotNumber - 1)) return r;
  working_->CurrentProfile = slotNumber - 1;
  r.all = true;
  return r;
}

MarkerClick OptionSession::ClickWindowsProfile(int slot) {
  if (!IsProfileIndex(slot)) return MarkerClick::kIgnored;
  if (slot == working_->WindowsProfile) {
    working_->WindowsProfile = -1;
    return MarkerClick::kCleared;
  }
  return MarkerClick::kConfirm;
}

Redraw OptionSession::ConfirmWindowsProfile(int slot) {
  Redraw r;
  if (!IsProfileIndex(slot)) return r;
  working_->WindowsProfile = slot;
  r.markers = true;
  return r;
}

bool OptionSession::SetLanguage(int index) {
  if (index < 0 || static_cast<size_t>(index) >= kHelpLanguageCount) return false;
  working_->QuickHelpLan = index;
  return true;
}

Redraw OptionSession::ImportProfile(const std::string& path) {
  Redraw r;
  r.all = store_.ImportProfile(*working_, path) == 1;
  return r;
}

bool OptionSession::ExportProfile(const std::string& path) const {
  return store_.ExportProfile(*working_, path) == 1;
}

Redraw OptionSession::StoreProperties(const ProfileProperties& properties) {
  Redraw r;
  ProfileRecord* p = CurrentRecord();
  if (!p) return r;
  vextra::StoreProperties(*p, properties);
  r.names = true;
  return r;
}

ProfileRecord* OptionSession::CurrentRecord() {
  return IsProfileIndex(working_->CurrentProfile) ? &working_->Profiles[working_->CurrentProfile] : nullptr;
}

const ProfileRecord* OptionSession::CurrentRecord() const {
  return IsProfileIndex(working_->CurrentProfile) ? &working_->Profiles[working_->CurrentProfile] : nullptr;
}

}  // namespace vextra
