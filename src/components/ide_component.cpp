#include "components/ide_component.h"

#include <string>

#include "app/setup_record.h"
#include "app/tags.h"
#include "components/numbered_lists.h"
#include "components/program_group.h"
#include "components/tools_host.h"
#include "config/derivatives.h"
#include "engine/file_set.h"
#include "engine/setup_ini.h"
#include "resources/catalogue.h"
#include "resources/catalogue_products.h"
#include "resources/catalogue_sets.h"

using namespace catalogue;

namespace {

bool InstallIdeSets(WVexaTools& host) {
    std::string setNames[] = {sets::kSetOvra1,   sets::kSetOvra2, sets::kSetOvra3, sets::kSetOvra4,
                              sets::kSetVersion, sets::kSetOvra5, sets::kSetDebug};
    for (std::string& name : setNames) {
        // The LPC and ST6 kits do without the fifth set.
        if (name == sets::kSetOvra5 && (HasTag(kOvraSt6) || HasTag(kLpcTools))) continue;
        host.continueFlag = InstallFileSet(host.App(), name);
        if (!host.continueFlag) return false;
    }
    return true;
}

void WriteIdeEntries() {
    const std::string& dir = Setup().installDir;
    std::string uninstall = dir + "\\" + kUninstaller + " " + dir + "\\" + kUninstallLog;
    WriteIdeIni("Path", "Uninstall", uninstall.c_str());
    WriteIdeIni("Last Project", "Project", "NUL");
    const char* section = "Default Directories";
    WriteIdeIni("VexaBin", section, (dir + "\\Bin").c_str());
    WriteIdeIni("VexaInc", section, (dir + "\\Inc").c_str());
    WriteIdeIni("VexaLib", section, (dir + "\\Lib").c_str());
    WriteIdeIni("VexaCCLib", section, (dir + "\\Lib\\CCLib").c_str());
    WriteIdeIni("VexaHelp", section, (dir + "\\Help").c_str());
}

void AddDoc(const GroupedDoc& doc) {
    std::string name = std::string(doc.group) + "\\" + doc.doc.title;
    std::string path = std::string("\\DOC\\") + doc.doc.file;
    AddManual(name.c_str(), path.c_str());
}

}  // namespace

void RegisterIdeManuals() {
    if (HasTag(kLpcTools)) {
        for (const GroupedDoc* d : {&kKeyboardReference, &kIdeManual8051, &kGettingStarted})
            AddDoc(*d);
        return;
    }
    if (HasTag(kOvraSt6)) {
        for (const GroupedDoc* d : {&kSt6Programming, &kSt6Debugging, &kKeyboardReference})
            AddDoc(*d);
        return;
    }
    AddDoc(kHardwareIndex);
    if (HasTag(kSt6Tools)) {
        AddDoc(kSt6Programming);
        AddDoc(kSt6Debugging);
    }
    AddDoc(kKeyboardReference);
    if (HasTag(kOvraPhilips) || (HasTag(kOvra) && HasTag(k8051Tools))) {
        AddDoc(kIdeManual8051Xa);
        AddDoc(kGettingStarted);
    } else if (HasTag(kOvraInfineon)) {
        AddDoc(kIdeManual8051);
    } else if (HasTag(kRisc51Sim) || HasTag(kFlip51Sim)) {
        AddDoc(kIdeManualGeneral);
    } else {
        AddDoc(kIdeManualPart1);
        AddDoc(kIdeManualPart2);
    }
}

void InstallIdeComponent(WVexaTools& host) {
    if (IsOvraFamily()) {
        if (!host.continueFlag) return;
        if (!InstallIdeSets(host)) return;
    }
    if (HasTag(kSt6Tools)) StageSt6Derivatives();
    if (!IsOvraFamily()) return;

    WriteIdeEntries();
    bool conversation = true;
    CreateProgramGroup(host, conversation);
    // The main window is repainted by the UI backend after every modal step; nothing to invalidate here.

    std::string helpPath = std::string("\\Help\\") + kIdeHelp.file;
    AddHelpFile(kIdeHelp.title, helpPath.c_str());
    std::string scriptPath = std::string("\\Help\\") + kScriptHelp.file;
    AddHelpFile(kScriptHelp.title, scriptPath.c_str());

    if (!HasTag(kXeTools)) RegisterIdeManuals();

    if (Setup().simulatorDllsInstalled && !HasTag(kOvraInfineon)) Stage8051Simulators();
}

void InstallIdeComponentSt6(WVexaTools& host) {
    InstallIdeComponent(host);
    const std::string& dir = Setup().installDir;
    WriteIdeIni("ST6", "Targets", (dir + "\\Bin\\" + kSt6TargetDll).c_str());
    WriteIdeIni("ST6", "TargetInc", (dir + "\\IncST6").c_str());
}
