#include "app/destination.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "app/setup_record.h"
#include "platform/win32.h"
#include "support/recording_ui.h"
#include "support/temp_prefix.h"

namespace {

namespace fs = std::filesystem;
using testing_support::HostExists;
using testing_support::ReadHostFile;
using testing_support::RecordingUi;
using testing_support::TempPrefix;
using testing_support::WriteHostFile;

const char kHeader[] = ";The Uninstall program uses this file to remove Vexa 6.1 from your computer.\r\n";

class DestinationTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetSetupRecord(); }
    void TearDown() override { ResetSetupRecord(); }
    // The names in a host directory, sorted.
    std::vector<std::string> Names(const std::string& relative) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(prefix.DriveC(relative)))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    RecordingUi ui;
    TempPrefix prefix{&ui};
};

TEST_F(DestinationTest, TheWriteProbeNeverTouchesAFileOfTheUsers) {
    // The user's files, among them names a probe could have chosen.
    WriteHostFile(prefix.DriveC("Kit/test.tmp"), "the user's notes");
    WriteHostFile(prefix.DriveC("Kit/~VXP0000.TMP"), "also the user's");
    EXPECT_TRUE(ProbeWritable("C:\\Kit"));
    EXPECT_EQ(ReadHostFile(prefix.DriveC("Kit/test.tmp")), "the user's notes");
    EXPECT_EQ(ReadHostFile(prefix.DriveC("Kit/~VXP0000.TMP")), "also the user's");
    EXPECT_EQ(Names("Kit"), (std::vector<std::string>{"test.tmp", "~VXP0000.TMP"}));

    EXPECT_FALSE(ProbeWritable("C:\\Missing"));
    prefix.machine().faults().denied.insert("C:\\Kit");
    EXPECT_FALSE(ProbeWritable("C:\\Kit"));
    EXPECT_EQ(Names("Kit"), (std::vector<std::string>{"test.tmp", "~VXP0000.TMP"}));
}

TEST_F(DestinationTest, MakingTheTreeLeavesFilesInExistingParentsAlone) {
    WriteHostFile(prefix.DriveC("Parent/test.tmp"), "kept");
    EXPECT_TRUE(MakeDirectoryTree("C:\\Parent\\New\\Kit"));
    EXPECT_TRUE(HostExists(prefix.DriveC("Parent/New/Kit")));
    EXPECT_EQ(ReadHostFile(prefix.DriveC("Parent/test.tmp")), "kept");
    EXPECT_EQ(Names("Parent"), (std::vector<std::string>{"New", "test.tmp"}));
    EXPECT_TRUE(Names("Parent/New/Kit").empty());
}

TEST_F(DestinationTest, ADirectoryThatCannotBeMadeIsReportedAndNothingIsWritten) {
    fs::create_directories(prefix.DriveC("Locked"));
    prefix.machine().faults().denied.insert("C:\\Locked");
    ::Setup().installDir = "C:\\Locked\\Kit";
    EXPECT_FALSE(SetUpDestination());
    EXPECT_EQ(ui.BoxIds(), std::vector<int>{1076});
    EXPECT_EQ(ui.boxes[0].style, static_cast<UINT>(MB_OK));
    EXPECT_TRUE(::Setup().uninstallLog.empty());
    EXPECT_TRUE(Names("Locked").empty());
}

TEST_F(DestinationTest, AToolReleaseAddsOneHeaderPerRunHoweverOftenTheDestinationIsConfirmed) {
    // A tool release appends to the installed kit's log.
    ::Setup().productWord = 0x08;
    ::Setup().installDir = "C:\\OVRA";
    const std::string before = std::string(kHeader) + "copy C:\\OVRA\\BIN\\Ovra.exe\r\n";
    WriteHostFile(prefix.DriveC("OVRA/uninst.ins"), before);
    EXPECT_TRUE(SetUpDestination());
    // Back from the summary and Next again, once with the name in another case.
    ::Setup().installDir = "c:\\ovra";
    EXPECT_TRUE(SetUpDestination());
    EXPECT_EQ(ReadHostFile(prefix.DriveC("OVRA/uninst.ins")), before + kHeader);
    EXPECT_TRUE(ui.boxes.empty());

    // Another directory chosen on the way back gets its own header.
    ::Setup().installDir = "C:\\Other";
    EXPECT_TRUE(SetUpDestination());
    EXPECT_EQ(ReadHostFile(prefix.DriveC("Other/uninst.ins")), kHeader);
    EXPECT_EQ(::Setup().uninstallLog, "C:\\Other\\uninst.ins");
}

}  // namespace
