#include "app/completion.h"

#include "app/message_box.h"
#include "app/registry_util.h"
#include "app/setup_record.h"
#include "app/tags.h"
#include "app/text.h"
#include "app/wizard_state.h"
#include "engine/setup_ini.h"
#include "engine/uninstall_log.h"
#include "pages/finish.h"
#include "platform/win32.h"
#include "resources/catalogue.h"

namespace {

constexpr DWORD kBuildValue = MAX_PATH;
constexpr const char* kMiscellaneousKey = "Software\\KESTRAVION\\Ovra\\6.1\\Miscellaneous";

void SetMiscellaneousValue(const char* name, const std::string& value) {
    HKEY product = CreateOpenKey("Software\\KESTRAVION\\Ovra\\6.1");
    if (!product) return;
    if (HKEY misc = CreateOpenKey(kMiscellaneousKey)) {
        SetStringValue(misc, name, value);
        RegCloseKey(misc);
    }
    RegCloseKey(product);
}

bool ReadMedia(const char* key, const char* section, std::string& value) {
    return ReadSetupIni(Setup().sourceDir, key, section, value, kBuildValue, "BUILD.INI") == 1;
}

void WriteComponentVersion(const char* name, bool toolTable) {
    std::string version;
    if (!ReadSetupIni(Setup().sourceDir, "VERSION", name, version, kBuildValue,
                      BuildFileFor(name, toolTable).c_str()))
        return;
    std::string section = name;
    if (toolTable && section.rfind("LX", 0) == 0) section.replace(0, 2, "RL");
    WriteIdeIni("VERSION", section.c_str(), version.c_str(), "BUILD.INI");
}

}  // namespace

std::string BuildFileFor(const std::string& component, bool toolTable) {
    if (toolTable)
        for (const char* utility : catalogue::XaFileUtilities())
            if (lstrcmpiA(utility, component.c_str()) == 0) return "BUILDXA.INI";
    static const std::pair<const char*, const char*> kSuffixes[] = {
        {"51", "51"},  {"XA", "XA"}, {"ST6", "ST6"}, {"ST5", "ST5"}, {"STC", "STC"},
        {"MC", "MIC"}, {"MX", "MX"}, {"XE", "XE"},   {"UTL", "UTL"},
    };
    for (const auto& [needle, suffix] : kSuffixes)
        if (component.find(needle) != std::string::npos) return std::string("BUILD") + suffix + ".INI";
    return "BUILD.INI";
}

bool ReadBuildRecord(const char* key, const char* section, std::string& value) {
    for (DWORD size = kBuildValue;; size *= 2) {
        int present = ReadSetupIni(Setup().installDir, key, section, value, size, "\\BUILD.INI");
        // A value that filled the buffer may have been cut: read it again with room to spare.
        if (value.size() + 1 < size || size >= (1u << 24)) return present == 1;
    }
}

void WriteBuildRecord(WizardState&) {
    const SetupRecord& s = Setup();
    for (const char* name : catalogue::BuildComponentsTools())
        WriteComponentVersion(name, true);
    for (const char* name : catalogue::BuildComponentsUtilities())
        WriteComponentVersion(name, false);
    for (const char* name : catalogue::BuildComponentsProducts())
        WriteComponentVersion(name, false);

    std::string value;
    if (IsOvraFamily()) {
        WriteIdeIni("Name", "User", s.userName.c_str(), "BUILD.INI");
        WriteIdeIni("Company", "User", s.company.c_str(), "BUILD.INI");
        if (ReadMedia("BN", "BuildNumber", value)) {
            WriteIdeIni("BN", "BuildNumber", value.c_str(), "BUILD.INI");
            SetMiscellaneousValue("BuildNumber", value);
        }
        if (ReadMedia("DATE", "BuildNumber", value))
            WriteIdeIni("DATE", "BuildNumber", value.c_str(), "BUILD.INI");
        if (ReadMedia("TARGET", "Miscellaneous", value)) {
            WriteIdeIni("TARGET", "Miscellaneous", value.c_str(), "BUILD.INI");
            SetMiscellaneousValue("TARGET", value);
        }
        for (const char* key : {"LOGOAVI", "LOGOBMP"}) {
            if (!ReadMedia(key, "Miscellaneous", value)) continue;
            std::string path = s.installDir + "\\BIN\\" + value;
            WriteIdeIni(key, "Miscellaneous", path.c_str(), "BUILD.INI");
            SetMiscellaneousValue(key, path);
        }
        AppendCopyLine(s.installDir + "\\BUILD.INI");
        AppendCopyLine(s.installDir + "\\VERSIONS.TXT");
        return;
    }

    // Later releases keep the history of what was installed: old + " + " + new.
    std::string oldValue, newValue;
    if (ReadBuildRecord("BN", "BuildNumber", oldValue) && ReadMedia("BN", "BuildNumber", newValue)) {
        if (s.patchWord != 0 && oldValue.find(s.patchFileSet) == std::string::npos)
            newValue += "-" + s.patchFileSet;
        std::string history = oldValue + " + " + newValue;
        WriteIdeIni("BN", "BuildNumber", history.c_str(), "BUILD.INI");
        SetMiscellaneousValue("BuildNumber", history);
    }
    if (ReadBuildRecord("DATE", "BuildNumber", oldValue) && ReadMedia("DATE", "BuildNumber", newValue)) {
        std::string history = oldValue + " + " + newValue;
        WriteIdeIni("DATE", "BuildNumber", history.c_str(), "BUILD.INI");
    }
}

void CompleteSetup(WizardState& app) {
    {
        WVexaTerminate page(MainWindowHandle(), &app.pageIndex, &app.stepDirection);
        RunPage(page);
    }
    const SetupRecord& s = Setup();
    static const std::pair<const char*, const char*> kCopies[] = {
        {"license.txt", "\\license.txt"}, {"readme.txt", "\\readme.txt"}, {"HF.csv", "\\BIN\\HF.csv"}};
    for (const auto& [source, destination] : kCopies) {
        std::string to = s.installDir + destination;
        CopyFileA((s.sourceDir + source).c_str(), to.c_str(), FALSE);
        AppendCopyLine(to);
    }
    if (IsOvraFamily()) {
        std::string desktop = s.installDir + "\\BIN" + "\\Vexa32.dsk";
        DeleteFileA(desktop.c_str());
        AppendCopyLine(desktop);
    }
    WriteBuildRecord(app);
    // The build record's keys too must reach the disk; when they cannot, the error is the last word.
    if (!SaveRegistry()) {
        ShowMessage(nullptr, 1063, MB_ICONEXCLAMATION);
        app.pageIndex = -1;
        return;
    }
    if (app.pageIndex == 11) {
        app.pageIndex = -1;
        ExitWindowsEx(EWX_LOGOFF, 0xFFFFFFFF);
    } else {
        app.pageIndex = -1;
    }
    PostQuitMessage(0);
}
