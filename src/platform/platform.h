// The backend in force: the set of services the logic calls through platform/win32.h.
#pragma once

#include "platform/api.h"
#include "platform/ui_api.h"

namespace platform {

struct Services {
    FileApi* files = nullptr;
    ProfileApi* profiles = nullptr;
    RegistryApi* registry = nullptr;
    VersionApi* versions = nullptr;
    SystemApi* system = nullptr;
    DdeApi* dde = nullptr;
    UiApi* ui = nullptr;
    ShellApi* shell = nullptr;
};

// The services the free functions of win32.h reach. Installing replaces the previous set as a whole.
Services& Current();
void Install(const Services& services);

// Restores the previous set of services when it goes out of scope (for tests).
class ScopedServices {
  public:
    explicit ScopedServices(const Services& services);
    ~ScopedServices();
    ScopedServices(const ScopedServices&) = delete;
    ScopedServices& operator=(const ScopedServices&) = delete;

  private:
    Services saved_;
};

}  // namespace platform
