#include "platform/machine/version.h"

#include "platform/last_error.h"

namespace platform {

DWORD MachineVersion::GetFileVersionInfoSizeA(LPCSTR, LPDWORD) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

BOOL MachineVersion::GetFileVersionInfoA(LPCSTR, DWORD, DWORD, void*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

BOOL MachineVersion::VerQueryValueA(const void*, LPCSTR, void**, UINT*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

DWORD MachineVersion::VerFindFileA(DWORD, LPCSTR, LPCSTR, LPCSTR, LPSTR, UINT*, LPSTR, UINT*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

DWORD MachineVersion::VerInstallFileA(DWORD, LPCSTR, LPCSTR, LPCSTR, LPCSTR, LPCSTR, LPSTR, UINT*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

DWORD MachineVersion::GetExpandedNameA(LPCSTR, LPSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

LONG MachineVersion::LZCopyFile(LPCSTR, LPCSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

}  // namespace platform
