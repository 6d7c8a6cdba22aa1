// The keys a freshly made Wine prefix already holds and that installers expect to find: the machine
// environment, the Windows version keys, the shell's application and uninstall lists, the user's
// environment. Written once, when the prefix has no registry yet.
#pragma once

#include "platform/api.h"

namespace platform {

void SeedNewPrefixRegistry(RegistryApi& registry);

}  // namespace platform
