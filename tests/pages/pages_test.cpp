#include <gtest/gtest.h>

#include <string>

#include "app/inst_app.h"
#include "app/setup_record.h"
#include "pages/directory.h"
#include "pages/finish.h"
#include "pages/licence.h"
#include "pages/presentation.h"
#include "pages/readme.h"
#include "pages/setup_type.h"
#include "pages/summary.h"
#include "pages/user_info.h"
#include "platform/win32.h"
#include "resources/messages.h"
#include "support/recording_ui.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::RecordingUi;
using testing_support::TempPrefix;
using testing_support::WriteHostFile;

std::string Msg(int id) {
    return resources::LoadMessage(id, 0);
}

class PageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSetupRecord();
        ::Setup().sourceDir = "C:\\media\\";
        ::Setup().helpFile = "C:\\media\\INSTALL.HLP";
    }
    void TearDown() override { ResetSetupRecord(); }

    template <typename Page>
    Page& Open(Page& page) {
        page.SetupWindow();
        return page;
    }

    RecordingUi ui;
    TempPrefix prefix{&ui};
    std::int32_t index = 0;
    std::int32_t step = 1;
};

TEST_F(PageTest, NavigationMovesTheIndexAndDirection) {
    index = 4;
    WVexaUserInfo page(nullptr, &index, &step);
    Open(page).Command(kNextButton);
    EXPECT_TRUE(page.Ended());
    EXPECT_EQ(index, 5);
    EXPECT_EQ(step, 1);

    WVexaUserInfo back(nullptr, &index, &step);
    Open(back).Command(kBackButton);
    EXPECT_TRUE(back.Ended());
    EXPECT_EQ(back.Result(), IDCANCEL);
    EXPECT_EQ(index, 4);
    EXPECT_EQ(step, -1);
}

TEST_F(PageTest, ExitAsksBeforeTheInstallPhaseHasFinished) {
    index = 4;
    step = -1;
    WVexaUserInfo page(nullptr, &index, &step);
    Open(page);
    ui.answers = {IDCANCEL};
    page.Command(kExitButton);
    EXPECT_FALSE(page.Ended());
    EXPECT_EQ(index, 4);
    EXPECT_EQ(step, -1);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].id, 1063);
    EXPECT_EQ(ui.boxes[0].style, MB_OKCANCEL | MB_ICONEXCLAMATION);
    EXPECT_TRUE(ui.boxes[0].owned);

    ui.answers = {IDOK};
    page.Command(kExitButton);
    EXPECT_TRUE(page.Ended());
    EXPECT_EQ(index, -1);
    EXPECT_EQ(step, 1);

    // On the finish page (index 10) Exit asks nothing.
    ui.boxes.clear();
    index = 10;
    WVexaTerminate finish(nullptr, &index, &step);
    Open(finish).Command(kExitButton);
    EXPECT_TRUE(finish.Ended());
    EXPECT_EQ(index, -1);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(PageTest, PicturesAreLeftOutWhenTheIndexHoldsMinusOne) {
    WVexaPresentation shown(nullptr, &index, &step);
    EXPECT_EQ(shown.PictureId(), 1);
    index = -1;
    std::string location;
    WVexaSetupDir prompt(nullptr, &index, &step, "p", location);
    EXPECT_EQ(prompt.PictureId(), 0);
}

struct PresentationCase {
    const char* name;
    std::uint32_t product, w8051, xa, st6, st5, addOn, lpc, xe;
    int what, space, advice;
};

