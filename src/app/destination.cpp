#include "app/destination.h"

#include "app/message_box.h"
#include "app/setup_record.h"
#include "engine/uninstall_log.h"
#include "platform/win32.h"

namespace {

// Whether a file can be created (and is then removed) in a directory: the directory exists and is
// writable.
bool ProbeWritable(const std::string& directory, const char* name) {
    std::string probe = directory + "\\" + name;
    crt::FILE* file = crt::fopen(probe.c_str(), "w+");
    if (!file) return false;
    crt::fclose(file);
    crt::remove(probe.c_str());
    return true;
}

struct SplitPath {
    std::string drive, dir, name, ext;
};

// _splitpath: drive "X:", directory up to and including the last separator, name, extension.
SplitPath Split(const std::string& path) {
    SplitPath p;
    std::string rest = path;
    if (rest.size() >= 2 && rest[1] == ':') {
        p.drive = rest.substr(0, 2);
        rest = rest.substr(2);
    }
    std::size_t slash = rest.find_last_of("\\/");
    if (slash != std::string::npos) {
        p.dir = rest.substr(0, slash + 1);
        rest = rest.substr(slash + 1);
    }
    std::size_t dot = rest.find_last_of('.');
    if (dot != std::string::npos) {
        p.name = rest.substr(0, dot);
        p.ext = rest.substr(dot);
    } else {
        p.name = rest;
    }
    return p;
}

}  // namespace

bool MakeDirectoryTree(const std::string& path) {
    SplitPath p = Split(path);
    if (!p.dir.empty()) {
        for (std::size_t i = 1; i < p.dir.size(); ++i) {
            if (p.dir[i] != '\\' && p.dir[i] != '/') continue;
            std::string level = p.drive + p.dir.substr(0, i);
            if (!ProbeWritable(level, "test.tmp") && !CreateDirectoryA(level.c_str(), nullptr)) return false;
        }
        if (p.name.empty() && p.ext.empty()) return true;
    }
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

void SetUpDestination() {
    const std::string& dir = Setup().installDir;
    if (!ProbeWritable(dir, "test.tmp") && !MakeDirectoryTree(dir))
        ShowMessage(MainWindowHandle(), 1076, MB_OK);
    CreateUninstallLog();
}
