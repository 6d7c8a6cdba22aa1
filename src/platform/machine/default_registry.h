// The keys a freshly made Wine prefix already holds and that installers expect to find: the machine
// environment with the system search path, the Windows version keys, the shell's application and
// uninstall lists, the user's environment. Written once, when the prefix has no registry yet.
#pragma once

#include <string>

#include "platform/api.h"

namespace platform {

// `userName` names the profile directory (C:\users\NAME) whose Temp folder the user's TEMP names.
void SeedNewPrefixRegistry(RegistryApi& registry, const std::string& userName);

}  // namespace platform
