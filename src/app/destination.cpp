#include "app/destination.h"

#include "app/message_box.h"
#include "app/setup_record.h"
#include "app/text.h"
#include "engine/uninstall_log.h"
#include "platform/win32.h"

namespace {

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

bool ProbeWritable(const std::string& directory) {
    // A name taken by a file (or directory) of the user's is skipped, never touched.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::string probe = directory + "\\" + FormatText("~VXP%04d.TMP", attempt);
        HANDLE file =
            CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            DeleteFileA(probe.c_str());
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

bool MakeDirectoryTree(const std::string& path) {
    SplitPath p = Split(path);
    if (!p.dir.empty()) {
        for (std::size_t i = 1; i < p.dir.size(); ++i) {
            if (p.dir[i] != '\\' && p.dir[i] != '/') continue;
            std::string level = p.drive + p.dir.substr(0, i);
            if (!ProbeWritable(level) && !CreateDirectoryA(level.c_str(), nullptr)) return false;
        }
        if (p.name.empty() && p.ext.empty()) return true;
    }
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool SetUpDestination() {
    SetupRecord& s = Setup();
    const std::string& dir = s.installDir;
    if (!ProbeWritable(dir) && !MakeDirectoryTree(dir)) {
        ShowMessage(MainWindowHandle(), 1076, MB_OK);
        return false;
    }
    // Back from the summary and Next again comes here a second time: a log this run has started already
    // keeps its one header.
    std::string log = dir + "\\uninst.ins";
    if (s.uninstallLog.empty() || lstrcmpiA(s.uninstallLog.c_str(), log.c_str()) != 0) CreateUninstallLog();
    return true;
}
