// VEXARMV, the kit's uninstaller: after one confirmation it undoes what the uninstall log and the setup's
// own keys say was installed, newest first, and nothing else.
//
// Order: the files the log's "copy" lines name; the shared libraries (their counts lowered, a library
// removed only when its count reaches zero and the user agrees); the registry keys and values the setup
// owns, the project-file association while it still names our IDE, the Start-menu group and OVRA.ini;
// the kit's entries of the system Path and the tool chain's variables (registry and autoexec.bat); the
// directories of the "md" lines, a directory that still holds anything else being kept; last the log,
// the uninstaller and the installation directory when it is empty.
//
// Keys and OVRA.ini are only touched while they speak for the installation the log belongs to: the
// settings of a kit installed elsewhere since are kept and reported.
#pragma once

#include <functional>
#include <string>

namespace uninstall {

struct Options {
    std::string logPath;  // Windows path of uninst.ins; its directory is the installation directory
    bool dryRun = false;  // report what would be removed, change nothing, ask nothing
    // One line per decision ("remove file C:\OVRA\BIN\Ovra.exe", "refuse line 7: ... (reason)").
    std::function<void(const std::string&)> report;
};

// Exit status of the program.
inline constexpr int kUninstalled = 0;
inline constexpr int kCancelled = 1;
inline constexpr int kRegistryNotSaved = 8;  // the hives could not be written; the log is kept
inline constexpr int kNothingRemoved = 9;    // the log could not be read, or is not ours

int RunUninstall(const Options& options);

// The system Path without the entries that name `installDir`\Bin or, when `chainPathIsOurs`, the tool
// chain's "%C816_PATH%"; the other entries keep their order and spelling.
std::string PathWithoutKitEntries(const std::string& path, const std::string& installDir,
                                  bool chainPathIsOurs);

}  // namespace uninstall
