#include "platform/machine/default_registry.h"

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

namespace platform {

namespace {

struct SeedValue {
    HKEY root;
    const char* key;
    const char* name;  // nullptr: the key alone
    DWORD type;
    const char* data;
};

constexpr const char* kEnvironment = "System\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr const char* kNtVersion = "Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kWinVersion = "Software\\Microsoft\\Windows\\CurrentVersion";

// As Wine 8 leaves them in a new 64-bit prefix (the Windows 7 SP1 it reports by default), without the
// values that describe the host's processor. There is no SharedDLLs key: Windows makes it when the
// first shared file is counted, and so does the setup.
const SeedValue kSeed[] = {
    {HKEY_LOCAL_MACHINE, kEnvironment, "ComSpec", REG_EXPAND_SZ, "%SystemRoot%\\system32\\cmd.exe"},
    {HKEY_LOCAL_MACHINE, kEnvironment, "OS", REG_SZ, "Windows_NT"},
    {HKEY_LOCAL_MACHINE, kEnvironment, "PATH", REG_EXPAND_SZ,
     "%SystemRoot%\\system32;%SystemRoot%;%SystemRoot%\\system32\\wbem;%SystemRoot%"
     "\\system32\\WindowsPowershell"
     "\\v1.0"},
    {HKEY_LOCAL_MACHINE, kEnvironment, "PATHEXT", REG_SZ, ".com;.exe;.bat;.cmd;.vbs;.vbe;.js;.jse;.wsf;.wsh"},
    {HKEY_LOCAL_MACHINE, kEnvironment, "PROCESSOR_ARCHITECTURE", REG_SZ, "AMD64"},
    {HKEY_LOCAL_MACHINE, kEnvironment, "TEMP", REG_EXPAND_SZ, "%SystemRoot%\\temp"},
    {HKEY_LOCAL_MACHINE, kEnvironment, "TMP", REG_EXPAND_SZ, "%SystemRoot%\\temp"},
    {HKEY_LOCAL_MACHINE, kEnvironment, "windir", REG_EXPAND_SZ, "%SystemRoot%"},
    {HKEY_LOCAL_MACHINE, kEnvironment, "winsysdir", REG_SZ, "C:\\windows\\system32"},
    {HKEY_LOCAL_MACHINE, kNtVersion, "CSDVersion", REG_SZ, "Service Pack 1"},
    {HKEY_LOCAL_MACHINE, kNtVersion, "CurrentBuild", REG_SZ, "7601"},
    {HKEY_LOCAL_MACHINE, kNtVersion, "CurrentBuildNumber", REG_SZ, "7601"},
    {HKEY_LOCAL_MACHINE, kNtVersion, "CurrentType", REG_SZ, "Uniprocessor Free"},
    {HKEY_LOCAL_MACHINE, kNtVersion, "CurrentVersion", REG_SZ, "6.1"},
    {HKEY_LOCAL_MACHINE, kNtVersion, "ProductId", REG_SZ, "12345-oem-0000001-54321"},
    {HKEY_LOCAL_MACHINE, kNtVersion, "ProductName", REG_SZ, "Microsoft Windows 7"},
    {HKEY_LOCAL_MACHINE, kNtVersion, "RegisteredOrganization", REG_SZ, ""},
    {HKEY_LOCAL_MACHINE, kNtVersion, "RegisteredOwner", REG_SZ, ""},
    {HKEY_LOCAL_MACHINE, kNtVersion, "SystemRoot", REG_SZ, "C:\\windows"},
    {HKEY_LOCAL_MACHINE, kWinVersion, "CommonFilesDir", REG_SZ, "C:\\Program Files\\Common Files"},
    {HKEY_LOCAL_MACHINE, kWinVersion, "CommonFilesDir (x86)", REG_SZ,
     "C:\\Program Files (x86)\\Common Files"},
    {HKEY_LOCAL_MACHINE, kWinVersion, "ProductId", REG_SZ, "12345-oem-0000001-54321"},
    {HKEY_LOCAL_MACHINE, kWinVersion, "ProgramFilesDir", REG_SZ, "C:\\Program Files"},
    {HKEY_LOCAL_MACHINE, kWinVersion, "ProgramFilesDir (x86)", REG_SZ, "C:\\Program Files (x86)"},
    {HKEY_LOCAL_MACHINE, kWinVersion, "ProgramFilesPath", REG_EXPAND_SZ, "%ProgramFiles%"},
    {HKEY_LOCAL_MACHINE, kWinVersion, "RegisteredOrganization", REG_SZ, ""},
    {HKEY_LOCAL_MACHINE, kWinVersion, "RegisteredOwner", REG_SZ, ""},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths", nullptr, REG_NONE,
     nullptr},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", nullptr, REG_NONE,
     nullptr},
    {HKEY_LOCAL_MACHINE, "Software\\Classes", nullptr, REG_NONE, nullptr},
    {HKEY_CURRENT_USER, "Software\\Wine", nullptr, REG_NONE, nullptr},
};

}  // namespace

void SeedNewPrefixRegistry(RegistryApi& registry, const std::string& userName) {
    // The user's temporary directory, which GetTempPathA gives.
    const std::string userTemp = "C:\\users\\" + userName + "\\Temp";
    std::vector<SeedValue> seed(std::begin(kSeed), std::end(kSeed));
    seed.push_back({HKEY_CURRENT_USER, "Environment", "TEMP", REG_SZ, userTemp.c_str()});
    seed.push_back({HKEY_CURRENT_USER, "Environment", "TMP", REG_SZ, userTemp.c_str()});
    for (const auto& v : seed) {
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
