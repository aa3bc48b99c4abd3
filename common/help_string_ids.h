// String ids of the language libraries (help\<Language>_help.dll). Each id is
// the hover help text of the control(s) named beside it. Every language file
// under assets/help/strings must hold exactly the ids of kHelpStringIds: the
// build refuses a library with a missing or unknown id.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vextra {

// Characters the program reads a help string with (terminator included).
constexpr size_t kHelpStringBufferChars = 500;

// Main window.
constexpr int32_t kHelpMinimize = 1001;             // "Min"
constexpr int32_t kHelpExit = 1002;                 // "Exit"
constexpr int32_t kHelpMainPage = 1003;             // page button "Main"
constexpr int32_t kHelpCreateProfile = 1013;        // "Create"
constexpr int32_t kHelpLoadProfile = 1014;          // "Load"
constexpr int32_t kHelpSaveProfile = 1015;          // "Save"
constexpr int32_t kHelpEditProfile = 1016;          // "Edit"
constexpr int32_t kHelpProfileSlot1 = 1017;         // "Profile 1" ... "Profile 5"
constexpr int32_t kHelpProfileSlot2 = 1018;
constexpr int32_t kHelpProfileSlot3 = 1019;
constexpr int32_t kHelpProfileSlot4 = 1020;
constexpr int32_t kHelpProfileSlot5 = 1021;
constexpr int32_t kHelpProfileName1 = 1022;         // the five profile name labels
constexpr int32_t kHelpProfileName2 = 1023;
constexpr int32_t kHelpProfileName3 = 1024;
constexpr int32_t kHelpProfileName4 = 1025;
constexpr int32_t kHelpProfileName5 = 1026;
constexpr int32_t kHelpWindowsProfileOff = 1027;    // windows-profile "off" buttons
constexpr int32_t kHelpWindowsProfileOn = 1028;     // windows-profile "on" buttons
constexpr int32_t kHelpOk = 1029;                   // "OK"
constexpr int32_t kHelpApply = 1030;                // "Apply"
constexpr int32_t kHelpCancel = 1031;               // "Cancel"
constexpr int32_t kHelpButtonAssignPage = 1032;     // page button "Button Assign"
constexpr int32_t kHelpColorPage = 1040;            // page button "Color"
constexpr int32_t kHelpAdvancedPage = 1059;         // page button "Advanced"
constexpr int32_t kHelpUpdatePage = 1085;           // page button "Update"

// Main settings page.
constexpr int32_t kHelpSensitivitySlider = 1004;    // "SENSITIVITY"
constexpr int32_t kHelpSensitivityField = 1005;     // "Sensitivity"
constexpr int32_t kHelpDpiLevel = 1006;             // DPI row presets, header, slider, field
constexpr int32_t kHelpScrollLines = 1007;          // "Scroll speed", "not one page"
constexpr int32_t kHelpScrollPage = 1008;           // "one page"
constexpr int32_t kHelpTiltSpeed = 1009;            // "Tilt Speed"
constexpr int32_t kHelpDpiLevelEnable = 1010;       // DPI row enable box
constexpr int32_t kHelpDoubleClickSpeed = 1011;     // "Double Click speed"

// Advanced settings page.
constexpr int32_t kHelpSensitivityX = 1061;         // "X-AXIS", "Sensitivity X"
constexpr int32_t kHelpSensitivityY = 1062;         // "Y-AXIS", "Sensitivity Y"
constexpr int32_t kHelpSeparateXY = 1063;           // "Enable Advanced Setting"
constexpr int32_t kHelpLdaOn = 1065;                // "LDA ON"
constexpr int32_t kHelpLdaOff = 1066;               // "LDA OFF"
constexpr int32_t kHelpLdaRecalibrate = 1067;       // "BUTTON_ReCalibrate"
constexpr int32_t kHelpLiftOff = 1069;              // "OFF"
constexpr int32_t kHelpLiftNormal = 1070;           // "Normal"
constexpr int32_t kHelpLiftLow = 1071;              // "Low"
constexpr int32_t kHelpLiftExtraLow = 1072;         // "Extra low"
constexpr int32_t kHelpPollingRate = 1073;          // "125Hz" ... "1000Hz"
constexpr int32_t kHelpSoundProfile = 1075;         // "Sound FeedBack Profile Switch"
constexpr int32_t kHelpSoundDpi = 1076;             // "Sound FeedBack DPi Switch"
constexpr int32_t kHelpSoundSensitivity = 1077;     // "Sound FeedBack Sensitivity Switch"
constexpr int32_t kHelpSoundVolumeKeys = 1078;      // "Sound Volume Up/Down"
constexpr int32_t kHelpSoundVolume = 1079;          // "Sound Volume"
constexpr int32_t kHelpPointerSpeed = 1080;         // "Pointer Speed"
constexpr int32_t kHelpAcceleration = 1081;         // "Enable mouse acceleration"
constexpr int32_t kHelpTrails = 1082;               // "Enable mouse Trails"
constexpr int32_t kHelpReset = 1083;                // "BUTTON_Reset"

// Update and support page.
constexpr int32_t kHelpDriverDownload = 1086;       // "BUTTON_update"
constexpr int32_t kHelpSupportEmail = 1087;         // "BUTTON_Email_Request"
constexpr int32_t kHelpSupportPage = 1088;          // "BUTTON_help"
constexpr int32_t kHelpSupportForm = 1089;          // upper "BUTTON_Support_Form"
constexpr int32_t kHelpSupportMail = 1090;          // lower "BUTTON_Support_Form"

// Every id, in ascending order.
inline constexpr int32_t kHelpStringIds[] = {
    kHelpMinimize,          kHelpExit,              kHelpMainPage,
    kHelpSensitivitySlider, kHelpSensitivityField,  kHelpDpiLevel,
    kHelpScrollLines,       kHelpScrollPage,        kHelpTiltSpeed,
    kHelpDpiLevelEnable,    kHelpDoubleClickSpeed,  kHelpCreateProfile,
    kHelpLoadProfile,       kHelpSaveProfile,       kHelpEditProfile,
    kHelpProfileSlot1,      kHelpProfileSlot2,      kHelpProfileSlot3,
    kHelpProfileSlot4,      kHelpProfileSlot5,      kHelpProfileName1,
    kHelpProfileName2,      kHelpProfileName3,      kHelpProfileName4,
    kHelpProfileName5,      kHelpWindowsProfileOff, kHelpWindowsProfileOn,
    kHelpOk,                kHelpApply,             kHelpCancel,
    kHelpButtonAssignPage,  kHelpColorPage,         kHelpAdvancedPage,
    kHelpSensitivityX,      kHelpSensitivityY,      kHelpSeparateXY,
    kHelpLdaOn,             kHelpLdaOff,            kHelpLdaRecalibrate,
    kHelpLiftOff,           kHelpLiftNormal,        kHelpLiftLow,
    kHelpLiftExtraLow,      kHelpPollingRate,       kHelpSoundProfile,
    kHelpSoundDpi,          kHelpSoundSensitivity,  kHelpSoundVolumeKeys,
    kHelpSoundVolume,       kHelpPointerSpeed,      kHelpAcceleration,
    kHelpTrails,            kHelpReset,             kHelpUpdatePage,
    kHelpDriverDownload,    kHelpSupportEmail,      kHelpSupportPage,
    kHelpSupportForm,       kHelpSupportMail,
};
constexpr size_t kHelpStringCount = sizeof(kHelpStringIds) / sizeof(kHelpStringIds[0]);

}  // namespace vextra
