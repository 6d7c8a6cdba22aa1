#include <string>

#include "app/setup_record.h"
#include "app/start_checks.h"
#include "app/tags.h"
#include "components/family_entries.h"
#include "components/family_rows.h"
#include "components/tools_host.h"
#include "components/xe_environment.h"
#include "engine/setup_ini.h"
#include "resources/catalogue.h"
#include "resources/catalogue_sets.h"

using namespace catalogue;
using namespace family;

void InstallMxTools(WVexaTools& host) {
    if (!HasTag(k80C51Mx)) return;
    const FamilyRow& row = Row(7);
    WriteTarget(row);
    if (!InstallSet(host, sets::kSetSimMx)) return;
    WriteSimulators(row);
    if (HasTag(kAsmMx)) {
        if (!InstallSet(host, sets::kSetAsmMx)) return;
        WriteTool(row.tools[kAssembler]);
    }
    if (HasTag(kCMx)) {
        if (!InstallSet(host, sets::kSetCMx)) return;
        WriteTool(row.tools[kCompiler]);
    }
    if (HasTag(kLinkMx)) {
        if (!InstallSet(host, sets::kSetLnkMx)) return;
        for (ToolRole role : {kLinker, kHexConverter, kLibrarian})
            WriteTool(row.tools[role]);
    }
    WriteManuals(row);
    AskAboutPreviousKeys(row);
}

// The XE8000 chain is GCC-based: besides its OVRA.ini entries it needs its specs file rewritten for the
// installation directory and its environment variables set.
void InstallXeTools(WVexaTools& host) {
    if (!HasTag(kXe8000) && !HasTag(kXeGcc)) return;
    const FamilyRow& row = Row(8);
    for (const char* set : row.fileSets)
        if (!InstallSet(host, set)) return;

    const std::string& dir = Setup().installDir;
    const std::string chain = dir + "\\coolrcts\\win32";
    WriteTarget(row);
    WriteIdeIni(row.targetName, "TargetInc", (chain + "\\Templates;" + chain + "\\c816\\include").c_str());
    WriteIdeIni(row.targetName, "TargetLib",
                (chain + "\\c816\\lib;" + chain + "\\lib\\gcc-lib\\c816\\egcs-2.91.02").c_str());
    WriteTools(row);
    WriteSimulators(row);
    WriteEmulators(row);
    // The row's first manual is the code compressor's; the other five follow the environment.
    WriteManual(row, row.manuals.front());

    RewriteSpecsFile(dir);
    if (IsWindowsNT())
        SetXeEnvironmentInRegistry(dir);
    else
        SetXeEnvironmentInAutoexec(dir);

    for (const DocEntry& doc : row.manuals.subspan(1))
        WriteManual(row, doc);
    AskAboutPreviousKeys(row);
}
