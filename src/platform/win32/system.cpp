#include <cstdio>

#include "platform/win32/backend.h"
#include "platform/win32/mirror.h"

namespace platform::win32 {

DWORD NativeSystem::GetVersion() {
    return native::GetVersion();
}

LANGID NativeSystem::GetSystemDefaultLangID() {
    return native::GetSystemDefaultLangID();
}

UINT NativeSystem::SetErrorMode(UINT mode) {
    return native::SetErrorMode(mode);
}

DWORD NativeSystem::GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) {
    return Mirror(native::GetEnvironmentVariableA(name, buffer, size));
}

BOOL NativeSystem::SetEnvironmentVariableA(LPCSTR name, LPCSTR value) {
    return Mirror(native::SetEnvironmentVariableA(name, value));
}

std::string NativeSystem::FormatSystemMessage(DWORD code, LANGID lang) {
    return native::FormatSystemMessage(code, lang);
}

UINT NativeSystem::LoadModule(LPCSTR module, void* parameters) {
    if (trace_) trace_(std::string("LoadModule \"") + (module ? module : "") + "\"");
    return Mirror(native::LoadModule(module, parameters));
}

BOOL NativeSystem::ExitWindowsEx(UINT flags, DWORD reason) {
    if (trace_) {
        char line[80];
        std::snprintf(line, sizeof line, "ExitWindowsEx flags=%u reason=0x%08X", flags,
                      static_cast<unsigned>(reason));
        trace_(line);
    }
    return Mirror(native::ExitWindowsEx(flags, reason));
}

void NativeSystem::PostQuitMessage(int exitCode) {
    if (!quitPosted_) quitCode_ = exitCode;
    quitPosted_ = true;
    native::PostQuitMessage(exitCode);
}

// The descriptor stays the platform's own record; the registry and file calls turn "present, without
// an access list" into the system's descriptor of the same meaning.
BOOL NativeSystem::InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR sd, DWORD revision) {
    if (!sd || revision != SECURITY_DESCRIPTOR_REVISION) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *sd = SECURITY_DESCRIPTOR{};
    sd->Revision = static_cast<BYTE>(revision);
    return TRUE;
}

BOOL NativeSystem::SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR sd, BOOL present, const void* dacl,
                                             BOOL defaulted) {
    if (!sd) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    sd->DaclPresent = present != FALSE;
    sd->Dacl = dacl;
    sd->DaclDefaulted = defaulted != FALSE;
    return TRUE;
}

int NativeSystem::GetSystemMetrics(int index) {
    return native::GetSystemMetrics(index);
}

}  // namespace platform::win32
