// Runs of the setup program through the scripted front end, on sample media in fresh prefixes, that a new
// user could make by accident: leaving the destination page without going on, a destination that cannot
// be made or that is only a drive, a browse to a drive root, a long name for the XE tool chain, a
// language changed and revisited, a patch that fails, a build history and a name of some length. Each
// asserts what is on the disk and in the hives afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "e2e/media_dir.h"
#include "e2e/setup_run.h"
#include "platform/machine/machine.h"
#include "platform/win32.h"
#include "support/temp_prefix.h"

namespace {

namespace fs = std::filesystem;
using testing_support::HostExists;
using testing_support::MediaDir;
using testing_support::PagesShown;
using testing_support::PlantInstalledKit;
using testing_support::ReadHostFile;
using testing_support::RunSetup;
using testing_support::SetupRun;
using testing_support::TempDir;
using testing_support::WriteHostFile;

using Pages = std::vector<std::string>;

const char kHeader[] = ";The Uninstall program uses this file to remove Vexa 6.1 from your computer.\r\n";
const std::string kAnswers = "name=Ada\ncompany=Engines\n";

std::string Media(const std::string& name) {
    return std::string(OVRA_BINARY_DIR) + "/media/" + name;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Every file below a host directory with its contents (relative path -> bytes).
std::map<std::string, std::string> Tree(const std::string& root) {
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file()) files[fs::relative(it->path(), root).string()] = ReadHostFile(it->path());
    return files;
}

// The files a new prefix starts with (Wine's win.ini and system.ini), before the setup writes any.
std::map<std::string, std::string> NewPrefixFiles() {
    testing_support::TempPrefix fresh;
    return Tree(fresh.DriveC());
}

// The message box ids of a run, in order.
std::vector<int> Boxes(const SetupRun& run) {
    std::vector<int> ids;
    for (const auto& line : run.LinesStartingWith("messagebox id="))
        ids.push_back(std::atoi(line.c_str() + std::string("messagebox id=").size()));
    return ids;
}

// A kit installed earlier as PlantInstalledKit leaves it, with its build record and uninstall log.
struct PlantedKit {
    std::string prefix;
    std::string buildNumber;
    void Plant() const {
        PlantInstalledKit(prefix, "C:\\OVRA", "OVRA", "v6102.dll", buildNumber);
        WriteHostFile(prefix + "/drive_c/OVRA/BUILD.INI",
                      "[BuildNumber]\r\nBN=" + buildNumber + "\r\nDATE=2026-11-30\r\n");
        WriteHostFile(prefix + "/drive_c/OVRA/uninst.ins",
                      std::string(kHeader) + "md C:\\OVRA\\BIN\r\ncopy C:\\OVRA\\BIN\\Ovra.exe\r\n");
    }
    std::string BuildIni() const { return ReadHostFile(prefix + "/drive_c/OVRA/BUILD.INI"); }
    std::string Hive() const { return ReadHostFile(prefix + "/system.reg"); }
};

class WizardSafety : public ::testing::Test {
  protected:
    std::string Prefix() const { return dir.path() + "/prefix"; }
    std::string DriveC(const std::string& rel = "") const { return Prefix() + "/drive_c/" + rel; }
    TempDir dir;
};

// Exit, or Back and then Exit, on the destination page of a first installation: nothing is made.
TEST_F(WizardSafety, LeavingTheDestinationPageOfAFreshMachineMakesNothing) {
    struct Case {
        const char* name;
        std::string answers;
        Pages pages;
    } cases[] = {
        {"exit", "press.7=exit\n", {"1", "2", "3", "6", "5", "7"}},
        {"back, then exit", "press.7=back\npress.5=next,exit\n", {"1", "2", "3", "6", "5", "7", "5"}},
    };
    for (const auto& c : cases) {
        TempDir d;
        const std::string prefix = d.path() + "/prefix";
        auto run = RunSetup(prefix, Media("small"), kAnswers + c.answers);
        ASSERT_EQ(run.exitCode, 0) << c.name << "\n" << run.output;
        EXPECT_EQ(PagesShown(run.transcript), c.pages) << c.name;
        EXPECT_FALSE(HostExists(prefix + "/drive_c/OVRA")) << c.name;
        EXPECT_FALSE(Contains(ReadHostFile(prefix + "/system.reg"), "KESTRAVION")) << c.name;
    }
}

TEST_F(WizardSafety, ExitOnTheDestinationPageOverAnInstalledKitLeavesItAsItWas) {
    ASSERT_EQ(RunSetup(Prefix(), Media("full"), kAnswers).exitCode, 0);
    const auto before = Tree(DriveC("OVRA"));
    const std::string log = before.at("uninst.ins");
    ASSERT_GT(std::count(log.begin(), log.end(), '\n'), 100);
    const std::string hive = ReadHostFile(Prefix() + "/system.reg");

    auto run = RunSetup(Prefix(), Media("full"), kAnswers + "press.7=exit\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(PagesShown(run.transcript).back(), "7");
    EXPECT_EQ(ReadHostFile(DriveC("OVRA/uninst.ins")), log);
    EXPECT_TRUE(Tree(DriveC("OVRA")) == before);
    EXPECT_EQ(ReadHostFile(Prefix() + "/system.reg"), hive);
}

TEST_F(WizardSafety, ExitFromAToolReleaseAddsNoHeaderToTheKitsLog) {
    PlantedKit kit{Prefix(), "B100"};
    kit.Plant();
    const std::string log = ReadHostFile(DriveC("OVRA/uninst.ins"));
    auto run = RunSetup(Prefix(), Media("release"), "press.7=exit\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(PagesShown(run.transcript), (Pages{"1", "2", "7"}));
    EXPECT_EQ(ReadHostFile(DriveC("OVRA/uninst.ins")), log);

    // Going on after Back from the summary: one header for the run, not one a pass.
    auto installed = RunSetup(Prefix(), Media("release"), "press.8=back\n");
    ASSERT_EQ(installed.exitCode, 0) << installed.output;
    EXPECT_EQ(PagesShown(installed.transcript), (Pages{"1", "2", "7", "8", "7", "8", "12"}));
    const std::string after = ReadHostFile(DriveC("OVRA/uninst.ins"));
    ASSERT_EQ(after.rfind(log, 0), 0u);
    std::string added = after.substr(log.size());
    EXPECT_EQ(added.rfind(kHeader, 0), 0u) << added.substr(0, 200);
    EXPECT_EQ(added.find(kHeader, 1), std::string::npos) << added.substr(0, 400);
}

TEST_F(WizardSafety, TheWriteProbeLeavesTheUsersTestTmpAlone) {
    struct Case {
        const char* name;
        const char* destination;  // answers
        const char* userFile;     // below drive_c
    } cases[] = {{"in the destination", "C:\\OVRA", "OVRA/test.tmp"},
                 {"in an existing parent", "C:\\Work\\New\\Kit", "Work/test.tmp"}};
    for (const auto& c : cases) {
        TempDir d;
        const std::string prefix = d.path() + "/prefix";
        WriteHostFile(prefix + "/drive_c/" + c.userFile, "my notes, not yours\r\n");
        auto run = RunSetup(prefix, Media("small"), kAnswers + "destination=" + c.destination + "\n");
        ASSERT_EQ(run.exitCode, 0) << c.name << "\n" << run.output;
        EXPECT_EQ(ReadHostFile(prefix + "/drive_c/" + c.userFile), "my notes, not yours\r\n") << c.name;
        EXPECT_TRUE(Contains(run.transcript, "page 12 ")) << c.name;
        // No probe left behind either.
        for (const auto& [file, bytes] : Tree(prefix + "/drive_c"))
            EXPECT_EQ(file.find("~VXP"), std::string::npos) << c.name << ": " << file;
    }
}

TEST_F(WizardSafety, ADestinationThatCannotBeMadeKeepsTheUserOnThePage) {
    fs::create_directories(DriveC("Locked"));
    const std::string fault = "OVRA_FAULTS=deny=C:\\\\Locked";
    auto run = RunSetup(Prefix(), Media("small"),
                        kAnswers + "destination=C:\\Locked\\Kit\npress.7=next,exit\n", {}, fault);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(PagesShown(run.transcript), (Pages{"1", "2", "3", "6", "5", "7", "7"}));
    // 1076 after the first Next, then the exit question of the second visit: nothing about files.
    EXPECT_EQ(Boxes(run), (std::vector<int>{1076, 1063}));
    EXPECT_TRUE(Tree(DriveC()).empty()) << Tree(DriveC()).begin()->first;
    EXPECT_FALSE(Contains(ReadHostFile(Prefix() + "/system.reg"), "VexaInst"));

    // Unattended with nothing else to try, the run stops instead of coming round forever.
    auto stuck = RunSetup(Prefix(), Media("small"), kAnswers + "destination=C:\\Locked\\Kit\n", {}, fault);
    EXPECT_EQ(stuck.exitCode, 3) << stuck.output;
    EXPECT_GT(Boxes(stuck).size(), 3u);
    EXPECT_FALSE(Contains(stuck.transcript, "page 8 "));
    EXPECT_TRUE(Tree(DriveC()).empty());
}

TEST_F(WizardSafety, ADriveAloneIsRefusedLikeAnEmptyField) {
    for (const char* typed : {"\\", "C:\\", "C:"}) {
        TempDir d;
        const std::string prefix = d.path() + "/prefix";
        auto run = RunSetup(prefix, Media("small"), kAnswers + "destination=" + typed + "\n");
        EXPECT_EQ(run.exitCode, 3) << typed << "\n" << run.output;
        auto boxes = Boxes(run);
        EXPECT_FALSE(boxes.empty()) << typed;
        for (int id : boxes)
            EXPECT_EQ(id, 1062) << typed;
        EXPECT_FALSE(Contains(run.transcript, "page 8 ")) << typed;
        EXPECT_EQ(Tree(prefix + "/drive_c"), NewPrefixFiles()) << typed;
        EXPECT_FALSE(Contains(ReadHostFile(prefix + "/system.reg"), "VexaInst")) << typed;
    }
}

TEST_F(WizardSafety, BrowsingToADriveRootGivesOneBackslash) {
    auto run = RunSetup(Prefix(), Media("small"), kAnswers + "browse=C:\\\npress.7=browse\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Contains(run.transcript, "page 12 "));
    const std::string hive = ReadHostFile(Prefix() + "/system.reg");
    // The hive file writes each backslash twice.
    EXPECT_TRUE(Contains(hive, "\"VexaInst\"=\"C:\\\\OVRA\"")) << hive.substr(0, 2000);
    EXPECT_FALSE(Contains(hive, "C:\\\\\\\\OVRA"));
    const std::string log = ReadHostFile(DriveC("OVRA/uninst.ins"));
    EXPECT_TRUE(Contains(log, "md C:\\OVRA\\BIN\r\n")) << log;
    EXPECT_FALSE(Contains(log, "\\\\"));
    EXPECT_FALSE(Contains(ReadHostFile(DriveC("OVRA/BUILD.INI")), "\\\\"));
}

TEST_F(WizardSafety, TheXeToolChainRefusesALongNameThatDoesNotExistYet) {
    auto run = RunSetup(Prefix(), Media("xe"), "destination=C:\\Program Files\\New Long Name\n");
    EXPECT_EQ(run.exitCode, 3) << run.output;
    auto boxes = Boxes(run);
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_EQ((std::vector<int>{boxes[0], boxes[1]}), (std::vector<int>{1248, 1062}));
    EXPECT_FALSE(Contains(run.transcript, "page 8 "));
    EXPECT_FALSE(HostExists(DriveC("Program Files/New Long Name")));
    EXPECT_FALSE(Contains(ReadHostFile(Prefix() + "/system.reg"), "C816_ROOT"));

    // A new directory of 8.3 names is fine.
    auto ok = RunSetup(Prefix(), Media("xe"), "destination=C:\\XETOOLS\\GCC\n");
    ASSERT_EQ(ok.exitCode, 0) << ok.output;
    EXPECT_TRUE(Contains(ok.transcript, "page 12 "));
    EXPECT_TRUE(HostExists(DriveC("XETOOLS/GCC/uninst.ins")));
}

// Media with both languages, or neither, whose first IDE set makes a directory named for its folder.
MediaDir LanguageMedia(const std::string& dir, const char* code) {
    MediaDir media(dir);
    media.Flavour("INSTOVRA.INI", {std::string("CODE=") + code}).EmptyFileSets();
    media.File("English/Ovra_1.INS", "md ENGLISH\r\n").File("French/Ovra_1.INS", "md FRENCH\r\n");
    return media;
}

TEST_F(WizardSafety, TheFrenchChoiceSurvivesBackAndNext) {
    MediaDir media = LanguageMedia(dir.path() + "/media", "31");
    auto run = RunSetup(Prefix(), media.path(), kAnswers + "language=french,keep\npress.7=back\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(PagesShown(run.transcript), (Pages{"1", "2", "3", "6", "5", "7", "5", "7", "8", "12"}));
    // The second visit shows French chosen, untouched by the answers.
    const std::string second =
        run.transcript.substr(run.transcript.find("page 5 ", run.transcript.find("page 7 ")));
    EXPECT_TRUE(Contains(second.substr(0, second.find("press")), "radio 107 \"French\" checked"))
        << second.substr(0, 1500);
    EXPECT_TRUE(HostExists(DriveC("OVRA/FRENCH")));
    EXPECT_FALSE(HostExists(DriveC("OVRA/ENGLISH")));
}

TEST_F(WizardSafety, MediaWithoutALanguageWordInstallFromTheFolderTheyWereCheckedIn) {
    MediaDir media = LanguageMedia(dir.path() + "/media", "1");
    // The media check looks in the French folder when the media do not say English.
    fs::remove(media.path() + "/English/Ovra_2.INS");
    auto run = RunSetup(Prefix(), media.path(), kAnswers);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Contains(run.transcript, "page 12 "));
    EXPECT_FALSE(Contains(run.transcript, "caption=\"Setup path\""));
    EXPECT_TRUE(HostExists(DriveC("OVRA/FRENCH")));
    EXPECT_FALSE(HostExists(DriveC("OVRA/ENGLISH")));
}

TEST_F(WizardSafety, AFailedPatchChangesNoBuildNumberAndSaysSo) {
    PlantedKit kit{Prefix(), "B100"};
    kit.Plant();
    const std::string build = kit.BuildIni();
    auto run = RunSetup(Prefix(), Media("patch"), "", {}, "OVRA_FAULTS=disk=0");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(PagesShown(run.transcript), (Pages{"1"}));
    auto boxes = Boxes(run);
    ASSERT_FALSE(boxes.empty());
    EXPECT_TRUE(boxes.front() == 1070 || boxes.front() == 1069) << boxes.front();
    EXPECT_EQ(boxes.back(), 1063);
    EXPECT_EQ(kit.BuildIni(), build);
    EXPECT_TRUE(Contains(kit.Hive(), "\"BuildNumber\"=\"B100\""));
    EXPECT_FALSE(HostExists(DriveC("OVRA/readme.txt")));
    ASSERT_FALSE(run.LinesStartingWith("progress show").empty());
    EXPECT_EQ(run.LinesStartingWith("progress close").size(), 1u);

    // The same patch without the fault: installed, recorded, and its progress window closed too.
    auto ok = RunSetup(Prefix(), Media("patch"));
    ASSERT_EQ(ok.exitCode, 0) << ok.output;
    EXPECT_EQ(PagesShown(ok.transcript), (Pages{"1", "12"}));
    EXPECT_EQ(ok.LinesStartingWith("progress close").size(), 1u);
    EXPECT_TRUE(Contains(kit.BuildIni(), "BN=B100 + B101-Patch\r\n"));
}

TEST_F(WizardSafety, APatchIsAcceptedAfterALongHistoryAndOnlyForAWholeBuild) {
    std::string history = "V6.1 b001";
    for (int build = 2; history.size() < 300; ++build)
        history += " + B0" + std::to_string(10 + build);
    history += " + B100";
    PlantedKit kit{Prefix(), history};
    kit.Plant();
    auto run = RunSetup(Prefix(), Media("patch"));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Boxes(run).empty()) << run.transcript.substr(0, 2000);
    EXPECT_EQ(PagesShown(run.transcript), (Pages{"1", "12"}));
    EXPECT_TRUE(Contains(kit.BuildIni(), "BN=" + history + " + B101-Patch\r\n")) << kit.BuildIni();
    EXPECT_TRUE(Contains(kit.Hive(), "\"BuildNumber\"=\"" + history + " + B101-Patch\""));

    // The patch for B100 does not fit a kit at B1000.
    TempDir other;
    PlantedKit later{other.path() + "/prefix", "B1000"};
    later.Plant();
    const std::string build = later.BuildIni();
    auto refused = RunSetup(later.prefix, Media("patch"));
    EXPECT_EQ(Boxes(refused), std::vector<int>{1096});
    EXPECT_TRUE(PagesShown(refused.transcript).empty());
    EXPECT_EQ(later.BuildIni(), build);
}

TEST_F(WizardSafety, ALongUserNameComesBackWhole) {
    PlantedKit kit{Prefix(), "B100"};
    kit.Plant();
    const std::string name(200, 'n');
    {
        platform::Machine machine({Prefix(), "C"});
        platform::ScopedServices scope(machine.ServicesWith(nullptr));
        HKEY key = nullptr;
        ASSERT_EQ(
            RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\KESTRAVION\\Ovra\\6.1\\User Info\\Registration", 0,
                            nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        RegSetValueExA(key, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                       static_cast<DWORD>(name.size() + 1));
        RegCloseKey(key);
    }
    auto run = RunSetup(Prefix(), Media("small"), "company=Engines\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Contains(run.transcript, "edit 201 \"" + name + "\"")) << run.transcript.substr(0, 3000);
    EXPECT_TRUE(Contains(kit.BuildIni(), "Name=" + name + "\r\n"));
    EXPECT_TRUE(Contains(kit.Hive(), "\"Name\"=\"" + name + "\""));
}

}  // namespace
