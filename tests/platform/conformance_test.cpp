// Replays every public conformance case (tests/platform/conformance/cases/*.txt) through build/winprobe on a
// fresh prefix and compares the transcript with Wine's (expected/*.out) line by line, masking the
// temporary names that differ between runs as the oracle's check.sh does.
//
// Known differences live beside this file in conformance/<case>.known, one entry a line, each with a
// '#' and its reason:
//   12 # reason          line 12 of the expected transcript may differ or be missing from ours (it
//                        must, or the entry is stale and the test fails)
//   12+ # reason         ours may have lines after expected line 12 that Wine's has not (0+: before
//                        the first)
//   re:REGEX # reason    lines matching REGEX (Wine's, or ours where Wine's has none) may differ (at
//                        least one must)
//   pending: TEXT # why  the whole case is known to fail: reported as skipped while it fails, and a
//                        failure as soon as it passes, so that the list is kept honest
// The transcripts are aligned first, so that an inserted or missing line is one difference and the
// lines after it are compared with their counterparts.
// GCC 12 warns inside <regex> in the sanitizer build (a known false positive of its std::function use).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/machine/prefix.h"
#include "support/line_align.h"
#include "support/temp_prefix.h"

namespace fs = std::filesystem;

namespace {

const fs::path kConformance = OVRA_CONFORMANCE_DIR;
const fs::path kKnownDir = fs::path(OVRA_SOURCE_DIR) / "tests/platform/conformance";

std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(kConformance / "cases", ec))
        if (e.path().extension() == ".txt") names.push_back(e.path().stem().string());
    std::sort(names.begin(), names.end());
    if (names.empty()) names.push_back("none");  // one test that fails on the missing cases
    return names;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        out.push_back(line);
    return out;
}

// check.sh's mask: temporary names become verXXXX.tmp, and where VerInstallFileA returned such a name
// the tmplen= beside it is what a four-digit name gives.
std::string Mask(std::string line) {
    static const std::regex tempFileResult(R"(\bret=0x[0-9a-f]+\[[^\]]*TEMPFILE)");
    static const std::regex tmpLen(R"~((tmp="[^"]*?ver)([0-9A-Fa-f]{1,4})(\.tmp\\0" tmplen=)(\d+))~");
    static const std::regex tmpName(R"(ver[0-9A-Fa-f]{1,4}\.tmp)");
    std::smatch m;
    if (std::regex_search(line, tempFileResult) && std::regex_search(line, m, tmpLen)) {
        long len = std::stol(m[4].str()) + 4 - static_cast<long>(m[2].length());
        line =
            m.prefix().str() + m[1].str() + m[2].str() + m[3].str() + std::to_string(len) + m.suffix().str();
    }
    return std::regex_replace(line, tmpName, "verXXXX.tmp");
}

struct Known {
    std::string pending;          // reason the whole case fails, or empty
    std::set<std::string> lines;  // "12", "12+"
    std::vector<std::pair<std::string, std::regex>> patterns;
};

Known ReadKnown(const std::string& name) {
    Known k;
    std::ifstream in(kKnownDir / (name + ".known"));
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::size_t hash = line.find(" #");
        EXPECT_NE(hash, std::string::npos) << name << ".known: an entry without its reason: " << line;
        std::string entry = line.substr(0, hash);
        while (!entry.empty() && entry.back() == ' ')
            entry.pop_back();
        if (entry.rfind("pending:", 0) == 0)
            k.pending = line;
        else if (entry.rfind("re:", 0) == 0)
            k.patterns.emplace_back(entry.substr(3), std::regex(entry.substr(3)));
        else
            k.lines.insert(entry);
    }
    return k;
}

std::string ProbeOf(const std::string& name, const std::string& script) {
    static const std::regex directive(R"(^#@ probe ([a-z_]*))");
    for (const auto& line : Lines(script)) {
        std::smatch m;
        if (std::regex_search(line, m, directive)) return m[1].str();
    }
    return name.substr(0, name.find('_')) + "_probe";
}

std::string RunProbe(const std::string& prefix, const std::string& probe, const fs::path& script) {
    std::string cmd = std::string("'") + OVRA_BINARY_DIR + "/winprobe' --prefix '" + prefix + "' " + probe +
                      " < '" + script.string() + "' 2>/dev/null";
    std::string out;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[4096];
        std::size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0)
            out.append(buf, n);
        pclose(p);
    }
    return out;
}

class Conformance : public ::testing::TestWithParam<std::string> {};

TEST_P(Conformance, TranscriptMatchesWine) {
    const std::string name = GetParam();
    ASSERT_TRUE(fs::exists(kConformance / "cases")) << "no conformance cases at " << kConformance;
    const fs::path script = kConformance / "cases" / (name + ".txt");
    const std::string expectedText =
        testing_support::ReadHostFile((kConformance / "expected" / (name + ".out")).string());
    ASSERT_FALSE(expectedText.empty()) << "no expected transcript for " << name;

    testing_support::TempDir dir;
    const std::string prefixDir = dir.path() + "/prefix";
    { platform::Prefix layout(prefixDir); }
    fs::create_directories(prefixDir + "/drive_c/probe/in");
    for (const auto& e : fs::directory_iterator(kConformance / "inputs")) {
        const std::string staged = prefixDir + "/drive_c/probe/in/" + e.path().filename().string();
        fs::copy(e.path(), staged, fs::copy_options::overwrite_existing);
        // The oracle's inputs are writable files; a checkout without write permission must not change that.
        fs::permissions(staged, fs::perms::owner_write, fs::perm_options::add);
    }

    const std::string script_text = testing_support::ReadHostFile(script.string());
    auto expected = Lines(expectedText);
    auto actual = Lines(RunProbe(prefixDir, ProbeOf(name, script_text), script));
    const Known known = ReadKnown(name);

    std::ostringstream unexpected, stale;
    std::set<std::string> differing;
    std::vector<bool> patternUsed(known.patterns.size());
    for (auto& line : expected)
        line = Mask(line);
    for (auto& line : actual)
        line = Mask(line);
    for (const auto& d : testing_support::AlignLines(expected, actual)) {
        const std::string where = std::to_string(d.line) + (d.inserted ? "+" : "");
        differing.insert(where);
        bool allowed = known.lines.count(where) > 0;
        const std::string& text = d.inserted ? d.got : d.want;
        for (std::size_t p = 0; p < known.patterns.size(); ++p)
            if (std::regex_search(text, known.patterns[p].second)) allowed = patternUsed[p] = true;
        if (!allowed)
            unexpected << "  line " << where << "\n    wine: " << d.want << "\n    ours: " << d.got << "\n";
    }
    if (!known.pending.empty()) {
        if (differing.empty())
            FAIL() << name << " passes now: remove '" << known.pending << "' from " << name << ".known";
        GTEST_SKIP() << "known failure (" << known.pending << "), " << differing.size() << " lines differ";
    }
    for (const auto& line : known.lines)
        if (!differing.count(line)) stale << "  line " << line << " is listed but matches now\n";
    for (std::size_t p = 0; p < known.patterns.size(); ++p)
        if (!patternUsed[p]) stale << "  re:" << known.patterns[p].first << " covers no difference now\n";
    EXPECT_TRUE(unexpected.str().empty()) << name << ": transcript differs from Wine's:\n"
                                          << unexpected.str();
    EXPECT_TRUE(stale.str().empty()) << name << ".known is stale:\n" << stale.str();
}

INSTANTIATE_TEST_SUITE_P(Cases, Conformance, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
