#include "config/ide_config_writer.h"

#include <cstdio>
#include <string>

#include "app/message_box.h"
#include "app/registry_util.h"
#include "app/setup_record.h"
#include "app/start_checks.h"
#include "app/tags.h"
#include "app/text.h"
#include "components/numbered_lists.h"
#include "components/xe_environment.h"
#include "config/config_keys.h"
#include "config/derivatives.h"
#include "config/ovra_ini.h"
#include "config/shell_registration.h"
#include "config/user_keys.h"
#include "platform/win32.h"
#include "resources/catalogue.h"
#include "resources/catalogue_products.h"

namespace {

// One configuration pass: the registry failure is reported once.
class Pass {
  public:
    // A top-level key below the configuration root; nullptr (reported once when `reported`) on failure.
    HKEY TopKey(const std::string& name, bool reported = true) {
        HKEY key = CreateConfigSubKey(HKEY_LOCAL_MACHINE, std::string(kOvraKey) + "\\" + name);
        if (!key && reported && !shown_) {
            shown_ = true;
            ShowMessage(nullptr, 1084, MB_OK | MB_ICONHAND);
        }
        return key;
    }

  private:
    bool shown_ = false;
};

// Copies section.key of OVRA.ini into value `name` of `key` when present.
bool CopyValue(HKEY key, const std::string& section, const char* iniKey, const char* name = nullptr,
               DWORD size = MAX_PATH) {
    std::string value;
    if (!ReadOvraIni(section, iniKey, value, size)) return false;
    SetStringValue(key, name ? name : iniKey, value);
    return true;
}

void CopyValues(HKEY key, const std::string& section, std::initializer_list<const char*> names) {
    for (const char* n : names)
        CopyValue(key, section, n);
}

// For each numbered section with a "Name": its subkey, filled by `fill`.
template <typename Fill>
void WriteList(HKEY parent, const char* prefix, unsigned count, Fill fill) {
    for (unsigned i = 0; i < count; ++i) {
        std::string section = prefix + std::to_string(i);
        std::string name;
        if (!ReadOvraIni(section, "Name", name)) continue;
        HKEY sub = CreateConfigSubKey(parent, name);
        if (!sub) continue;
        fill(sub, section, name);
        RegCloseKey(sub);
    }
}

bool ReadHex(const std::string& section, const char* key, DWORD& value) {
    std::string text;
    if (!ReadOvraIni(section, key, text)) return false;
    unsigned int parsed = 0;
    value = std::sscanf(text.c_str(), "%X", &parsed) == 1 ? parsed : 0;
    return true;
}

void WriteEmulatorDataInfo(HKEY emulator, const std::string& section) {
    DWORD ramSize = 0;
    if (!ReadHex(section, "DataInfoRAMSIZE", ramSize)) return;
    HKEY info = CreateConfigSubKey(emulator, "DataInfo");
    if (!info) return;
    SetDwordValue(info, "RAMSIZE", ramSize);
    for (int n = 0; n <= 4; ++n) {
        DWORD size = 0, address = 0;
        std::string nb = "DataInfoSeg" + std::to_string(n) + "Nb";
        if (!ReadHex(section, nb.c_str(), size)) continue;
        HKEY segment = CreateConfigSubKey(info, "Seg" + std::to_string(n));
        if (!segment) continue;
        SetDwordValue(segment, "Size", size);
        std::string addr = "DataInfoSeg" + std::to_string(n) + "Addr";
        if (ReadHex(section, addr.c_str(), address)) SetDwordValue(segment, "Addr", address);
        RegCloseKey(segment);
    }
    RegCloseKey(info);
}

}  // namespace

void DeleteOldConfiguration() {
    auto deleteUnder = [](const std::string& parent, const char* sub) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, parent.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return;
        RegDeleteKeyA(key, sub);
        RegCloseKey(key);
    };
    const std::string root = kOvraKey;
    deleteUnder(root, "Default Directories");
    deleteUnder(root, "Project");
    for (const char* target : catalogue::TargetNames())
        deleteUnder(root + "\\Targets", target);
    for (const auto& tool : catalogue::ToolCatalogue())
        deleteUnder(root + "\\Tools", tool.name);
    deleteUnder(root, "Targets");
    deleteUnder(root, "Tools");
    deleteUnder("Software\\KESTRAVION\\Ovra", "6.1");
}

