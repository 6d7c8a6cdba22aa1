// A Windows machine laid out as a Wine prefix:
//
//   PREFIX/dosdevices/c: -> ../drive_c     drive links, as Wine makes them (z: -> /)
//   PREFIX/drive_c/windows                 the Windows directory, C:\windows
//   PREFIX/drive_c/windows/system32        the system directory, whatever the Windows version
//   PREFIX/system.reg, PREFIX/user.reg     HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, Wine's text format
//
// A Windows path is resolved drive letter first, then component by component, each matched against
// the names that exist without regard to case, or against their 8.3 aliases; a component that matches
// nothing is taken as written (a new name).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Prefix {
  public:
    // Opens the prefix at hostDir, creating the directories and drive links that are missing.
    explicit Prefix(std::string hostDir);

    const std::string& HostRoot() const { return root_; }
    std::string HivePath(std::string_view name) const;  // "system.reg" -> PREFIX/system.reg

    // A full Windows path ("C:\dir\name", already made absolute) to the host path it names.
    // Empty when the drive is not mapped or the path cannot name a file.
    std::optional<std::string> ToHost(std::string_view windowsPath) const;

    // A host path to a Windows path through an existing drive link that covers it; when none does
    // and `addDrive` is set, a new drive letter is linked to the directory (as winecfg would).
    std::optional<std::string> ToWindows(std::string_view hostPath, bool addDrive = false);

    // Letters of the drives linked in dosdevices ('c', 'z', ...).
    std::vector<char> Drives() const;

  private:
    std::string root_;
};

}  // namespace platform
