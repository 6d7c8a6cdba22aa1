#include "components/numbered_lists.h"

#include <gtest/gtest.h>

#include <string>

#include "app/setup_record.h"
#include "engine/setup_ini.h"
#include "platform/win32.h"
#include "support/recording_ui.h"
#include "support/tag_setter.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::SetTags;

class NumberedListsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSetupRecord();
        ResetNumberedLists();
        ResetIdeIniErrorReport();
        ::Setup().installDir = "C:\\OVRA";
    }
    void TearDown() override {
        ResetSetupRecord();
        ResetNumberedLists();
    }
    std::string Ini(const char* section, const char* key) {
        char buffer[300] = {};
        GetPrivateProfileStringA(section, key, "x", buffer, sizeof buffer, "C:\\windows\\OVRA.ini");
        return buffer;
    }
    HKEY Create(const std::string& path) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        return key;
    }
    bool Exists(const std::string& path) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

    testing_support::RecordingUi ui;
    testing_support::TempPrefix prefix{&ui};
};

TEST_F(NumberedListsTest, SectionsAreNumberedWithoutGapAndCountedInTheCopies) {
    EXPECT_EQ(ListCounts().simulators, 0);
    EXPECT_STREQ(NextSimulatorSection(), "Simulator0");
    EXPECT_STREQ(NextSimulatorSection(), "Simulator1");
    EXPECT_STREQ(NextEmulatorSection(), "Emulator0");
    EXPECT_STREQ(NextUserToolSection(), "UserTool0");
    EXPECT_STREQ(NextDosToolSection(), "DosTool0");
    EXPECT_STREQ(NextDosToolSection(), "DosTool1");
    NumberedListCounts c = ListCounts();
    EXPECT_EQ(c.simulators, 2);
    EXPECT_EQ(c.emulators, 1);
    EXPECT_EQ(c.userTools, 1);
    EXPECT_EQ(c.dosTools, 2);
    EXPECT_EQ(c.helps, 0);
    EXPECT_EQ(c.pdfs, 0);
}

TEST_F(NumberedListsTest, TheFourNextCallsShareOneBuffer) {
    const char* first = NextSimulatorSection();
    const char* second = NextEmulatorSection();
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "Emulator0");  // the simulator's name is gone
}

TEST_F(NumberedListsTest, TheCopiesAreSixteenBitsWide) {
    for (int i = 0; i < 65536; ++i)
        NextUserToolSection();
    EXPECT_EQ(ListCounts().userTools, 0);  // 65536 does not fit: the copy wraps
    EXPECT_STREQ(NextUserToolSection(), "UserTool65536");
    EXPECT_EQ(ListCounts().userTools, 1);
}

TEST_F(NumberedListsTest, ManualsAndHelpFilesGetNameAndFullPath) {
    AddManual("8051-Tools\\Assembler 8051", "\\DOC\\ASM51.PDF");
    AddManual("Ovra General\\Getting started", "\\DOC\\GETSTART.PDF");
    AddHelpFile("Ovra32", "\\Help\\OVRA32.HLP");
    EXPECT_EQ(Ini("Pdf0", "Name"), "8051-Tools\\Assembler 8051");
    EXPECT_EQ(Ini("Pdf0", "Path"), "C:\\OVRA\\DOC\\ASM51.PDF");
    EXPECT_EQ(Ini("Pdf1", "Path"), "C:\\OVRA\\DOC\\GETSTART.PDF");
    EXPECT_EQ(Ini("Help0", "Name"), "Ovra32");
    EXPECT_EQ(Ini("Help0", "Path"), "C:\\OVRA\\Help\\OVRA32.HLP");
    EXPECT_EQ(ListCounts().pdfs, 2);
    EXPECT_EQ(ListCounts().helps, 1);
}

constexpr const char* kSimulators = "Software\\KESTRAVION\\Ovra\\6.1\\Simulators";
constexpr const char* kTools = "Software\\KESTRAVION\\Ovra\\6.1\\Tools";

TEST_F(NumberedListsTest, KeepQuestionIsAskedOnceAndNoDeletesEveryLaterSubkey) {
    SetTags({"OVRA"});
    Create(std::string(kSimulators) + "\\SmartXA");
    Create(std::string(kSimulators) + "\\P8WE5");
    Create(std::string(kTools) + "\\ASMSTC");
    ui.answers = {IDNO};
    DeletePreviousKey(kSimulators, "NotThere");  // no previous configuration: nothing asked
    EXPECT_TRUE(ui.boxes.empty());
    DeletePreviousKey(kSimulators, "SmartXA");
    DeletePreviousKey(kSimulators, "P8WE5");
    DeletePreviousKey(kTools, "ASMSTC");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].id, 1236);
    EXPECT_EQ(ui.boxes[0].caption, "");
    EXPECT_EQ(ui.boxes[0].style, MB_YESNO);
    EXPECT_FALSE(Exists(std::string(kSimulators) + "\\SmartXA"));
    EXPECT_FALSE(Exists(std::string(kSimulators) + "\\P8WE5"));
    EXPECT_FALSE(Exists(std::string(kTools) + "\\ASMSTC"));
    EXPECT_TRUE(Exists(kSimulators));
}

TEST_F(NumberedListsTest, YesKeepsEverySubkey) {
    SetTags({"OVRAPHILIPS"});
    Create(std::string(kSimulators) + "\\SmartXA");
    Create(std::string(kTools) + "\\ASMSTC");
    ui.answers = {IDYES};
    DeletePreviousKey(kSimulators, "SmartXA");
    DeletePreviousKey(kTools, "ASMSTC");
    EXPECT_EQ(ui.boxes.size(), 1u);
    EXPECT_TRUE(Exists(std::string(kSimulators) + "\\SmartXA"));
    EXPECT_TRUE(Exists(std::string(kTools) + "\\ASMSTC"));
}

TEST_F(NumberedListsTest, NeverAskedOrDeletedWithoutAnIdeFlavour) {
    SetTags({"AddOn-Tools", "SXASim"});
    Create(std::string(kSimulators) + "\\SmartXA");
    DeletePreviousKey(kSimulators, "SmartXA");
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_TRUE(Exists(std::string(kSimulators) + "\\SmartXA"));
}

TEST_F(NumberedListsTest, TheQuestionIsAskedAgainAfterAReset) {
    SetTags({"OVRA"});
    Create(std::string(kSimulators) + "\\A");
    ui.answers = {IDYES, IDNO};
    DeletePreviousKey(kSimulators, "A");
    ResetNumberedLists();
    DeletePreviousKey(kSimulators, "A");
    EXPECT_EQ(ui.boxes.size(), 2u);
    EXPECT_FALSE(Exists(std::string(kSimulators) + "\\A"));
}

}  // namespace