int IdeConfigWriter() {
    using namespace catalogue;
    SECURITY_DESCRIPTOR sd;
    if (!InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE))
        return 0;
    Pass pass;
    const NumberedListCounts counts = ListCounts();
    const bool ide = IsOvraFamily();

    // 1. Default directories.
    std::string programPath;
    {
        if (HKEY key = pass.TopKey("Default Directories")) {
            if (ide) SetStringValue(key, "VexaInst", Setup().installDir);
            std::string bin;
            if (ReadOvraIni("Default Directories", "VexaBin", bin)) {
                SetStringValue(key, "VexaBin", bin);
                programPath = bin + "\\" + kIdeProgram;
            }
            CopyValues(key, "Default Directories", {"VexaInc", "VexaLib", "VexaCCLib", "VexaHelp"});
            RegCloseKey(key);
        } else {
            std::string bin;
            if (ReadOvraIni("Default Directories", "VexaBin", bin)) programPath = bin + "\\" + kIdeProgram;
        }
    }

    // 2. The last project.
    if (HKEY key = pass.TopKey("Project")) {
        CopyValue(key, "Project", "Last Project");
        RegCloseKey(key);
    }

    // 3. The ST5 database.
    if (HasTag(kSt5Tools)) WriteST5Derivatives();

    // 4. Simulators, then the derivative databases below them.
    if (HKEY key = pass.TopKey("Simulators")) {
        WriteList(key, "Simulator", counts.simulators,
                  [](HKEY sub, const std::string& section, const std::string& name) {
                      SetStringValue(sub, "Name",
                                     lstrcmpiA(name.c_str(), "P80C51MX*") == 0 ? "P80C51MX" : name);
                      CopyValues(sub, section,
                                 {"DllName", "TargetName", "MicroRef", "FirmSys", "Company", "Generic",
                                  "Hidden", "IntRAMSize", "2ndGeneration", "IncFile", "MicroDef"});
                  });
        WriteSimulatorDerivatives(key);
        RegCloseKey(key);
    }

    // 5. Emulators, monitors and debug probes.
    if (HKEY key = pass.TopKey("Emulators")) {
        WriteList(key, "Emulator", counts.emulators,
                  [](HKEY sub, const std::string& section, const std::string&) {
                      CopyValues(sub, section,
                                 {"Name", "DllName", "TargetName", "MicroRef", "Hidden", "DllDrvCom",
                                  "2ndGeneration", "IncFile", "MicDef"});
                      std::string trace;
                      if (ReadOvraIni(section, "MaxTrace", trace)) {
                          unsigned long depth = 0;
                          std::sscanf(trace.c_str(), "%lu", &depth);
                          SetDwordValue(sub, "MaxTrace", static_cast<DWORD>(depth));
                      }
                      CopyValue(sub, section, "DllConf");
                      WriteEmulatorDataInfo(sub, section);
                  });
        RegCloseKey(key);
    }

    // 6. Help files.
    if (HKEY key = pass.TopKey("HLP")) {
        WriteList(key, "Help", counts.helps, [](HKEY sub, const std::string& section, const std::string&) {
            CopyValues(sub, section, {"Name", "Path"});
        });
        RegCloseKey(key);
    }

    // 7. Manuals: group key, item key below it.
    if (HKEY key = pass.TopKey("PDF-DOC")) {
        WriteList(key, "Pdf", counts.pdfs, [](HKEY sub, const std::string& section, const std::string& name) {
            std::size_t slash = name.find('\\');
            SetStringValue(sub, "Name", slash == std::string::npos ? name : name.substr(slash + 1));
            CopyValue(sub, section, "Path");
        });
        RegCloseKey(key);
    }

    // 8. The ST6 parts staged during the installation.
    if (HasTag(kSt6Tools)) {
        if (HKEY key = pass.TopKey("ST6Derivatives")) {
            WriteList(
                key, "ST6Derivatives", 25, [](HKEY sub, const std::string& section, const std::string&) {
                    CopyValues(
                        sub, section,
                        {"Name", "DRBRMask", "DRBRAddr", "CodeStart", "CodeReserved", "CodeSize", "DataStart",
                         "DataSize", "DllName", "TargetName", "MicroRef", "Hidden", "2ndGeneration"});
                });
            RegCloseKey(key);
        }
    }

    // 9. Targets.
    if (HKEY key = pass.TopKey("Targets")) {
        for (const char* target : TargetNames()) {
            std::string dll;
            if (!ReadOvraIni("Targets", target, dll)) continue;
            HKEY sub = CreateConfigSubKey(key, target);
            if (!sub) continue;
            SetStringValue(sub, "Name", target);
            SetStringValue(sub, "DllName", dll);
            CopyValue(sub, "TargetInc", target, "TargetInc");
            CopyValue(sub, "TargetLib", target, "TargetLib");
            RegCloseKey(sub);
        }
        RegCloseKey(key);
    }

    // 10. Tools: the catalogue decides which sections reach the registry.
    if (HKEY key = pass.TopKey("Tools")) {
        for (const auto& tool : ToolCatalogue()) {
            std::string name;
            if (!ReadOvraIni(tool.name, "Name", name)) continue;
            HKEY sub = CreateConfigSubKey(key, tool.name);
            if (!sub) continue;
            SetStringValue(sub, "Name", name);
            CopyValue(sub, tool.name, "Path");
            CopyValue(sub, tool.name, "Source extensions", nullptr, 256);
            CopyValue(sub, tool.name, "Object extensions", nullptr, 256);
            CopyValue(sub, tool.name, "Linker", nullptr, 2);
            RegCloseKey(sub);
        }
        RegCloseKey(key);
    }

    // 11. User tools.
    if (HKEY key = pass.TopKey("UserTools", false)) {
        WriteList(key, "UserTool", counts.userTools,
                  [](HKEY sub, const std::string& section, const std::string&) {
                      CopyValues(sub, section, {"Name", "Path"});
                      CopyValue(sub, section, "Source extensions", nullptr, 256);
                      CopyValue(sub, section, "Object extensions", nullptr, 256);
                      CopyValue(sub, section, "Linker", nullptr, 2);
                  });
        RegCloseKey(key);
    }

    // 12. The shell registrations of the IDE, with its bin directory on the NT search path.
    if (ide) {
        RegisterUninstallAndPaths(programPath);
        if (IsWindowsNT()) AddIdeToSearchPath();
        RegisterProjectAssociation(programPath);
    }
    return 1;
}

int ConfigDriver() {
    const bool ide = IsOvraFamily();
    if (ide && !Setup().earlierInstallation) DeleteOldConfiguration();
    IdeConfigWriter();
    if (ide) WriteDebuggerDefaults();
    WriteToolbars();
    WriteDosTools();
    return 0;
}
