// Installing one extracted file through the version-installation service: where it goes, the questions
// about files in use, older sources and copies elsewhere, read-only copies in the way, the progress
// text, and the list of shared DLLs in OVRA.ini.
//
// The file is installed under the name it keeps (a long name or a "~" name included), so the version
// comparison and its questions are about the copy that is really there. Every result bit of the
// service that is not a verdict of the comparison is a failure: the file is then not reported as
// copied.
#pragma once

#include <string>

class InstallSession;

// One file that the install list has extracted into I\tempfile.tmp.
struct FileTransfer {
    std::string destName;  // the name the file keeps, with its restored extension
    std::string appDir;    // drive and directory of the destination, with a trailing backslash
    bool shared = false;
    bool version = false;
    int gauge = -1;  // -1: the gauge stays where it is
};

enum class TransferOutcome { kContinue, kEndSet };

// Installs I\tempfile.tmp as `file`. kEndSet when the file could not be put in place and the set cannot
// be complete: a full disk, a file still in use after the user chose to go on, a destination that
// cannot be created, an image that cannot be expanded. An access or sharing violation or a lack of
// memory skips the file (its message is shown) and the set goes on.
TransferOutcome InstallTransferredFile(InstallSession& app, const FileTransfer& file);

// True when the two paths differ in drive or directory (the name part is ignored; case is not).
bool PathsDiffer(const std::string& a, const std::string& b);

// The shared DLLs recorded so far in this run ("Shared Dlls" keys Shared0, Shared1...).
int SharedDllCount();
void ResetSharedDllCounter();

inline constexpr const char kTempFileName[] = "tempfile.tmp";
