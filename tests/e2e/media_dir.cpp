#include "e2e/media_dir.h"

#include <cstring>
#include <sstream>

#include "platform/machine/machine.h"
#include "platform/win32.h"
#include "resources/catalogue.h"
#include "support/temp_prefix.h"

namespace testing_support {

MediaDir::MediaDir(std::string hostDir) : dir_(std::move(hostDir)) {}

MediaDir& MediaDir::Flavour(const std::string& file, const std::vector<std::string>& lines) {
    std::string text = "[INSTALL]\r\n";
    for (const auto& l : lines)
        text += l + "\r\n";
    return File(file, text);
}

MediaDir& MediaDir::File(const std::string& relative, const std::string& contents) {
    WriteHostFile(dir_ + "/" + relative, contents);
    return *this;
}

MediaDir& MediaDir::EmptyFileSets() {
    for (const auto& row : catalogue::MediaCheckRows()) {
        for (const auto& set : row.sets) {
            std::string n = set.name;
            for (const char* folder : {"", "English/", "French/"}) {
                File(std::string(folder) + n + ".INS", "; nothing to install\r\n");
                File(std::string(folder) + n + ".DAT", "");
            }
        }
    }
    return *this;
}

namespace {
void SetString(HKEY root, const char* subKey, const char* name, const std::string& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}
}  // namespace

void PlantInstalledKit(const std::string& prefixDir, const std::string& windowsDir,
                       const std::string& hostSubdir, const char* programInput,
                       const std::string& buildNumber) {
    platform::Machine machine({prefixDir, "C"});
    platform::ScopedServices scope(machine.ServicesWith(nullptr));
    SetString(HKEY_LOCAL_MACHINE, "Software\\KESTRAVION\\Ovra\\6.1\\Default Directories", "VexaInst",
              windowsDir);
    if (!buildNumber.empty())
        SetString(HKEY_LOCAL_MACHINE, "Software\\KESTRAVION\\Ovra\\6.1\\Miscellaneous", "BuildNumber",
                  buildNumber);
    if (programInput)
        WriteHostFile(prefixDir + "/drive_c/" + hostSubdir + "/bin/Ovra.exe",
                      ReadHostFile(std::string(OVRA_CONFORMANCE_DIR) + "/inputs/" + programInput));
}

std::vector<std::string> PagesShown(const std::string& transcript) {
    std::vector<std::string> pages;
    std::istringstream in(transcript);
    for (std::string line; std::getline(in, line);)
        if (line.rfind("page ", 0) == 0) pages.push_back(line.substr(5, line.find(' ', 5) - 5));
    return pages;
}

}  // namespace testing_support
