#include "app/flavour.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "app/message_box.h"
#include "app/setup_record.h"
#include "app/start_checks.h"
#include "app/tags.h"
#include "app/text.h"
#include "engine/setup_ini.h"
#include "platform/win32.h"
#include "resources/catalogue.h"

namespace {

constexpr DWORD kFlavourBuffer = 20;
constexpr const char* kOvraKey = "Software\\KESTRAVION\\Ovra\\6.1";

std::uint32_t ReadFlavourWord(const char* file, const char* key = "CODE") {
    std::string value;
    if (!ReadSetupIni(Setup().sourceDir, key, "INSTALL", value, kFlavourBuffer, file)) return 0;
    unsigned long word = 0;
    if (std::sscanf(value.c_str(), "%lx", &word) != 1) return 0;
    return static_cast<std::uint32_t>(word);
}

// A REG_SZ value of HKEY_LOCAL_MACHINE\subKey into at most `size` bytes; empty when missing.
bool QueryString(HKEY key, const char* name, std::string& value, DWORD size) {
    std::vector<char> buffer(size, '\0');
    DWORD type = 0, got = size;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) !=
        ERROR_SUCCESS)
        return false;
    value = FromBuffer(buffer.data(), got < size ? got : size);
    return true;
}

std::string QueryMachineString(const std::string& subKey, const char* name, DWORD size) {
    HKEY key = nullptr;
    std::string value;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        QueryString(key, name, value, size);
        RegCloseKey(key);
    }
    return value;
}

bool Fail(int messageId) {
    ShowMessage(MainWindowHandle(), messageId, MB_ICONEXCLAMATION);
    return false;
}

}  // namespace

float ReadInstalledIdeVersion(const std::string& programPath) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(programPath.c_str(), &handle);
    if (size == 0) return 0;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoA(programPath.c_str(), handle, size, block.data())) return 0;
    void* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &translation, &length) || length < 4)
        return 0;
    WORD language = 0, codePage = 0;
    std::memcpy(&language, translation, sizeof language);
    std::memcpy(&codePage, static_cast<const BYTE*>(translation) + 2, sizeof codePage);
    std::string query = FormatText(
        "\\StringFileInfo\\%08lx\\%s",
        static_cast<unsigned long>((static_cast<DWORD>(language) << 16) | codePage), "FileVersion");
    void* text = nullptr;
    if (!VerQueryValueA(block.data(), query.c_str(), &text, &length) || !text || length == 0) return 0;
    std::string version = FromBuffer(static_cast<const char*>(text), length);
    float value = 0;
    if (std::sscanf(version.c_str(), "%f", &value) != 1) return 0;
    return value;
}

bool DetectFlavour(WizardState&) {
    SetupRecord& s = Setup();
    if (!HasInstallRights()) ShowMessage(MainWindowHandle(), 1247, MB_ICONEXCLAMATION);
    s.captionId = 1061;

    s.productWord = ReadFlavourWord("INSTOVRA.INI");
    s.word8051 = ReadFlavourWord("INST51.INI");
    s.lpcWord = ReadFlavourWord("INSTLPC.INI");
    s.xaWord = ReadFlavourWord("INSTXA.INI");
    s.st6Word = ReadFlavourWord("INSTST6.INI");
    s.st5Word = ReadFlavourWord("INSTST5.INI");
    s.addOnWord = ReadFlavourWord("INSTADON.INI");
    {
        std::string value;
        float version = 0;
        if (ReadSetupIni(s.sourceDir, "ADDON", "INSTALL", value, kFlavourBuffer, "INSTADON.INI") &&
            std::sscanf(value.c_str(), "%f", &version) == 1)
            s.addOnRequiredVersion = version;
        else
            s.addOnRequiredVersion = 0;
    }

    s.patchBuildNumber.clear();
    s.patchWord = 0;
    s.patchFileSet.clear();
    s.patchWord = ReadFlavourWord("PATCH.INI", "PATCH");
    std::string value;
    s.patchBuildNumber =
        ReadSetupIni(s.sourceDir, "BN", "INSTALL", value, kFlavourBuffer, "PATCH.INI") ? value : "";
    s.patchFileSet =
        ReadSetupIni(s.sourceDir, "DISK", "INSTALL", value, kFlavourBuffer, "PATCH.INI") ? value : "Patch";
    s.patchDescription =
        ReadSetupIni(s.sourceDir, "Desc", "INSTALL", value, kFlavourBuffer, "PATCH.INI") ? value : "Patch";
    s.patchDir = ReadSetupIni(s.sourceDir, "Dir", "INSTALL", value, kFlavourBuffer, "PATCH.INI") ? value : "";

    s.mxWord = ReadFlavourWord("INSTMX.INI");
    s.xeWord = ReadFlavourWord("INSTXE.INI");

    s.languageOffset = 0;
    s.installDir = "c:\\OVRA";

    const bool patch = s.patchWord != 0;
    HKEY key = nullptr;
    std::string directoriesKey = std::string(kOvraKey) + "\\Default Directories";
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, directoriesKey.c_str(), 0, KEY_QUERY_VALUE, &key) ==
        ERROR_SUCCESS) {
        std::string programPath;
        std::string directory;
        if (QueryString(key, "VexaInst", directory, MAX_PATH)) {
            s.installDir = directory;
            programPath = directory + "\\bin\\Ovra.exe";
            s.earlierInstallation = true;
        }
        RegCloseKey(key);
        if (!programPath.empty())
            s.installedIdeVersion = ReadInstalledIdeVersion(programPath);
        else if (patch || !IsOvraFamily())
            return Fail(1095);
    } else {
        using namespace catalogue;
        bool standalone = HasTag(kOvra) || HasTag(kMxTools) || HasTag(kOvraSt6) || HasTag(kOvraPhilips) ||
                          HasTag(kOvraInfineon) || HasTag(kXeTools);
        if (patch || !standalone) return Fail(1095);
    }

    if (patch && !s.patchBuildNumber.empty()) {
        std::string installed =
            QueryMachineString(std::string(kOvraKey) + "\\Miscellaneous", "BuildNumber", 128);
        if (ToUpper(installed).find(ToUpper(s.patchBuildNumber)) != std::string::npos) return true;
        return Fail(1096);
    }

    if (!IsOvraFamily() && s.addOnRequiredVersion > s.installedIdeVersion) return Fail(1096);

    if (s.earlierInstallation) {
        std::string registration = std::string(kOvraKey) + "\\User Info\\Registration";
        s.userName = QueryMachineString(registration, "Name", 128);
        s.company = QueryMachineString(registration, "Company", 128);
    } else {
        if (ReadSetupIni(s.installDir, "Name", "User", value, 256, "\\BUILD.INI")) s.userName = value;
        if (ReadSetupIni(s.installDir, "Company", "User", value, 256, "\\BUILD.INI")) s.company = value;
    }
    return true;
}
