#include "app/tags.h"
#include "components/family_entries.h"
#include "components/family_rows.h"
#include "resources/catalogue.h"
#include "resources/catalogue_sets.h"

using namespace catalogue;
using namespace family;

void InstallXaTools(WVexaTools& host) {
    if (!HasTag(kXaTools)) return;
    const FamilyRow& row = Row(4);
    if (!HasTag(kRelease)) {
        WriteTarget(row);
        if (HasTag(kRtkXa) && !InstallSet(host, sets::kSetRtkXa)) return;
        if (HasTag(kMonXa)) {
            if (!InstallSet(host, sets::kSetMonXa)) return;
            WriteEmulators(row);
        }
        // The 8051 family brings the shared headers and samples when it is installed too.
        if (!HasTag(k8051Tools) &&
            (!InstallSet(host, sets::kSetHeaders) || !InstallSet(host, sets::kSetSamples)))
            return;
    }
    if (HasTag(kAsmXa)) {
        if (!InstallSet(host, sets::kSetAsmXa)) return;
        WriteTool(row.tools[kAssembler]);
    }
    if (HasTag(kCXa)) {
        for (const char* set : {sets::kSetCXa, sets::kSetLnkXa, sets::kSetLibXa})
            if (!InstallSet(host, set)) return;
        for (ToolRole role : {kCompiler, kLinker, kHexConverter, kLibrarian})
            WriteTool(row.tools[role]);
    }
    WriteManuals(row);
    WriteHelps(row);
}

void Install251Tools(WVexaTools& host) {
    if (!HasTag(k80251Tools)) return;
    const FamilyRow& row = Row(5);
    if (!HasTag(kRelease)) {
        WriteTarget(row);
        if (!InstallSet(host, sets::kSetMon251)) return;
        WriteEmulators(row);
    }
    if (HasTag(kAsm251)) {
        if (!InstallSet(host, sets::kSetAsm251)) return;
        WriteTool(row.tools[kAssembler]);
    }
    if (HasTag(kC251)) {
        if (!InstallSet(host, sets::kSetC251) || !InstallSet(host, sets::kSetLnk251)) return;
        for (ToolRole role : {kCompiler, kLinker, kHexConverter, kLibrarian})
            WriteTool(row.tools[role]);
    }
    WriteManuals(row);
}
