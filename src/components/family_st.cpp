#include <cstdio>
#include <string>

#include "app/message_box.h"
#include "app/setup_record.h"
#include "app/start_checks.h"
#include "app/tags.h"
#include "components/family_entries.h"
#include "components/family_rows.h"
#include "engine/install_list.h"
#include "engine/setup_ini.h"
#include "platform/win32.h"
#include "resources/catalogue.h"
#include "resources/catalogue_sets.h"

using namespace catalogue;
using namespace family;

namespace {

// The ST6-HDS2 emulator talks to the parallel port through a driver that only Windows NT needs
// installed; its installer lies on the media and is left running on its own.
void OfferParallelPortDriver() {
    if (!IsWindowsNT()) return;
    if (ShowMessage(MainWindowHandle(), 1086, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    install_list::PathParts source = install_list::SplitPath(Setup().sourceDir);
    char program[MAX_PATH * 2];
    std::snprintf(program, sizeof program, "%s%sSTMDRV\\Setup.exe", source.drive.c_str(), source.dir.c_str());
    LoadModule(program, nullptr);
}

}  // namespace

void InstallSt5Tools(WVexaTools& host) {
    if (!HasTag(kSt5Tools)) return;
    const FamilyRow& row = Row(6);
    WriteTarget(row);
    if (!InstallSet(host, sets::kSetSimSt5)) return;
    WriteSimulators(row);
    if (HasTag(kAsmSt5)) {
        if (!InstallSet(host, sets::kSetAsmSt5)) return;
        WriteTool(row.tools[kAssembler]);
    }
    if (HasTag(kCSt5)) {
        if (!InstallSet(host, sets::kSetCSt5)) return;
        WriteTool(row.tools[kCompiler]);
    }
    if (HasTag(kLinkSt5)) {
        if (!InstallSet(host, sets::kSetLnkSt5)) return;
        for (ToolRole role : {kLinker, kHexConverter, kLibrarian})
            WriteTool(row.tools[role]);
    }
    WriteManuals(row);
    AskAboutPreviousKeys(row);
}

void InstallSt6Tools(WVexaTools& host) {
    if (!HasTag(kSt6Tools)) return;
    const FamilyRow& row = Row(9);
    const bool release = HasTag(kRelease);
    if (!release) {
        WriteTarget(row);
        WriteIdeIni(row.targetName, "TargetInc", (Setup().installDir + "\\IncST6").c_str());
    }
    if (HasTag(kAsmSt6)) {
        if (!InstallSet(host, sets::kSetAsmSt6)) return;
        WriteTool(row.tools[kAssembler]);
        WriteTool(row.tools[kLinker]);
    }
    if (HasTag(kCSt6)) {
        if (!InstallSet(host, sets::kSetCSt6)) return;
        WriteTool(row.tools[kCompiler]);
    }
    if (HasTag(kLinkSt6)) {
        if (!InstallSet(host, sets::kSetUtlSt6)) return;
        WriteTool(row.tools[kHexConverter]);
        WriteTool(row.tools[kLibrarian]);
    }
    if (!release) {
        // The row lists the emulators as ST6-HDS2, the evaluation board, SofTec-DS62.
        if (!InstallSet(host, sets::kSetEmuSt6)) return;
        WriteEmulator(row, row.emulators[0]);
        OfferParallelPortDriver();
        if (HasTag(kEmuSt6)) {
            if (!InstallSet(host, sets::kSetEbSt62)) return;
            WriteEmulator(row, row.emulators[1]);
        }
        WriteEmulator(row, row.emulators[2]);
    }
    WriteManuals(row);
    WriteHelps(row);
}
