// Windows path syntax, lexically: what GetFullPathNameA does before any file is looked at.
//
//   "C:\dir\name"  absolute          "C:name"  relative to the current directory of drive C:
//   "\dir\name"    on the current drive's root      "name"  relative to the current directory
//   "\\server\share\..." UNC (not reachable on this machine)
//
// '/' is a separator too. "." and ".." are removed and never climb above the drive root; blanks and
// dots at the end of the last component are dropped, as Windows does.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::winpath {

inline bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

enum class Kind { Empty, Absolute, DriveRelative, Rooted, Relative, Unc };
Kind Classify(std::string_view path);

// The drive letter (upper case) of a path that starts with "X:", else 0.
char DriveOf(std::string_view path);

// "C:\a\.\b\..\c" -> "C:\a\c". `full` must start with a drive and a separator (or be "X:").
// A trailing separator is kept (except that the root stays "C:\").
std::string Normalize(std::string_view full);

// The full path of `name`; currentDirOf(letter) gives the current directory of a drive ("C:\dir"),
// currentDrive the letter of the current drive. A UNC path comes back with its separators tidied.
std::string MakeFull(std::string_view name, char currentDrive,
                     const std::function<std::string(char)>& currentDirOf);

// The components after "X:\" of a normalised full path.
std::vector<std::string> Components(std::string_view full);

// True when a component holds a character no Windows name may hold (control characters and
// < > : " | ? *); with `wildcardsInLast` the last component may hold * and ?.
bool HasInvalidName(std::string_view full, bool wildcardsInLast = false);

}  // namespace platform::winpath
