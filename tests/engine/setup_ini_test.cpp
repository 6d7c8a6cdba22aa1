#include "engine/setup_ini.h"

#include <gtest/gtest.h>

#include "app/setup_record.h"
#include "platform/win32.h"
#include "support/recording_ui.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::ReadHostFile;
using testing_support::RecordingUi;
using testing_support::TempPrefix;
using testing_support::WriteHostFile;

class SetupIniTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSetupRecord();
        ResetIdeIniErrorReport();
    }
    void TearDown() override {
        ResetSetupRecord();
        ResetIdeIniErrorReport();
    }
    std::string Read(const char* key, const char* section, DWORD size = 256, const char* file = "F.INI") {
        std::string value;
        found = ReadSetupIni("C:\\m\\", key, section, value, size, file);
        return value;
    }

    RecordingUi ui;
    TempPrefix prefix{&ui};
    int found = -1;
};

TEST_F(SetupIniTest, XAlwaysCountsAsAbsent) {
    WriteHostFile(prefix.DriveC("m/F.INI"), "[S]\r\nA=x\r\nB=X\r\nC=xx\r\nD=\r\n");
    struct Case {
        const char* key;
        const char* value;
        int found;
    } cases[] = {{"A", "x", 0}, {"B", "X", 1}, {"C", "xx", 1}, {"D", "", 1}, {"missing", "x", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(Read(c.key, "S"), c.value) << c.key;
        EXPECT_EQ(found, c.found) << c.key;
    }
    EXPECT_EQ(Read("A", "nosection"), "x");
    EXPECT_EQ(found, 0);
    EXPECT_EQ(Read("A", "S", 256, "NOFILE.INI"), "x");
    EXPECT_EQ(found, 0);
}

TEST_F(SetupIniTest, ValuesAreCutToTheBuffer) {
    WriteHostFile(prefix.DriveC("m/F.INI"), "[INSTALL]\r\nBN=0123456789abcdefghijKLMN\r\n");
    EXPECT_EQ(Read("BN", "INSTALL", 20), "0123456789abcdefghi");
    EXPECT_EQ(found, 1);
}

TEST_F(SetupIniTest, TheDirectoryAndNameAreJoinedAsGiven) {
    WriteHostFile(prefix.DriveC("OVRA/BUILD.INI"), "[User]\r\nName=Ada\r\n");
    std::string value;
    EXPECT_EQ(ReadSetupIni("c:\\OVRA", "Name", "User", value, 256, "\\BUILD.INI"), 1);
    EXPECT_EQ(value, "Ada");
}

TEST_F(SetupIniTest, WritesOvraIniInTheWindowsDirectory) {
    EXPECT_TRUE(WriteIdeIni("VexaBin", "Default Directories", "C:\\OVRA\\BIN"));
    EXPECT_TRUE(WriteIdeIni("VexaBin", "Default Directories", "D:\\BIN"));  // the last value wins
    EXPECT_TRUE(WriteIdeIni("Other", "Default Directories", "1"));
    char buffer[64];
    GetPrivateProfileStringA("Default Directories", "VexaBin", "", buffer, sizeof buffer,
                             "C:\\windows\\OVRA.ini");
    EXPECT_STREQ(buffer, "D:\\BIN");
    // An empty value removes the key; a new value brings it back.
    EXPECT_TRUE(WriteIdeIni("VexaBin", "Default Directories", ""));
    GetPrivateProfileStringA("Default Directories", "VexaBin", "gone", buffer, sizeof buffer,
                             "C:\\windows\\OVRA.ini");
    EXPECT_STREQ(buffer, "gone");
    EXPECT_TRUE(WriteIdeIni("VexaBin", "Default Directories", "E:\\X"));
    GetPrivateProfileStringA("Default Directories", "VexaBin", "", buffer, sizeof buffer,
                             "C:\\windows\\OVRA.ini");
    EXPECT_STREQ(buffer, "E:\\X");
    EXPECT_TRUE(ui.boxes.empty());
}

// A fresh OVRA.ini: the old file stays whole on disk, read as gone, until the first entry replaces it
// with a file holding only that entry; with nothing written, the old file goes at the end.
TEST_F(SetupIniTest, AFreshOvraIniReplacesTheOldOneAtItsFirstEntry) {
    const std::string ini = prefix.DriveC("windows/OVRA.ini");
    for (bool writes : {true, false}) {
        SCOPED_TRACE(writes ? "an entry written" : "nothing written");
        WriteHostFile(ini, "[Old]\r\nKey=1\r\n");
        WriteHostFile(ini + ".new", "left by a stopped run");
        StartFreshIdeIni();
        EXPECT_EQ(ReadHostFile(ini), "[Old]\r\nKey=1\r\n");
        EXPECT_FALSE(testing_support::HostExists(ini + ".new"));
        std::string value;
        EXPECT_EQ(ReadSetupIni("C:\\WINDOWS", "Key", "Old", value, 64, "\\ovra.ini"), 0);
        EXPECT_TRUE(WriteIdeIni("Key", "Old", ""));  // removing from a new file changes nothing yet
        EXPECT_EQ(ReadHostFile(ini), "[Old]\r\nKey=1\r\n");
        if (writes) {
            EXPECT_TRUE(WriteIdeIni("VexaBin", "Default Directories", "C:\\OVRA\\BIN"));
            EXPECT_EQ(ReadHostFile(ini), "[Default Directories]\r\nVexaBin=C:\\OVRA\\BIN\r\n");
            EXPECT_TRUE(WriteIdeIni("Other", "Default Directories", "1"));  // later entries add to it
            EXPECT_EQ(ReadSetupIni("C:\\windows", "VexaBin", "Default Directories", value, 64, "\\OVRA.ini"),
                      1);
        }
        EndFreshIdeIni();
        EXPECT_EQ(testing_support::HostExists(ini), writes);
        EXPECT_FALSE(testing_support::HostExists(ini + ".new"));
    }
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SetupIniTest, WritesNamedFilesInTheInstallationDirectory) {
    ::Setup().installDir = "C:\\Kit";
    CreateDirectoryA("C:\\Kit", nullptr);
    EXPECT_TRUE(WriteIdeIni("BN", "BuildNumber", "B100", "BUILD.INI"));
    EXPECT_NE(ReadHostFile(prefix.DriveC("Kit/BUILD.INI")).find("BN=B100"), std::string::npos);
}

TEST_F(SetupIniTest, OnlyTheFirstFailedWriteOfARunIsShown) {
    prefix.machine().faults().denied.insert("C:\\windows\\OVRA.ini");
    EXPECT_FALSE(WriteIdeIni("A", "S", "1"));
    EXPECT_FALSE(WriteIdeIni("B", "S", "2"));
    ::Setup().installDir = "C:\\missing\\dir";
    EXPECT_FALSE(WriteIdeIni("BN", "BuildNumber", "1", "BUILD.INI"));  // the flag is shared by both targets
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].style, MB_OK | MB_ICONHAND);
    EXPECT_FALSE(ui.boxes[0].owned);
    EXPECT_EQ(ui.boxes[0].caption, "Vexa 6.1 Installation Program");
    EXPECT_EQ(ui.boxes[0].text, "Access denied.\r\n");
}

}  // namespace
