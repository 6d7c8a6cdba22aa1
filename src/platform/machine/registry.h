// Placeholder until the real service lands: every call fails with ERROR_CALL_NOT_IMPLEMENTED.
#pragma once

#include "platform/api.h"

namespace platform {

class Prefix;
struct Faults;

class MachineRegistry : public RegistryApi {
  public:
    explicit MachineRegistry(Prefix& prefix, Faults& faults) {
        (void)prefix;
        (void)faults;
    }

    LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) override;
    LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR className, DWORD options,
                         REGSAM access, LPSECURITY_ATTRIBUTES sa, PHKEY result, LPDWORD disposition) override;
    LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                        DWORD size) override;
    LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                          LPDWORD size) override;
    LONG RegSetValueA(HKEY key, LPCSTR subKey, DWORD type, LPCSTR data, DWORD size) override;
    LONG RegQueryValueA(HKEY key, LPCSTR subKey, LPSTR data, LONG* size) override;
    LONG RegDeleteValueA(HKEY key, LPCSTR name) override;
    LONG RegDeleteKeyA(HKEY key, LPCSTR subKey) override;
    LONG RegDeleteTreeA(HKEY key, LPCSTR subKey) override;
    LONG RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved, LPSTR className,
                       LPDWORD classSize, FILETIME* lastWrite) override;
    LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved, LPDWORD type,
                       LPBYTE data, LPDWORD dataSize) override;
    LONG RegCloseKey(HKEY key) override;
    LONG RegFlushKey(HKEY key) override;
};

}  // namespace platform
