#include "components/family_entries.h"

#include <string>

#include "app/setup_record.h"
#include "components/numbered_lists.h"
#include "components/tools_host.h"
#include "config/config_keys.h"
#include "engine/file_set.h"
#include "engine/setup_ini.h"

using namespace catalogue;

namespace family {

namespace {

std::string InInstallDir(const char* relative) {
    return Setup().installDir + relative;
}

std::string InBin(const char* file) {
    return Setup().installDir + "\\Bin\\" + file;
}

// An empty text is written all the same: the OVRA.ini writer turns it into an absent key.
std::string IncFile(const DeviceEntry& device) {
    return *device.incFile ? InInstallDir(device.incFile) : std::string();
}

std::string DocPath(const char* folder, const char* file) {
    return file[0] == '\\' ? std::string(file) : std::string(folder) + file;
}

const char* ListKey(ConfigList list) {
    switch (list) {
        case ConfigList::Targets:
            return "Targets";
        case ConfigList::Tools:
            return "Tools";
        case ConfigList::Simulators:
            return "Simulators";
    }
    return "";
}

}  // namespace

const FamilyRow& Row(int number) {
    return FamilyRows()[static_cast<std::size_t>(number - 1)];
}

bool InstallSet(WVexaTools& host, const char* set) {
    if (!host.continueFlag) return false;
    std::string name = set;
    host.continueFlag = InstallFileSet(host.App(), name);
    return host.continueFlag != 0;
}

void WriteTarget(const FamilyRow& row) {
    WriteIdeIni(row.targetName, "Targets", InBin(row.targetDll).c_str());
}

void WriteTool(const char* name) {
    const ToolEntry* tool = FindTool(name);
    if (!tool) return;
    WriteIdeIni("Name", tool->name, tool->name);
    WriteIdeIni("Path", tool->name, InBin(tool->dll).c_str());
    WriteIdeIni("Source extensions", tool->name, tool->sourceExtensions);
    WriteIdeIni("Object extensions", tool->name, tool->objectExtensions);
    WriteIdeIni("Linker", tool->name, tool->linker);
}

void WriteTools(const FamilyRow& row) {
    for (const char* tool : row.tools)
        WriteTool(tool);
}

void WriteSimulator(const FamilyRow& row, const DeviceEntry& device) {
    std::string section = NextSimulatorSection();
    const char* s = section.c_str();
    WriteIdeIni("Name", s, device.name);
    WriteIdeIni("DllName", s, InBin(device.dll).c_str());
    WriteIdeIni("TargetName", s, row.deviceTarget);
    WriteIdeIni("MicroRef", s, device.microRef);
    WriteIdeIni("FirmSys", s, "");
    WriteIdeIni("Company", s, device.company);
    WriteIdeIni("Hidden", s, device.hidden ? "Yes" : "No");
    WriteIdeIni("IntRAMSize", s, device.intRamSize);
    WriteIdeIni("2ndGeneration", s, "");
    WriteIdeIni("IncFile", s, IncFile(device).c_str());
}

void WriteEmulator(const FamilyRow& row, const DeviceEntry& device) {
    std::string section = NextEmulatorSection();
    const char* s = section.c_str();
    WriteIdeIni("Name", s, device.name);
    WriteIdeIni("DllName", s, InBin(device.dll).c_str());
    WriteIdeIni("TargetName", s, row.deviceTarget);
    WriteIdeIni("MicroRef", s, device.microRef);
    WriteIdeIni("Hidden", s, device.hidden ? "Yes" : "No");
    WriteIdeIni("DllDrvCom", s, device.driverDll);
    WriteIdeIni("2ndGeneration", s, "");
    WriteIdeIni("IncFile", s, IncFile(device).c_str());
    WriteIdeIni("MaxTrace", s, device.maxTrace);
    WriteIdeIni("DllConf", s, device.confDll);
}

void WriteSimulators(const FamilyRow& row) {
    for (const DeviceEntry& device : row.simulators)
        WriteSimulator(row, device);
}

void WriteEmulators(const FamilyRow& row) {
    for (const DeviceEntry& device : row.emulators)
        WriteEmulator(row, device);
}

void WriteManual(const FamilyRow& row, const DocEntry& doc) {
    std::string name = std::string(row.group) + "\\" + doc.title;
    AddManual(name.c_str(), DocPath("\\DOC\\", doc.file).c_str());
}

void WriteManuals(const FamilyRow& row) {
    for (const DocEntry& doc : row.manuals)
        WriteManual(row, doc);
}

void WriteHelps(const FamilyRow& row) {
    for (const DocEntry& doc : row.helps)
        AddHelpFile(doc.title, DocPath("\\Help\\", doc.file).c_str());
}

void WriteExternalTools(const FamilyRow& row) {
    for (const ExternalTool& tool : row.externalTools) {
        std::string user = NextUserToolSection();
        WriteIdeIni("Name", user.c_str(), tool.name);
        WriteIdeIni("Path", user.c_str(), (Setup().installDir + "\\BIN\\" + tool.program).c_str());
        WriteIdeIni("Source extensions", user.c_str(), tool.sourceExtensions);
        WriteIdeIni("Object extensions", user.c_str(), "*.*");
        WriteIdeIni("Linker", user.c_str(), "0");
        // The IDE puts the file it runs the tool on in place of "{NODE}".
        std::string dos = NextDosToolSection();
        WriteIdeIni("Name", dos.c_str(), tool.name);
        WriteIdeIni("Command line", dos.c_str(), (std::string("{NODE} ") + tool.options).c_str());
        WriteIdeIni("Filter", dos.c_str(), "");
        WriteIdeIni("To Filter", dos.c_str(), "0");
        WriteIdeIni("To Prompt", dos.c_str(), "1");
    }
}

void AskAboutPreviousKeys(const FamilyRow& row) {
    for (const PreviousKey& key : row.previousKeys) {
        std::string parent = std::string(kOvraKey) + "\\" + ListKey(key.list);
        DeletePreviousKey(parent.c_str(), key.name);
    }
}

}  // namespace family
