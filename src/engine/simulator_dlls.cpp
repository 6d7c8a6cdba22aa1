#include "engine/simulator_dlls.h"

#include "app/text.h"

namespace {
constexpr const char* kSimulatorDlls[] = {"S8051", "SLPC76X", "S51MX", "SXA"};
}  // namespace

std::span<const char* const> SimulatorDllBaseNames() {
    return kSimulatorDlls;
}

bool IsSimulatorDll(const char* baseName, const char* extension) {
    if (lstrcmpiA(extension, ".dll") != 0) return false;
    for (const char* name : kSimulatorDlls)
        if (lstrcmpiA(baseName, name) == 0) return true;
    return false;
}
