// Which log paths the uninstaller acts on, and how it takes the kit's entries out of the system Path.
#include "uninstall/uninstall_paths.h"

#include <gtest/gtest.h>

#include <ostream>

#include "uninstall/uninstaller.h"

namespace {

using uninstall::PathVerdict;

const uninstall::PathRules kRules{"C:\\OVRA", "C:\\windows", "C:\\windows\\system32"};

struct LineCase {
    const char* name;
    const char* path;
    PathVerdict file;
    PathVerdict directory;
};

void PrintTo(const LineCase& c, std::ostream* os) {
    *os << c.path;
}

class LogLinePaths : public testing::TestWithParam<LineCase> {};

TEST_P(LogLinePaths, GetTheirVerdict) {
    const LineCase& c = GetParam();
    EXPECT_EQ(uninstall::CheckFileLine(kRules, c.path), c.file) << c.path;
    EXPECT_EQ(uninstall::CheckDirectoryLine(kRules, c.path), c.directory) << c.path;
}

constexpr PathVerdict kIn = PathVerdict::Inside, kOut = PathVerdict::Outside, kBad = PathVerdict::NotPlain,
                      kSys = PathVerdict::SystemFile;

INSTANTIATE_TEST_SUITE_P(
    Paths, LogLinePaths,
    testing::Values(LineCase{"Inside", "c:\\ovra\\bin\\Ovra.EXE", kIn, kIn},
                    LineCase{"DotComponent", "c:\\OVRA\\.\\VERSIONS.TXT", kIn, kIn},
                    LineCase{"UpAndOut", "C:\\OVRA\\..\\windows\\win.ini", kBad, kBad},
                    LineCase{"UpAtTheEnd", "C:\\OVRA\\BIN\\..", kBad, kBad},
                    LineCase{"OtherDrive", "D:\\OVRA\\BIN\\Ovra.exe", kOut, kOut},
                    LineCase{"PrefixOfAnotherName", "C:\\OVRA2\\A.TXT", kOut, kOut},
                    LineCase{"TheDirectoryItself", "C:\\OVRA", kOut, kOut},
                    LineCase{"ElsewhereOnTheDrive", "C:\\users\\me\\notes.txt", kOut, kOut},
                    LineCase{"FileOfTheSystem", "C:\\WINDOWS\\SYSTEM32\\VxRt32.dll", kSys, kOut},
                    LineCase{"FileOfWindows", "C:\\windows\\OVRA.ini", kSys, kOut},
                    LineCase{"DeeperInTheSystem", "C:\\windows\\system32\\drivers\\etc\\hosts", kOut, kOut},
                    LineCase{"Relative", "OVRA\\A.TXT", kBad, kBad},
                    LineCase{"DriveRelative", "C:OVRA\\A.TXT", kBad, kBad},
                    LineCase{"Network", "\\\\server\\share\\A.TXT", kBad, kBad},
                    LineCase{"ForwardSlashes", "C:/OVRA/../A.TXT", kBad, kBad},
                    LineCase{"Wildcard", "C:\\OVRA\\*.*", kBad, kBad},
                    LineCase{"TrailingDotAlias", "C:\\OVRA.\\A.TXT", kBad, kBad},
                    LineCase{"DoubledBackslash", "C:\\OVRA\\\\A.TXT", kBad, kBad},
                    LineCase{"TrailingBackslash", "C:\\OVRA\\BIN\\", kBad, kBad}),
    [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(InstallationDirectory, MustBeADirectoryOfItsOwn) {
    struct Row {
        const char* dir;
        bool acceptable;
    };
    for (const Row& row : {Row{"C:\\OVRA", true}, Row{"D:\\Tools\\Vexa", true}, Row{"C:", false},
                           Row{"C:\\", false}, Row{"C:\\WINDOWS", false}, Row{"C:\\windows\\system32", false},
                           Row{"C:\\OVRA\\..\\windows", false}}) {
        uninstall::PathRules rules = kRules;
        rules.installDir = row.dir;
        EXPECT_EQ(uninstall::AcceptableInstallDir(rules), row.acceptable) << row.dir;
    }
}

TEST(SystemPath, LosesOnlyTheKitsEntries) {
    struct Row {
        const char* path;
        bool chainOurs;
        const char* expected;
    };
    for (const Row& row : {
             Row{"C:\\windows;C:\\OVRA\\Bin;", true, "C:\\windows"},
             Row{"C:\\windows;c:\\ovra\\bin\\;D:\\TOOLS", true, "C:\\windows;D:\\TOOLS"},
             Row{"C:\\windows;%C816_PATH%;C:\\OVRA\\Bin;", true, "C:\\windows"},
             Row{"C:\\windows;%C816_PATH%;", false, "C:\\windows;%C816_PATH%;"},
             Row{"C:\\OVRA\\Bin\\Extra;C:\\OVRA2\\Bin;;D:\\X;", true,
                 "C:\\OVRA\\Bin\\Extra;C:\\OVRA2\\Bin;;D:\\X;"},
             Row{"C:\\OVRA\\Bin;", true, ""},
         })
        EXPECT_EQ(uninstall::PathWithoutKitEntries(row.path, "C:\\OVRA", row.chainOurs), row.expected)
            << row.path;
}

}  // namespace
