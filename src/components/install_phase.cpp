#include "components/install_phase.h"

#include <string>

#include "app/message_box.h"
#include "app/setup_record.h"
#include "app/tags.h"
#include "app/wizard_state.h"
#include "components/family_installers.h"
#include "components/ide_component.h"
#include "components/tools_host.h"
#include "config/ide_config_writer.h"
#include "engine/file_set.h"
#include "engine/media_check.h"
#include "engine/setup_ini.h"
#include "platform/win32.h"
#include "resources/catalogue.h"
#include "resources/catalogue_sets.h"

namespace {

// Installs one file set while the phase may go on; the result becomes the continue flag.
void InstallSet(WVexaTools& host, const char* name) {
    if (!host.continueFlag) return;
    std::string set = name;
    host.continueFlag = InstallFileSet(host.App(), set);
}

}  // namespace

void InstallPhase(WizardState& app) {
    using namespace catalogue;
    // An IDE installation starts from an empty configuration file (the old one stays whole on disk until
    // the first entry of the new one replaces it).
    if (IsOvraFamily()) StartFreshIdeIni();
    app.fileSetCount = FileSetsForSelection();
    app.fileSetsStarted = 0;
    {
        WVexaTools host(app, MainWindowHandle(), &app.pageIndex, &app.stepDirection);
        if (!HasTag(kRelease)) {
            if (HasTag(kOvraSt6))
                InstallIdeComponentSt6(host);
            else
                InstallIdeComponent(host);
        }
        if (HasTag(kAddOnTools)) InstallSet(host, sets::kSetVersion);
        RunFamilyInstallers(host);
        if (host.continueFlag)
            ++app.pageIndex;
        else
            app.pageIndex = 11;
    }
    if (IsOvraFamily()) EndFreshIdeIni();
    app.DestroyProgressWindow();
    // What was recorded reaches the registry even when a file set failed.
    ConfigDriver();
}

bool InstallPatch(WizardState& app) {
    bool installed = false;
    app.fileSetCount = 1;
    app.fileSetsStarted = 0;
    {
        WVexaTools host(app, MainWindowHandle(), &app.pageIndex, &app.stepDirection);
        if (host.continueFlag) {
            std::string set = Setup().patchFileSet;
            installed = InstallFileSet(app, set) != 0;
        }
    }
    app.DestroyProgressWindow();
    return installed;
}
