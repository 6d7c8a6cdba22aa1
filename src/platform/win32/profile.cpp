#include "platform/win32/backend.h"
#include "platform/win32/mirror.h"

namespace platform::win32 {

DWORD NativeProfile::GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultText, LPSTR buffer,
                                              DWORD size, LPCSTR file) {
    return Mirror(native::GetPrivateProfileStringA(section, key, defaultText, buffer, size, file));
}

BOOL NativeProfile::WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
    return Mirror(native::WritePrivateProfileStringA(section, key, value, file));
}

UINT NativeProfile::GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR file) {
    return Mirror(native::GetPrivateProfileIntA(section, key, defaultValue, file));
}

DWORD NativeProfile::GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR file) {
    return Mirror(native::GetPrivateProfileSectionA(section, buffer, size, file));
}

DWORD NativeProfile::GetPrivateProfileSectionNamesA(LPSTR buffer, DWORD size, LPCSTR file) {
    return Mirror(native::GetPrivateProfileSectionNamesA(buffer, size, file));
}

BOOL NativeProfile::WritePrivateProfileSectionA(LPCSTR section, LPCSTR data, LPCSTR file) {
    return Mirror(native::WritePrivateProfileSectionA(section, data, file));
}

DWORD NativeProfile::GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultText, LPSTR buffer,
                                       DWORD size) {
    return Mirror(native::GetProfileStringA(section, key, defaultText, buffer, size));
}

BOOL NativeProfile::WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) {
    return Mirror(native::WriteProfileStringA(section, key, value));
}

}  // namespace platform::win32
