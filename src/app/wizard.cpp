#include "app/wizard.h"

#include "app/background.h"
#include "app/completion.h"
#include "app/destination.h"
#include "app/flavour.h"
#include "app/message_box.h"
#include "app/registry_util.h"
#include "app/setup_record.h"
#include "app/start_checks.h"
#include "app/tags.h"
#include "app/user_record.h"
#include "app/wizard_state.h"
#include "components/install_phase.h"
#include "engine/media_check.h"
#include "pages/directory.h"
#include "pages/licence.h"
#include "pages/presentation.h"
#include "pages/readme.h"
#include "pages/setup_type.h"
#include "pages/summary.h"
#include "pages/user_info.h"
#include "platform/win32.h"
#include "resources/catalogue.h"
#include "resources/dialog_templates.h"

namespace {

constexpr int kDestinationStep = 6;

template <typename Page>
void Show(WizardState& app) {
    Page page(MainWindowHandle(), &app.pageIndex, &app.stepDirection);
    RunPage(page);
}

void Pass(WizardState& app) {
    app.pageIndex += app.stepDirection;
}

// The end of a successful run, before the completion step.
void FinishRun(WizardState& app) {
    if (Setup().patchWord == 0) {
        WriteUserRecord();
        if (IsOvraFamily()) ShowMessage(MainWindowHandle(), 1087, MB_OK);
    }
    // The installation is finished only once its registry is on disk: a hive that cannot be saved is a
    // failed run, and the finish page does not follow.
    if (!SaveRegistry()) {
        ShowMessage(nullptr, 1063, MB_ICONEXCLAMATION);
        app.pageIndex = -1;
        return;
    }
    CompleteSetup(app);
}

// A patch that could not install its file set is a failed run: step 11 tells the user, and neither the
// finish page nor a new build number follows.
void RunPatch(WizardState& app) {
    Show<WVexaPresentation>(app);
    if (app.pageIndex == -1) return;
    app.pageIndex = InstallPatch(app) ? 10 : 11;
}

}  // namespace

StepAction DecideStep(int index) {
    const bool lpc = HasTag(catalogue::kLpcTools);
    // The LPC test comes before the kit test: an LPC kit never sees the user and setup-type pages.
    const bool kitPages = !lpc && IsOvraFamily();
    switch (index) {
        case 0:
            return {StepKind::Page, resources::kPresentationDialog};
        case 1:
            return {StepKind::Page, resources::kLicenceDialog};
        case 2:
            return IsOvraFamily() ? StepAction{StepKind::Page, resources::kReadmeDialog}
                                  : StepAction{StepKind::Pass, 0};
        case 3:
            return {lpc ? StepKind::PassWithLpcDefaults : StepKind::Pass, 0};
        case 4:
            if (lpc) return {StepKind::PassClearingUser, 0};
            return kitPages ? StepAction{StepKind::Page, resources::kUserInfoDialog}
                            : StepAction{StepKind::Pass, 0};
        case 5:
            return kitPages ? StepAction{StepKind::Page, resources::kSetupTypeDialog}
                            : StepAction{StepKind::Pass, 0};
        case 6:
            return {StepKind::Page, resources::kDirectoryDialog};
        case 7:
            return {StepKind::Page, resources::kSummaryDialog};
        case 8:
            return {StepKind::Pass, 0};
        case 9:
            return {StepKind::Install, 0};
        case 10:
            return {StepKind::Finish, 0};
        case 11:
            return {StepKind::Failure, 0};
        default:
            return {StepKind::End, 0};
    }
}

void RunStep(WizardState& app) {
    StepAction action = DecideStep(app.pageIndex);
    switch (action.kind) {
        case StepKind::Page:
            switch (action.dialog) {
                case resources::kPresentationDialog:
                    Show<WVexaPresentation>(app);
                    break;
                case resources::kLicenceDialog:
                    Show<WVexaLicence>(app);
                    break;
                case resources::kReadmeDialog:
                    Show<WVexaReadme>(app);
                    break;
                case resources::kUserInfoDialog:
                    Show<WVexaUserInfo>(app);
                    break;
                case resources::kSetupTypeDialog: {
                    WVexaFullOrCustom page(MainWindowHandle(), app);
                    RunPage(page);
                    break;
                }
                case resources::kDirectoryDialog:
                    Show<WVexaDirectory>(app);
                    // Only a destination accepted with Next is made and gets the log: Back, Exit or the end
                    // of the input leave the disk as it was. One that cannot be made keeps the user here.
                    if (app.pageIndex == kDestinationStep + 1 && !SetUpDestination())
                        app.pageIndex = kDestinationStep;
                    break;
                case resources::kSummaryDialog:
                    Show<WVexaDiskInfo>(app);
                    break;
                default:
                    app.pageIndex = -1;
                    break;
            }
            break;
        case StepKind::Pass:
            Pass(app);
            break;
        case StepKind::PassWithLpcDefaults:
            app.completeSetup = 1;
            // The English-files flag stays as the media check at start-up used it: an LPC kit whose
            // media name no English files installs from the folder that was checked.
            Pass(app);
            break;
        case StepKind::PassClearingUser:
            Setup().userName.clear();
            Setup().company.clear();
            WriteUserRecord();
            Pass(app);
            break;
        case StepKind::Install:
            InstallPhase(app);
            break;
        case StepKind::Finish:
            FinishRun(app);
            break;
        case StepKind::Failure:
            ShowMessage(nullptr, 1063, MB_ICONEXCLAMATION);
            app.pageIndex = -1;
            break;
        case StepKind::End:
            app.pageIndex = -1;
            break;
    }
}

void RunWizard(WizardState& app) {
    app.pageIndex = 0;
    app.stepDirection = 1;
    Setup().userName.clear();
    Setup().company.clear();

    bool detected = DetectFlavour(app);
    UpdateBackgroundTitle();
    if (!detected) {
        PostQuitMessage(0);
        return;
    }
    if (!WindowsVersionAccepted()) {
        ShowMessage(nullptr, 1065, MB_ICONEXCLAMATION);
        PostQuitMessage(0);
        return;
    }
    app.englishFiles = HasTag(catalogue::kEnglish) ? 1 : 0;
    if (!CheckMediaForSelection(app)) {
        ShowMessage(nullptr, 1104, MB_ICONEXCLAMATION);
        PostQuitMessage(0);
        return;
    }
    if (Setup().patchWord != 0) RunPatch(app);
    while (app.pageIndex != -1) {
        if (app.pageIndex < 0 || app.pageIndex > 11) {
            app.pageIndex = -1;
            break;
        }
        RunStep(app);
    }
    PostQuitMessage(0);
}
