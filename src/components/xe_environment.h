// The environment of the XE8000 tool chain (a GCC-based chain that finds its parts through environment
// variables and a specs file holding the absolute installation path), and the IDE's bin directory on
// the NT search path.
#pragma once

#include <string>

// The chain's specs file rewritten for installation directory `installDir`: the first "/coolsoft" of
// each line becomes the chain root with forward slashes. A missing source gives an empty specs file.
void RewriteSpecsFile(const std::string& installDir);
// Windows NT: the machine environment in the registry ("Path" gains "%C816_PATH%", the chain's variables).
void SetXeEnvironmentInRegistry(const std::string& installDir);
// Windows 9x: autoexec.bat of the Windows drive, backed up to autoexec.bak, its old chain lines replaced.
void SetXeEnvironmentInAutoexec(const std::string& installDir);
// The kept TCL directory of a previous "C816_PATH" value: its first ';'-separated part naming TCL.
std::string KeptTclDirectory(const std::string& previousValue);
// Windows NT, IDE kits: "Default Directories"."VexaBin" of OVRA.ini added to the machine's "Path"
// (message 1089 when "Path" cannot be read for another reason than its absence).
void AddIdeToSearchPath();
