#include <list>

#include "app/registry_util.h"
#include "app/setup_record.h"
#include "config/config_keys.h"
#include "config/derivatives.h"
#include "platform/win32.h"
#include "resources/catalogue_derivatives.h"
#include "resources/catalogue_products.h"

namespace {

DerivativeRecord FromRow(const catalogue::DerivativeRow& row) {
    return {row.name,  row.generic, row.company,    row.microRef, row.targetName, row.dllName,
            row.flags, row.hidden,  row.intRamSize, row.incFile,  row.microDef};
}

void WriteSelected(HKEY simulators, const DerivativeRecord& record) {
    if (!DerivativeSelected(record.flags)) return;
    HKEY key = CreateConfigSubKey(simulators, record.name);
    if (!key) return;
    WriteDerivativeKey(key, record);
    RegCloseKey(key);
}

}  // namespace

void WriteDerivativeKey(HKEY key, const DerivativeRecord& record) {
    const std::string& dir = Setup().installDir;
    SetStringValue(key, "Name", record.name);
    SetStringValue(key, "DllName", record.dllName.empty() ? std::string() : dir + record.dllName);
    SetStringValue(key, "TargetName", record.targetName);
    SetStringValue(key, "MicroRef", record.microRef);
    SetStringValue(key, "Generic", record.generic);
    SetStringValue(key, "Company", record.company);
    SetStringValue(key, "Hidden", record.hidden);
    SetStringValue(key, "IntRAMSize", record.intRamSize);
    if (!record.incFile.empty()) SetStringValue(key, "IncFile", dir + record.incFile);
    if (!record.microDef.empty()) SetStringValue(key, "MicroDef", dir + record.microDef);
}

void WriteSimulatorDerivatives(HKEY simulators) {
    std::list<DerivativeRecord> list;
    ReadDerivativeFile("80C51", Setup().sourceDir + "HF.csv", list);
    for (const auto& record : list)
        WriteSelected(simulators, record);
    // The built-in table stands in only for a list that yielded no part at all, whatever the flavour
    // would have selected from it.
    if (list.empty())
        for (const auto& row : catalogue::Builtin8051Derivatives())
            WriteSelected(simulators, FromRow(row));
    list.clear();
    for (const auto& row : catalogue::Builtin251XaDerivatives())
        WriteSelected(simulators, FromRow(row));
}

void WriteST5Derivatives() {
    HKEY top = CreateOpenKey(std::string(kOvraKey) + "\\ST5Derivatives");
    if (!top) return;
    static const char* const kNumberNames[] = {"CodeSize",
                                               "RAMSize",
                                               "RAMStart",
                                               "EEPROMSize",
                                               "Flash1EPROM0",
                                               "SSPAddress",
                                               "HasClockManager",
                                               "PA_MASK",
                                               "PB_MASK",
                                               "PC_MASK",
                                               "PD_MASK",
                                               "PE_MASK",
                                               "PF_MASK",
                                               "PG_MASK",
                                               "PA_MASK_ADC",
                                               "PB_MASK_ADC",
                                               "PC_MASK_ADC",
                                               "PD_MASK_ADC",
                                               "PE_MASK_ADC",
                                               "PF_MASK_ADC",
                                               "PG_MASK_ADC",
                                               "ADC8",
                                               "ADC10",
                                               "COMP",
                                               "Timer0",
                                               "Timer1",
                                               "Timer2",
                                               "WatchDog",
                                               "SPI",
                                               "SCI",
                                               "SCI2",
                                               "I2C",
                                               "TRIAC"};
    static_assert(sizeof kNumberNames / sizeof kNumberNames[0] == catalogue::kSt5FieldCount);
    std::string dll = Setup().installDir + "\\Bin\\" + catalogue::kSt5DebuggerDll;
    for (const auto& row : catalogue::St5Derivatives()) {
        HKEY key = CreateConfigSubKey(top, row.name);
        if (!key) continue;
        SetStringValue(key, "Name", row.name);
        // The rows keep each port's two masks side by side; the IDE wants all plain masks first.
        for (int i = 0; i < catalogue::kSt5FieldCount; ++i) {
            int source = i;
            if (i >= catalogue::kPortA && i < catalogue::kAdc8) {
                int n = i - catalogue::kPortA;
                source = catalogue::kPortA + (n < 7 ? 2 * n : 2 * (n - 7) + 1);
            }
            SetDwordValue(key, kNumberNames[i], row.values[static_cast<std::size_t>(source)]);
        }
        SetStringValue(key, "Hidden", "No");
        SetStringValue(key, "DllName", dll);
        SetStringValue(key, "TargetName", "ST5");
        for (const char* empty : {"MicroRef", "FirmSys", "IntRAMSize", "2ndGeneration"})
            SetStringValue(key, empty, "");
        RegCloseKey(key);
    }
    RegCloseKey(top);
}
