#include "config/shell_registration.h"

#include <vector>

#include "app/registry_util.h"
#include "app/text.h"
#include "config/config_keys.h"
#include "config/ovra_ini.h"
#include "engine/setup_ini.h"
#include "platform/win32.h"
#include "resources/catalogue_products.h"

namespace {

std::string SharedKey(int n) {
    return "Shared" + std::to_string(n);
}

// Each shared library this run installed is counted once, however many file sets brought it, as every
// installer of a shared library does: a new count starts at 1.
void CountSharedLibraries() {
    HKEY key =
        CreateKeyForEveryone(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls",
                             KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
    if (!key) return;
    std::vector<std::string> counted;
    std::string path;
    for (int n = 0; ReadOvraIni("Shared Dlls", SharedKey(n).c_str(), path); ++n) {
        if (path.empty()) continue;
        bool seen = false;
        for (const auto& done : counted)
            if (lstrcmpiA(done.c_str(), path.c_str()) == 0) seen = true;
        if (seen) continue;
        counted.push_back(path);
        BYTE count[4] = {};
        DWORD type = 0, size = sizeof count;
        LONG found = RegQueryValueExA(key, path.c_str(), nullptr, &type, count, &size);
        if (found == static_cast<LONG>(ERROR_FILE_NOT_FOUND)) {
            const DWORD one = 1;
            RegSetValueExA(key, path.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
            continue;
        }
        // A value that is not a count of ours to read (too long, unreadable) is left as it is.
        if (found != ERROR_SUCCESS) continue;
        DWORD value = static_cast<DWORD>(count[0]) | static_cast<DWORD>(count[1]) << 8 |
                      static_cast<DWORD>(count[2]) << 16 | static_cast<DWORD>(count[3]) << 24;
        ++value;
        for (int i = 0; i < 4; ++i)
            count[i] = static_cast<BYTE>(value >> (8 * i));
        RegSetValueExA(key, path.c_str(), 0, type, count, size);
    }
    RegCloseKey(key);
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

void RegisterUninstallAndPaths(const std::string& ideProgramPath) {
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
    CountSharedLibraries();
}

void RegisterProjectAssociation(const std::string& ideProgramPath) {
    WriteDefaultValue(".prj", "prjfile");
    WriteDefaultValue("prjfile", "Ovra project file");
    // Without the IDE's path (a run whose IDE sets did not finish) there is nothing to open project
    // files with: an association an earlier installation made is left as it is, not broken.
    if (ideProgramPath.empty()) return;
    WriteDefaultValue("prjfile\\DefaultIcon", ideProgramPath + ",2");
    WriteDefaultValue("prjfile\\shell\\open\\command", "\"" + ideProgramPath + "\" \"%1\"");
}
