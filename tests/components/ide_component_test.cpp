#include "components/ide_component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/inst_app.h"
#include "app/setup_record.h"
#include "components/numbered_lists.h"
#include "components/program_group.h"
#include "components/tools_host.h"
#include "engine/setup_ini.h"
#include "platform/machine/dde.h"
#include "platform/machine/shell_link.h"
#include "platform/win32.h"
#include "support/recording_ui.h"
#include "support/tag_setter.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::HostExists;
using testing_support::ReadHostFile;
using testing_support::SetTags;
using testing_support::WriteHostFile;

const std::string kCommonGroupHost = "ProgramData/Microsoft/Windows/Start Menu/Programs/Kestravion Kit 6.1";

class IdeComponentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSetupRecord();
        ResetNumberedLists();
        ResetIdeIniErrorReport();
        ::Setup().sourceDir = "C:\\media\\";
        ::Setup().installDir = "C:\\OVRA";
        CreateDirectoryA("C:\\OVRA", nullptr);
    }
    void TearDown() override {
        ResetSetupRecord();
        ResetNumberedLists();
    }
    // A set whose list only makes a directory, so that installing it needs no packed files.
    void AddSet(const std::string& name) {
        WriteHostFile(prefix.DriveC("media/English/" + name + ".INS"), "md BIN\r\n");
        WriteHostFile(prefix.DriveC("media/English/" + name + ".DAT"), "");
    }
    void AddIdeSets(bool withFifth = true) {
        for (const char* set : {"Ovra_1", "Ovra_2", "Ovra_3", "Ovra_4", "Version", "Debug"})
            AddSet(set);
        if (withFifth) AddSet("Ovra_5");
    }
    std::string Ini(const char* section, const char* key) {
        char buffer[300] = {};
        GetPrivateProfileStringA(section, key, "x", buffer, sizeof buffer, "C:\\windows\\OVRA.ini");
        return buffer;
    }
    std::vector<std::string> Sections(const char* prefixName, int count) {
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i)
            names.push_back(Ini((prefixName + std::to_string(i)).c_str(), "Name"));
        return names;
    }
    void Run(bool st6 = false) {
        WVexaTools host(app, nullptr, &app.pageIndex, &app.stepDirection);
        if (st6)
            InstallIdeComponentSt6(host);
        else
            InstallIdeComponent(host);
        continueFlag = host.continueFlag;
    }
    // The group in the Start menu of the user running the setup, as the host sees it.
    std::string GroupHost() {
        return "users/" + prefix.machine().prefix().UserName() +
               "/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Kestravion Kit 6.1/";
    }
    bool Shortcut(const char* item) { return HostExists(prefix.DriveC(GroupHost() + item + ".lnk")); }

    testing_support::RecordingUi ui;
    testing_support::TempPrefix prefix{&ui};
    WVexaInstApp app;
    int continueFlag = -1;
};

TEST_F(IdeComponentTest, FullKitInstallsSetsWritesEntriesAndMakesTheGroup) {
    SetTags({"OVRA", "8051-Tools"});
    AddIdeSets();
    Run();
    EXPECT_EQ(continueFlag, 1);
    EXPECT_EQ(Ini("Uninstall", "Path"), "C:\\OVRA\\VEXARMV.EXE C:\\OVRA\\uninst.ins");
    EXPECT_EQ(Ini("Project", "Last Project"), "NUL");
    EXPECT_EQ(Ini("Default Directories", "VexaBin"), "C:\\OVRA\\Bin");
    EXPECT_EQ(Ini("Default Directories", "VexaCCLib"), "C:\\OVRA\\Lib\\CCLib");
    EXPECT_EQ(Ini("Default Directories", "VexaHelp"), "C:\\OVRA\\Help");
    EXPECT_EQ(ListCounts().helps, 2);
    EXPECT_EQ(Ini("Help0", "Path"), "C:\\OVRA\\Help\\OVRA32.HLP");
    EXPECT_EQ(
        Sections("Pdf", ListCounts().pdfs),
        (std::vector<std::string>{"Ovra General\\Hardware Index", "Ovra General\\Keyboard Reference",
                                  "Ovra General\\Ovra for 8051 and XA", "Ovra General\\Getting started"}));
    EXPECT_TRUE(Shortcut("Ovra IDE"));
    EXPECT_TRUE(Shortcut("Ovra Reference"));
    EXPECT_TRUE(Shortcut("Vexa Uninstall"));
    platform::ShellLink link;
    ASSERT_TRUE(
        platform::DecodeShellLink(ReadHostFile(prefix.DriveC(GroupHost() + "Vexa Uninstall.lnk")), link));
    EXPECT_EQ(link.target, "C:\\OVRA\\VEXARMV.EXE");
    EXPECT_EQ(link.arguments, "\"C:\\OVRA\\uninst.ins\"");
    EXPECT_EQ(link.workingDir, "C:\\OVRA\\examples");
    EXPECT_EQ(link.name, "Vexa Uninstall");
    EXPECT_EQ(link.showCommand, 1u);
    EXPECT_EQ(link.iconLocation, "");
    EXPECT_FALSE(HostExists(prefix.DriveC(kCommonGroupHost)));
    EXPECT_EQ(prefix.machine().dde().executed(), ProgramGroupCommands("C:\\OVRA", false));
    EXPECT_EQ(ListCounts().simulators, 0);  // no simulator DLL was installed
}

