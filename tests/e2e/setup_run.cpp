#include "e2e/setup_run.h"

#include <sys/wait.h>

#include <cstdio>
#include <sstream>

#include "support/temp_prefix.h"

namespace testing_support {

std::vector<std::string> SetupRun::Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(transcript);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> SetupRun::LinesStartingWith(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const auto& line : Lines())
        if (line.rfind(prefix, 0) == 0) out.push_back(line);
    return out;
}

namespace {
std::string ShellQuote(const std::string& s) {
    std::string out = "'";
    for (char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}
}  // namespace

SetupRun RunSetup(const std::string& prefix, const std::string& media, const std::string& answers,
                  const std::vector<std::string>& extra, const std::string& environment) {
    TempDir scratch;
    std::string transcriptPath = scratch.path() + "/transcript.txt";
    std::string command = (environment.empty() ? std::string() : "env " + environment + " ") +
                          ShellQuote(std::string(OVRA_BINARY_DIR) + "/setup") + " --ui script --prefix " +
                          ShellQuote(prefix) + " --media " + ShellQuote(media) + " --transcript " +
                          ShellQuote(transcriptPath);
    if (!answers.empty()) {
        std::string answersPath = scratch.path() + "/answers.txt";
        WriteHostFile(answersPath, answers);
        command += " --answers " + ShellQuote(answersPath);
    }
    for (const auto& e : extra)
        command += " " + ShellQuote(e);
    command += " </dev/null 2>&1";
    SetupRun run;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0)
            run.output.append(buffer, n);
        int status = pclose(p);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    run.transcript = ReadHostFile(transcriptPath);
    return run;
}

}  // namespace testing_support
