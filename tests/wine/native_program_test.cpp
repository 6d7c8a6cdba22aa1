// The native program under Wine: its unit tests, an installation of the full kit that Wine's own tools
// can read, and the differential run against the Linux program on copies of one Wine-made prefix.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "wine/prefix_compare.h"
#include "wine/wine_support.h"

namespace {

using namespace wine_support;

#define SKIP_WITHOUT_WINE()                                 \
    do {                                                    \
        if (std::string why = SkipReason(); !why.empty()) { \
            GTEST_SKIP() << why;                            \
        }                                                   \
    } while (0)

// Z:\ is the host's root in every Wine prefix.
std::string WinePath(const std::string& host) {
    std::string out = "Z:" + host;
    std::replace(out.begin(), out.end(), '/', '\\');
    return out;
}

std::string Media(const std::string& name) {
    return Reachable(std::string(OVRA_BINARY_DIR) + "/media/" + name);
}

struct Installation {
    Result run;
    std::string transcript;
};

// SETUP.EXE from the media, started in the media directory the way a user starts it from the CD.
Installation InstallWithWine(const std::string& prefix, const std::string& media, const std::string& answers,
                             const std::string& scratch, const std::string& tag) {
    std::string transcript = scratch + "/wine-" + tag + ".txt";
    std::string command = "cd " + ShellQuote(media) + " && wine SETUP.EXE --ui script --answers " +
                          ShellQuote(WinePath(answers)) + " --transcript " + ShellQuote(WinePath(transcript));
    Installation done;
    done.run = RunInPrefix(prefix, command, /*display=*/true);
    done.transcript = ReadFile(transcript);
    return done;
}

// build/setup on the other copy, as the same user with the same Wine environment.
Installation InstallWithLinux(const std::string& prefix, const std::string& media, const std::string& answers,
                              const std::string& scratch, const std::string& tag) {
    std::string transcript = scratch + "/linux-" + tag + ".txt";
    std::string command = "env " + WineEnvironment(prefix) + " " +
                          ShellQuote(Reachable(std::string(OVRA_BINARY_DIR) + "/setup")) +
                          " --ui script --prefix " + ShellQuote(prefix) + " --media " + ShellQuote(media) +
                          " --answers " + ShellQuote(answers) + " --transcript " + ShellQuote(transcript);
    Installation done;
    done.run = RunAsWineUser(command);
    done.transcript = ReadFile(transcript);
    return done;
}

TEST(NativeProgram, UnitTestsPassUnderWine) {
    SKIP_WITHOUT_WINE();
    WorkDir work("unit");
    std::string error;
    ASSERT_TRUE(CopyBasePrefix(work.path() + "/prefix", error)) << error;
    Result run =
        RunInPrefix(work.path() + "/prefix",
                    "wine " + ShellQuote(Reachable(WindowsBuild() + "/unit_tests.exe")) + " --gtest_brief=1");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("[  PASSED  ]"), std::string::npos) << run.output;
}

