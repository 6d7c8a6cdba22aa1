// Installing one extracted file through the version-installation service: where it goes, the questions
// about files in use, older sources and copies elsewhere, long names, the progress text, and the list
// of shared DLLs in OVRA.ini.
#pragma once

#include <string>

class InstallSession;

// One file that the install list has extracted into I\tempfile.tmp.
struct FileTransfer {
    std::string destName;  // file name plus restored extension
    std::string appDir;    // drive and directory of the destination, with a trailing backslash
    bool shared = false;
    bool version = false;
    int gauge = -1;  // -1: the gauge stays where it is
};

enum class TransferOutcome { kContinue, kEndSet };

// Installs I\tempfile.tmp as `file`; kEndSet only when the destination disk is full.
TransferOutcome InstallTransferredFile(InstallSession& app, const FileTransfer& file);

// True when the two paths differ in drive or directory (the name part is ignored; case is not).
bool PathsDiffer(const std::string& a, const std::string& b);

// The shared DLLs recorded so far in this run ("Shared Dlls" keys Shared0, Shared1...).
int SharedDllCount();
void ResetSharedDllCounter();

inline constexpr const char kTempFileName[] = "tempfile.tmp";
inline constexpr const char kLongNameStandIn[] = "tempdest.des";
