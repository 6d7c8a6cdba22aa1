#include "config/shell_registration.h"

#include "app/registry_util.h"
#include "config/config_keys.h"
#include "engine/setup_ini.h"
#include "platform/win32.h"
#include "resources/catalogue_products.h"

namespace {

std::string WindowsDir() {
    char buffer[MAX_PATH] = {};
    GetWindowsDirectoryA(buffer, MAX_PATH);
    return buffer;
}

// OVRA.ini through the setup INI reader: 1 when present (an empty value is present).
int ReadOvraIni(const char* key, const char* section, std::string& value) {
    return ReadSetupIni(WindowsDir(), key, section, value, MAX_PATH, "\\OVRA.ini");
}

std::string SharedKey(int n) {
    return "Shared" + std::to_string(n);
}

void CountSharedLibraries() {
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES sa;
    sa.nLength = sizeof sa;
    sa.lpSecurityDescriptor = &sd;
    sa.bInheritHandle = TRUE;
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls", 0,
                        nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY, &sa,
                        &key, &disposition) != ERROR_SUCCESS)
        return;
    std::string path;
    for (int n = 0; ReadOvraIni(SharedKey(n).c_str(), "Shared Dlls", path); ++n) {
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
    for (int n = 0; ReadOvraIni(SharedKey(n).c_str(), "Shared Dlls", path); ++n)
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
    if (!ReadOvraIni("VexaBin", "Default Directories", bin)) return "";
    return bin + "\\" + catalogue::kIdeProgram;
}

void RegisterUninstallAndPaths(bool existedBefore, const std::string& ideProgramPath) {
    std::string value;
    if (HKEY key = CreateOpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Ovra")) {
        if (ReadOvraIni("Path", "Uninstall", value)) {
            SetStringValue(key, "DisplayName", catalogue::kDisplayName);
            SetStringValue(key, "UninstallString", value);
        }
        RegCloseKey(key);
    }
    if (HKEY key = CreateOpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Ovra.exe")) {
        if (ReadOvraIni("VexaBin", "Default Directories", value)) {
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
