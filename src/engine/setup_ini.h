// Reading the media's INI files and writing OVRA.ini, the staging file of the IDE's configuration
// (or, when a file name is given, a file in the installation directory such as BUILD.INI).
#pragma once

#include <string>

#include "platform/win_types.h"

// Reads section/key of directory + fileName (joined as they are: the caller supplies the separator) with
// the default "x" into at most `size` characters including the terminator. Returns 1 when a value other
// than "x" was read, else 0; `value` holds what was read ("x" when missing).
int ReadSetupIni(const std::string& directory, const char* key, const char* section, std::string& value,
                 DWORD size, const char* fileName);

// Writes key (first) in section (second) of OVRA.ini in the Windows directory, or of installation
// directory + "\" + fileName. An empty value deletes the key. The first failure of a run is shown to the
// user with the system's text for the error; later ones are silent. Returns the platform's result.
BOOL WriteIdeIni(const char* key, const char* section, const char* value, const char* fileName = nullptr);

// Back to a program start: the next write failure is reported again.
void ResetIdeIniErrorReport();
// OVRA.ini starts empty: until the first WriteIdeIni to it, reads of it find nothing, and that write
// replaces the old file with one holding only the key written. EndFreshIdeIni removes the old file
// when nothing was written after all.
void StartFreshIdeIni();
void EndFreshIdeIni();
