#include "engine/progress.h"

#include <gtest/gtest.h>

#include "app/setup_record.h"
#include "platform/win32.h"
#include "support/recording_ui.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::RecordingUi;
using testing_support::TempPrefix;

TEST(ShortenPathForDisplay, Table) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"C:\\PROGRAM FILES\\KIT\\BIN\\TOOLSET.DLL", "C:\\...\\TOOLSET.DLL"},  // 36 characters
        {"C:\\PROGRAM FILES\\KIT\\BIN\\TOOLS.DLL", "C:\\PROGRAM FILES\\KIT\\BIN\\TOOLS.DLL"},  // exactly 34
        {"c:\\kit\\bin\\a.dll", "C:\\KIT\\BIN\\A.DLL"},
        {"C:\\KIT\\\\BIN\\X.DLL", "C:\\KIT\\BIN\\X.DLL"},
        {"C:\\a\\\\\\b.dll", "C:\\A\\B.DLL"},
        {"c:\\averyveryverylongdirectoryname\\averyveryverylongfilename.dll",
         "C:\\...\\AVERYVERYVERYLONGFILENAME.DLL"},  // still longer than the width: the name is kept whole
        {"Making the directory :\nC:\\OVRA\\BIN", "Making the directory :\nC:\\OVRA\\BIN"},  // no drive
        {"\\kit\\bin\\a.dll", "\\kit\\bin\\a.dll"},  // no drive: unchanged, not upper-cased
        {"c:a.dll", "c:a.dll"},                      // no directory
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string path = c.in;
        ShortenPathForDisplay(path, 34);
        EXPECT_EQ(path, c.out) << c.in;
    }
}

class ProgressTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSetupRecord();
        ::Setup().sourceDir = "C:\\media\\";
    }
    void TearDown() override { ResetSetupRecord(); }
    RecordingUi ui;
    TempPrefix prefix{&ui};
};

TEST_F(ProgressTest, GaugeClampsAndMinusOneLeavesIt) {
    InstallDetailDialog dialog(nullptr);
    dialog.Create();
    dialog.SetTitle("Installing debug");
    struct Step {
        int position;
        int shown;
    } steps[] = {{30, 30}, {-1, 30}, {250, 100}, {100, 100}, {0, 0}, {-1, 0}};
    for (const auto& s : steps) {
        dialog.SetTextAndGauge("text", s.position);
        EXPECT_EQ(dialog.GaugeValue(), s.shown) << s.position;
        EXPECT_EQ(dialog.Find(InstallDetailDialog::kGauge)->value, s.shown);
    }
    EXPECT_EQ(ui.modeless[0], "show Installing");
    EXPECT_EQ(ui.modeless[1], "Installing debug||0");
    EXPECT_EQ(ui.modeless[4], "Installing debug|text|100");
}

TEST_F(ProgressTest, TextIsLimitedTo100Characters) {
    InstallDetailDialog dialog(nullptr);
    dialog.SetTextAndGauge(std::string(150, 'x'), -1);
    EXPECT_EQ(dialog.GetDlgItemText(InstallDetailDialog::kText).size(), 100u);
}

TEST_F(ProgressTest, AnimationComesFromTheMediaWhenPresent) {
    {
        InstallDetailDialog dialog(nullptr);
        dialog.Create();
        EXPECT_EQ(dialog.GetDlgItemText(InstallDetailDialog::kAnimation), "");
    }
    EXPECT_EQ(ui.modeless.back(), "close");
    testing_support::WriteHostFile(prefix.DriveC("media/INSTALL.AVI"), "RIFF");
    InstallDetailDialog dialog(nullptr);
    dialog.Create();
    EXPECT_EQ(dialog.GetDlgItemText(InstallDetailDialog::kAnimation), "C:\\media\\INSTALL.AVI");
    // Centred on the screen.
    int screenWidth = GetSystemMetrics(0);
    EXPECT_GT(dialog.left, 0);
    EXPECT_EQ(dialog.left, (screenWidth - 319 * 6 / 4) / 2);
}

}  // namespace
