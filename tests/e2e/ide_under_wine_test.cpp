// Where Wine, Xvfb and the cross-built programs are there: `make run` installs the kit, and the command it
// prints starts the IDE under Wine, whose window shows the directories the setup configured.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <regex>

#include "support/temp_prefix.h"
#include "support/wine_user.h"

namespace {

namespace fs = std::filesystem;
using testing_support::Capture;
using testing_support::ReadHostFile;
using testing_support::ShellQuote;
using testing_support::TempDir;
using testing_support::WineUser;

TEST(IdeUnderWine, TheCommandMakeRunPrintsShowsTheInstalledDirectories) {
    std::string why;
    auto wine = WineUser::Get(why);
    if (!wine) GTEST_SKIP() << why;
    if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0) GTEST_SKIP() << "Xvfb is not installed";
    const std::string build = OVRA_BINARY_DIR;
    if (!fs::exists(build + "/kitprograms/Ovra.exe"))
        GTEST_SKIP() << "the kit's programs were not cross-built";

    // `make run`'s script over a build directory of its own, so its prefix is the test's.
    TempDir dir;
    const std::string fakeBuild = dir.path() + "/build";
    fs::create_directories(fakeBuild + "/media");
    fs::create_symlink(build + "/setup", fakeBuild + "/setup");
    fs::create_symlink(build + "/media/full", fakeBuild + "/media/full");
    fs::create_symlink(build + "/kitprograms", fakeBuild + "/kitprograms");
    int status = 0;
    std::string printed =
        Capture("cd " + ShellQuote(dir.path()) + " && env XDG_DATA_HOME=" + dir.path() +
                    "/xdg XDG_CONFIG_HOME=" + dir.path() + "/xdg " +
                    ShellQuote(std::string(OVRA_SOURCE_DIR) + "/scripts/run.sh") + " build </dev/null",
                &status);
    ASSERT_EQ(status, 0) << printed;
    std::smatch found;
    ASSERT_TRUE(std::regex_search(printed, found, std::regex("run the IDE with: (.*)"))) << printed;
    const std::string command = found[1];
    EXPECT_NE(command.find("WINEPREFIX=" + dir.path() + "/build/run-prefix "), std::string::npos) << command;

    // The prefix belongs to the user Wine runs as; Wine brings it up to date, then the IDE starts under a
    // virtual display, writes what its window shows, and the screen is captured while it is up.
    wine->Own(fakeBuild + "/run-prefix");
    fs::create_directories(dir.path() + "/out");
    wine->Own(dir.path() + "/out");
    const std::string dump = dir.path() + "/out/shown.txt", shot = dir.path() + "/out/ide.png";
    const std::string script =
        "wineboot -u >/dev/null 2>&1; wineserver -w; (" + command + " /dump 'Z:" + dump +
        "' /close 8000 &); for i in $(seq 1 60); do [ -s " + ShellQuote(dump) +
        " ] && break; sleep 1; done; sleep 2; import -window root " + ShellQuote(shot) + "; wineserver -w";
    std::string output =
        wine->Run("HOME=" + dir.path() + "/out WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=",
                  "xvfb-run -a -s '-screen 0 1024x768x24' sh -c " + ShellQuote(script));
    std::string text = ReadHostFile(dump);
    ASSERT_FALSE(text.empty()) << "the IDE wrote nothing\n" << output;
    for (const char* line : {"VexaInst   c:\\OVRA", "VexaBin    c:\\OVRA\\Bin", "VexaInc    c:\\OVRA\\Inc",
                             "VexaLib    c:\\OVRA\\Lib", "VexaHelp   c:\\OVRA\\Help", "build B100"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
    EXPECT_NE(text.find("80C51      c:\\OVRA\\Bin\\Tgt51.dll"), std::string::npos) << text;
    EXPECT_NE(text.find("ROM Image Builder"), std::string::npos) << text;
    EXPECT_GT(fs::exists(shot) ? fs::file_size(shot) : 0u, 1000u) << output;
    // Kept for a look: the screen with the IDE's window.
    if (fs::exists(shot))
        fs::copy_file(shot, build + "/ide-under-wine.png", fs::copy_options::overwrite_existing);
}

}  // namespace
