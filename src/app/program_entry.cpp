#include "app/program_entry.h"

#include <string>

#include "app/inst_app.h"
#include "app/setup_record.h"
#include "platform/win32.h"

namespace {

// The drive and directory of a program path, as _splitpath gives them, joined: ends with a separator.
std::string DriveAndDirectory(const std::string& path) {
    std::size_t cut = path.find_last_of("\\/");
    if (cut != std::string::npos) return path.substr(0, cut + 1);
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    return std::string();
}

}  // namespace

int ProgramEntry(int argc, char** argv) {
    SetupRecord& s = Setup();
    if (argc > 0 && argv[0] && argv[0][0]) {
        s.sourceDir = DriveAndDirectory(argv[0]);
        s.helpFile = s.sourceDir + (GetSystemDefaultLangID() == 0x040C ? "INSTFR.HLP" : "INSTALL.HLP");
    }

    // The remembered current directory of drive C: lives in the "=C:" environment variable.
    char current[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableA("=C:", current, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) {
        SetEnvironmentVariableA("=C:", "C:\\");
        std::string root = "C:\\";
        root.copy(current, root.size());
        current[root.size()] = '\0';
    }
    SetCurrentDirectoryA(current);

    WVexaInstApp app;
    return app.Run();
}