TEST_F(IdeComponentTest, ReinstallationReplacesTheGroup) {
    SetTags({"OVRA"});
    AddIdeSets();
    WriteHostFile(prefix.DriveC(GroupHost() + "Stale.lnk"), "old");
    Run();
    EXPECT_FALSE(Shortcut("Stale"));
    EXPECT_TRUE(Shortcut("Ovra IDE"));
}

TEST_F(IdeComponentTest, LpcKitNeedsNoFifthSetAndNamesItsIde) {
    SetTags({"OVRA", "LPC-Tools"});
    AddIdeSets(false);
    Run();
    EXPECT_EQ(continueFlag, 1);
    EXPECT_TRUE(Shortcut("Ovra IDE for LPC"));
    EXPECT_EQ(Sections("Pdf", ListCounts().pdfs),
              (std::vector<std::string>{"Ovra General\\Keyboard Reference", "8051-Tools\\Ovra for 8051",
                                        "Ovra General\\Getting started"}));
}

TEST_F(IdeComponentTest, WithoutProgramManagerTheRestStillRuns) {
    SetTags({"OVRA"});
    AddIdeSets();
    prefix.machine().faults().progmanAbsent = true;
    Run();
    EXPECT_EQ(continueFlag, 1);
    EXPECT_FALSE(HostExists(prefix.DriveC(GroupHost())));
    EXPECT_TRUE(prefix.machine().dde().executed().empty());
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(ListCounts().helps, 2);
    EXPECT_EQ(Sections("Pdf", ListCounts().pdfs),
              (std::vector<std::string>{"Ovra General\\Hardware Index", "Ovra General\\Keyboard Reference",
                                        "Ovra General\\Ovra User Guide Part 1",
                                        "Ovra General\\Ovra User Guide Part 2"}));
}

TEST_F(IdeComponentTest, XeToolsRegisterHelpButNoManual) {
    SetTags({"OVRA", "XE-Tools"});
    AddIdeSets();
    Run();
    EXPECT_EQ(ListCounts().helps, 2);
    EXPECT_EQ(ListCounts().pdfs, 0);
}

TEST_F(IdeComponentTest, SimulatorDllsAddThePeripheralKitAndLpcParts) {
    SetTags({"OVRA"});
    AddIdeSets();
    ::Setup().simulatorDllsInstalled = true;
    Run();
    EXPECT_EQ(
        Sections("Simulator", ListCounts().simulators),
        (std::vector<std::string>{"PeriKit51", "87LPC762", "87LPC764", "87LPC767", "87LPC768", "87LPC769"}));
    EXPECT_EQ(Ini("Simulator0", "Hidden"), "Yes");
    EXPECT_EQ(Ini("Simulator3", "DllName"), "C:\\OVRA\\Bin\\SLPC76X.dll");
    EXPECT_EQ(Ini("Simulator3", "IntRAMSize"), "128");
    EXPECT_EQ(Ini("Simulator3", "Company"), "Philips");
}

TEST_F(IdeComponentTest, InfineonKitTakesNoSimulatorParts) {
    SetTags({"OVRAINFINEON"});
    AddIdeSets();
    ::Setup().simulatorDllsInstalled = true;
    Run();
    EXPECT_EQ(ListCounts().simulators, 0);
}

TEST_F(IdeComponentTest, St6ToolsWithoutIdeStageOnlyTheSt6Parts) {
    SetTags({"ST6-Tools"});
    Run();  // no IDE set on the media: none is asked for
    EXPECT_EQ(continueFlag, 1);
    EXPECT_EQ(Sections("Simulator", ListCounts().simulators),
              (std::vector<std::string>{"ST6-Simulator", "ST6-StarterKit"}));
    EXPECT_EQ(Ini("ST6Derivatives0", "Name"), "ST6200C");
    EXPECT_EQ(Ini("ST6Derivatives7", "CodeReserved"),
              "0000h-007Fh;0FA0h-0FEFh;0FF8h-0FFBh;1000h-100Fh;1800h-180Fh");
    EXPECT_EQ(Ini("ST6Derivatives24", "Name"), "ST6285B");
    EXPECT_EQ(Ini("ST6Derivatives24", "DllName"), "C:\\OVRA\\Bin\\SimST6.dll");
    EXPECT_EQ(Ini("ST6Derivatives24", "TargetName"), "ST6");
    EXPECT_EQ(Ini("ST6Derivatives25", "Name"), "x");
    EXPECT_EQ(Ini("Uninstall", "Path"), "x");
    EXPECT_TRUE(prefix.machine().dde().executed().empty());
}

