// The uninstall log, "uninst.ins" in the installation directory: a text file (lines end in CR LF on
// disk) that a separate uninstaller reads. Lines:
//
//   ;The Uninstall program uses this file to remove Vexa 6.1 from your computer.   (header, one per run)
//   md C:\OVRA\BIN                 a directory the run made (upper-cased, no trailing backslash)
//   copy C:\OVRA\BIN\Ovra.exe      a file the run installed (shared files never get a line)
//
// The setup only ever appends; an empty log path makes every append a no-op, and every failure is
// silent. An add-on run appends to the log of the kit it extends, so one log can hold several runs, each
// opened by its own header.
//
// The uninstaller reads it back (ParseUninstallLog). A log is outside input by then: a line that is not
// one of the three kinds above, a line before the first header, a line with control characters and a
// last line without its line end (a log cut short) are not entries but problems, each with its line
// number, so the reader never guesses at a path.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Sets the log path to installDir + "\uninst.ins" and writes the header: a new log for the IDE kits, an
// appended header otherwise. An open failure empties the log path for the rest of the run.
void CreateUninstallLog();
// One line "copy PATH" or "md PATH", appended through a fresh open; dropped when the open fails.
// True when the log could be opened.
bool AppendCopyLine(const std::string& path);
bool AppendMdLine(const std::string& path);

extern const char kUninstallHeaderEnglish[];
extern const char kUninstallHeaderFrench[];

struct UninstallLogEntry {
    enum class Kind { Directory, File };
    Kind kind = Kind::File;
    std::string path;
    int line = 0;  // 1-based line number in the log
    int run = 0;   // 1-based: the run whose header precedes the line
};

struct UninstallLogProblem {
    enum class Kind {
        NotUnderstood,  // neither a header, nor "md PATH", nor "copy PATH"
        BeforeHeader,   // an entry that no header of ours precedes
        Damaged,        // control characters inside the line
        Truncated,      // the last line has no line end: the log was cut short
    };
    Kind kind = Kind::NotUnderstood;
    int line = 0;
    std::string text;  // the line as read (without its line end)
};

struct UninstallLogContents {
    int runs = 0;         // headers read
    bool french = false;  // the first header is the French one
    std::vector<UninstallLogEntry> entries;
    std::vector<UninstallLogProblem> problems;
};

UninstallLogContents ParseUninstallLog(std::string_view text);

// The largest log the uninstaller reads; anything larger is not a log this program wrote.
inline constexpr std::size_t kMaxUninstallLogSize = 8u << 20;
// Reads the file at a Windows path (binary) into `text`; false when it cannot be opened or read, or is
// larger than kMaxUninstallLogSize.
bool ReadUninstallLogFile(const std::string& path, std::string& text);
