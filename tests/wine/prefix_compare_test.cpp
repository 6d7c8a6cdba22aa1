// The comparison of two installations: what it reports, so that the differential test cannot pass by
// comparing nothing.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "support/temp_prefix.h"
#include "wine/prefix_compare.h"
#include "wine/wine_support.h"

namespace {

using namespace wine_support;
using testing_support::TempDir;

void Put(const std::string& path, const std::string& bytes) {
    std::string dir = path.substr(0, path.find_last_of('/'));
    std::system(("mkdir -p " + ShellQuote(dir)).c_str());
    WriteFile(path, bytes);
}

const char kHiveHead[] = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";

TEST(PrefixCompare, TreesDifferByNameSizeAndBytesButNotByCase) {
    TempDir dir;
    const std::string a = dir.path() + "/a", b = dir.path() + "/b";
    Put(a + "/drive_c/OVRA/BIN/Ovra.exe", "MZ1");
    Put(b + "/drive_c/ovra/bin/OVRA.EXE", "MZ1");  // same file, other case
    Put(a + "/drive_c/OVRA/same.txt", "abc");
    Put(b + "/drive_c/OVRA/same.txt", "abd");  // same size, other bytes
    Put(a + "/drive_c/OVRA/long.txt", "abc");
    Put(b + "/drive_c/OVRA/long.txt", "abcd");
    Put(a + "/drive_c/only-a.txt", "");
    Put(b + "/drive_c/windows/only-b.ini", "");
    std::vector<std::string> got = CompareTrees(a, b, "wine", "linux");
    std::vector<std::string> want = {"tree wine-only only-a.txt", "tree bytes OVRA/long.txt",
                                     "tree bytes OVRA/same.txt", "tree linux-only windows",
                                     "tree linux-only windows/only-b.ini"};
    EXPECT_EQ(got, want);
}

TEST(PrefixCompare, RegistryReportsOnlyWhatAnInstallationChanged) {
    TempDir dir;
    const std::string base = dir.path() + "/base", a = dir.path() + "/a", b = dir.path() + "/b";
    std::string common = std::string(kHiveHead) + "[Software\\\\Untouched] 1\n\"Keep\"=\"1\"\n\n";
    Put(base + "/system.reg", common + "[Software\\\\Changed] 1\n\"V\"=\"old\"\n\n");
    Put(a + "/system.reg", common +
                               "[Software\\\\Changed] 1\n\"V\"=\"new\"\n\n[Software\\\\Kit] "
                               "1\n\"Dir\"=\"c:\\\\OVRA\"\n\"Only\"=dword:00000001\n\n");
    Put(b + "/system.reg",
        common + "[Software\\\\changed] 2\n\"v\"=\"new\"\n\n[Software\\\\KIT] 1\n\"Dir\"=\"c:\\\\ovra\"\n\n");
    for (const std::string& p : {base, a, b})
        Put(p + "/user.reg", kHiveHead);
    std::vector<std::string> got = CompareRegistries(base, a, b, "wine", "linux");
    std::vector<std::string> want = {"reg data HKLM\\Software\\Kit\\[Dir]",
                                     "reg wine-only HKLM\\Software\\Kit\\[Only]"};
    EXPECT_EQ(got, want);
}

TEST(PrefixCompare, TranscriptLinesMissingOnEitherSide) {
    std::vector<std::string> got = CompareTranscripts("page a\npage b\nprogress x\nprogress x\n",
                                                      "page a\nprogress x\npage c\n", "wine", "linux");
    std::vector<std::string> want = {"transcript wine-only page b", "transcript wine-only progress x",
                                     "transcript linux-only page c"};
    EXPECT_EQ(got, want);
}

TEST(PrefixCompare, KnownDifferencesNeedAReasonAndMatchByPattern) {
    std::vector<KnownDifference> known;
    std::string error;
    ASSERT_TRUE(
        ParseKnownDifferences("# comment\n\ntree wine-only users/*/Temp/* | Wine's own scratch files\n~ reg "
                              "data HKLM\\System\\* | devices\n",
                              known, error))
        << error;
    ASSERT_EQ(known.size(), 2u);
    EXPECT_EQ(known[0].line, 3);
    EXPECT_EQ(known[0].reason, "Wine's own scratch files");
    EXPECT_FALSE(known[0].optional);
    EXPECT_EQ(known[1].pattern, "reg data HKLM\\System\\*");
    EXPECT_TRUE(known[1].optional);
    EXPECT_TRUE(MatchesPattern(known[0].pattern, "tree wine-only users/ovratest/TEMP/x.tmp"));
    EXPECT_FALSE(MatchesPattern(known[0].pattern, "tree linux-only users/ovratest/Temp/x.tmp"));
    EXPECT_FALSE(MatchesPattern("reg data *", "reg data"));
    EXPECT_TRUE(MatchesPattern("*", ""));

    known.clear();
    EXPECT_FALSE(ParseKnownDifferences("tree wine-only users/*\n", known, error));
    EXPECT_FALSE(ParseKnownDifferences("tree wine-only users/* | \n", known, error));
}

}  // namespace
