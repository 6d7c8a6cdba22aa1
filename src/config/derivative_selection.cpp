#include "app/tags.h"
#include "config/derivatives.h"
#include "resources/catalogue.h"

using namespace catalogue;

// The first rule that names the flavour decides.
bool DerivativeSelected(std::uint16_t flags) {
    if (HasTag(kOvra) && HasTag(kLpcTools)) return (flags & 0x20) != 0;
    if (HasTag(kOvraPhilips)) return (flags & 0x1) != 0;
    if (HasTag(kOvraInfineon)) return (flags & 0x2) != 0;
    if (HasTag(kOvraSt6) || (HasTag(kOvra) && HasTag(k8051Tools))) return true;
    if (HasTag(kOvra) && HasTag(kXaTools)) return (flags & 0x1) != 0;
    if (!HasTag(kAddOnTools)) return true;
    for (const char* tag : {kSxaSim, kSxa2Sim, kSxa2SimLite, kSxaEmu, kS51Sim, kS51Emu})
        if (HasTag(tag)) return (flags & 0x1) != 0;
    return false;
}