TEST_F(PageTest, PresentationTextsFollowTheFlavour) {
    const PresentationCase cases[] = {
        {"st5 first", 0x1, 0, 0, 0, 0x21, 0, 0, 0, 1255, 1256, 1258},
        {"st6 kit", 0x4, 0, 0, 0, 0, 0, 0, 0, 1005, 1006, 1008},
        {"philips plain", 0x2, 0x7, 0x7, 0, 0, 0, 0, 0, 1085, 1002, 1004},
        {"philips mifare", 0x2, 0, 0, 0, 0, 1u << 16, 0, 0, 1223, 1002, 1004},
        {"philips sxa2 lite sxa", 0x2, 0, 0, 0, 0, (1u << 13) | (1u << 14) | 1u, 0, 0, 1222, 1002, 1004},
        {"philips sxa2 lite", 0x2, 0, 0, 0, 0, (1u << 13) | (1u << 14), 0, 0, 1221, 1002, 1004},
        {"philips sxa2 sxa", 0x2, 0, 0, 0, 0, (1u << 13) | 1u, 0, 0, 1219, 1002, 1004},
        {"philips lite sxa", 0x2, 0, 0, 0, 0, (1u << 14) | 1u, 0, 0, 1220, 1002, 1004},
        {"philips sxa2", 0x2, 0, 0, 0, 0, 1u << 13, 0, 0, 1217, 1002, 1004},
        {"philips lite", 0x2, 0, 0, 0, 0, 1u << 14, 0, 0, 1218, 1002, 1004},
        {"philips sxa emu", 0x2, 0, 0, 0, 0, 0x2, 0, 0, 1102, 1002, 1004},
        {"infineon", 0x80, 0x7, 0, 0, 0, 0, 0, 0, 1103, 1002, 1004},
        {"kit xe", 0x1, 0, 0, 0, 0, 0, 0, 0x1, 1235, 1002, 1004},
        {"kit lpc", 0x1, 0, 0, 0, 0, 0, 0x1, 0, 1302, 1002, 1004},
        {"kit 8051 xa", 0x1, 0x7, 0x7, 0, 0, 0, 0, 0, 1085, 1002, 1004},
        {"kit xa alone", 0x1, 0, 0x7, 0, 0, 0, 0, 0, 1232, 1002, 1004},
        {"kit 8051 xa st6", 0x1, 0x7, 0x7, 0x7, 0, 0, 0, 0, 1001, 1002, 1004},
        {"kit xa starc", 0x1, 0, 0x7, 0, 0, 0x4, 0, 0, 1094, 1002, 1004},
        {"kit xa starc starc2", 0x1, 0, 0x7, 0, 0, 0x4 | (1u << 19), 0, 0, 1227, 1002, 1004},
        {"kit xa starc2", 0x1, 0, 0x7, 0, 0, 1u << 19, 0, 0, 1225, 1002, 1004},
        {"kit xa micsim", 0x1, 0, 0x7, 0, 0, 0x10, 0, 0, 1210, 1002, 1004},
        {"kit xa mifare", 0x1, 0, 0x7, 0, 0, 1u << 15, 0, 0, 1223, 1002, 1004},
        {"kit starc starc2", 0x1, 0, 0, 0, 0, 0x4 | (1u << 19), 0, 0, 1226, 1002, 1004},
        {"kit starc", 0x1, 0, 0, 0, 0, 0x4, 0, 0, 1105, 1002, 1004},
        {"kit starc2", 0x1, 0, 0, 0, 0, 1u << 19, 0, 0, 1224, 1002, 1004},
        {"kit micsim", 0x1, 0, 0, 0, 0, 0x10, 0, 0, 1210, 1002, 1004},
        {"kit 8051", 0x1, 0x7, 0, 0, 0, 0, 0, 0, 1103, 1002, 1004},
        {"tools", 0, 0x7, 0, 0, 0, 0, 0, 0, 0, 1010, 1011},
        {"release st6", 0x8, 0x7, 0, 0x1, 0, 0, 0, 0, 0, 1099, 1011},
        {"release 8051", 0x8, 0x2, 0x7, 0, 0, 0, 0, 0, 0, 1100, 1011},
        {"release xa", 0x8, 0, 0x4, 0, 0, 0, 0, 0, 0, 1101, 1011},
        {"release other", 0x8, 0x8, 0, 0, 0, 0, 0, 0, 0, 1098, 1011},
    };
    for (const auto& c : cases) {
        ResetSetupRecord();
        SetupRecord& s = ::Setup();
        s.productWord = c.product;
        s.word8051 = c.w8051;
        s.xaWord = c.xa;
        s.st6Word = c.st6;
        s.st5Word = c.st5;
        s.addOnWord = c.addOn;
        s.lpcWord = c.lpc;
        s.xeWord = c.xe;
        PresentationTexts t = ChoosePresentationTexts();
        EXPECT_EQ(t.what, c.what) << c.name;
        EXPECT_EQ(t.space, c.space) << c.name;
        EXPECT_EQ(t.advice, c.advice) << c.name;
        WVexaPresentation page(nullptr, &index, &step);
        Open(page);
        EXPECT_EQ(page.GetDlgItemText(110), c.what ? Msg(c.what) : "") << c.name;
        EXPECT_EQ(page.GetDlgItemText(111), Msg(c.space)) << c.name;
    }
}

