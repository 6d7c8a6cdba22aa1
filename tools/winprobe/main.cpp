// winprobe: runs a script of Windows operations against the machine backend on a prefix and prints the
// transcript in the probe line protocol, so the same script can run against Wine and the outputs
// compared line by line.
//
//   winprobe --prefix DIR PROBE < SCRIPT      PROBE: profile, reg, ver or short (the "_probe" suffix
//                                             of the oracle's program names is accepted)
//   winprobe.exe PROBE < SCRIPT               the native build: the same probes against the real API
//                                             of the machine it runs on
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "script.h"
#ifdef _WIN32
#include "platform/win32/backend.h"
#else
#include "platform/machine/machine.h"
#endif

namespace {

struct ProbeEntry {
    const char* name;
    const char* usage;
    winprobe::CommandFn fn;
};

const ProbeEntry kProbes[] = {
    {"profile", "get|getint|section|names|write|writesection|wget|wwrite|errtext", winprobe::ProfileCommand},
    {"reg", "create|open|set|query|setdef|querydef|delval|delkey|deltree|enum|getsd|openacc|createsub|delsub",
     winprobe::RegCommand},
    {"ver", "find|install|info|query|expname|lzcopy|dirs", winprobe::VerCommand},
    {"short", "short|long PATH [BUFSIZE]", winprobe::ShortCommand},
};

int Usage() {
    std::fputs("usage: winprobe [--prefix DIR] profile|reg|ver|short < SCRIPT\n", stderr);
    return 2;
}

[[maybe_unused]] std::string DefaultPrefix() {
    if (const char* p = std::getenv("WINEPREFIX"); p && *p) return p;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : ".") + "/.wine";
}

[[maybe_unused]] std::string HostLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* v = std::getenv(name); v && *v) return v;
    return "C";
}

}  // namespace

int main(int argc, char** argv) {
    std::string prefixDir = DefaultPrefix();
    std::string probeName;
    [[maybe_unused]] bool prefixSet = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--prefix" && i + 1 < argc) {
            prefixDir = argv[++i];
            prefixSet = true;
        } else if (a == "--help" || a == "-h")
            return Usage(), 0;
        else if (probeName.empty())
            probeName = a;
        else
            return Usage();
    }
    if (probeName.size() > 6 && probeName.compare(probeName.size() - 6, 6, "_probe") == 0)
        probeName.resize(probeName.size() - 6);
    const ProbeEntry* probe = nullptr;
    for (const auto& p : kProbes)
        if (probeName == p.name) probe = &p;
    if (!probe) return Usage();

#ifdef _WIN32
    if (prefixSet) {
        std::fputs("winprobe: the native probe runs against the machine it runs on (no --prefix)\n", stderr);
        return 2;
    }
    platform::win32::NativeMachine machine;
#else
    platform::Machine machine({prefixDir, HostLocale()});
#endif
    platform::Install(machine.ServicesWith(nullptr));

    std::string line;
    winprobe::Tokens tokens;
    int bad = 0;
    while (std::getline(std::cin, line)) {
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (line.empty() || line[0] == '#') {
            std::printf("%s\n", line.c_str());
            continue;
        }
        std::printf("> %s\n", line.c_str());
        if (!winprobe::Tokenize(line, tokens) || tokens.empty()) {
            std::puts("  error=syntax");
            ++bad;
            continue;
        }
        if (!probe->fn(tokens) && !winprobe::CommonCommand(tokens)) {
            std::printf("  error=unknown-command usage: %s\n", probe->usage);
            ++bad;
        }
        std::fflush(stdout);
    }
    winprobe::ReleaseHeld();
    std::fflush(stdout);
    return bad ? 1 : 0;
}
