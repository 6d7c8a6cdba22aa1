// 8.3 aliases the way Wine gives them. Wine keeps no alias on disk: it derives one from the long name
// whenever it is asked, so a name has the same alias in every directory and at every listing. The
// alias is the first characters of the name (at most four, up to its extension), padded with '~' to
// five, then three characters of a 16-bit hash of the whole name taken without regard to case, then a
// dot and the first three characters of the extension (what follows the last dot that is neither the
// first nor the last character). A character an 8.3 name cannot hold becomes '_', letters are
// upper-cased: "Program Files" is PROG~FBU, "a+b.txt" A_B~~Z4Z.TXT.
//
// Programs that ran under Wine leave these forms in files and in the registry, and users copy them
// from Wine's dialogs, so ours must equal Wine's character for character.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// A name that needs no alias: at most 12 characters, 1-8 before an only dot and 1-3 after it, not
// starting with a dot, no blank, none of * ? < > | " + = , ; [ ] : / \ and nothing outside ASCII.
// Case does not matter: "bin.dat" needs none.
bool IsValidShortName(std::string_view name);

// The alias of a host name ("" when the name is itself a valid 8.3 name). The name's bytes are
// UTF-8 where they form it (as Wine writes names), else code page 1252 (as we write them).
std::string MakeShortName(std::string_view name);

}  // namespace platform