TEST_F(PageTest, PatchPresentationNamesThePatchAndItsDirectory) {
    SetupRecord& s = ::Setup();
    s.patchWord = 1;
    s.patchBuildNumber = "B101";
    s.patchDescription = "Fix";
    s.installDir = "C:\\OVRA";
    s.patchDir = "\\BIN";
    WVexaPresentation page(nullptr, &index, &step);
    Open(page);
    EXPECT_EQ(page.caption, "Presentation");
    EXPECT_EQ(page.GetDlgItemText(110), "This program will install \"Fix\" for Vexa B101.");
    EXPECT_EQ(page.GetDlgItemText(111), " ");
    EXPECT_EQ(page.GetDlgItemText(113), "The files will be installed in \"C:\\OVRA\\BIN\" directory.");
    EXPECT_FALSE(page.Find(kBackButton)->enabled);

    s.patchDir.clear();
    WVexaPresentation plain(nullptr, &index, &step);
    Open(plain);
    EXPECT_EQ(plain.GetDlgItemText(113), Msg(1004));
}

TEST_F(PageTest, LicenceComesFromTheMediaWithoutBlankLinesOrIndentation) {
    WriteHostFile(prefix.DriveC("media/license.txt"), "  First line\n\n\tSecond\r\n   \nThird");
    WVexaLicence page(nullptr, &index, &step);
    Open(page);
    const auto* list = page.Find(105);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->items, (std::vector<std::string>{"First line", "Second", "Third"}));
    EXPECT_EQ(page.GetDlgItemText(kNextButton), "I &accept");
    EXPECT_EQ(page.GetDlgItemText(kExitButton), "I &do not accept");
    EXPECT_EQ(page.caption, "End-User License Agreement");
}

TEST_F(PageTest, LicenceFallsBackOnlyWhenTheFileCannotBeOpened) {
    {
        WVexaLicence page(nullptr, &index, &step);
        Open(page);
        EXPECT_EQ(page.Find(105)->items.size(), 76u);
    }
    ::Setup().languageOffset = 1000;
    {
        WVexaLicence page(nullptr, &index, &step);
        Open(page);
        EXPECT_EQ(page.Find(105)->items.size(), 81u);
    }
    ::Setup().languageOffset = 0;
    WriteHostFile(prefix.DriveC("media/license.txt"), "");
    WVexaLicence empty(nullptr, &index, &step);
    Open(empty);
    EXPECT_TRUE(empty.Find(105)->items.empty());
}

TEST_F(PageTest, ReadmeNextOpensTheViewerAndNeverLeaves) {
    index = 2;
    WVexaReadme page(nullptr, &index, &step);
    Open(page);
    EXPECT_EQ(page.GetDlgItemText(110), Msg(1021));
    page.Command(kNextButton);
    EXPECT_FALSE(page.Ended());
    ASSERT_EQ(ui.opened.size(), 1u);
    EXPECT_EQ(ui.opened[0], "C:\\media\\readme.txt");
    EXPECT_TRUE(ui.boxes.empty());

    ui.shellResult = 2;
    page.Command(kNextButton);
    EXPECT_FALSE(page.Ended());
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].caption, "Unable to open file");
    EXPECT_EQ(ui.boxes[0].text, "C:\\media\\readme.txt");
    EXPECT_EQ(ui.boxes[0].style, MB_ICONHAND);

    page.Command(WVexaReadme::kSkipButton);
    EXPECT_TRUE(page.Ended());
    EXPECT_EQ(index, 3);
}

