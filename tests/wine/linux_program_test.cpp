// The Linux program's installation as Wine sees it: Wine's own reg tool reads the keys the setup wrote
// into a prefix it made itself.
#include <gtest/gtest.h>

#include <string>

#include "wine/wine_support.h"

namespace {

using namespace wine_support;

TEST(LinuxProgram, WinesRegToolReadsTheKeysTheSetupWrote) {
    if (std::string why = SkipReason(); !why.empty()) GTEST_SKIP() << why;
    WorkDir work("readback");
    const std::string prefix = work.path() + "/prefix";
    const std::string answers = work.path() + "/answers.txt";
    WriteFile(answers, "name=Ada\n");
    // The Wine user makes the prefix, so that Wine takes it for the user's own.
    Result setup = RunAsWineUser("env " + WineEnvironment(prefix) + " " +
                                 ShellQuote(Reachable(std::string(OVRA_BINARY_DIR) + "/setup")) +
                                 " --ui script --prefix " + ShellQuote(prefix) + " --media " +
                                 ShellQuote(Reachable(std::string(OVRA_BINARY_DIR) + "/media/full")) +
                                 " --answers " + ShellQuote(answers));
    ASSERT_EQ(setup.exitCode, 0) << setup.output;
    Result query = RunInPrefix(
        prefix, "wine reg query 'HKLM\\Software\\KESTRAVION\\Ovra\\6.1\\Default Directories' /v VexaInst");
    EXPECT_NE(query.output.find("VexaInst"), std::string::npos) << query.output;
    EXPECT_NE(query.output.find("REG_SZ"), std::string::npos) << query.output;
    EXPECT_NE(query.output.find("c:\\OVRA"), std::string::npos) << query.output;
}

}  // namespace
