// The whole wizard through the windows, driven by an answers file: the same transcript and the same
// machine state as the headless run, and a screenshot of every page left in the build directory.
#ifdef OVRA_HAVE_GUI
#include <dirent.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "e2e/media_dir.h"
#include "e2e/setup_run.h"
#include "platform/gui/display.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::HostExists;
using testing_support::ReadHostFile;
using testing_support::RunSetup;
using testing_support::TempDir;
using testing_support::WriteHostFile;

// The free space of the host's disk changes between two runs; everything else must not.
std::string WithoutFreeSpace(const std::string& transcript) {
    std::string out;
    std::size_t start = 0;
    while (start < transcript.size()) {
        std::size_t end = transcript.find('\n', start);
        if (end == std::string::npos) end = transcript.size();
        std::string line = transcript.substr(start, end - start);
        if (line.rfind("  edit 208 ", 0) != 0) out += line + "\n";
        start = end + 1;
    }
    return out;
}

std::vector<std::string> Files(const std::string& dir) {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.') names.push_back(e->d_name);
        closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(GuiRun, AnswersDriveTheWindowsToTheSameTranscriptAsTheScriptWithAScreenshotPerPage) {
    REQUIRE_DISPLAY();
    TempDir dir;
    testing_support::MediaDir(dir.path() + "/media").Flavour("INSTOVRA.INI", {"CODE=11"}).EmptyFileSets();
    const std::string answers = "name=Ada Lovelace\ncompany=Analytical Engines\ndestination=C:\\Kit\n";
    auto script = RunSetup(dir.path() + "/p1", dir.path() + "/media", answers);
    ASSERT_EQ(script.exitCode, 0) << script.output;

    std::string shots = std::string(OVRA_BINARY_DIR) + "/gui-screenshots";
    for (const auto& old : Files(shots))
        std::remove((shots + "/" + old).c_str());
    auto gui =
        RunSetup(dir.path() + "/p2", dir.path() + "/media", answers, {"--ui", "gui", "--screenshots", shots});
    ASSERT_EQ(gui.exitCode, 0) << gui.output;
    EXPECT_EQ(WithoutFreeSpace(gui.transcript), WithoutFreeSpace(script.transcript));
    EXPECT_NE(gui.transcript.find("edit 201 \"Ada Lovelace\""), std::string::npos);

    // The same machine state: the uninstall log and the destination of the two runs.
    EXPECT_EQ(HostExists(dir.path() + "/p1/drive_c/Kit"), HostExists(dir.path() + "/p2/drive_c/Kit"));

    std::vector<std::string> pages;
    for (const auto& line : gui.LinesStartingWith("page "))
        pages.push_back(line.substr(5, line.find(' ', 5) - 5));
    ASSERT_FALSE(pages.empty());
    std::vector<std::string> pageShots;
    for (const auto& name : Files(shots))
        if (name.find("-page-") != std::string::npos) {
            pageShots.push_back(name.substr(name.find("-page-") + 6, name.size() - name.find("-page-") - 10));
            EXPECT_GT(ReadHostFile(shots + "/" + name).size(), 1000u) << name;
            EXPECT_EQ(ReadHostFile(shots + "/" + name).substr(1, 3), "PNG") << name;
        }
    EXPECT_EQ(pageShots, pages);
}

}  // namespace
#endif  // OVRA_HAVE_GUI
