// The setup program started on small media: what the user sees before the first page.
#include <gtest/gtest.h>

#include "e2e/media_dir.h"
#include "e2e/setup_run.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::RunSetup;
using testing_support::TempDir;
using testing_support::WriteHostFile;

TEST(Startup, PatchWithoutAKitShowsWhyAndEnds) {
    TempDir dir;
    WriteHostFile(dir.path() + "/media/PATCH.INI", "[INSTALL]\r\nPATCH=1\r\nBN=B101\r\n");
    auto run = RunSetup(dir.path() + "/prefix", dir.path() + "/media");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    auto boxes = run.LinesStartingWith("messagebox");
    ASSERT_EQ(boxes.size(), 1u) << run.transcript;
    EXPECT_EQ(
        boxes[0],
        "messagebox id=1095 owner=main caption=\"Vexa 6.1 Installation Program\" text=\"The setup could not "
        "find OVRA.EXE.\\nPlease install Vexa before continuing.\" style=0x30 answer=OK");
    auto windows = run.LinesStartingWith("window");
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0], "window caption=\"Vexa 6.1 Installation Program\"");
}

TEST(Startup, BackgroundTitleFollowsTheFlavour) {
    struct Case {
        const char* file;
        const char* text;
        const char* title;
    } cases[] = {
        {"INSTOVRA.INI", "[INSTALL]\r\nCODE=11\r\n",
         "background title=\"Kestravion Vexa 6.1\\nDevelopment Suite\" format=0x01"},
        {"INSTOVRA.INI", "[INSTALL]\r\nCODE=9\r\n",
         "background title=\"Vexa 6.1\\nDevelopment Suite Release\" format=0x01"},
        {"INSTLPC.INI", "[INSTALL]\r\nCODE=1\r\n",
         "background title=\"Kestravion Vexa 6.1\\nDevelopment Suite for LPC\" format=0x11"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        WriteHostFile(dir.path() + "/media/" + c.file, c.text);
        if (std::string(c.file) == "INSTLPC.INI")
            WriteHostFile(dir.path() + "/media/INSTOVRA.INI", "[INSTALL]\r\nCODE=1\r\n");
        auto run = RunSetup(dir.path() + "/prefix", dir.path() + "/media");
        auto titles = run.LinesStartingWith("background");
        ASSERT_EQ(titles.size(), 2u) << run.transcript;
        // Before the flavour files are read every tag is false: the kit's own title comes first.
        EXPECT_EQ(titles[0], "background title=\"Kestravion Vexa 6.1\\nDevelopment Suite\" format=0x01");
        EXPECT_EQ(titles[1], c.title);
    }
}

TEST(Startup, RejectsBadHostOptions) {
    TempDir dir;
    auto run = RunSetup(dir.path() + "/prefix", dir.path() + "/no-such-media");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find("not found"), std::string::npos) << run.output;
    TempDir dir2;
    WriteHostFile(dir2.path() + "/media/INSTOVRA.INI", "");
    auto bad = RunSetup(dir2.path() + "/prefix", dir2.path() + "/media", "this is not an answer\n");
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.output.find("key=value"), std::string::npos) << bad.output;
}

TEST(Startup, HelpFileFollowsTheSystemLanguage) {
    struct Case {
        const char* locale;
        const char* file;
    } cases[] = {{"LANG=fr_FR.UTF-8 LC_ALL=", "INSTFR.HLP"},
                 {"LANG=en_GB.UTF-8 LC_ALL=", "INSTALL.HLP"},
                 {"LANG=C LC_ALL=", "INSTALL.HLP"}};
    for (const auto& c : cases) {
        TempDir dir;
        testing_support::MediaDir(dir.path() + "/media").Flavour("INSTOVRA.INI", {"CODE=11"}).EmptyFileSets();
        auto run =
            RunSetup(dir.path() + "/prefix", dir.path() + "/media", "press.1=help,exit\n", {}, c.locale);
        auto help = run.LinesStartingWith("help ");
        ASSERT_EQ(help.size(), 1u) << run.transcript;
        // The media directory is reached through a drive of the prefix; the name follows the language,
        // while every text stays English.
        EXPECT_NE(help[0].find(std::string("\\\\") + c.file + "\" command=1 context=1"), std::string::npos)
            << help[0];
        EXPECT_NE(run.transcript.find("page 1 caption=\"Presentation\""), std::string::npos);
    }
}

TEST(Startup, GarbageFlavourFilesReadAsMissing) {
    TempDir dir;
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 7919) & 0xFF);
    WriteHostFile(dir.path() + "/media/INSTOVRA.INI", junk);
    WriteHostFile(dir.path() + "/media/INST51.INI", std::string("\0\0[INSTALL]\0CODE=7\r\n", 20));
    auto run = RunSetup(dir.path() + "/prefix", dir.path() + "/media");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    // No kit tag could be read: a tool distribution without an installed kit is refused.
    auto boxes = run.LinesStartingWith("messagebox id=1095");
    EXPECT_EQ(boxes.size(), 1u) << run.transcript;
}

}  // namespace
