// The uninstaller under Wine: the kit installed into a Wine-made prefix is listed by Wine's own
// "Add/Remove Programs" tool, whose --remove starts VEXARMV.EXE as the setup recorded it; afterwards the
// kit is gone and what the user added is still there.
#include <gtest/gtest.h>

#include <string>

#include "wine/wine_support.h"

namespace {

using namespace wine_support;

std::string Between(const std::string& text, const std::string& from, const std::string& to) {
    std::size_t start = text.find(from);
    if (start == std::string::npos) return "";
    start += from.size();
    std::size_t end = text.find(to, start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

TEST(NativeUninstaller, WinesUninstallerRunsItAndTheKitIsGone) {
    if (std::string why = SkipReason(); !why.empty()) GTEST_SKIP() << why;
    const std::string uninstaller = ReadFile(WindowsBuild() + "/VEXARMV.EXE");
    if (uninstaller.empty()) GTEST_SKIP() << "no VEXARMV.EXE in " << WindowsBuild();
    WorkDir work("uninstaller");
    const std::string prefix = work.path() + "/prefix";
    std::string error;
    ASSERT_TRUE(CopyBasePrefix(prefix, error)) << error;
    const std::string answers = work.path() + "/answers.txt";
    WriteFile(answers, "name=Ada\n");
    Result setup = RunAsWineUser("env " + WineEnvironment(prefix) + " " +
                                 ShellQuote(Reachable(std::string(OVRA_BINARY_DIR) + "/setup")) +
                                 " --ui script --prefix " + ShellQuote(prefix) + " --media " +
                                 ShellQuote(Reachable(std::string(OVRA_BINARY_DIR) + "/media/full")) +
                                 " --answers " + ShellQuote(answers));
    ASSERT_EQ(setup.exitCode, 0) << setup.output;
    // The media carry the native uninstaller where the recorded command names it.
    ASSERT_EQ(ReadFile(prefix + "/drive_c/OVRA/VEXARMV.EXE"), uninstaller)
        << "the sample media do not carry the native uninstaller at the installation directory's root";
    const std::string mine = prefix + "/drive_c/OVRA/SAMPLES/mine.c";
    ASSERT_EQ(RunAsWineUser("echo 'int main(void) { return 0; }' > " + ShellQuote(mine)).exitCode, 0);

    // Without a display the uninstaller answers its own questions as an unattended run does: it removes
    // the kit and keeps a shared library nobody else counts.
    Result run =
        RunInPrefix(prefix,
                    "wine reg add 'HKLM\\Software\\Unrelated\\Tool' /v Home /d 'D:\\TOOLS' /f; "
                    "echo '@@before'; wine uninstaller --list; "
                    "echo '@@remove'; wine uninstaller --remove Ovra; echo \"status $?\"; "
                    "echo '@@after'; wine uninstaller --list; "
                    "echo '@@keys'; wine reg query 'HKLM\\Software\\Unrelated\\Tool' /v Home; "
                    "wine reg query 'HKLM\\Software\\KESTRAVION\\Ovra\\6.1\\Default Directories'; "
                    "wine reg query 'HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment' "
                    "/v Path; "
                    // The running uninstaller cannot remove itself: the system does at its next start.
                    "echo '@@restart'; wineserver -k; wineserver -w; wineboot -r");
    EXPECT_NE(Between(run.output, "@@before", "@@remove").find("Vexa 6.1"), std::string::npos) << run.output;
    EXPECT_NE(Between(run.output, "@@remove", "@@after").find("status 0"), std::string::npos) << run.output;
    EXPECT_EQ(Between(run.output, "@@after", "@@keys").find("Vexa 6.1"), std::string::npos) << run.output;
    std::string keys = Between(run.output, "@@keys", "@@restart");
    EXPECT_NE(keys.find("D:\\TOOLS"), std::string::npos) << run.output;
    EXPECT_EQ(keys.find("VexaInst"), std::string::npos) << run.output;
    EXPECT_NE(keys.find("%SystemRoot%"), std::string::npos) << run.output;
    EXPECT_EQ(keys.find("OVRA"), std::string::npos) << run.output;

    EXPECT_FALSE(ReadFile(mine).empty());
    Result left = RunAsWineUser("cd " + ShellQuote(prefix + "/drive_c/OVRA") + " && find . | sort");
    EXPECT_EQ(left.output, ".\n./SAMPLES\n./SAMPLES/mine.c\n") << run.output;
    EXPECT_TRUE(ReadFile(prefix + "/drive_c/windows/OVRA.ini").empty());
}

}  // namespace
