#include "platform/main/host_options.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/ui/answer_plan.h"
#include "platform/ui/text_ui.h"

namespace platform {

namespace {

struct Valued {
    std::string_view name;
    std::string HostOptions::*field;
};

struct Flag {
    std::string_view name;
    bool HostOptions::*field;
};

constexpr Valued kValued[] = {
    {"--prefix", &HostOptions::prefix},
    {"--media", &HostOptions::media},
    {"--ui", &HostOptions::ui},
    {"--answers", &HostOptions::answers},
    {"--transcript", &HostOptions::transcript},
    {"--screenshots", &HostOptions::screenshots},
};

constexpr Flag kFlags[] = {
    {"--no-progman", &HostOptions::noProgman},
    {"--no-desktop-entries", &HostOptions::noDesktopEntries},
    {"--dry-run", &HostOptions::dryRun},
};

}  // namespace

ParseOutcome ParseHostOptions(int argc, const char* const* argv,
                              std::initializer_list<std::string_view> accepted, std::size_t maxArguments,
                              HostOptions& options) {
    auto isAccepted = [&](std::string_view name) {
        return std::find(accepted.begin(), accepted.end(), name) != accepted.end();
    };
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        if (a == "--help" || a == "-h" || a == "/?") return ParseOutcome::Help;
        bool matched = false;
        for (const Flag& flag : kFlags)
            if (a == flag.name) {
                if (!isAccepted(a)) return ParseOutcome::Bad;
                options.*flag.field = true;
                matched = true;
            }
        for (const Valued& valued : kValued)
            if (a == valued.name) {
                if (!isAccepted(a) || i + 1 >= argc) return ParseOutcome::Bad;
                options.*valued.field = argv[++i];
                matched = true;
            }
        if (matched) continue;
        if (a.starts_with("--") || options.arguments.size() >= maxArguments) return ParseOutcome::Bad;
        options.arguments.emplace_back(a);
    }
    return ParseOutcome::Run;
}

bool LoadAnswers(const std::string& path, Answers& answers, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read answers file " + path;
        return false;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string why;
    if (!answers.Parse(text.str(), why)) {
        error = path + ": " + why;
        return false;
    }
    return true;
}

std::optional<int> ParseCommandLine(int argc, const char* const* argv,
                                    std::initializer_list<std::string_view> accepted,
                                    std::size_t maxArguments, const char* usage, HostOptions& options) {
    switch (ParseHostOptions(argc, argv, accepted, maxArguments, options)) {
        case ParseOutcome::Help:
            std::fputs(usage, stdout);
            return 0;
        case ParseOutcome::Bad:
            std::fputs(usage, stderr);
            return 2;
        case ParseOutcome::Run:
            break;
    }
    return std::nullopt;
}

bool OpenRunFiles(const HostOptions& options, Answers& answers, Transcript& transcript, std::string& error) {
    if (!options.answers.empty() && !LoadAnswers(options.answers, answers, error)) return false;
    if (!options.transcript.empty() && !transcript.Open(options.transcript)) {
        error = "cannot write transcript " + options.transcript;
        return false;
    }
    return true;
}

int RunGuarded(const char* program, Transcript& transcript, int inputEndedStatus,
               const std::function<int()>& work) {
    auto ended = [&](const std::exception& why, int status) {
        transcript.Line(std::string("error ") + why.what());
        std::fprintf(stderr, "%s: %s\n", program, why.what());
        return status;
    };
    try {
        return work();
    } catch (const ScriptStuck& stuck) {
        return ended(stuck, 3);
    } catch (const TextInputEnded& inputEnded) {
        return ended(inputEnded, inputEndedStatus);
    } catch (const std::runtime_error& failed) {
        return ended(failed, 3);
    }
}

}  // namespace platform