TEST(NativeProgram, InstallsTheFullKitThatWinesToolsRead) {
    SKIP_WITHOUT_WINE();
    ASSERT_EQ(ReadFile(Media("full") + "/SETUP.EXE"), ReadFile(WindowsBuild() + "/SETUP.EXE"))
        << "the sample media do not carry the native program";
    WorkDir work("e2e");
    const std::string prefix = work.path() + "/prefix";
    std::string error;
    ASSERT_TRUE(CopyBasePrefix(prefix, error)) << error;
    const std::string answers = work.path() + "/answers.txt";
    WriteFile(answers, "name=Ada\ncompany=Analytical Engines\n");

    Installation setup = InstallWithWine(prefix, Media("full"), answers, work.path(), "full");
    ASSERT_EQ(setup.run.exitCode, 0) << setup.run.output << setup.transcript;
    EXPECT_NE(setup.transcript.find("page "), std::string::npos) << setup.transcript;

    Result query = RunInPrefix(
        prefix, "wine reg query 'HKLM\\Software\\KESTRAVION\\Ovra\\6.1\\Default Directories' /v VexaInst");
    EXPECT_NE(query.output.find("REG_SZ"), std::string::npos) << query.output;
    EXPECT_NE(query.output.find("c:\\OVRA"), std::string::npos) << query.output;

    EXPECT_FALSE(ReadFile(prefix + "/drive_c/OVRA/BIN/Ovra.EXE").empty());
    // The Program Manager group, made by Wine's own service in its desktop process.
    Result group = RunAsWineUser(
        "ls -d " + ShellQuote(prefix + "/drive_c") +
        "/*/*/AppData/Roaming/Microsoft/Windows/'Start Menu'/Programs/'Kestravion Kit 6.1' " +
        ShellQuote(prefix + "/drive_c") + "/*/Microsoft/Windows/'Start Menu'/Programs/'Kestravion Kit 6.1'");
    EXPECT_NE(group.output.find("Kestravion Kit 6.1"), std::string::npos) << group.output << setup.transcript;
}

// The full kit, a tool release over it and a patch, installed into two copies of one Wine-made prefix
// by the native program under Wine and by the Linux program over its simulated machine: whatever the
// two leave differently is either listed, with its reason, in known_differences.txt, or a fault.
TEST(NativeProgram, SameInstallationAsTheSimulatedMachine) {
    SKIP_WITHOUT_WINE();
    std::vector<KnownDifference> known;
    std::string error;
    ASSERT_TRUE(ParseKnownDifferences(
        ReadFile(std::string(OVRA_SOURCE_DIR) + "/tests/wine/known_differences.txt"), known, error))
        << error;

    WorkDir work("diff");
    const std::string base = work.path() + "/base", wine = work.path() + "/wine",
                      ours = work.path() + "/linux";
    ASSERT_TRUE(CopyBasePrefix(base, error)) << error;
    ASSERT_EQ(RunAsWineUser("cp -a " + ShellQuote(base) + " " + ShellQuote(wine) + " && cp -a " +
                            ShellQuote(base) + " " + ShellQuote(ours))
                  .exitCode,
              0);
    const std::string answers = work.path() + "/answers.txt";
    WriteFile(answers, "name=Ada\ncompany=Analytical Engines\n");

    std::vector<std::string> differences;
    for (const char* media : {"full", "release", "patch"}) {
        Installation left = InstallWithWine(wine, Media(media), answers, work.path(), media);
        Installation right = InstallWithLinux(ours, Media(media), answers, work.path(), media);
        ASSERT_EQ(left.run.exitCode, 0) << media << "\n" << left.run.output;
        ASSERT_EQ(right.run.exitCode, 0) << media << "\n" << right.run.output;
        for (std::string& d : CompareTranscripts(left.transcript, right.transcript, "wine", "linux"))
            differences.push_back(std::string(media) + " " + d);
    }
    for (std::string& d : CompareTrees(wine, ours, "wine", "linux"))
        differences.push_back(d);
    for (std::string& d : CompareRegistries(base, wine, ours, "wine", "linux"))
        differences.push_back(d);

    std::vector<int> used(known.size(), 0);
    std::string unexplained;
    for (const std::string& d : differences) {
        bool listed = false;
        for (std::size_t i = 0; i < known.size() && !listed; ++i)
            if (MatchesPattern(known[i].pattern, d)) {
                listed = true;
                ++used[i];
            }
        if (!listed) unexplained += "  " + d + "\n";
    }
    EXPECT_TRUE(unexplained.empty()) << "differences not in known_differences.txt:\n" << unexplained;
    // An entry that explains nothing any more is taken out, so the list stays the list of what differs.
    for (std::size_t i = 0; i < known.size(); ++i)
        if (!known[i].optional) {
            EXPECT_GT(used[i], 0) << "known_differences.txt line " << known[i].line
                                  << " matches nothing: " << known[i].pattern;
        }
}

}  // namespace
