#include <string>

#include "app/tags.h"
#include "components/family_entries.h"
#include "components/family_rows.h"
#include "resources/catalogue.h"
#include "resources/catalogue_sets.h"

using namespace catalogue;
using namespace family;

namespace {

// The three sub-installers the 8051 and LPC kits share; they run in tool releases too. Each returns
// false when a set failed and the row must stop.
bool InstallAssembler51(WVexaTools& host, const FamilyRow& row) {
    if (!HasTag(kAsm51)) return true;
    if (!InstallSet(host, sets::kSetAsm51)) return false;
    WriteTool(row.tools[kAssembler]);
    return true;
}

bool InstallCompiler51(WVexaTools& host, const FamilyRow& row) {
    if (!HasTag(kC51)) return true;
    if (!InstallSet(host, sets::kSetC51) || !InstallSet(host, sets::kSetLx51)) return false;
    WriteTool(row.tools[kCompiler]);
    WriteTool(row.tools[kLinker]);
    return true;
}

// The object-to-hex converter and the library manager come with the linker set.
void RegisterTools51(const FamilyRow& row) {
    if (!HasTag(kC51)) return;
    WriteTool(row.tools[kHexConverter]);
    WriteTool(row.tools[kLibrarian]);
}

bool InstallSharedSets(WVexaTools& host) {
    return InstallSet(host, sets::kSetHeaders) && InstallSet(host, sets::kSetSamples);
}

}  // namespace

void Install8051Tools(WVexaTools& host) {
    if (!HasTag(k8051Tools)) return;
    const FamilyRow& row = Row(1);
    if (!HasTag(kRelease)) {
        WriteTarget(row);
        if (HasTag(kRtk51) && !InstallSet(host, sets::kSetRtk51)) return;
        if (HasTag(kMon51)) {
            if (!InstallSet(host, sets::kSetMon51)) return;
            WriteEmulators(row);
        }
        if (!InstallSharedSets(host)) return;
    }
    if (!InstallAssembler51(host, row) || !InstallCompiler51(host, row)) return;
    RegisterTools51(row);
    WriteManuals(row);
    if (!HasTag(kOvraInfineon)) WriteHelps(row);
    WriteExternalTools(row);
}

void InstallLpcTools(WVexaTools& host) {
    if (!HasTag(kLpcTools)) return;
    const FamilyRow& row = Row(2);
    if (!HasTag(kRelease)) {
        WriteTarget(row);
        if (HasTag(kRtk51) && !InstallSet(host, sets::kSetRtk51)) return;
        if (!InstallSharedSets(host)) return;
    }
    WriteSimulators(row);
    if (!InstallAssembler51(host, row) || !InstallCompiler51(host, row)) return;
    RegisterTools51(row);
}

void InstallIce51(WVexaTools& host) {
    if (!HasTag(kIce51)) return;
    const FamilyRow& row = Row(3);
    if (!InstallSet(host, sets::kSetIce51)) return;
    WriteEmulators(row);
    WriteHelps(row);
    WriteManuals(row);
}
