#include "install_child.h"

#include <cstdio>

#include "app/inst_app.h"
#include "app/setup_record.h"
#include "engine/file_set.h"
#include "engine/file_transfer.h"
#include "engine/setup_ini.h"
#include "engine/uninstall_log.h"
#include "platform/machine/machine.h"
#include "platform/win32.h"
#include "silent_ui.h"

int RunInstallChild(const std::string& media, const std::string& prefix, const std::string& setName) {
    platform::Machine machine(platform::Machine::Options{prefix, "C"});
    SilentUi ui;
    platform::ScopedServices scope(machine.ServicesWith(&ui));
    ResetSetupRecord();
    ResetIdeIniErrorReport();
    ResetSharedDllCounter();
    auto source = machine.prefix().ToWindows(media, true);
    if (!source) {
        std::fprintf(stderr, "install: %s is not reachable from the prefix\n", media.c_str());
        return 1;
    }
    SetupRecord& s = ::Setup();
    s.sourceDir = *source + "\\";
    s.productWord = 0x11;  // OVRA and ENGLISH: the set's files lie in the English folder
    CreateDirectoryA("C:\\OVRA", nullptr);
    CreateUninstallLog();
    int result = 0;
    {
        WVexaInstApp app;
        std::string set = setName;
        result = InstallFileSet(app, set);
        app.DestroyProgressWindow();
    }
    if (result != 1 || ui.boxes != 0) {
        std::fprintf(stderr, "install: InstallFileSet returned %d after %d message boxes\n", result,
                     ui.boxes);
        return 1;
    }
    return 0;
}
