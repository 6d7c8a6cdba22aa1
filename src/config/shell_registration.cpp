#include "config/shell_registration.h"

#include "app/registry_util.h"
#include "config/config_keys.h"
#include "config/ovra_ini.h"
#include "engine/setup_ini.h"
#include "platform/win32.h"
#include "resources/catalogue_products.h"

namespace {

std::string SharedKey(int n) {
    return "Shared" + std::to_string(n);
}

void CountSharedLibraries() {
    HKEY key =
        CreateKeyForEveryone(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls",
                             KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
    if (!key) return;
    std::string path;
    for (int n = 0; ReadOvraIni("Shared Dlls", SharedKey(n).c_str(), path); ++n) {
        BYTE count[4] = {};
        DWORD type = 0, size = sizeof count;
        if (RegQueryValueExA(key, path.c_str(), nullptr, &type, count, &size) != ERROR_SUCCESS) continue;
        DWORD value = static_cast<DWORD>(count[0]) | static_cast<DWORD>(count[1]) << 8 |
                      static_cast<DWORD>(count[2]) << 16 | static_cast<DWORD>(count[3]) << 24;
        ++value;
        for (int i = 0; i < 4; ++i)
            count[i] = static_cast<BYTE>(value >> (8 * i));
        RegSetValueExA(key, path.c_str(), 0, type, count, size);
    }
    RegCloseKey(key);
}

void ForgetSharedLibraries() {
    std::string path;
    for (int n = 0; ReadOvraIni("Shared Dlls", SharedKey(n).c_str(), path); ++n)
        WriteIdeIni(SharedKey(n).c_str(), "Shared Dlls", "");
}

void WriteDefaultValue(const char* subKey, const std::string& value) {
    HKEY key = CreateConfigSubKey(HKEY_CLASSES_ROOT, subKey);
    if (!key) return;
    SetStringValue(key, "", value);
    RegCloseKey(key);
}

}  // namespace

std::string IdeProgramPath() {
    std::string bin;
    if (!ReadOvraIni("Default Directories", "VexaBin", bin)) return "";
    return bin + "\\" + catalogue::kIdeProgram;
}

void RegisterUninstallAndPaths(bool existedBefore, const std::string& ideProgramPath) {
    std::string value;
    if (HKEY key = CreateOpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Ovra")) {
        if (ReadOvraIni("Uninstall", "Path", value)) {
            SetStringValue(key, "DisplayName", catalogue::kDisplayName);
            SetStringValue(key, "UninstallString", value);
        }
        RegCloseKey(key);
    }
    if (HKEY key = CreateOpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Ovra.exe")) {
        if (ReadOvraIni("Default Directories", "VexaBin", value)) {
            SetStringValue(key, "", ideProgramPath);
            SetStringValue(key, "Path", value);
        }
        RegCloseKey(key);
    }
    if (existedBefore)
        ForgetSharedLibraries();
    else
        CountSharedLibraries();
}

void RegisterProjectAssociation(const std::string& ideProgramPath) {
    WriteDefaultValue(".prj", "prjfile");
    WriteDefaultValue("prjfile", "Ovra project file");
    WriteDefaultValue("prjfile\\DefaultIcon", ideProgramPath + ",2");
    WriteDefaultValue("prjfile\\shell\\open\\command", "\"" + ideProgramPath + "\" \"%1\"");
}
