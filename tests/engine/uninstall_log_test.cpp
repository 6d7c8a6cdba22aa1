// Reading the uninstall log back: every run's header and lines, and the lines that are not entries.
#include "engine/uninstall_log.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using Kind = UninstallLogProblem::Kind;

const std::string kEnglish =
    ";The Uninstall program uses this file to remove Vexa 6.1 from your computer.\r\n";
const std::string kFrench =
    ";Le programme de d\xE9sinstallation utilise le ce fichier pour d\xE9sinstaller Vexa 6.1 de votre "
    "ordinateur.\r\n";

TEST(UninstallLogReader, ReadsEveryRunOfAnAppendedLogInOrder) {
    auto log = ParseUninstallLog(kEnglish + "md C:\\OVRA\\BIN\r\ncopy c:\\OVRA\\bin\\Ovra.EXE\r\n\r\n" +
                                 kEnglish + "copy c:\\OVRA\\bin\\tool.exe\n");
    EXPECT_EQ(log.runs, 2);
    EXPECT_FALSE(log.french);
    EXPECT_TRUE(log.problems.empty());
    ASSERT_EQ(log.entries.size(), 3u);
    EXPECT_EQ(log.entries[0].kind, UninstallLogEntry::Kind::Directory);
    EXPECT_EQ(log.entries[0].path, "C:\\OVRA\\BIN");
    EXPECT_EQ(log.entries[1].kind, UninstallLogEntry::Kind::File);
    EXPECT_EQ(log.entries[1].path, "c:\\OVRA\\bin\\Ovra.EXE");
    EXPECT_EQ(log.entries[1].run, 1);
    EXPECT_EQ(log.entries[2].run, 2);
    EXPECT_EQ(log.entries[2].line, 6);
}

TEST(UninstallLogReader, TheFirstHeaderGivesTheLanguage) {
    EXPECT_TRUE(ParseUninstallLog(kFrench + kEnglish).french);
    EXPECT_FALSE(ParseUninstallLog(kEnglish + kFrench).french);
}

struct ProblemCase {
    const char* name;
    std::string text;
    Kind kind;
    int line;
    std::size_t entries;  // what is still read
};

void PrintTo(const ProblemCase& c, std::ostream* os) {
    *os << c.name;
}

class UninstallLogProblems : public testing::TestWithParam<ProblemCase> {};

TEST_P(UninstallLogProblems, AreReportedAndNeverBecomeEntries) {
    const ProblemCase& c = GetParam();
    auto log = ParseUninstallLog(c.text);
    ASSERT_EQ(log.problems.size(), 1u);
    EXPECT_EQ(log.problems[0].kind, c.kind);
    EXPECT_EQ(log.problems[0].line, c.line);
    EXPECT_EQ(log.entries.size(), c.entries);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, UninstallLogProblems,
    testing::Values(
        ProblemCase{"CutShort", kEnglish + "copy C:\\OVRA\\A.TXT\r\ncopy C:\\OVRA\\BIN\\Ovra.ex",
                    Kind::Truncated, 3, 1},
        ProblemCase{"BeforeAnyHeader", "copy C:\\OVRA\\A.TXT\r\n" + kEnglish + "copy C:\\OVRA\\B.TXT\r\n",
                    Kind::BeforeHeader, 1, 1},
        ProblemCase{"UnknownVerb", kEnglish + "del C:\\OVRA\\A.TXT\r\n", Kind::NotUnderstood, 2, 0},
        ProblemCase{"VerbWithoutPath", kEnglish + "copy \r\n", Kind::NotUnderstood, 2, 0},
        ProblemCase{"ForeignComment", kEnglish + ";Some other program's log\r\n", Kind::NotUnderstood, 2, 0},
        ProblemCase{"NulInsideAPath", kEnglish + std::string("copy C:\\OVRA\\A\0.TXT\r\n", 21), Kind::Damaged,
                    2, 0}),
    [](const testing::TestParamInfo<ProblemCase>& info) { return std::string(info.param.name); });

TEST(UninstallLogReader, ALogWithoutHeaderHasNoRun) {
    auto log = ParseUninstallLog("[boot]\r\nshell=Explorer.exe\r\n");
    EXPECT_EQ(log.runs, 0);
    EXPECT_TRUE(log.entries.empty());
}

}  // namespace
