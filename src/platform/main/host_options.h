// The command-line options the programs of the kit share (the setup and the uninstaller, on Linux and as
// native Windows programs): one parser, each program naming the options it accepts.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/answers.h"

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

}  // namespace platform