TEST_F(PageTest, ReadmeRefusesANetworkPathAndNamesTheSt6File) {
    ::Setup().sourceDir = "\\\\server\\share\\";
    WVexaReadme page(nullptr, &index, &step);
    Open(page).Command(kNextButton);
    EXPECT_EQ(ui.BoxIds(), std::vector<int>{1081});
    EXPECT_TRUE(ui.opened.empty());
    EXPECT_FALSE(page.Ended());

    ::Setup().sourceDir = "C:\\media\\";
    ::Setup().productWord = 0x4;
    WVexaReadme st6(nullptr, &index, &step);
    Open(st6).Command(kNextButton);
    EXPECT_EQ(st6.GetDlgItemText(110), Msg(1022));
    ASSERT_EQ(ui.opened.size(), 1u);
    EXPECT_EQ(ui.opened[0], "C:\\media\\readmewe.txt");
}

TEST_F(PageTest, DestinationIsStoredWithoutItsTrailingBackslash) {
    struct Case {
        const char* typed;
        const char* stored;
        bool leaves;
    } cases[] = {{"C:\\Tools\\", "C:\\Tools", true},
                 {"D:\\Kit", "D:\\Kit", true},
                 {"", "", false},
                 // Nothing but a drive is refused like an empty field.
                 {"\\", "", false},
                 {"C:\\", "C:", false},
                 {"C:", "C:", false},
                 {"C:\\\\", "C:\\", false}};
    for (const auto& c : cases) {
        index = 6;
        ui.boxes.clear();
        WVexaDirectory page(nullptr, &index, &step);
        Open(page).UserEdit(WVexaDirectory::kDirectoryEdit, c.typed);
        page.Command(kNextButton);
        EXPECT_EQ(::Setup().installDir, c.stored) << c.typed;
        EXPECT_EQ(page.Ended(), c.leaves) << c.typed;
        EXPECT_EQ(ui.BoxIds(), c.leaves ? std::vector<int>{} : std::vector<int>{1062}) << c.typed;
    }
}

TEST_F(PageTest, XeDestinationMustReadTheSameIn83Form) {
    ::Setup().xeWord = 1;
    ::Setup().productWord = 1;
    CreateDirectoryA("C:\\Long Directory Name", nullptr);
    struct Case {
        const char* typed;
        bool leaves;
    } cases[] = {{"C:\\NOTYET\\SUB.DIR", true},
                 {"C:\\Long Directory Name", false},
                 {"C:\\LONG~F30", true},
                 {"C:\\windows", true},
                 // A directory that does not exist yet has no short form: its names must be 8.3 names.
                 {"C:\\Not Yet There\\Sub", false},
                 {"C:\\Program Files\\New Long Name", false},
                 {"C:\\LONG~F30\\NEWONE", true},
                 {"C:\\Long Directory Name\\NEW", false},
                 {"C:\\NINECHARS", false}};
    for (const auto& c : cases) {
        ui.boxes.clear();
        index = 6;
        WVexaDirectory page(nullptr, &index, &step);
        Open(page);
        EXPECT_EQ(page.GetDlgItemText(112), Msg(1248));
        page.UserEdit(WVexaDirectory::kDirectoryEdit, c.typed);
        page.Command(kNextButton);
        EXPECT_EQ(page.Ended(), c.leaves) << c.typed;
        if (!c.leaves) {
            EXPECT_EQ(ui.BoxIds(), (std::vector<int>{1248, 1062})) << c.typed;
            EXPECT_EQ(ui.boxes[0].style, MB_OK);
            EXPECT_EQ(::Setup().installDir, c.typed);
        }
    }
}

