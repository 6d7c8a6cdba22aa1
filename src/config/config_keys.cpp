#include "config/config_keys.h"

#include "platform/win32.h"

HKEY CreateConfigSubKey(HKEY parent, const std::string& subKey, DWORD* disposition) {
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES sa;
    sa.nLength = sizeof sa;
    sa.lpSecurityDescriptor = &sd;
    sa.bInheritHandle = TRUE;
    HKEY key = nullptr;
    DWORD ignored = 0;
    if (RegCreateKeyExA(parent, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, &sa,
                        &key, disposition ? disposition : &ignored) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

LONG SetDwordValue(HKEY key, const char* name, DWORD value) {
    BYTE data[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                    static_cast<BYTE>(value >> 24)};
    return RegSetValueExA(key, name, 0, REG_DWORD, data, sizeof data);
}
