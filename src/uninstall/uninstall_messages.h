// The uninstaller's own texts, English and French. The language is the one the kit was installed in:
// the first header of the uninstall log says which.
#pragma once

#include <string>

namespace uninstall {

enum class Text {
    Caption,
    Confirm,            // %s: installation directory
    LogUnreadable,      // %s: log path
    LogForeign,         // %s: log path
    BadInstallDir,      // %s: directory
    RefusedLines,       // %s: list
    SharedFile,         // %s: file
    OtherInstallation,  // %s: the directory the settings name
    Done,
    DoneExcept,  // %s: list
    ReasonOutside,
    ReasonNotPlain,
    ReasonNotUnderstood,
    ReasonBeforeHeader,
    ReasonDamaged,
    ReasonTruncated,
    ReasonInUse,
    ReasonDenied,
    ReasonNotEmpty,
    ReasonFailed,
    ReasonRemovedAtRestart,
    ReasonChanged,
    ChangedFile,  // %s: file
    More,         // %d: how many more
};

// The message-box ids under which a scripted run answers the uninstaller's questions.
inline constexpr int kConfirmMessageId = 9001;
inline constexpr int kSharedFileMessageId = 9002;
inline constexpr int kReportMessageId = 9003;
inline constexpr int kChangedFileMessageId = 9004;

std::string Message(Text text, bool french);

}  // namespace uninstall
