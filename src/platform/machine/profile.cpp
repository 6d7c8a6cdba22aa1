#include "platform/machine/profile.h"

#include "platform/last_error.h"

namespace platform {

DWORD MachineProfile::GetPrivateProfileStringA(LPCSTR, LPCSTR, LPCSTR, LPSTR, DWORD, LPCSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

BOOL MachineProfile::WritePrivateProfileStringA(LPCSTR, LPCSTR, LPCSTR, LPCSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

UINT MachineProfile::GetPrivateProfileIntA(LPCSTR, LPCSTR, int, LPCSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

DWORD MachineProfile::GetPrivateProfileSectionA(LPCSTR, LPSTR, DWORD, LPCSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

DWORD MachineProfile::GetPrivateProfileSectionNamesA(LPSTR, DWORD, LPCSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

BOOL MachineProfile::WritePrivateProfileSectionA(LPCSTR, LPCSTR, LPCSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

DWORD MachineProfile::GetProfileStringA(LPCSTR, LPCSTR, LPCSTR, LPSTR, DWORD) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

BOOL MachineProfile::WriteProfileStringA(LPCSTR, LPCSTR, LPCSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

}  // namespace platform
