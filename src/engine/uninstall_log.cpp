#include "engine/uninstall_log.h"

#include "app/setup_record.h"
#include "app/tags.h"
#include "platform/win32.h"

const char kUninstallHeaderEnglish[] =
    ";The Uninstall program uses this file to remove Vexa 6.1 from your computer.\n";
const char kUninstallHeaderFrench[] =
    ";Le programme de d\xE9sinstallation utilise le ce fichier pour d\xE9sinstaller Vexa 6.1 de votre "
    "ordinateur.\n";

namespace {

bool AppendLine(const char* verb, const std::string& path) {
    const std::string& log = Setup().uninstallLog;
    if (log.empty()) return false;
    crt::FILE* file = crt::fopen(log.c_str(), "a+");
    if (!file) return false;
    std::string line = std::string(verb) + " " + path + "\n";
    crt::fputs(line.c_str(), file);
    crt::fclose(file);
    return true;
}

}  // namespace

void CreateUninstallLog() {
    SetupRecord& s = Setup();
    s.uninstallLog = s.installDir + "\\uninst.ins";
    crt::FILE* file = crt::fopen(s.uninstallLog.c_str(), IsOvraFamily() ? "w+" : "a+");
    if (!file) {
        s.uninstallLog.clear();
        return;
    }
    crt::fputs(s.languageOffset != 0 ? kUninstallHeaderFrench : kUninstallHeaderEnglish, file);
    crt::fclose(file);
}

bool AppendCopyLine(const std::string& path) {
    return AppendLine("copy", path);
}

bool AppendMdLine(const std::string& path) {
    return AppendLine("md", path);
}
