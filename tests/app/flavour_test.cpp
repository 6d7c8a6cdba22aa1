#include "app/flavour.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/inst_app.h"
#include "app/setup_record.h"
#include "app/tags.h"
#include "platform/win32.h"
#include "resources/messages.h"
#include "support/recording_ui.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::RecordingUi;
using testing_support::TempPrefix;
using testing_support::WriteHostFile;

const std::string kInputs = std::string(OVRA_CONFORMANCE_DIR) + "/inputs/";

void SetMachineString(const char* subKey, const char* name, const std::string& value) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, subKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>(value.size() + 1)),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

class FlavourTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSetupRecord();
        ::Setup().sourceDir = "C:\\media\\";
    }
    void TearDown() override { ResetSetupRecord(); }

    void Media(const std::string& file, const std::string& text) {
        WriteHostFile(prefix.DriveC("media/" + file), text);
    }
    void Flavour(const std::string& file, const std::string& code) {
        Media(file, "[INSTALL]\r\nCODE=" + code + "\r\n");
    }
    // An installed kit in `dir` whose IDE program is a copy of one of the version-resource inputs.
    void InstalledKit(const std::string& windowsDir, const std::string& hostDir, const char* program) {
        SetMachineString("Software\\KESTRAVION\\Ovra\\6.1\\Default Directories", "VexaInst", windowsDir);
        if (program)
            WriteHostFile(prefix.DriveC(hostDir + "/bin/Ovra.exe"),
                          testing_support::ReadHostFile(kInputs + program));
    }
    bool Detect() { return DetectFlavour(app); }

    RecordingUi ui;
    TempPrefix prefix{&ui};
    WVexaInstApp app;
};

TEST_F(FlavourTest, FlavourFileValuesParseAsHexadecimal) {
    struct Case {
        const char* code;
        std::uint32_t word;
    } cases[] = {{"x", 0}, {"zz", 0}, {"0x1F", 0x1F},           {"1F", 0x1F}, {"  1f  ", 0x1F}, {"\"5\"", 5},
                 {"", 0},  {"X", 0},  {"80000001", 0x80000001u}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        ResetSetupRecord();
        ::Setup().sourceDir = "C:\\media\\";
        Flavour("INSTOVRA.INI", "1");
        Flavour("INST51.INI", c.code);
        ASSERT_TRUE(Detect());
        EXPECT_EQ(::Setup().word8051, c.word);
    }
}

