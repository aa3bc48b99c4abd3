// The Update page's five link buttons and what each opens: four distinct
// endpoints of ours (the lower support button opens the e-mail link).
#pragma once

namespace vextra {

constexpr const char* kModelSupportPage = "https://support.velmar.example/vextra";
constexpr const char* kSupportPage = "https://support.velmar.example/";
constexpr const char* kSupportMail = "mailto:support@velmar.example";
constexpr const char* kSupportForm = "https://support.velmar.example/contact";

// Button 0..4 in layout order: "BUTTON_update", "BUTTON_help",
// "BUTTON_Email_Request", the upper and the lower "BUTTON_Support_Form".
inline const char* UpdateLinkTarget(int button) {
  switch (button) {
    case 0: return kModelSupportPage;
    case 1: return kSupportPage;
    case 2: return kSupportMail;
    case 3: return kSupportForm;
    case 4: return kSupportMail;
    default: return nullptr;
  }
}

}  // namespace vextra