TEST_F(PageTest, BrowseAppendsOvraAndCancelRestores) {
    ::Setup().installDir = "C:\\Before";
    WVexaDirectory page(nullptr, &index, &step);
    Open(page);
    page.Command(WVexaDirectory::kBrowseButton);
    EXPECT_EQ(::Setup().installDir, "C:\\Before");
    EXPECT_EQ(page.GetDlgItemText(WVexaDirectory::kDirectoryEdit), "C:\\Before");
    ASSERT_EQ(ui.browseTitles.size(), 1u);
    EXPECT_EQ(ui.browseTitles[0], "Select Setup Directory for OVRA");
    ui.browseResult = "D:\\Work";
    page.Command(WVexaDirectory::kBrowseButton);
    EXPECT_EQ(page.GetDlgItemText(WVexaDirectory::kDirectoryEdit), "D:\\Work\\OVRA");
    EXPECT_FALSE(page.Ended());
    // A drive root comes back from the browser with its backslash.
    ui.browseResult = "C:\\";
    page.Command(WVexaDirectory::kBrowseButton);
    EXPECT_EQ(page.GetDlgItemText(WVexaDirectory::kDirectoryEdit), "C:\\OVRA");
    EXPECT_EQ(::Setup().installDir, "C:\\OVRA");
}

TEST(EightDotThree, NamesThatAreTheirOwnShortForm) {
    struct Case {
        const char* name;
        bool valid;
    } cases[] = {{"OVRA", true},
                 {"ovra", true},
                 {"TOOLS.BIN", true},
                 {"A", true},
                 {"12345678.123", true},
                 {"$~(X)_-.{}", true},
                 {"123456789", false},
                 {"TOOLS.BINX", false},
                 {"TOOLS.", false},
                 {".BIN", false},
                 {"A.B.C", false},
                 {"NEW NAME", false},
                 {"A+B", false},
                 {"A,B", false},
                 {"A;B", false},
                 {"A[1]", false},
                 {"", false},
                 {"R\xE9PERT", false}};
    for (const auto& c : cases)
        EXPECT_EQ(IsEightDotThreeName(c.name), c.valid) << c.name;
    EXPECT_TRUE(IsEightDotThreePath("C:\\XE\\TOOLS.1"));
    EXPECT_TRUE(IsEightDotThreePath("\\XE"));
    EXPECT_FALSE(IsEightDotThreePath("C:\\XE\\\\TOOLS"));
    EXPECT_FALSE(IsEightDotThreePath("C:\\"));
}

TEST_F(PageTest, DestinationTextsForKitsAndTools) {
    WVexaDirectory tools(nullptr, &index, &step);
    Open(tools);
    EXPECT_EQ(tools.GetDlgItemText(110), Msg(1014));
    EXPECT_EQ(tools.GetDlgItemText(113), Msg(1020));
    EXPECT_EQ(tools.GetDlgItemText(106), "Bro&wse");
    ::Setup().productWord = 2;
    WVexaDirectory kit(nullptr, &index, &step);
    Open(kit);
    EXPECT_EQ(kit.GetDlgItemText(110), Msg(1013));
    EXPECT_EQ(kit.GetDlgItemText(112), Msg(1017));
    EXPECT_EQ(kit.GetDlgItemText(206), "c:\\OVRA");
}

TEST_F(PageTest, SourcePromptReturnsTheLocationWithABackslash) {
    struct Case {
        const char* typed;
        const char* location;
        bool closes;
    } cases[] = {
        {"D:", "D:\\", true}, {"D:\\", "D:\\", true}, {"E:\\disk2", "E:\\disk2\\", true}, {"", "old", false}};
    for (const auto& c : cases) {
        std::int32_t promptIndex = -1, promptStep = 1;
        std::string location = "old";
        WVexaSetupDir prompt(nullptr, &promptIndex, &promptStep, "Please insert", location);
        Open(prompt);
        EXPECT_EQ(prompt.caption, "Setup path");
        EXPECT_EQ(prompt.GetDlgItemText(216), "Please insert");
        prompt.UserEdit(WVexaSetupDir::kLocationEdit, c.typed);
        prompt.Command(IDOK);
        EXPECT_EQ(prompt.Ended(), c.closes) << c.typed;
        EXPECT_EQ(location, c.location) << c.typed;
    }
    std::int32_t promptIndex = -1, promptStep = 1;
    std::string location = "kept";
    WVexaSetupDir prompt(nullptr, &promptIndex, &promptStep, "p", location);
    Open(prompt).Command(IDCANCEL);
    EXPECT_EQ(prompt.Result(), IDCANCEL);
    EXPECT_EQ(location, "kept");
}

