#include "app/registry_util.h"

#include "app/message_box.h"
#include "platform/win32.h"

HKEY CreateKeyForEveryone(HKEY parent, const std::string& subKey, REGSAM access, DWORD* disposition) {
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES sa;
    sa.nLength = sizeof sa;
    sa.lpSecurityDescriptor = &sd;
    sa.bInheritHandle = TRUE;
    HKEY key = nullptr;
    DWORD ignored = 0;
    if (RegCreateKeyExA(parent, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, &sa, &key,
                        disposition ? disposition : &ignored) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY CreateOpenKey(const std::string& subKey, DWORD* disposition) {
    return CreateKeyForEveryone(HKEY_LOCAL_MACHINE, subKey, KEY_ALL_ACCESS, disposition);
}

LONG SetStringValue(HKEY key, const char* name, const std::string& value) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1));
}

bool SaveRegistry() {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        LONG rc = RegFlushKey(root);
        if (rc == ERROR_SUCCESS) continue;
        ShowFormattedMessage(
            nullptr, 0,
            FormatSystemMessage(static_cast<DWORD>(rc), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT)),
            MB_OK | MB_ICONHAND);
        PostQuitMessage(kExitRegistryNotSaved);
        return false;
    }
    return true;
}
