// Wine's registry hive text format (system.reg, user.reg), read and written as Wine's server does, so
// that Wine reads what we write and we read what Wine wrote.
//
//   WINE REGISTRY Version 2                      first line, exactly
//   ;; All keys relative to \\Machine             comment: the hive's place in the whole registry
//                                                blank lines and ';' comments are ignored
//   #arch=win64                                  before the first key: win32 or win64
//
//   [Software\\Vendor\\App] 1700000000           a key, path relative to the hive, with its last write
//   #time=1d9f0c2a1b2c3d4                        time (Unix seconds; #time= gives the FILETIME in hex)
//   #class="text"                                optional key class
//   #link                                        optional: the key is a symbolic link
//   @="default"                                  the default value
//   "Name"="text"                                REG_SZ (stored with its terminating zero)
//   "Name"=str(2):"%WINDIR%"                     REG_EXPAND_SZ; str(7): REG_MULTI_SZ ("a\0b\0")
//   "Name"=dword:0000001f                        REG_DWORD of exactly 4 bytes
//   "Name"=hex:01,02,ff                          REG_BINARY
//   "Name"=hex(4):07,00                          any other type or length, by its number in hex;
//     ...,\                                      long lists continue after a backslash on the next
//     00,00                                      line, indented two blanks (a line is cut after 76)
//
// Strings and names are UTF-16 in the registry. In the file: characters above 127 as \xNNNN (4 digits
// when a hex digit follows, else the shortest form), control characters as \a \b \t \n \v \f \r \e or
// octal (\0, \012 when an octal digit follows), and \\ plus \" in strings or \[ \] in key names. On
// reading, an unknown escape stands for the character itself and raw bytes above 127 are UTF-8.
// Path components are joined by one backslash, written escaped as "\\".
//
// Keys that have subkeys but neither values, class nor link are not written: their subkeys' paths
// recreate them. Volatile keys are never written.
#pragma once

#include <string>
#include <string_view>

#include "platform/machine/registry_tree.h"

namespace platform {

struct HiveReadResult {
    // Empty when every line was understood; else the first problem, with its line number. Whatever
    // could be read is in the tree either way.
    std::string error;
    std::string arch;  // "win32", "win64", or empty when the file does not say
};

// Reads the text of a hive file into `root`. An empty text is an empty hive.
HiveReadResult ReadHive(std::string_view text, RegNode& root);

// The text of a hive file for the tree below `root`. `relativeTo` is the header's path as it is
// written ("\\\\Machine"); `arch` as for the #arch line (empty: no line).
std::string WriteHive(const RegNode& root, std::string_view relativeTo, std::string_view arch);

// The escaping of names and strings described above (exposed for tests).
std::string EscapeWide(std::u16string_view s, char quote1, char quote2);

}  // namespace platform