TEST_F(PageTest, LanguageGroupAppearsOnlyWithBothLanguages) {
    struct Case {
        const char* name;
        std::uint32_t product;
        std::uint16_t offset;
        bool shown;
        bool english;
    } cases[] = {
        {"kit english only", 0x11, 0, false, true},
        {"kit french only", 0x21, 0, false, false},
        {"kit both", 0x31, 0, true, true},
        {"kit both french ui", 0x31, 1000, true, false},
        {"st6 both", 0x34, 1000, true, true},
        {"release both", 0x38, 0, true, true},
        // Neither language named: the flag stays as the media check used it (false here).
        {"kit neither", 0x01, 0, false, false},
    };
    for (const auto& c : cases) {
        ResetSetupRecord();
        ::Setup().productWord = c.product;
        ::Setup().languageOffset = c.offset;
        WVexaInstApp app;
        app.pageIndex = 5;
        app.englishFiles = 0;
        app.completeSetup = 0;
        WVexaFullOrCustom page(nullptr, app);
        Open(page);
        EXPECT_EQ(page.Find(105)->visible, c.shown) << c.name;
        EXPECT_EQ(page.Find(106)->visible, c.shown) << c.name;
        EXPECT_FALSE(page.Find(204)->enabled) << c.name;
        EXPECT_TRUE(page.IsDlgButtonChecked(204)) << c.name;
        EXPECT_EQ(app.completeSetup, 1) << c.name;
        page.Command(kNextButton);
        EXPECT_EQ(app.englishFiles, c.english ? 1 : 0) << c.name;
        EXPECT_EQ(app.pageIndex, 6);
    }
}

TEST_F(PageTest, LanguageChoiceIsStored) {
    ::Setup().productWord = 0x31;
    WVexaInstApp app;
    WVexaFullOrCustom page(nullptr, app);
    Open(page).UserClickRadio(107);
    EXPECT_FALSE(page.IsDlgButtonChecked(106));
    page.UserClickRadio(204);  // the type radios are disabled
    page.Command(kNextButton);
    EXPECT_EQ(app.englishFiles, 0);
    EXPECT_EQ(app.completeSetup, 1);
}

TEST_F(PageTest, TheLanguageChosenIsShownAgainOnTheNextVisit) {
    ::Setup().productWord = 0x31;
    WVexaInstApp app;
    for (int choice : {107, 106}) {
        WVexaFullOrCustom first(nullptr, app);
        Open(first).UserClickRadio(choice);
        first.Command(kNextButton);
        // Back from the destination page, and Next again without touching the radios.
        WVexaFullOrCustom again(nullptr, app);
        Open(again);
        EXPECT_TRUE(again.IsDlgButtonChecked(choice)) << choice;
        EXPECT_FALSE(again.IsDlgButtonChecked(choice == 107 ? 106 : 107)) << choice;
        again.Command(kNextButton);
        EXPECT_EQ(app.englishFiles, choice == 106 ? 1 : 0) << choice;
    }
}

TEST_F(PageTest, NeitherLanguageKeepsTheFolderOfTheMediaCheck) {
    ::Setup().productWord = 0x01;
    for (std::uint8_t english : {0, 1}) {
        WVexaInstApp app;
        app.englishFiles = english;
        WVexaFullOrCustom page(nullptr, app);
        Open(page).Command(kNextButton);
        EXPECT_EQ(app.englishFiles, english);
        EXPECT_FALSE(page.Find(105)->visible);
    }
}

