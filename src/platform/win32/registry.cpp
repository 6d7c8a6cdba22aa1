#include "platform/win32/backend.h"
#include "platform/win32/native.h"

namespace platform::win32 {

native::Security SecurityOf(const SECURITY_ATTRIBUTES* sa);

namespace {

void** Out(PHKEY key) {
    return reinterpret_cast<void**>(key);
}

}  // namespace

LONG NativeRegistry::RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) {
    return native::RegOpenKeyExA(key, subKey, options, access, Out(result));
}

LONG NativeRegistry::RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR className, DWORD options,
                                     REGSAM access, LPSECURITY_ATTRIBUTES sa, PHKEY result,
                                     LPDWORD disposition) {
    return native::RegCreateKeyExA(key, subKey, className, options, access, SecurityOf(sa), Out(result),
                                   disposition);
}

LONG NativeRegistry::RegSetValueExA(HKEY key, LPCSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
    return native::RegSetValueExA(key, name, type, data, size);
}

LONG NativeRegistry::RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data,
                                      LPDWORD size) {
    return native::RegQueryValueExA(key, name, type, data, size);
}

LONG NativeRegistry::RegSetValueA(HKEY key, LPCSTR subKey, DWORD type, LPCSTR data, DWORD size) {
    return native::RegSetValueA(key, subKey, type, data, size);
}

LONG NativeRegistry::RegQueryValueA(HKEY key, LPCSTR subKey, LPSTR data, LONG* size) {
    return native::RegQueryValueA(key, subKey, data, size);
}

LONG NativeRegistry::RegDeleteValueA(HKEY key, LPCSTR name) {
    return native::RegDeleteValueA(key, name);
}

LONG NativeRegistry::RegDeleteKeyA(HKEY key, LPCSTR subKey) {
    return native::RegDeleteKeyA(key, subKey);
}

LONG NativeRegistry::RegDeleteTreeA(HKEY key, LPCSTR subKey) {
    return native::RegDeleteTreeA(key, subKey);
}

LONG NativeRegistry::RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD,
                                   LPSTR className, LPDWORD classSize, FILETIME* lastWrite) {
    DWORD low = 0, high = 0;
    LONG status = native::RegEnumKeyExA(key, index, name, nameSize, className, classSize, &low, &high);
    if (lastWrite && status == ERROR_SUCCESS) *lastWrite = {low, high};
    return status;
}

LONG NativeRegistry::RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD, LPDWORD type,
                                   LPBYTE data, LPDWORD dataSize) {
    return native::RegEnumValueA(key, index, name, nameSize, type, data, dataSize);
}

LONG NativeRegistry::RegCloseKey(HKEY key) {
    return native::RegCloseKey(key);
}

LONG NativeRegistry::RegFlushKey(HKEY key) {
    return native::RegFlushKey(key);
}

}  // namespace platform::win32