TEST_F(FlavourTest, FullKitWithoutEarlierInstallation) {
    Flavour("INSTOVRA.INI", "11");
    Flavour("INSTXA.INI", "7");
    ASSERT_TRUE(Detect());
    EXPECT_EQ(::Setup().productWord, 0x11u);
    EXPECT_EQ(::Setup().xaWord, 7u);
    EXPECT_EQ(::Setup().installDir, "c:\\OVRA");
    EXPECT_FALSE(::Setup().earlierInstallation);
    EXPECT_EQ(::Setup().captionId, 1061);
    EXPECT_EQ(::Setup().patchFileSet, "Patch");
    EXPECT_EQ(::Setup().patchDescription, "Patch");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(FlavourTest, UserDataOfAFreshInstallComesFromTheBuildRecordInTheDefaultDirectory) {
    Flavour("INSTOVRA.INI", "1");
    WriteHostFile(prefix.DriveC("OVRA/BUILD.INI"), "[User]\r\nName=Ada\r\nCompany=x\r\n");
    ASSERT_TRUE(Detect());
    EXPECT_EQ(::Setup().userName, "Ada");
    EXPECT_EQ(::Setup().company, "");  // "x" counts as absent
}

TEST_F(FlavourTest, EarlierInstallationGivesDirectoryVersionAndUser) {
    Flavour("INSTOVRA.INI", "1");
    InstalledKit("C:\\Kit", "Kit", "v6102.dll");
    SetMachineString("Software\\KESTRAVION\\Ovra\\6.1\\User Info\\Registration", "Name", "Grace");
    SetMachineString("Software\\KESTRAVION\\Ovra\\6.1\\User Info\\Registration", "Company", "Navy");
    ASSERT_TRUE(Detect());
    EXPECT_EQ(::Setup().installDir, "C:\\Kit");
    EXPECT_TRUE(::Setup().earlierInstallation);
    EXPECT_FLOAT_EQ(::Setup().installedIdeVersion, 6.1f);
    EXPECT_EQ(::Setup().userName, "Grace");
    EXPECT_EQ(::Setup().company, "Navy");
}

TEST_F(FlavourTest, LongUserValuesOfAnEarlierInstallationAreReadWhole) {
    Flavour("INSTOVRA.INI", "1");
    InstalledKit("C:\\Kit", "Kit", "v6102.dll");
    const std::string name(200, 'n'), company = std::string(127, 'c') + "ompany";
    SetMachineString("Software\\KESTRAVION\\Ovra\\6.1\\User Info\\Registration", "Name", name);
    SetMachineString("Software\\KESTRAVION\\Ovra\\6.1\\User Info\\Registration", "Company", company);
    ASSERT_TRUE(Detect());
    EXPECT_EQ(::Setup().userName, name);
    EXPECT_EQ(::Setup().company, company);
}

TEST_F(FlavourTest, LongUserValuesOfTheBuildRecordAreReadWhole) {
    Flavour("INSTOVRA.INI", "1");
    const std::string name(300, 'n');
    WriteHostFile(prefix.DriveC("OVRA/BUILD.INI"), "[User]\r\nName=" + name + "\r\nCompany=Navy\r\n");
    ASSERT_TRUE(Detect());
    EXPECT_EQ(::Setup().userName, name);
    EXPECT_EQ(::Setup().company, "Navy");
}

struct Outcome {
    const char* name;
    const char* flavourFile;
    const char* code;
    enum { NoKey, KeyWithoutValue, Kit } machine;
    bool result;
    int message;  // 0: none
};

void PrintTo(const Outcome& o, std::ostream* os) {
    *os << o.name << ": " << (o.flavourFile ? o.flavourFile : "no flavour file") << " CODE=" << o.code
        << (o.result ? " accepted" : " refused") << " message " << o.message;
}

class FlavourOutcome : public FlavourTest, public ::testing::WithParamInterface<Outcome> {};

TEST_P(FlavourOutcome, AcceptsOrRefusesAsTheFlavourNeeds) {
    const Outcome& o = GetParam();
    if (o.flavourFile) Flavour(o.flavourFile, o.code);
    if (o.machine == Outcome::KeyWithoutValue)
        SetMachineString("Software\\KESTRAVION\\Ovra\\6.1\\Default Directories", "Other", "1");
    if (o.machine == Outcome::Kit) InstalledKit("C:\\OVRA", "OVRA", "v6102.dll");
    EXPECT_EQ(Detect(), o.result);
    if (o.message) {
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].id, o.message);
        EXPECT_EQ(ui.boxes[0].style, MB_ICONEXCLAMATION);
        EXPECT_EQ(ui.boxes[0].caption, resources::LoadMessage(1061, 0));
    } else {
        EXPECT_TRUE(ui.boxes.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Flavours, FlavourOutcome,
    ::testing::Values(
        Outcome{"KitAlone", "INSTOVRA.INI", "1", Outcome::NoKey, true, 0},
        Outcome{"MxAlone", "INSTMX.INI", "1", Outcome::NoKey, true, 0},
        Outcome{"XeAlone", "INSTXE.INI", "20000", Outcome::NoKey, true, 0},
        Outcome{"ToolReleaseAlone", "INST51.INI", "7", Outcome::NoKey, false, 1095},
        Outcome{"NothingAtAll", nullptr, "", Outcome::NoKey, false, 1095},
        Outcome{"PatchAlone", "PATCH.INI", "1", Outcome::NoKey, false, 1095},
        Outcome{"MxOverKeyWithoutDirectory", "INSTMX.INI", "1", Outcome::KeyWithoutValue, false, 1095},
        Outcome{"KitOverKeyWithoutDirectory", "INSTOVRA.INI", "1", Outcome::KeyWithoutValue, true, 0},
        Outcome{"ToolReleaseOverKit", "INST51.INI", "7", Outcome::Kit, true, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FlavourTest, PatchFileIsReadWithItsDefaults) {
    Media("PATCH.INI", "[INSTALL]\r\nPATCH=1\r\nBN=b12\r\nDir=sub\r\n");
    InstalledKit("C:\\OVRA", "OVRA", "v6102.dll");
    SetMachineString("Software\\KESTRAVION\\Ovra\\6.1\\Miscellaneous", "BuildNumber", "V6.1 b12 + B13");
    ASSERT_TRUE(Detect());
    EXPECT_EQ(::Setup().patchWord, 1u);
    EXPECT_EQ(::Setup().patchBuildNumber, "b12");
    EXPECT_EQ(::Setup().patchFileSet, "Patch");
    EXPECT_EQ(::Setup().patchDescription, "Patch");
    EXPECT_EQ(::Setup().patchDir, "sub");
}

TEST_F(FlavourTest, PatchBuildNumberMustBeAWholeEntryOfTheInstalledHistory) {
    // A history far past the 128 bytes a fixed buffer would hold, ending in the build the patch fits.
    std::string history;
    for (int build = 1; build < 60; ++build)
        history += "B" + std::to_string(build) + " + ";
    history += "B100";
    ASSERT_GT(history.size(), 300u);
    struct Case {
        const char* patch;
        std::string installed;
        bool fits;
    } cases[] = {{"B12", "V6.1 b12 + B13", true},
                 {"B12", "V6.1 B1", false},
                 {"b100", "B100", true},
                 {"B12", "", false},
                 {"B1", "B12", false},
                 {"B1", "V6.1 B123 + XB1", false},
                 {"B100", "B1000 + B1001", false},
                 {"B101", "B100 + B101-Patch", true},
                 {"B100", history, true},
                 {"B59", history, true},
                 {"B60", history, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.patch) + " over " + c.installed.substr(0, 40));
        ResetSetupRecord();
        ::Setup().sourceDir = "C:\\media\\";
        ui.boxes.clear();
        Media("PATCH.INI", std::string("[INSTALL]\r\nPATCH=1\r\nBN=") + c.patch + "\r\n");
        InstalledKit("C:\\OVRA", "OVRA", "v6102.dll");
        SetMachineString("Software\\KESTRAVION\\Ovra\\6.1\\Miscellaneous", "BuildNumber", c.installed);
        EXPECT_EQ(Detect(), c.fits);
        EXPECT_EQ(ui.BoxIds(), c.fits ? std::vector<int>{} : std::vector<int>{1096});
    }
}

TEST_F(FlavourTest, AddOnNeedsAnInstalledIdeOfItsVersion) {
    struct Case {
        const char* required;
        const char* program;  // nullptr: no IDE program file at all
        bool fits;
    } cases[] = {{"6.1", "v6102.dll", true},  {"6.2", "v6102.dll", false}, {"7.0", "v700app.dll", true},
                 {"0.5", "nover.dll", false}, {"0", "nover.dll", true},    {"1.0", nullptr, false},
                 {"x", nullptr, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.required) + " / " + (c.program ? c.program : "none"));
        ResetSetupRecord();
        ::Setup().sourceDir = "C:\\media\\";
        ui.boxes.clear();
        std::remove(prefix.DriveC("OVRA/bin/Ovra.exe").c_str());
        Media("INSTADON.INI", std::string("[INSTALL]\r\nCODE=1\r\nADDON=") + c.required + "\r\n");
        InstalledKit("C:\\OVRA", "OVRA", c.program);
        EXPECT_EQ(Detect(), c.fits);
        EXPECT_EQ(ui.BoxIds(), c.fits ? std::vector<int>{} : std::vector<int>{1096});
    }
}

TEST_F(FlavourTest, MissingRightsAreAWarningOnly) {
    Flavour("INSTOVRA.INI", "1");
    prefix.machine().faults().denied.insert("C:\\windows\\system32");
    ASSERT_TRUE(Detect());
    ASSERT_EQ(ui.BoxIds(), std::vector<int>{1247});
    EXPECT_EQ(ui.boxes[0].style, MB_ICONEXCLAMATION);
}

TEST_F(FlavourTest, InstalledVersionOfProgramsWithAndWithoutResources) {
    struct Case {
        const char* input;
        float version;
    } cases[] = {{"v6102.dll", 6.1f},
                 {"v600.dll", 6.0f},
                 {"v700app.dll", 7.0f},
                 {"nover.dll", 0.0f},
                 {"plain.txt", 0.0f}};
    for (const auto& c : cases) {
        WriteHostFile(prefix.DriveC("probe/Ovra.exe"), testing_support::ReadHostFile(kInputs + c.input));
        EXPECT_FLOAT_EQ(ReadInstalledIdeVersion("C:\\probe\\Ovra.exe"), c.version) << c.input;
    }
    EXPECT_FLOAT_EQ(ReadInstalledIdeVersion("C:\\probe\\missing.exe"), 0.0f);
    // A truncated program: a clear 0, no crash.
    std::string pe = testing_support::ReadHostFile(kInputs + "v6102.dll");
    for (std::size_t cut : {std::size_t{2}, std::size_t{64}, pe.size() / 2}) {
        WriteHostFile(prefix.DriveC("probe/Cut.exe"), pe.substr(0, cut));
        EXPECT_FLOAT_EQ(ReadInstalledIdeVersion("C:\\probe\\Cut.exe"), 0.0f) << cut;
    }
}

}  // namespace
