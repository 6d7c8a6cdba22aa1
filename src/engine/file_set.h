// One file set: finding its install list and data file on the media (asking for another location when
// they are not there) and running the list from its first line to its last.
#pragma once

#include <string>

class InstallSession;

// Where a set's files may lie below source base B: B [L] N, or B [L] N "\" N (no extension), where L is
// "English\" or "French\" unless the flavour is a RELEASE layout.
std::string FileSetStem(const std::string& base, const std::string& setName, bool release, bool english,
                        bool inSetFolder);
// Opens the file for reading and closes it again.
bool CanOpenForReading(const std::string& path);

struct FileSetLocation {
    std::string list;  // N.INS
    std::string data;  // N.DAT
};
// Finds the pair from `base` on, prompting for another location until it is found. False when the user
// cancelled the prompt (the progress window is then destroyed). `base` holds the location used.
bool LocateFileSet(InstallSession& app, std::string& setName, std::string& base, FileSetLocation& found);

// Runs the install list of `setName` (lower-cased in place for display). 1 when the whole list was
// processed, 0 when the source prompt was cancelled or an error ended the set.
int InstallFileSet(InstallSession& app, std::string& setName);
