#include "pages/setup_type.h"

#include "app/message_box.h"
#include "app/setup_record.h"
#include "app/tags.h"
#include "app/wizard_state.h"
#include "resources/catalogue.h"
#include "resources/dialog_templates.h"

namespace {
constexpr int kTypeGroup = 108, kComplete = 204, kCustom = 205;
constexpr int kLanguageGroup = 105, kEnglishRadio = 106, kFrenchRadio = 107;
}  // namespace

WVexaFullOrCustom::WVexaFullOrCustom(HWND parent, WizardState& app)
    : InstallOptionDialog(parent, resources::kSetupTypeDialog, &app.pageIndex, &app.stepDirection),
      app_(app) {}

void WVexaFullOrCustom::SetupPage() {
    caption = LoadMessage(1034);
    app_.completeSetup = 1;
    CheckDlgButton(kComplete, true);
    CheckDlgButton(kCustom, false);

    auto showLanguages = [this](bool show) {
        ShowItem(kFrenchRadio, show);
        ShowItem(kEnglishRadio, show);
        ShowItem(kLanguageGroup, show);
    };
    if (HasTag(catalogue::kOvraPhilips) || HasTag(catalogue::kOvraSt6) || HasTag(catalogue::kOvraInfineon) ||
        !HasTag(catalogue::kOvra)) {
        CheckDlgButton(kFrenchRadio, false);
        CheckDlgButton(kEnglishRadio, true);
        showLanguages(false);
    } else {
        bool french = Setup().languageOffset != 0;
        CheckDlgButton(kFrenchRadio, french);
        CheckDlgButton(kEnglishRadio, !french);
        showLanguages(true);
    }
    if (HasTag(catalogue::kEnglish) && HasTag(catalogue::kFrench)) {
        showLanguages(true);
    } else {
        showLanguages(false);
        bool french = HasTag(catalogue::kFrench);
        CheckDlgButton(kFrenchRadio, french);
        CheckDlgButton(kEnglishRadio, !french);
    }

    SetDlgItemText(kTypeGroup, LoadMessage(1090));
    SetDlgItemText(kLanguageGroup, LoadMessage(1091));
    SetDlgItemText(kEnglishRadio, LoadMessage(1092));
    SetDlgItemText(kFrenchRadio, LoadMessage(1093));
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
    app_.englishFiles = IsDlgButtonChecked(kEnglishRadio) ? 1 : 0;
    return true;
}
