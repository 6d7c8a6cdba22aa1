#include "engine/simulator_dlls.h"

#include "app/text.h"
#include "resources/catalogue_products.h"

bool IsSimulatorDll(const char* baseName, const char* extension) {
    if (lstrcmpiA(extension, ".dll") != 0) return false;
    for (const char* name : catalogue::SimulatorDllNames())
        if (lstrcmpiA(baseName, name) == 0) return true;
    return false;
}
