// The wizard of each kind of distribution, run unattended from end to end: the pages shown and their texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "e2e/media_dir.h"
#include "e2e/setup_run.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::MediaDir;
using testing_support::PagesShown;
using testing_support::PlantInstalledKit;
using testing_support::ReadHostFile;
using testing_support::RunSetup;
using testing_support::TempDir;

using Pages = std::vector<std::string>;

// The transcript line of control `id` on the first visit of page `page` ("" when absent).
std::string ControlLine(const std::string& transcript, const std::string& page, const std::string& kind,
                        int id) {
    std::istringstream in(transcript);
    bool inside = false;
    std::string want = "  " + kind + " " + std::to_string(id) + " ";
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("page ", 0) == 0) {
            if (inside) break;
            inside = line.rfind("page " + page + " ", 0) == 0;
            continue;
        }
        if (inside && line.rfind(want, 0) == 0) return line.substr(want.size());
    }
    return "";
}

std::string Static(const std::string& t, const std::string& page, int id) {
    return ControlLine(t, page, "static", id);
}

class WizardFlavours : public ::testing::Test {
  protected:
    std::string Prefix() const { return dir.path() + "/prefix"; }
    testing_support::SetupRun Run(const std::string& answers = "") {
        return RunSetup(Prefix(), media.path(), answers);
    }

    TempDir dir;
    MediaDir media{dir.path() + "/media"};
};

const Pages kKitPages{"1", "2", "3", "6", "5", "7", "8", "12"};
const Pages kToolPages{"1", "2", "7", "8", "12"};

