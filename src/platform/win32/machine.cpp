#include "platform/win32/backend.h"

#include "platform/win32/native.h"

namespace platform::win32 {

// The owner window and the user token are not the shell's business here: the setup asks for the
// folders of the user it runs as.
HRESULT NativeShell::SHGetFolderPathA(HWND, int folder, HANDLE, DWORD flags, LPSTR path) {
    return native::SHGetFolderPathA(folder, flags, path);
}

Services NativeMachine::ServicesWith(UiApi* ui) {
    Services services;
    services.files = &files_;
    services.profiles = &profile_;
    services.registry = &registry_;
    services.versions = &version_;
    services.system = &system_;
    services.dde = &dde_;
    services.ui = ui;
    services.shell = &shell_;
    return services;
}

}  // namespace platform::win32
