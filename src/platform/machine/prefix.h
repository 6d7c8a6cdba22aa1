// A Windows machine laid out as a Wine prefix:
//
//   PREFIX/dosdevices/c: -> ../drive_c     drive links, as Wine makes them (z: -> /)
//   PREFIX/drive_c/windows                 the Windows directory, C:\windows
//   PREFIX/drive_c/windows/system32        the system directory, whatever the Windows version
//   PREFIX/drive_c/windows/temp, PREFIX/drive_c/Program Files, PREFIX/drive_c/users/USER/...
//                                          a new prefix gets the whole layout of a new Wine 8 prefix
//                                          (see kFreshLayout), with its win.ini and system.ini
//   PREFIX/system.reg, PREFIX/user.reg     HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER, Wine's text format
//
// A Windows path is resolved drive letter first, then component by component, each matched against
// the names that exist without regard to case, or against their 8.3 aliases (Wine's hashed ones, see
// short_names.h); a component that matches nothing is taken as written (a new name).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win_types.h"

namespace platform {

class Prefix {
  public:
    // Opens the prefix at hostDir, creating the directories and drive links that are missing (all of
    // Wine's layout when there is no drive_c yet, else only what the machine relies on).
    // Throws std::runtime_error naming the host call when the prefix cannot be made.
    explicit Prefix(std::string hostDir);

    const std::string& HostRoot() const { return root_; }
    std::string HivePath(std::string_view name) const;  // "system.reg" -> PREFIX/system.reg
    // The Windows user of the prefix (the host user, as Wine names the profile directory).
    const std::string& UserName() const { return user_; }

    // A full Windows path ("C:\dir\name", already made absolute) to the host path it names.
    // Empty when the drive is not mapped or the path cannot name a file.
    std::optional<std::string> ToHost(std::string_view windowsPath) const;

    // What a full Windows path names on the host.
    struct Resolution {
        std::string host;           // the host path
        std::string longPath;       // the Windows path with each existing component spelt as on disk
        bool exists = false;        // the whole path exists
        bool parentExists = false;  // every component but the last is an existing directory
        bool isDir = false;
    };
    // nullopt with *error set (ERROR_INVALID_NAME, ERROR_PATH_NOT_FOUND for an unmapped drive,
    // ERROR_BAD_NETPATH for a UNC path) when the path cannot name a file. With `wildcards`, * and ?
    // are allowed in the last component.
    std::optional<Resolution> Resolve(std::string_view windowsPath, DWORD* error,
                                      bool wildcards = false) const;

    // A host path to a Windows path through an existing drive link that covers it (the most specific
    // one: c: before z:); when none does and `addDrive` is set, a new drive letter (d: to y:) is linked
    // to the directory (as winecfg would).
    std::optional<std::string> ToWindows(std::string_view hostPath, bool addDrive = false);

    // Letters of the drives linked in dosdevices ('c', 'z', ...).
    std::vector<char> Drives() const;

    // Removes what a killed earlier run may have left: hive files half written (PREFIX/system.reg.tmp-PID)
    // and the machine's temporary files below drive_c (~prfXXXX.tmp, verXXXX.tmp). Only while no other
    // writer can be at work on the prefix (the setup holds its lock and no Wine server runs).
    void RemoveStaleTemporaries();

    // The host directory a drive letter is linked to; nullopt when it is not linked.
    std::optional<std::string> DriveRoot(char letter) const;

  private:
    std::string root_;
    std::string user_;
};

}  // namespace platform
