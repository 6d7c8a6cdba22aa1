// 8.3 aliases the way Windows gives them: a long name that is not already a valid 8.3 name gets
// BASE~N.EXT, BASE being its first six usable characters upper-cased and N the lowest number not yet
// taken in the directory. Names are handed out in creation order, so an older file keeps its alias
// when a newer one with the same stem arrives.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A name that needs no alias: 1-8 characters, at most one dot followed by 0-3 characters, none of
// them a blank or one of + , ; = [ ] (case does not matter: "bin.dat" needs none, as on NTFS).
bool IsValidShortName(std::string_view name);

// Aliases for the names of one directory, given in creation order: "" where the name is itself a
// valid 8.3 name, else the alias (never equal to another name or alias of the directory).
std::vector<std::string> MakeShortNames(const std::vector<std::string>& namesInCreationOrder);

}  // namespace platform
