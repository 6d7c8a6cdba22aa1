// Shell links (".lnk" files) in the documented Shell Link binary format, as far as Program Manager's
// items need it, so that Wine's shell and winemenubuilder read the shortcuts we leave in the prefix:
//
//   ShellLinkHeader   76 bytes: HeaderSize 0x4C, LinkCLSID {00021401-0000-0000-C000-000000000046},
//                     LinkFlags, FileAttributes, three FILETIMEs (zero), FileSize, IconIndex,
//                     ShowCommand, HotKey, three reserved fields (zero)
//   LinkInfo          (HasLinkInfo) VolumeIDAndLocalBasePath: a VolumeID of a fixed drive without
//                     label, LocalBasePath = the target's full Windows path, CommonPathSuffix ""
//   StringData        count-prefixed ANSI strings (IsUnicode clear), each when its flag is set, in this
//                     order: NAME_STRING (HasName), RELATIVE_PATH (HasRelativePath), WORKING_DIR
//                     (HasWorkingDir), COMMAND_LINE_ARGUMENTS (HasArguments), ICON_LOCATION
//                     (HasIconLocation)
//   ExtraData         the terminal block (four zero bytes)
//
// No LinkTargetIDList is written: Wine resolves a link without one from its LinkInfo path.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct ShellLink {
    std::string target;        // full Windows path of the program or document
    std::string name;          // description
    std::string relativePath;  // target relative to the link's folder ("" when on another drive)
    std::string workingDir;
    std::string arguments;
    std::string iconLocation;
    std::int32_t iconIndex = 0;
    std::uint32_t showCommand = 1;  // SW_SHOWNORMAL
    std::uint16_t hotKey = 0;       // virtual key in the low byte, HOTKEYF_* modifiers in the high one
};

std::string EncodeShellLink(const ShellLink& link);
// False (and `link` unspecified) when the bytes are not a shell link this encoder could have written:
// wrong header or CLSID, a LinkTargetIDList, Unicode strings, or data cut short.
bool DecodeShellLink(const std::string& bytes, ShellLink& link);

// `target` relative to `folder` (both full Windows paths, compared without regard to case); "" when
// they are on different drives.
std::string RelativeWindowsPath(const std::string& folder, const std::string& target);

}  // namespace platform
