#include "platform/platform.h"

namespace platform {

namespace {
Services g_services;
}

Services& Current() {
    return g_services;
}

void Install(const Services& services) {
    g_services = services;
}

ScopedServices::ScopedServices(const Services& services) : saved_(g_services) {
    g_services = services;
}

ScopedServices::~ScopedServices() {
    g_services = saved_;
}

}  // namespace platform
