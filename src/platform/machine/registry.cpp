#include "platform/machine/registry.h"

#include "platform/last_error.h"

namespace platform {

LONG MachineRegistry::RegOpenKeyExA(HKEY, LPCSTR, DWORD, REGSAM, PHKEY) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG MachineRegistry::RegCreateKeyExA(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY,
                                      LPDWORD) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG MachineRegistry::RegSetValueExA(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG MachineRegistry::RegQueryValueExA(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG MachineRegistry::RegSetValueA(HKEY, LPCSTR, DWORD, LPCSTR, DWORD) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG MachineRegistry::RegQueryValueA(HKEY, LPCSTR, LPSTR, LONG*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG MachineRegistry::RegDeleteValueA(HKEY, LPCSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG MachineRegistry::RegDeleteKeyA(HKEY, LPCSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG MachineRegistry::RegDeleteTreeA(HKEY, LPCSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG MachineRegistry::RegEnumKeyExA(HKEY, DWORD, LPSTR, LPDWORD, LPDWORD, LPSTR, LPDWORD, FILETIME*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG MachineRegistry::RegEnumValueA(HKEY, DWORD, LPSTR, LPDWORD, LPDWORD, LPDWORD, LPBYTE, LPDWORD) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG MachineRegistry::RegCloseKey(HKEY) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

LONG MachineRegistry::RegFlushKey(HKEY) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return static_cast<LONG>(ERROR_CALL_NOT_IMPLEMENTED);
}

}  // namespace platform