TEST_F(PageTest, UserInformationKeepsWhatWasTyped) {
    ::Setup().userName = "Old";
    WVexaUserInfo page(nullptr, &index, &step);
    Open(page);
    EXPECT_EQ(page.GetDlgItemText(WVexaUserInfo::kNameEdit), "Old");
    page.UserEdit(WVexaUserInfo::kNameEdit, std::string(300, 'n'));
    page.UserEdit(WVexaUserInfo::kCompanyEdit, "");
    page.Command(kNextButton);
    EXPECT_EQ(::Setup().userName, std::string(254, 'n'));
    EXPECT_EQ(::Setup().company, "");
}

TEST_F(PageTest, FreeSpaceFormatsAtTheirThresholds) {
    struct Case {
        unsigned long long bytes;
        const char* text;
    } cases[] = {{0, "0 bytes"},
                 {1024, "1024 bytes"},
                 {1025, "1 Kbytes"},
                 {1048576, "1024 Kbytes"},
                 {1048577, "1 Mbytes"},
                 {3u * 1048576u, "3 Mbytes"},
                 {5ull << 40, "5242880 Mbytes"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatFreeSpace(c.bytes), c.text) << c.bytes;
}

TEST_F(PageTest, SummaryShowsFreeAndRequiredSpace) {
    prefix.machine().faults().reportedFreeSpace = 1025;
    struct Case {
        std::uint32_t product;
        const char* required;
    } cases[] = {
        {0x2, "32 Mbytes"}, {0x4, "8 Mbytes"}, {0x6, "8 Mbytes"}, {0x8, "1 Mbytes"}, {0x80, "32 Mbytes"}};
    for (const auto& c : cases) {
        ::Setup().productWord = c.product;
        ::Setup().installDir = "c:\\Kit";
        WVexaDiskInfo page(nullptr, &index, &step);
        Open(page);
        EXPECT_EQ(page.GetDlgItemText(209), c.required) << c.product;
        EXPECT_EQ(page.GetDlgItemText(208), "1 Kbytes");
        EXPECT_EQ(page.GetDlgItemText(215), "c:\\Kit");
    }
}

TEST_F(PageTest, FinishPageShowsOnlyExit) {
    index = 10;
    WVexaTerminate page(nullptr, &index, &step);
    Open(page);
    EXPECT_FALSE(page.Find(110)->visible);
    EXPECT_EQ(page.GetDlgItemText(111), "Setup has finished installing files. ");
    EXPECT_FALSE(page.Find(112)->visible);
    EXPECT_FALSE(page.Find(kNextButton)->visible);
    EXPECT_FALSE(page.Find(kBackButton)->visible);
    EXPECT_TRUE(page.Find(kExitButton)->visible);

    ::Setup().xeWord = 1;
    WVexaTerminate xe(nullptr, &index, &step);
    Open(xe);
    EXPECT_TRUE(xe.Find(110)->visible);
    EXPECT_EQ(xe.GetDlgItemText(110), Msg(1054));
    EXPECT_EQ(xe.GetDlgItemText(111), Msg(1055));
}

TEST_F(PageTest, HelpAsksForThePageTopic) {
    struct Case {
        InstallOptionDialog* page;
        const char* request;
    };
    WVexaPresentation a(nullptr, &index, &step);
    WVexaReadme b(nullptr, &index, &step);
    WVexaDirectory c(nullptr, &index, &step);
    WVexaUserInfo d(nullptr, &index, &step);
    WVexaDiskInfo e(nullptr, &index, &step);
    WVexaInstApp app;
    WVexaFullOrCustom f(nullptr, app);
    for (InstallOptionDialog* page : std::initializer_list<InstallOptionDialog*>{&a, &b, &f, &d, &c, &e}) {
        page->SetupWindow();
        page->Command(kHelpButton);
        EXPECT_FALSE(page->Ended());
    }
    EXPECT_EQ(ui.helpRequests,
              (std::vector<std::string>{"C:\\media\\INSTALL.HLP#1", "C:\\media\\INSTALL.HLP#2",
                                        "C:\\media\\INSTALL.HLP#4", "C:\\media\\INSTALL.HLP#6",
                                        "C:\\media\\INSTALL.HLP#7", "C:\\media\\INSTALL.HLP#8"}));
}

}  // namespace