TEST_F(IdeComponentTest, St6VariantAddsTheTarget) {
    SetTags({"OVRAST6", "ST6-Tools"});
    AddIdeSets(false);
    Run(true);
    EXPECT_EQ(continueFlag, 1);
    EXPECT_EQ(Ini("Targets", "ST6"), "C:\\OVRA\\Bin\\TgtST6.dll");
    EXPECT_EQ(Ini("TargetInc", "ST6"), "C:\\OVRA\\IncST6");
    EXPECT_EQ(Sections("Pdf", ListCounts().pdfs),
              (std::vector<std::string>{"ST6-Tools\\ST6 Programming", "ST6-Tools\\ST6 Debugging",
                                        "Ovra General\\Keyboard Reference"}));
}

TEST_F(IdeComponentTest, AClearContinueFlagInstallsNothing) {
    SetTags({"OVRA"});
    AddIdeSets();
    WVexaTools host(app, nullptr, &app.pageIndex, &app.stepDirection);
    host.continueFlag = 0;
    InstallIdeComponent(host);
    EXPECT_EQ(host.continueFlag, 0);
    EXPECT_EQ(Ini("Uninstall", "Path"), "x");
    EXPECT_TRUE(prefix.machine().dde().executed().empty());
}

TEST(ProgramGroupCommandsTest, SevenCommandsByteForByte) {
    std::vector<std::string> c = ProgramGroupCommands("C:\\OVRA", false);
    ASSERT_EQ(c.size(), 7u);
    EXPECT_EQ(c[0], "[DeleteGroup(Kestravion Kit 6.1)]");
    EXPECT_EQ(c[1], "[CreateGroup(Kestravion Kit 6.1)]");
    EXPECT_EQ(c[2],
              "[ShowGroup(Kestravion Kit 6.1,7)][AddItem(\"C:\\OVRA\\bin\\Ovra.exe \",Ovra IDE,,0,0,0,"
              "\"C:\\OVRA\\examples\")]");
    EXPECT_EQ(c[3],
              "[ShowGroup(Kestravion Kit 6.1,7)][AddItem(\"C:\\OVRA\\help\\Ovra32.Hlp \",Ovra Reference)]");
    EXPECT_EQ(
        c[4],
        "[ShowGroup(Kestravion Kit 6.1,7)][AddItem(\"C:\\OVRA\\VEXARMV.EXE\" \"C:\\OVRA\\uninst.ins\",Vexa "
        "Uninstall,,0,0,0,\"C:\\OVRA\\examples\")]");
    EXPECT_EQ(c[5], "[ShowGroup(Kestravion Kit 6.1,7)]");
    EXPECT_EQ(c[6], "[ExitProgman(1)]");
    EXPECT_NE(ProgramGroupCommands("C:\\OVRA", true)[2].find(",Ovra IDE for LPC,"), std::string::npos);
}

TEST_F(IdeComponentTest, LongestInstallationDirectoryStillGivesWholeCommands) {
    std::string dir = "C:\\" + std::string(256, 'd');
    ASSERT_EQ(dir.size(), 259u);
    std::vector<std::string> c = ProgramGroupCommands(dir, false);
    EXPECT_EQ(c[4], "[ShowGroup(Kestravion Kit 6.1,7)][AddItem(\"" + dir + "\\VEXARMV.EXE\" \"" + dir +
                        "\\uninst.ins\",Vexa Uninstall,,0,0,0,\"" + dir + "\\examples\")]");
    SetTags({"OVRA"});
    AddIdeSets();
    ::Setup().installDir = dir;  // the sets' lists cannot make a directory this deep; only the group matters
    WVexaTools host(app, nullptr, &app.pageIndex, &app.stepDirection);
    bool conversation = true;
    CreateProgramGroup(host, conversation);
    EXPECT_TRUE(conversation);
    platform::ShellLink link;
    ASSERT_TRUE(
        platform::DecodeShellLink(ReadHostFile(prefix.DriveC(GroupHost() + "Vexa Uninstall.lnk")), link));
    EXPECT_EQ(link.target, dir + "\\VEXARMV.EXE");
    EXPECT_EQ(link.workingDir, dir + "\\examples");
}

TEST_F(IdeComponentTest, DdeCallbackReportsErrorsAndForgetsAClosedConversation) {
    WVexaTools host(app, nullptr, &app.pageIndex, &app.stepDirection);
    EXPECT_EQ(CurrentToolsHost(), &host);
    host.conversation = reinterpret_cast<HCONV>(7);
    EXPECT_EQ(host.ddeCallback(XTYP_DISCONNECT, 0, nullptr, nullptr, nullptr, nullptr, 0, 0), nullptr);
    EXPECT_EQ(host.conversation, nullptr);
    host.ddeCallback(XTYP_ERROR, 0, nullptr, nullptr, nullptr, nullptr, 0, 0);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].id, 1083);
    EXPECT_EQ(ui.boxes[0].caption, "ProgMan");
    EXPECT_EQ(ui.boxes[0].text, "A critical DDE error has occured.");
    EXPECT_EQ(ui.boxes[0].style, MB_ICONINFORMATION);
    EXPECT_FALSE(ui.boxes[0].owned);
}

}  // namespace
