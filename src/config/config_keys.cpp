#include "config/config_keys.h"

#include "app/registry_util.h"
#include "platform/win32.h"

HKEY CreateConfigSubKey(HKEY parent, const std::string& subKey, DWORD* disposition) {
    return CreateKeyForEveryone(parent, subKey, KEY_ALL_ACCESS, disposition);
}

LONG SetDwordValue(HKEY key, const char* name, DWORD value) {
    BYTE data[4] = {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
                    static_cast<BYTE>(value >> 24)};
    return RegSetValueExA(key, name, 0, REG_DWORD, data, sizeof data);
}
