// The uninstall log, "uninst.ins" in the installation directory: a text file (lines end in CR LF on
// disk) that a separate uninstaller reads. Lines:
//
//   ;The Uninstall program uses this file to remove Vexa 6.1 from your computer.   (header, one per run)
//   md C:\OVRA\BIN                 a directory the run made (upper-cased, no trailing backslash)
//   copy C:\OVRA\BIN\Ovra.exe      a file the run installed (shared files never get a line)
//
// The program only ever appends; an empty log path makes every append a no-op, and every failure is
// silent.
#pragma once

#include <string>

// Sets the log path to installDir + "\uninst.ins" and writes the header: a new log for the IDE kits, an
// appended header otherwise. An open failure empties the log path for the rest of the run.
void CreateUninstallLog();
// One line "copy PATH" or "md PATH", appended through a fresh open; dropped when the open fails.
// True when the log could be opened.
bool AppendCopyLine(const std::string& path);
bool AppendMdLine(const std::string& path);

extern const char kUninstallHeaderEnglish[];
extern const char kUninstallHeaderFrench[];
