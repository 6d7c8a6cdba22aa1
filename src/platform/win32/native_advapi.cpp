// advapi32 behind platform/win32/native.h: the registry.
#include "platform/win32/native_internal.h"

namespace platform::native {

namespace {

// The platform interface passes the predefined roots as their 32-bit values; the system headers
// sign-extend them to pointer width (0xFFFFFFFF80000002 for HKEY_LOCAL_MACHINE on 64-bit Windows).
HKEY KeyOf(void* key) {
    auto value = reinterpret_cast<std::uintptr_t>(key);
    if (value >= 0x80000000u && value <= 0x80000006u)
        return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(static_cast<u32>(value))));
    return static_cast<HKEY>(key);
}

}  // namespace

std::int32_t RegOpenKeyExA(void* key, const char* subKey, u32 options, u32 access, void** result) {
    HKEY opened = nullptr;
    LONG status = ::RegOpenKeyExA(KeyOf(key), subKey, options, access, &opened);
    if (result) *result = status == ERROR_SUCCESS ? opened : nullptr;
    return status;
}

std::int32_t RegCreateKeyExA(void* key, const char* subKey, char* className, u32 options, u32 access,
                             Security security, void** result, u32* disposition) {
    HKEY created = nullptr;
    DWORD how = 0;
    LONG status = ::RegCreateKeyExA(KeyOf(key), subKey, 0, className, options, access,
                                    AttributesFor(security), &created, &how);
    if (result) *result = status == ERROR_SUCCESS ? created : nullptr;
    if (disposition && status == ERROR_SUCCESS) *disposition = how;
    return status;
}

std::int32_t RegSetValueExA(void* key, const char* name, u32 type, const std::uint8_t* data, u32 size) {
    return ::RegSetValueExA(KeyOf(key), name, 0, type, data, size);
}

std::int32_t RegQueryValueExA(void* key, const char* name, u32* type, std::uint8_t* data, u32* size) {
    DWORD t = 0, n = size ? *size : 0;
    LONG status =
        ::RegQueryValueExA(KeyOf(key), name, nullptr, type ? &t : nullptr, data, size ? &n : nullptr);
    if (type) *type = t;
    if (size) *size = n;
    return status;
}

std::int32_t RegSetValueA(void* key, const char* subKey, u32 type, const char* data, u32 size) {
    return ::RegSetValueA(KeyOf(key), subKey, type, data, size);
}

std::int32_t RegQueryValueA(void* key, const char* subKey, char* data, std::int32_t* size) {
    LONG n = size ? *size : 0;
    LONG status = ::RegQueryValueA(KeyOf(key), subKey, data, size ? &n : nullptr);
    if (size) *size = n;
    return status;
}

std::int32_t RegDeleteValueA(void* key, const char* name) {
    return ::RegDeleteValueA(KeyOf(key), name);
}

std::int32_t RegDeleteKeyA(void* key, const char* subKey) {
    return ::RegDeleteKeyA(KeyOf(key), subKey);
}

std::int32_t RegDeleteTreeA(void* key, const char* subKey) {
    return ::RegDeleteTreeA(KeyOf(key), subKey);
}

std::int32_t RegEnumKeyExA(void* key, u32 index, char* name, u32* nameSize, char* className, u32* classSize,
                           u32* lastWriteLow, u32* lastWriteHigh) {
    DWORD n = nameSize ? *nameSize : 0, c = classSize ? *classSize : 0;
    FILETIME written{};
    LONG status = ::RegEnumKeyExA(KeyOf(key), index, name, nameSize ? &n : nullptr, nullptr, className,
                                  classSize ? &c : nullptr, &written);
    if (nameSize) *nameSize = n;
    if (classSize) *classSize = c;
    if (lastWriteLow) *lastWriteLow = written.dwLowDateTime;
    if (lastWriteHigh) *lastWriteHigh = written.dwHighDateTime;
    return status;
}

std::int32_t RegEnumValueA(void* key, u32 index, char* name, u32* nameSize, u32* type, std::uint8_t* data,
                           u32* dataSize) {
    DWORD n = nameSize ? *nameSize : 0, t = 0, d = dataSize ? *dataSize : 0;
    LONG status = ::RegEnumValueA(KeyOf(key), index, name, nameSize ? &n : nullptr, nullptr,
                                  type ? &t : nullptr, data, dataSize ? &d : nullptr);
    if (nameSize) *nameSize = n;
    if (type) *type = t;
    if (dataSize) *dataSize = d;
    return status;
}

std::int32_t RegCloseKey(void* key) {
    return ::RegCloseKey(KeyOf(key));
}

std::int32_t RegFlushKey(void* key) {
    return ::RegFlushKey(KeyOf(key));
}

}  // namespace platform::native
