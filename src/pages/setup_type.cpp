#include "pages/setup_type.h"

#include "app/inst_app.h"
#include "app/message_box.h"
#include "app/setup_record.h"
#include "app/tags.h"
#include "resources/catalogue.h"
#include "resources/dialog_templates.h"

namespace {
constexpr int kTypeGroup = 108, kComplete = 204, kCustom = 205;
constexpr int kLanguageGroup = 105, kEnglish = 106, kFrench = 107;
}  // namespace

WVexaFullOrCustom::WVexaFullOrCustom(HWND parent, WVexaInstApp& app)
    : InstallOptionDialog(parent, resources::kSetupTypeDialog, &app.pageIndex, &app.stepDirection), app_(app) {}

void WVexaFullOrCustom::SetupPage() {
    using namespace catalogue;
    caption = LoadMessage(1034);
    app_.completeSetup = 1;
    CheckDlgButton(kComplete, true);
    CheckDlgButton(kCustom, false);

    auto showLanguages = [this](bool show) {
        ShowItem(kFrench, show);
        ShowItem(kEnglish, show);
        ShowItem(kLanguageGroup, show);
    };
    if (HasTag(kOvraPhilips) || HasTag(kOvraSt6) || HasTag(kOvraInfineon) || !HasTag(kOvra)) {
        CheckDlgButton(kFrench, false);
        CheckDlgButton(kEnglish, true);
        showLanguages(false);
    } else {
        bool french = Setup().languageOffset != 0;
        CheckDlgButton(kFrench, french);
        CheckDlgButton(kEnglish, !french);
        showLanguages(true);
    }
    if (HasTag(kEnglish) && HasTag(kFrench)) {
        showLanguages(true);
    } else {
        showLanguages(false);
        bool french = HasTag(kFrench);
        CheckDlgButton(kFrench, french);
        CheckDlgButton(kEnglish, !french);
    }

    SetDlgItemText(kTypeGroup, LoadMessage(1090));
    SetDlgItemText(kLanguageGroup, LoadMessage(1091));
    SetDlgItemText(kEnglish, LoadMessage(1092));
    SetDlgItemText(kFrench, LoadMessage(1093));
    SetDlgItemText(110, LoadMessage(1038));
    SetDlgItemText(kCustom, LoadMessage(1036));
    SetDlgItemText(kComplete, LoadMessage(1037));
    SetNavigationCaptions();

    // The setup type cannot be changed: Complete it stays.
    EnableItem(kTypeGroup, false);
    EnableItem(kCustom, false);
    EnableItem(kComplete, false);
}

bool WVexaFullOrCustom::CanLeave() {
    app_.completeSetup = IsDlgButtonChecked(kComplete) ? 1 : 0;
    app_.englishFiles = IsDlgButtonChecked(kEnglish) ? 1 : 0;
    return true;
}
