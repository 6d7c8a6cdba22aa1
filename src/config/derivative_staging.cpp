#include <string>

#include "app/setup_record.h"
#include "components/numbered_lists.h"
#include "config/derivatives.h"
#include "engine/setup_ini.h"
#include "resources/catalogue_derivatives.h"
#include "resources/catalogue_products.h"

namespace {

// Keys passed an empty text are removed by the OVRA.ini writer, so they reach the registry as absent
// values; they are written all the same, as the IDE's own installer always did.
void WriteSimulator(const char* section, const char* name, const std::string& dll, const char* target,
                    const char* hidden) {
    WriteIdeIni("Name", section, name);
    WriteIdeIni("DllName", section, dll.c_str());
    WriteIdeIni("TargetName", section, target);
    WriteIdeIni("Hidden", section, hidden);
}

}  // namespace

void StageSt6Derivatives() {
    const std::string& dir = Setup().installDir;
    std::string dll = dir + "\\Bin\\" + catalogue::kSt6SimulatorDll;
    for (const char* name : {catalogue::kSt6SimulatorName, catalogue::kSt6StarterKitName}) {
        std::string section = NextSimulatorSection();
        WriteSimulator(section.c_str(), name, dll, "ST6", "No");
        for (const char* empty : {"MicroRef", "FirmSys", "IntRAMSize", "2ndGeneration"})
            WriteIdeIni(empty, section.c_str(), "");
    }
    int i = 0;
    for (const auto& row : catalogue::St6Derivatives()) {
        std::string section = "ST6Derivatives" + std::to_string(i++);
        const char* s = section.c_str();
        WriteIdeIni("Name", s, row.name);
        WriteIdeIni("DRBRMask", s, row.drbrMask);
        WriteIdeIni("DRBRAddr", s, row.drbrAddr);
        WriteIdeIni("CodeStart", s, row.codeStart);
        WriteIdeIni("CodeReserved", s, row.codeReserved);
        WriteIdeIni("CodeSize", s, row.codeSize);
        WriteIdeIni("DataStart", s, row.dataStart);
        WriteIdeIni("DataSize", s, row.dataSize);
        WriteIdeIni("Hidden", s, "No");
        WriteIdeIni("DllName", s, dll.c_str());
        WriteIdeIni("TargetName", s, "ST6");
        for (const char* empty : {"MicroRef", "FirmSys", "IntRAMSize", "2ndGeneration"})
            WriteIdeIni(empty, s, "");
    }
}

void Stage8051Simulators() {
    const std::string& dir = Setup().installDir;
    {
        std::string section = NextSimulatorSection();
        std::string dll = dir + "\\Bin\\" + catalogue::kPeripheralKitDll;
        WriteSimulator(section.c_str(), catalogue::kPeripheralKitName, dll, "80C51", "Yes");
        WriteIdeIni("MicroRef", section.c_str(), catalogue::kPeripheralKitRef);
    }
    std::string lpcDll = dir + "\\Bin\\" + catalogue::kLpcSimulatorDll;
    for (const char* name : {"87LPC762", "87LPC764", "87LPC767", "87LPC768", "87LPC769"}) {
        std::string section = NextSimulatorSection();
        WriteSimulator(section.c_str(), name, lpcDll, "80C51", "No");
        WriteIdeIni("Company", section.c_str(), "Philips");
        WriteIdeIni("IntRAMSize", section.c_str(), "128");
    }
}
