#include "monitor/monitor_core.h"

#include <cstdio>
#include <cstring>

#include "common/file_system.h"
#include "common/function_catalogue.h"
#include "common/ini_file.h"
#include "common/osd_setting.h"
#include "monitor/game_profiles.h"
#include "common/program_messages.h"
#include "monitor/synra_protocol.h"

namespace vextra {
namespace {

constexpr size_t kMaxLightDatabase = 1u << 20;  // far beyond any real database
constexpr int kJobStopWait = 10000;             // a stopped job ends within one report exchange

std::string Format(const char* format, long long a, long long b = 0) {
  char text[160];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

// What another program left in the section, made safe to act on and to save:
// strings terminated, counts bounded, slot numbers right, and a profile index
// outside 0..4 (which means none) stored as -1.
void SanitizeShared(SettingsBlock& b) {
  SanitizeBlock(b);
  if (!IsProfileIndex(b.CurrentProfile)) b.CurrentProfile = -1;
  if (!IsProfileIndex(b.WindowsProfile)) b.WindowsProfile = -1;
}

}  // namespace

MonitorCore::MonitorCore(MonitorHost& host, PcActions& pc, FeatureDevice& device, DeviceClock& clock,
                         std::string programFolder, Registry* registry)
    : host_(host),
      pc_(pc),
      commands_(device, clock, jobFlags_),
      jobs_(commands_),
      store_(std::move(programFolder), registry),
      block_(std::make_unique<SettingsBlock>()) {
  ResetToEmpty(*block_);
}

ProfileRecord* MonitorCore::CurrentProfileRecord() {
  const int32_t current = block_->CurrentProfile;
  return IsProfileIndex(current) ? &block_->Profiles[current] : nullptr;
}

// ---------------------------------------------------------------- start-up

void MonitorCore::LoadSettings(int systemLanguageIndex) {
  ResetToEmpty(*block_);
  if (CanOpenForReading(store_.ConfigPath()))
    store_.LoadAll(*block_);
  else
    ResetToDefaults(*block_, -1);
  if (block_->QuickHelpLan == -1) block_->QuickHelpLan = systemLanguageIndex;
  ClearChangeFlags(*block_);
}

bool MonitorCore::OpenDevice(bool featureDeviceOpened) {
  if (featureDeviceOpened) {
    host_.StartTimer(kTimerForeground, 2000);
    FirmwareCheck();
    host_.StartTimer(kTimerFirstReadBack, 200);
    deviceState_ = kDeviceConnected;
    ApplyTrayRule();
    if (startWithOption_) OnCustomizer();
  }
  deviceState_ = featureDeviceOpened ? kDeviceConnected : kDeviceUnknown;
  SendDeviceStatus(featureDeviceOpened ? 1 : 0);
  store_.SaveDevicePresent(featureDeviceOpened ? 1 : 0);
  return featureDeviceOpened;
}

void MonitorCore::ApplyCurrentWindowsValues(bool writeRegistry) {
  if (ProfileRecord* p = CurrentProfileRecord()) host_.ApplyWindowsValues(*p, writeRegistry);
}

void MonitorCore::LoadDeviceInfo() {
  devices_.Clear();
  devices_.Load(store_.programFolder() + "DeviceInfo.ini");
}

void MonitorCore::FirmwareCheck() {
  DeviceInfo info;
  if (!commands_.ReadDeviceInfo(info)) return;
  store_.SaveFirmwareVersion(info.firmwareVersion);
  if (info.firmwareVersion == 0) return;
  IniFile updaterConfig(JoinPath(store_.programFolder() + "FWUpdate", "config.ini"));
  updaterConfig.Load();
  // Compared unsigned: a missing file reads -1, the largest version.
  const uint32_t shipped = static_cast<uint32_t>(updaterConfig.GetInt("Firmware", "Version", -1));
  const uint32_t mouse = static_cast<uint32_t>(info.firmwareVersion);
  if (shipped == mouse) return;
  host_.ShellOpen(JoinPath(store_.programFolder() + "FWUpdate", "Vextra Firmware Updater.exe"), shipped > mouse ? "1" : "0");
  startWithOption_ = false;
}

// ---------------------------------------------------------------- shutdown

void MonitorCore::BeginShutdown() {
  // A running job ends by telling the mouse that the host is there (report 14
  // with 1); stopped first, and no job started after, nothing undoes the 0
  // sent below. The stop ends with the job, so the 0 gets its handshake.
  if (jobFlags_.Close())
    for (int waited = 0; jobFlags_.busy() && waited < kJobStopWait; waited += 10) host_.Sleep(10);
  commands_.WriteHostState(0);
  host_.KillTimer(kTimerForeground);
  host_.KillTimer(kTimerFirstReadBack);
  KillSoundTimers();
  host_.PostToWindow(kOptionTitle, 0x0010 /*WM_CLOSE*/, 0, 0);
  for (const char* title : kOsdWindowTitles)
    host_.PostToWindow(title, 0x0010 /*WM_CLOSE*/, 0, 0);
  // A job that outlived the wait above still has its stop: Close set it and only the job's end clears it.
}

// ---------------------------------------------------------------- dispatch

void MonitorCore::OnDeviceEvent(uint32_t code) {
  const RoutedEvent e = RouteEvent(code, deviceState_.load());
  switch (e.route) {
    case EventRoute::Ignore: break;
    case EventRoute::Arrival: Arrival(); break;
    case EventRoute::Removal: Removal(); break;
    case EventRoute::UniversalScroll: pc_.UniversalScroll(e.arg); break;
    case EventRoute::VolumeSound: pc_.VolumeKeySound(e.arg); break;
    case EventRoute::ProfileChanged: ProfileChangedOnMouse(e.arg); break;
    case EventRoute::LdaEvent: host_.PostToWindow(kLdaDialogTitle, WM_LDA_EVENT, 0, e.arg); break;
    case EventRoute::Quicklaunch: Quicklaunch(e.arg); break;
    case EventRoute::Button: ButtonEvent(e.arg, e.pressed); break;
    case EventRoute::ShowOption: host_.PostToSelf(0x0111 /*WM_COMMAND*/, ID_CONFIGURATION, 0); break;
    case EventRoute::DpiChanged: DpiChanged(e.arg); break;
    case EventRoute::SensitivityChanged: SensitivityChanged(e.arg); break;
    case EventRoute::PollingChanged: PollingChanged(e.arg); break;
    case EventRoute::Media: pc_.MediaFunction(e.arg, static_cast<int>((code & 0xFFFF) >> 8)); break;
    case EventRoute::LightDatabaseJob: host_.PostDeviceJob(kJobLightDatabase, 0); break;
    case EventRoute::MacroJob: host_.PostDeviceJob(kJobOneMacro, e.arg); break;
    case EventRoute::SynraShift: SynraShiftButton(e.arg); break;
  }
}

void MonitorCore::Arrival() {
  host_.Sleep(2000);
  deviceState_ = kDeviceConnected;
  SendDeviceStatus(1);
  host_.OpenFeatureDevice();
  FirmwareCheck();
  host_.PostDeviceJob(kJobReadAll, 0);
  ApplyTrayRule();
  store_.SaveDevicePresent(1);
  host_.StartTimer(kTimerForeground, 2000);
}

void MonitorCore::Removal() {
  deviceState_ = kDeviceRemoved;
  SendDeviceStatus(2);
  host_.CloseFeatureDevice();
  jobFlags_.RequestStop();
  ApplyTrayRule();
  host_.KillTimer(kTimerForeground);
  store_.SaveDevicePresent(0);
  host_.PostToWindow(kOptionTitle, 0x0010 /*WM_CLOSE*/, 0, 0);
}

bool MonitorCore::SoundAllowed(const ProfileRecord* profile, int32_t ProfileRecord::*flag) const {
  return profile && profile->*flag == 1 && !pc_.CountdownFinal();
}

void MonitorCore::KillSoundTimers() {
  // 601..608: the announcement timers, and 604 with them as the shutdown order names it.
  for (int id = kTimerProfileSound; id <= kTimerVolumeDownSound; ++id) host_.KillTimer(id);
}

void MonitorCore::Announce(int timerId) {
  KillSoundTimers();
  host_.StartTimer(timerId, kAnnouncementDelay);
}

void MonitorCore::PostToOption(unsigned message) {
  host_.PostToWindow(kOptionTitle, message, 0, 0);
}

void MonitorCore::ProfileChangedOnMouse(int index) {
  const ProfileRecord* previous = CurrentProfileRecord();
  block_->CurrentProfile = index;
  store_.SaveCurrentProfile(index);
  host_.Trace(Format("Profile Id: %lld \n", index));
  if (SoundAllowed(previous, &ProfileRecord::SoundProfile)) Announce(kTimerProfileSound);
  host_.CopyOut(*block_);
  ApplyCurrentWindowsValues(true);
  PostToOption(WM_OPT_PROFILE_CHANGED);
  SendSynraStatus();
  SendTanaimValues();
}

void MonitorCore::DpiChanged(int level) {
  ProfileRecord* p = CurrentProfileRecord();
  if (!p) return;
  const bool hadLevel = p->Cpi_X >= 0 && p->Cpi_X < 5;
  const int32_t old = hadLevel ? p->CpiLevel_X[p->Cpi_X] : -1;
  p->Cpi_X = p->Cpi_Y = level;
  const int32_t now = p->CpiLevel_X[level];
  if (SoundAllowed(p, &ProfileRecord::SoundDpi) && now != old) {
    pc_.RememberDpi(now);
    Announce(kTimerDpiSound);
  }
  host_.CopyOut(*block_);
  PostToOption(WM_OPT_DEVICE_VALUE_CHANGED);
}

void MonitorCore::SensitivityChanged(int value) {
  ProfileRecord* p = CurrentProfileRecord();
  if (!p) return;
  const int b = value & 0xFF, h = value >> 8;
  bool changed = false;
  int32_t old;
  if (p->XYSynchronous == 1) {
    old = p->Sensitivity_X;
    if (b >= 1 && b <= 11) p->Sensitivity_X = b, changed = true;
    if (h != 0 && h <= 11) p->Sensitivity_Y = h, changed = true;
  } else {
    old = p->Sensitivity;
    if (b >= 1 && b <= 11) p->Sensitivity = b, changed = true;
  }
  if (!changed) return;
  if (SoundAllowed(p, &ProfileRecord::SoundSens) && b != old)
    Announce(old < b ? kTimerSensitivityUpSound : kTimerSensitivityDownSound);
  host_.CopyOut(*block_);
  PostToOption(WM_OPT_DEVICE_VALUE_CHANGED);
}

void MonitorCore::PollingChanged(int code) {
  ProfileRecord* p = CurrentProfileRecord();
  if (!p) return;
  p->PollingRate = code;
  host_.CopyOut(*block_);
  PostToOption(WM_OPT_DEVICE_VALUE_CHANGED);
}

void MonitorCore::ButtonEvent(int slot, bool pressed) {
  ProfileRecord* p = CurrentProfileRecord();
  if (!p) return;
  // A shortcut held while its profile changes is still released by its button.
  if (!pressed && p->MacroKeys[slot].FunctionCode != kFnShortcut && pc_.ShortcutHeld(slot)) {
    pc_.ShortcutReleased(slot);
    return;
  }
  switch (p->MacroKeys[slot].FunctionCode) {
    case kFnShortcut:
      pressed ? pc_.ShortcutPressed(slot) : pc_.ShortcutReleased(slot);
      break;
    case kFnMacro:
      if (pressed) pc_.MacroButton(slot);
      break;
    case kFnTimer:
    case kFnStopTimer:
      if (pressed) pc_.CountdownButton(slot, p->MacroKeys[slot].FunctionCode == kFnTimer);
      break;
    default:
      break;
  }
}

void MonitorCore::Quicklaunch(int slot) {
  ProfileRecord* p = CurrentProfileRecord();
  if (!p) return;
  const MacroKeyInfo& key = p->MacroKeys[slot];
  if (key.FunctionCode != kFnQuicklaunch) return;
  const std::string path(key.ProgramPath, FieldLength(key.ProgramPath));
  if (!path.empty()) host_.ShellOpen(path, nullptr);
}

void MonitorCore::SynraShiftButton(int value) {
  ProfileRecord* p = CurrentProfileRecord();
  SynraShift shift;
  if (!p || !SynraShiftFor(*p, (value & 0xFF) - 1, shift)) return;
  if (!synraWindow_) return;
  const std::vector<uint8_t> payload = SynraShiftPayload(shift.command, shift.deviceId, static_cast<uint8_t>(value >> 8));
  host_.SendCopyData(synraWindow_, kSynraShiftBase + shift.command, payload.data(),
                     static_cast<uint32_t>(payload.size()));
}

// ---------------------------------------------------------------- timers

void MonitorCore::OnTimer(int id) {
  if (id == kTimerForeground) {
    ForegroundSwitch();
  } else if (id == kTimerFirstReadBack) {
    host_.KillTimer(kTimerFirstReadBack);
    host_.PostDeviceJob(kJobReadAll, 0);
  } else {
    pc_.Timer(id);
  }
}

void MonitorCore::ForegroundSwitch() {
  int selected = MatchGameProfile(*block_, host_.ForegroundExecutable());
  int soundTimer = kTimerProfileSound;
  if (selected < 0) {
    if (host_.WindowExists(kOptionTitle) || block_->WindowsProfile == -1) return;
    if (!IsProfileIndex(block_->WindowsProfile)) return;  // a damaged value selects nothing
    selected = block_->WindowsProfile;
    soundTimer = kTimerWindowsProfileSound;
  }
  if (selected == block_->CurrentProfile) return;
  const ProfileRecord* previous = CurrentProfileRecord();
  SendSynraStatus();
  block_->CurrentProfile = selected;
  host_.CopyOut(*block_);
  host_.PostDeviceJob(kJobSelectProfile, 0);
  ApplyCurrentWindowsValues(true);
  PostToOption(WM_OPT_PROFILE_CHANGED);
  SendTanaimValues();
  if (SoundAllowed(previous, &ProfileRecord::SoundProfile)) Announce(soundTimer);
}

// ---------------------------------------------------------------- device thread

void MonitorCore::RunDeviceJob(int job, int argument) {
  if (deviceState_.load() != kDeviceConnected) return;
  const JobScope running(jobFlags_);  // the one place a job's stop flag is cleared
  if (!running.started()) return;     // shutting down
  switch (job) {
    case kJobReadAll:
      jobs_.ReadAllJob(*block_, *this, calibration_);
      SendTanaimValues();
      break;
    case kJobSelectProfile:
      if (IsProfileIndex(block_->CurrentProfile)) commands_.WriteCurrentProfile(block_->CurrentProfile);
      break;
    case kJobLightDatabase: {
      std::string data;
      if (ReadWholeFile(store_.programFolder() + "LightEffectColorDatabase.bin", data, kMaxLightDatabase))
        jobs_.UploadLightDatabase(reinterpret_cast<const uint8_t*>(data.data()), data.size());
      break;
    }
    case kJobOneMacro:
      if (argument >= 1 && argument <= 110) jobs_.UploadOneMacro(*block_, argument);
      break;
    default:
      break;
  }
}

void MonitorCore::SaveFirmwareVersion(int value) { store_.SaveFirmwareVersion(value); }

void MonitorCore::SaveAll(const SettingsBlock& block) { store_.SaveAll(block); }

void MonitorCore::Publish(const SettingsBlock& block) {
  host_.CopyOut(block);
  PostToOption(WM_OPT_SETTINGS_READ);
}

// ---------------------------------------------------------------- other programs

void MonitorCore::OnApplySettings(int wParam) {
  if (host_.CopyIn(*block_)) SanitizeShared(*block_);
  ApplyCurrentWindowsValues(false);
  OSDSetting osd;
  ReadOSDSetting(store_.ConfigPath(), osd);
  const uint32_t packed = (static_cast<uint32_t>(osd.Value28) << 16) | (static_cast<uint32_t>(osd.Value32) & 0xFFFF);
  host_.PostToWindow(kOsdTitle, WM_OSD_SETTINGS, 0, static_cast<intptr_t>(static_cast<int32_t>(packed)));
  if (deviceState_.load() != kDeviceConnected) return;
  jobs_.UploadChanges(*block_, wParam == 1);
  SendSynraStatus();
  SendTanaimValues();
}

void MonitorCore::OnReloadShared() {
  if (host_.CopyIn(*block_)) SanitizeShared(*block_);
}

void MonitorCore::OnApplyWindows() {
  OnReloadShared();
  ApplyCurrentWindowsValues(false);
}

void MonitorCore::OnLdaCapture() {
  host_.Trace("Step1\r\n");
  jobs_.Calibrate(calibration_, JoinPath(store_.programFolder() + "Wave", "sensorImage.bmp"));
  host_.PostToWindow(kLdaDialogTitle, WM_LDA_CAPTURE_DONE, 0, 0);
}

void MonitorCore::OnLdaCommand(int command) {
  OnReloadShared();
  if (command >= 253 && command <= 255) jobs_.WriteTracking(command, *block_, calibration_);
}

void MonitorCore::OnLdaMode(int mode) {
  OnReloadShared();
  if (mode >= 1 && mode <= 4) jobs_.WriteTracking(mode, *block_, calibration_);
}

void MonitorCore::SendLightReport(uint8_t x, uint8_t y, uint8_t z) {
  commands_.WriteLightCommand(SynraLightReport(x, y, z));
}

void MonitorCore::OnSynraCode(int code, intptr_t lParam, bool fromA) {
  host_.Trace(Format(fromA ? "OnReceiveVelmarSynraAStatus: wParam=%lld, lParam=%lld\r\n"
                           : "OnReceiveSynraMessage: wParam=%lld, lParam=%lld\r\n",
                     code, static_cast<long long>(lParam)));
  switch (code) {
    case 6:
      if (!synraWindow_) {
        synraWindow_ = static_cast<uintptr_t>(lParam);
        SendDeviceStatus(1);
        SendTanaimValues();
      }
      synraActive_ = 1;
      ApplyTrayRule();
      return;
    case 7:
      synraWindow_ = 0;
      synraActive_ = 0;
      ApplyTrayRule();
      return;
    case 140:
    case 245:
      SendLightReport(lParam == 0 ? 1 : lParam == 1 ? 0 : 255, 255, 255);
      return;
    case 141:
    case 246:
      if (lParam != 0) return;
      shiftLock_ = !shiftLock_;
      SendLightReport(255, shiftLock_ ? 1 : 0, 255);
      return;
    default:
      break;
  }
  if (!fromA) return;
  if (code == 8) {
    host_.PostToSelf(0x0111 /*WM_COMMAND*/, ID_CONFIGURATION, 0);
  } else if (code == 9) {
    host_.PostToSelf(0x0111 /*WM_COMMAND*/, ID_EXIT, 0);
  } else if (code == 10) {
    ApplyTrayRule();
  } else if (code >= 247 && code <= 251) {
    SendLightReport(255, 255, lParam == 0 ? static_cast<uint8_t>(code - 246) : lParam == 1 ? 0 : 255);
  }
}

void MonitorCore::OnAmbientLight(const uint8_t record[20]) {
  commands_.WriteLightCommand(SynraAmbientReport(record));
}

bool MonitorCore::RegisterDevice(const DeviceInfoEntry& entry) {
  if (!devices_.AddOrUpdate(entry)) return false;
  devices_.Save(store_.programFolder() + "DeviceInfo.ini");
  PostToOption(WM_OPT_DEVICE_LIST_CHANGED);
  return true;
}

void MonitorCore::OnCustomizer() {
  if (host_.BringForward(kOptionTitle)) return;
  host_.ShellOpen(store_.programFolder() + "VextraOption.exe", nullptr);
}

void MonitorCore::ApplyTrayRule() { host_.SetTrayIcon(deviceState_.load() == kDeviceConnected && synraActive_ == 0); }

// ---------------------------------------------------------------- Synra messages

void MonitorCore::SendDeviceStatus(int status) {
  if (!synraWindow_) return;
  const std::vector<uint8_t> payload = SynraDpiPayload(host_.SelfHandle32(), CurrentProfileRecord(), 200);
  host_.SendCopyData(synraWindow_, status == 1 ? kSynraDeviceStatusOn : kSynraDeviceStatusOff, payload.data(),
                     static_cast<uint32_t>(payload.size()));
}

void MonitorCore::SendTanaimValues() {
  if (!synraWindow_) return;
  const std::vector<uint8_t> payload = SynraDpiPayload(host_.SelfHandle32(), CurrentProfileRecord(), 100);
  host_.SendCopyData(synraWindow_, kSynraTanaim, payload.data(), static_cast<uint32_t>(payload.size()));
}

void MonitorCore::SendSynraStatus() {
  shiftLock_ = false;
  if (synraActive_ == 1) host_.PostSynraActiveStatus();
}

}  // namespace vextra
