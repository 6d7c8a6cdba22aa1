// The destination typed in the short form Wine gives a long directory of the prefix, as a user copies
// it from a Wine program: the XE tool chain's 8.3 check accepts it, and the kit lands in that directory,
// not in a new one of that name.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>

#include "e2e/setup_run.h"
#include "platform/machine/prefix.h"
#include "support/temp_prefix.h"

namespace {

namespace fs = std::filesystem;
using testing_support::RunSetup;
using testing_support::TempDir;

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

TEST(ShortDestination, TheXeKitLandsInTheLongDirectoryItsShortFormNames) {
    TempDir dir;
    const std::string prefix = dir.path() + "/prefix";
    { platform::Prefix layout(prefix); }
    const std::string longDir = prefix + "/drive_c/Vexa Tools";
    fs::create_directories(longDir);
    // "Vexa Tools" is VEXA~3DB to Wine.
    auto run = RunSetup(prefix, std::string(OVRA_BINARY_DIR) + "/media/xe",
                        "name=Ada Lovelace\ncompany=Analytical Engines\ndestination=C:\\VEXA~3DB\n");
    ASSERT_EQ(run.exitCode, 0) << run.output << run.transcript.substr(0, 4000);
    EXPECT_FALSE(run.LinesStartingWith("page ").empty());
    EXPECT_TRUE(run.LinesStartingWith("messagebox id=1248").empty()) << run.transcript.substr(0, 4000);
    for (const char* file : {"BIN/TgtXE.dll", "BIN/SimXE.dll", "uninst.ins"}) {
        bool found = false;
        for (const auto& e : fs::recursive_directory_iterator(longDir)) {
            std::string rel = fs::relative(e.path(), longDir).string();
            found = found || Lower(rel) == Lower(file);
        }
        EXPECT_TRUE(found) << file;
    }
    EXPECT_FALSE(fs::exists(prefix + "/drive_c/VEXA~3DB"));
}

}  // namespace
