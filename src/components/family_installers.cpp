#include "components/family_installers.h"

#include "components/family_rows.h"
#include "components/tools_host.h"

void RunFamilyInstallers(WVexaTools& host) {
    using Installer = void (*)(WVexaTools&);
    static constexpr Installer kFamilies[] = {Install8051Tools, InstallLpcTools, InstallIce51,
                                              InstallXaTools,   Install251Tools, InstallSt5Tools,
                                              InstallMxTools,   InstallXeTools,  InstallSt6Tools};
    for (Installer install : kFamilies) {
        if (!host.continueFlag) return;
        install(host);
    }
    for (int row = 10; row <= 22; ++row) {
        if (!host.continueFlag) return;
        InstallSmartCardAddOn(host, row);
    }
    for (int row = 23; row <= 35; ++row) {
        if (!host.continueFlag) return;
        Install8051AddOn(host, row);
    }
}