TEST_F(WizardFlavours, FullKit) {
    media.Flavour("INSTOVRA.INI", {"CODE=11"})
        .Flavour("INST51.INI", {"CODE=7F"})
        .Flavour("INSTXA.INI", {"CODE=1F"});
    media.EmptyFileSets();
    auto run = Run("name=Ada Lovelace\ncompany=Engines\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(PagesShown(run.transcript), kKitPages) << run.transcript;
    EXPECT_EQ(Static(run.transcript, "1", 110),
              "\"This program will install OVRA and its tools components for the 80C51 and XA families.\"");
    EXPECT_EQ(Static(run.transcript, "3", 110),
              "\"The README.TXT file contains important information about the Setup process.\"");
    EXPECT_EQ(ControlLine(run.transcript, "8", "edit", 201), "\"Ada Lovelace\" disabled");
    EXPECT_EQ(ControlLine(run.transcript, "8", "edit", 209), "\"32 Mbytes\" disabled");
    // The PDF reader hint ends a kit run, then the finish page.
    EXPECT_EQ(run.LinesStartingWith("messagebox id=1087").size(), 1u);
    // The user record reaches the registry.
    std::string hive = ReadHostFile(Prefix() + "/system.reg");
    EXPECT_NE(hive.find("\"Name\"=\"Ada Lovelace\""), std::string::npos);
    EXPECT_EQ(
        ReadHostFile(Prefix() + "/drive_c/OVRA/uninst.ins")
            .rfind(";The Uninstall program uses this file to remove Vexa 6.1 from your computer.\r\n", 0),
        0u);
}

TEST_F(WizardFlavours, PhilipsKitWithSmartXa) {
    media.Flavour("INSTOVRA.INI", {"CODE=12"}).Flavour("INSTADON.INI", {"CODE=3"}).EmptyFileSets();
    auto run = Run();
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(PagesShown(run.transcript), kKitPages);
    EXPECT_EQ(Static(run.transcript, "1", 110),
              "\"This program will install OVRA and its tools components for the 80C51, "
              "XA and SmartXA families.\"");
}

TEST_F(WizardFlavours, St6Kit) {
    media.Flavour("INSTOVRA.INI", {"CODE=14"}).Flavour("INSTST6.INI", {"CODE=7"}).EmptyFileSets();
    auto run = Run();
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(PagesShown(run.transcript), kKitPages);
    EXPECT_EQ(Static(run.transcript, "1", 111), "\"This version requires about 8 MB of disk space.\"");
    EXPECT_EQ(Static(run.transcript, "3", 110),
              "\"The READMEWE.TXT file contains important information about the Setup process.\"");
    EXPECT_EQ(ControlLine(run.transcript, "8", "edit", 209), "\"8 Mbytes\" disabled");
}

TEST_F(WizardFlavours, LpcKit) {
    media.Flavour("INSTOVRA.INI", {"CODE=11"}).Flavour("INSTLPC.INI", {"CODE=17"}).EmptyFileSets();
    auto run = Run("name=Someone\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(PagesShown(run.transcript), (Pages{"1", "2", "3", "7", "8", "12"}));
    EXPECT_EQ(Static(run.transcript, "1", 110),
              "\"This program will install OVRA and its tools components for the 80C51 "
              "LPC family.\"");
    auto titles = run.LinesStartingWith("background");
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles.back(),
              "background title=\"Kestravion Vexa 6.1\\nDevelopment Suite for LPC\" format=0x11");
}

TEST_F(WizardFlavours, ToolReleasesNameTheirFamily) {
    struct Case {
        const char* file;
        const char* text;
    } cases[] = {{"INSTST6.INI", "This program will install ST6 tool release."},
                 {"INST51.INI", "This program will install 80C51 tool release."},
                 {"INSTXA.INI", "This program will install XA tool release."},
                 {nullptr, "This program will install OVRA tool release."}};
    for (const auto& c : cases) {
        TempDir d;
        MediaDir m(d.path() + "/media");
        m.Flavour("INSTOVRA.INI", {"CODE=18"}).EmptyFileSets();
        if (c.file) m.Flavour(c.file, {"CODE=7"});
        PlantInstalledKit(d.path() + "/prefix", "C:\\OVRA", "OVRA", "v6102.dll", "B100");
        auto run = RunSetup(d.path() + "/prefix", m.path());
        ASSERT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(PagesShown(run.transcript), kToolPages) << c.text;
        EXPECT_EQ(Static(run.transcript, "1", 110), "\"\"") << c.text;
        EXPECT_EQ(Static(run.transcript, "1", 111), std::string("\"") + c.text + "\"");
        EXPECT_EQ(Static(run.transcript, "7", 110),
                  "\"Setup will install the tool in the following directory.\"");
        auto titles = run.LinesStartingWith("background");
        EXPECT_EQ(titles.back(), "background title=\"Vexa 6.1\\nDevelopment Suite Release\" format=0x01");
    }
}

TEST_F(WizardFlavours, AddOnAppendsASecondLogHeader) {
    media.Flavour("INSTADON.INI", {"CODE=1", "ADDON=6.1"}).EmptyFileSets();
    PlantInstalledKit(Prefix(), "C:\\Kit", "Kit", "v6102.dll", "B100");
    testing_support::WriteHostFile(
        Prefix() + "/drive_c/Kit/uninst.ins",
        ";The Uninstall program uses this file to remove Vexa 6.1 from your computer.\r\n"
        "copy C:\\Kit\\bin\\Ovra.exe\r\n");
    auto run = Run();
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(PagesShown(run.transcript), kToolPages);
    EXPECT_EQ(ControlLine(run.transcript, "7", "edit", 206), "\"C:\\\\Kit\"");
    const std::string log = ReadHostFile(Prefix() + "/drive_c/Kit/uninst.ins");
    EXPECT_EQ(log.rfind(";The Uninstall program uses this file to remove Vexa 6.1 from your computer.\r\n"
                        "copy C:\\Kit\\bin\\Ovra.exe\r\n"
                        ";The Uninstall program uses this file to remove Vexa 6.1 from your computer.\r\n"
                        "copy C:\\Kit\\license.txt\r\n",
                        0),
              0u)
        << log;
    EXPECT_TRUE(run.LinesStartingWith("messagebox id=1087").empty());
}

TEST_F(WizardFlavours, XeKitAsksForAnEightDotThreePath) {
    media.Flavour("INSTOVRA.INI", {"CODE=11"}).Flavour("INSTXE.INI", {"CODE=20001"}).EmptyFileSets();
    auto run = Run();
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(Static(run.transcript, "1", 110),
              "\"This program will install OVRA and its tools components for XE8000.\"");
    EXPECT_EQ(Static(run.transcript, "7", 112),
              "\"To choose the destination directory, type the complete path "
              "below.\\nNOTE:   You must use an 8.3 formatted path here.\"");
    EXPECT_EQ(Static(run.transcript, "12", 110), "\"Setup has finished installing files. \"");
    EXPECT_EQ(Static(run.transcript, "12", 111),
              "\"Before you can use the program you have to restart your computer.\"");
}

TEST_F(WizardFlavours, XeKitRefusesALongDirectoryUntilItsShortFormIsTyped) {
    media.Flavour("INSTOVRA.INI", {"CODE=11"}).Flavour("INSTXE.INI", {"CODE=1"}).EmptyFileSets();
    testing_support::WriteHostFile(Prefix() + "/drive_c/Long Directory/keep.txt", "x");
    // The same long name again and again: the run stops with a clear error instead of spinning.
    auto stuck = Run("destination=C:\\Long Directory\n");
    EXPECT_EQ(stuck.exitCode, 3) << stuck.output;
    EXPECT_NE(stuck.output.find("refused"), std::string::npos) << stuck.output;
    EXPECT_GE(stuck.LinesStartingWith("messagebox id=1248").size(), 1u);
    // The form Wine gives the same directory passes the check and names that directory.
    auto ok = Run("destination=C:\\LONG~LWP\n");
    EXPECT_EQ(ok.exitCode, 0) << ok.output;
    EXPECT_TRUE(std::filesystem::exists(Prefix() + "/drive_c/Long Directory/uninst.ins"));
    EXPECT_FALSE(std::filesystem::exists(Prefix() + "/drive_c/LONG~LWP"));
}

TEST_F(WizardFlavours, PatchPresentationInBothForms) {
    for (bool withDir : {true, false}) {
        TempDir d;
        MediaDir m(d.path() + "/media");
        std::vector<std::string> lines{"PATCH=1", "BN=B100", "Desc=Hotfix"};
        if (withDir) lines.push_back("Dir=\\BIN");
        m.Flavour("PATCH.INI", lines).EmptyFileSets().File("Patch.INS", "").File("Patch.DAT", "");
        m.File("English/Patch.INS", "").File("English/Patch.DAT", "");
        m.File("French/Patch.INS", "").File("French/Patch.DAT", "");
        PlantInstalledKit(d.path() + "/prefix", "C:\\OVRA", "OVRA", "v6102.dll", "V6.1 b100");
        auto run = RunSetup(d.path() + "/prefix", m.path());
        ASSERT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(PagesShown(run.transcript), (Pages{"1", "12"}));
        EXPECT_EQ(Static(run.transcript, "1", 110),
                  "\"This program will install \\\"Hotfix\\\" for Vexa B100.\"");
        EXPECT_EQ(Static(run.transcript, "1", 111), "\" \"");
        EXPECT_EQ(Static(run.transcript, "1", 113),
                  withDir ? "\"The files will be installed in \\\"C:\\\\OVRA\\\\BIN\\\" directory.\""
                          : "\"Make sure that any other application is closed before proceeding.\"");
    }
}

TEST_F(WizardFlavours, BackFromTheDestinationAndNextAgainStartsOneLog) {
    media.Flavour("INSTOVRA.INI", {"CODE=11"}).EmptyFileSets();
    auto run = Run("destination=C:\\Fresh\\Kit\npress.7=back\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(PagesShown(run.transcript), (Pages{"1", "2", "3", "6", "5", "7", "5", "7", "8", "12"}));
    std::string log = ReadHostFile(Prefix() + "/drive_c/Fresh/Kit/uninst.ins");
    // A new log for a kit: one header line however often the destination page was left.
    EXPECT_EQ(log.find(";The Uninstall program"), 0u);
    EXPECT_EQ(log.find(";The Uninstall program", 1), std::string::npos);
}

TEST_F(WizardFlavours, ExitOnTheFirstPageEndsWithoutInstalling) {
    media.Flavour("INSTOVRA.INI", {"CODE=11"}).EmptyFileSets();
    auto run = Run("press.1=exit\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(PagesShown(run.transcript), (Pages{"1"}));
    ASSERT_EQ(run.LinesStartingWith("messagebox").size(), 1u);
    EXPECT_NE(run.LinesStartingWith("messagebox")[0].find("id=1063 owner=page"), std::string::npos);
    EXPECT_FALSE(testing_support::HostExists(Prefix() + "/drive_c/OVRA"));
}

}  // namespace
