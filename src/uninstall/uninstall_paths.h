// Which paths of an uninstall log the uninstaller may act on. Every path of the log is outside input:
// it is acted on only when it is a plain absolute path (drive letter, backslashes, no "." or ".."
// components, no wildcards; a "." component stands for its directory) inside the installation directory, or a
// file directly in the Windows or the system directory, where the setup installs the files of the system.
#pragma once

#include <string>
#include <vector>

namespace uninstall {

enum class PathVerdict {
    Inside,      // below the installation directory
    SystemFile,  // a file directly in the Windows or the system directory
    NotPlain,    // not an absolute drive path of plain components
    Outside,     // anywhere else
};

// The components of a plain absolute path ("C:", "OVRA", "BIN"); empty when the path is not plain:
// no drive letter and backslash at its start, an empty, "." or ".." component, a component ending in a
// dot or a blank (Windows would drop it, so the name would mean another file), a character Windows
// does not allow in a name, or MAX_PATH characters or more.
std::vector<std::string> PlainComponents(const std::string& path);

// The path joined again from its plain components ("c:\OVRA\.\A.TXT" -> "c:\OVRA\A.TXT"); empty when
// the path is not plain.
std::string PlainPath(const std::string& path);

// Whether two paths name the same place, compared component by component without regard to ASCII case.
bool SamePath(const std::string& a, const std::string& b);
// Whether `path` lies strictly below `dir`.
bool IsBelow(const std::string& path, const std::string& dir);

struct PathRules {
    std::string installDir;  // without trailing backslash
    std::string windowsDir;
    std::string systemDir;
};

PathVerdict CheckDirectoryLine(const PathRules& rules, const std::string& path);
PathVerdict CheckFileLine(const PathRules& rules, const std::string& path);

// Whether a directory can be the installation directory an uninstall log speaks for: a plain path with
// at least one directory below the drive, neither the Windows nor the system directory, nor a directory
// that holds them.
bool AcceptableInstallDir(const PathRules& rules);

// The directory part of a plain path ("C:\OVRA\uninst.ins" -> "C:\OVRA"); empty when there is none.
std::string ParentOf(const std::string& path);

}  // namespace uninstall
