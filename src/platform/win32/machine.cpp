#include "platform/win32/backend.h"

namespace platform::win32 {

Services NativeMachine::ServicesWith(UiApi* ui) {
    Services services;
    services.files = &files_;
    services.profiles = &profile_;
    services.registry = &registry_;
    services.versions = &version_;
    services.system = &system_;
    services.dde = &dde_;
    services.ui = ui;
    return services;
}

}  // namespace platform::win32
