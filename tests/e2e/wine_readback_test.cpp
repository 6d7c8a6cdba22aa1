// Where Wine is installed: the registry the setup writes is read back by Wine's own reg tool.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "e2e/setup_run.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::RunSetup;
using testing_support::TempDir;

std::string Capture(const std::string& command) {
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0)
            out.append(buffer, n);
        pclose(p);
    }
    return out;
}

TEST(WineReadback, WinesRegToolReadsTheKeysTheSetupWrote) {
    if (std::system("command -v wine >/dev/null 2>&1") != 0) GTEST_SKIP() << "Wine is not installed";
    TempDir dir;
    const std::string prefix = dir.path() + "/prefix";
    auto run = RunSetup(prefix, std::string(OVRA_BINARY_DIR) + "/media/full", "name=Ada\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    const std::string env = "WINEPREFIX='" + prefix + "' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' ";
    std::string out = Capture(
        env + "wine reg query 'HKLM\\Software\\KESTRAVION\\Ovra\\6.1\\Default Directories' /v VexaInst 2>&1");
    Capture(env + "wineserver -k 2>&1");
    EXPECT_NE(out.find("VexaInst"), std::string::npos) << out;
    EXPECT_NE(out.find("REG_SZ"), std::string::npos) << out;
    EXPECT_NE(out.find("c:\\OVRA"), std::string::npos) << out;
}

}  // namespace
