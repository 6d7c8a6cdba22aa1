// The command-line options the programs of the kit share (the setup and the uninstaller, on Linux and as
// native Windows programs): one parser, each program naming the options it accepts.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/answers.h"
#include "platform/ui/transcript.h"

namespace platform {

struct HostOptions {
    std::string prefix;
    std::string media;
    std::string ui;
    std::string answers;
    std::string transcript;
    std::string screenshots;
    bool noProgman = false;
    bool noDesktopEntries = false;
    bool dryRun = false;
    std::vector<std::string> arguments;  // the words that are not options, in order
};

enum class ParseOutcome { Run, Help, Bad };

// Reads argv[1..] into `options`: "--help", "-h" and "/?" ask for the usage; an option that is not in
// `accepted`, a valued option without its value, or more than `maxArguments` other words is Bad.
ParseOutcome ParseHostOptions(int argc, const char* const* argv,
                              std::initializer_list<std::string_view> accepted, std::size_t maxArguments,
                              HostOptions& options);

// The answers file of an unattended run; false with the reason in `error`.
bool LoadAnswers(const std::string& path, Answers& answers, std::string& error);

// ParseHostOptions with the program's `usage`: printed to stdout when asked for (status 0), to stderr
// for bad options (status 2); nullopt when the program is to run.
std::optional<int> ParseCommandLine(int argc, const char* const* argv,
                                    std::initializer_list<std::string_view> accepted,
                                    std::size_t maxArguments, const char* usage, HostOptions& options);

// The answers file and the transcript the options name, loaded and opened; false with the reason in
// `error`.
bool OpenRunFiles(const HostOptions& options, Answers& answers, Transcript& transcript, std::string& error);

// Runs the program's work. A run that cannot go on ends it: an unattended run stuck on a page or a
// refused press (status 3), a window the system would not make (status 3), the end of the terminal's
// input (`inputEndedStatus`); the reason goes to the transcript and to stderr after `program`.
int RunGuarded(const char* program, Transcript& transcript, int inputEndedStatus,
               const std::function<int()>& work);

}  // namespace platform
