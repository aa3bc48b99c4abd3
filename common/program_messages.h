// Message numbers, timer ids and window titles by which the Monitor and the
// programs around it find and talk to each other. The numbers are fixed: other
// programs (the Option, the updater, the display and Synra programs) use them.
#pragma once

namespace vextra {

// Window titles.
constexpr const char* kMonitorTitle = "VELMAR Vextra Mouse Monitor";
constexpr const char* kOptionTitle = "VELMAR Vextra Mouse Option";
constexpr const char* kLdaDialogTitle = "Vextra LDACalibrateDlg";
constexpr const char* kSynraMonitorTitle = "Velmar Synra Monitor";
constexpr const char* kOsdTitle = "VELMAR Vextra Mouse OSD";
constexpr const char* kOsdWindowTitles[4] = {"VELMAR Vextra Mouse OSD", "VELMAR Vextra Mouse Pop3",
                                             "VELMAR Vextra Mouse CPU RAM", "VELMAR Vextra Mouse OSD SKYPE"};

// Kernel object names.
constexpr const char* kMonitorInstanceMutex = "VELMAR_Vext+_Mouse_Normal_Monitor";
constexpr const char* kSettingsMutex = "Velmar_Vext+_Mouse_Mutex_Object";
constexpr const char* kSharedSection = "VELMAR_Vext+_Mouse_Share_Data";

// To the Monitor window.
constexpr unsigned WM_MON_TRAY_NOTIFY = 1036;
constexpr unsigned WM_MON_APPLY_SETTINGS = 1224;
constexpr unsigned WM_MON_RELOAD_SHARED = 1226;
constexpr unsigned WM_MON_APPLY_WINDOWS = 1227;
constexpr unsigned WM_MON_LDA_CAPTURE = 1229;
constexpr unsigned WM_MON_LDA_COMMAND = 1230;
constexpr unsigned WM_MON_LDA_MODE = 1231;
constexpr unsigned WM_MON_ACCEPTED_1232 = 1232;
constexpr unsigned WM_MON_IE_SCROLL = 1238;
constexpr unsigned WM_MON_ACCEPTED_1274 = 1274;
constexpr unsigned WM_MON_DEVICE_EVENT = 1325;
constexpr unsigned WM_MON_DEVICE_PRESENCE = 1326;
constexpr unsigned WM_MON_ACCEPTED_1327 = 1327;
constexpr unsigned WM_SYNRA_A_STATUS = 2025;

// From the Monitor.
constexpr unsigned WM_OPT_SETTINGS_READ = 1254;
constexpr unsigned WM_OPT_PROFILE_CHANGED = 1255;
constexpr unsigned WM_OPT_DEVICE_VALUE_CHANGED = 1257;
constexpr unsigned WM_OPT_DEVICE_LIST_CHANGED = 1284;
constexpr unsigned WM_OSD_SETTINGS = 1326;
constexpr unsigned WM_LDA_CAPTURE_DONE = 1260;
constexpr unsigned WM_LDA_EVENT = 1261;

// Thread messages of the worker threads.
constexpr unsigned WM_MACRO_PLAY = 1648;
constexpr unsigned WM_DEVICE_JOB = 1649;

// Menu commands.
constexpr unsigned ID_CONFIGURATION = 6001;
constexpr unsigned ID_EXIT = 6002;

// Registered messages shared with the Synra program.
constexpr const char* kSynraRegisteredNames[6] = {
    "WM_SYNRA_ACTIVE_STATUS_FROM_SYNRA",          "WM_SYNRA_ACTIVE_STATUS_TO_SYNRA",
    "WM_SYNRA_MONITOR_STATUS_CHANGE",             "WM_SYNRA_AMBIENT_EVENT_LIGHT_FROM_SYNRA",
    "WM_SYNRA_DEVICE_STATUS_CHANGE_TO_SYNRAMONITOR", "WM_SYNRA_MSG"};
constexpr const char* kSynraMsgName = "WM_SYNRA_MSG";
constexpr const char* kSynraActiveToSynraName = "WM_SYNRA_ACTIVE_STATUS_TO_SYNRA";
constexpr const char* kSynraAmbientName = "WM_SYNRA_AMBIENT_EVENT_LIGHT_FROM_SYNRA";
constexpr unsigned kSynraCopyDataWParam = 2024;

// Timers of the Monitor window.
constexpr int kTimerKeyRepeat = 102;
constexpr int kTimerForeground = 500;
constexpr int kTimerFirstReadBack = 502;
constexpr int kTimerCountdown = 600;
constexpr int kTimerProfileSound = 601;
constexpr int kTimerWindowsProfileSound = 602;
constexpr int kTimerDpiSound = 603;
constexpr int kTimerSensitivityUpSound = 605;
constexpr int kTimerSensitivityDownSound = 606;
constexpr int kTimerVolumeUpSound = 607;
constexpr int kTimerVolumeDownSound = 608;
// The one-shot announcement timers (604 was never one); starting one kills
// all of them, so at most one announcement is pending.
constexpr int kAnnouncementTimers[] = {kTimerProfileSound,       kTimerWindowsProfileSound,  kTimerDpiSound,
                                       kTimerSensitivityUpSound, kTimerSensitivityDownSound, kTimerVolumeUpSound,
                                       kTimerVolumeDownSound};
constexpr int kAnnouncementDelay = 500;

// Device thread jobs.
constexpr int kJobReadAll = 2;
constexpr int kJobSelectProfile = 3;
constexpr int kJobLightDatabase = 5;
constexpr int kJobOneMacro = 6;

// Tray icon.
constexpr unsigned kTrayIconId = 102;
constexpr const char* kTrayTip = "VELMAR Vextra";

}  // namespace vextra
