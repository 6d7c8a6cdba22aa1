#include "platform/machine/default_registry.h"

#include <cstring>

namespace platform {

namespace {

struct SeedValue {
    HKEY root;
    const char* key;
    const char* name;  // nullptr: the key alone
    DWORD type;
    const char* data;
};

const SeedValue kSeed[] = {
    {HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager\\Environment", "ComSpec",
     REG_EXPAND_SZ, "%SystemRoot%\\system32\\cmd.exe"},
    {HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager\\Environment", "Path",
     REG_EXPAND_SZ, "%SystemRoot%\\system32;%SystemRoot%;%SystemRoot%\\system32\\wbem"},
    {HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager\\Environment", "PATHEXT",
     REG_SZ, ".COM;.EXE;.BAT;.CMD;.VBS;.VBE;.JS;.JSE;.WSF;.WSH;.MSC"},
    {HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager\\Environment", "TEMP",
     REG_EXPAND_SZ, "%SystemRoot%\\TEMP"},
    {HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager\\Environment", "TMP",
     REG_EXPAND_SZ, "%SystemRoot%\\TEMP"},
    {HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager\\Environment", "windir",
     REG_EXPAND_SZ, "%SystemRoot%"},
    {HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager\\Environment", "OS", REG_SZ,
     "Windows_NT"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion", "SystemRoot", REG_SZ,
     "C:\\windows"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion", REG_SZ, "6.1"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", REG_SZ,
     "C:\\Program Files"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "CommonFilesDir", REG_SZ,
     "C:\\Program Files\\Common Files"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths", nullptr, REG_NONE,
     nullptr},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", nullptr, REG_NONE,
     nullptr},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", nullptr, REG_NONE,
     nullptr},
    {HKEY_LOCAL_MACHINE, "Software\\Classes", nullptr, REG_NONE, nullptr},
    {HKEY_CURRENT_USER, "Environment", "TEMP", REG_EXPAND_SZ, "%USERPROFILE%\\AppData\\Local\\Temp"},
    {HKEY_CURRENT_USER, "Environment", "TMP", REG_EXPAND_SZ, "%USERPROFILE%\\AppData\\Local\\Temp"},
    {HKEY_CURRENT_USER, "Software\\Wine", nullptr, REG_NONE, nullptr},
};

}  // namespace

void SeedNewPrefixRegistry(RegistryApi& registry) {
    for (const auto& v : kSeed) {
        HKEY key = nullptr;
        if (registry.RegCreateKeyExA(v.root, v.key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                     nullptr, &key, nullptr) != ERROR_SUCCESS)
            continue;
        if (v.name)
            registry.RegSetValueExA(key, v.name, 0, v.type, reinterpret_cast<const BYTE*>(v.data),
                                    static_cast<DWORD>(std::strlen(v.data) + 1));
        registry.RegCloseKey(key);
    }
}

}  // namespace platform
