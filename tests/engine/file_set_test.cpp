#include "engine/file_set.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

#include "engine/engine_fixture.h"
#include "engine/progress.h"
#include "mkmedia/pe_image.h"
#include "pages/directory.h"

namespace {

using testing_support::EngineTest;

using FileSetTest = EngineTest;

// A list line as a quoted manifest word.
std::string Quoted(const std::string& line) {
    std::string out = "\"";
    for (char c : line) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

TEST_F(FileSetTest, InstallsAListAndLogsEveryLine) {
    Media(R"(
set Ovra_1
  md BIN
  file bin Ovra.exe pe=6.10.2 gauge=40
  file bin help.hlp size=3000 gauge=70
  file . notes.txt text="hello\n" plain
end
)");
    EXPECT_EQ(Install("Ovra_1"), 1);
    EXPECT_EQ(Read("OVRA\\BIN\\help.HLP"), mkmedia::GeneratedText(3000, "help.hlp"));
    EXPECT_EQ(Read("OVRA\\notes.txt"), "hello\n");
    EXPECT_EQ(Names("OVRA"), (std::vector<std::string>{"BIN", "notes.txt", "uninst.ins"}));
    EXPECT_EQ(Names("OVRA\\BIN"), (std::vector<std::string>{"Ovra.EXE", "help.HLP"}));
    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              ";The Uninstall program uses this file to remove Vexa 6.1 from your computer.",
                              "md C:\\OVRA\\BIN", "copy C:\\OVRA\\bin\\Ovra.EXE",
                              "copy C:\\OVRA\\bin\\help.HLP", "copy C:\\OVRA\\.\\notes.txt"}));
    EXPECT_TRUE(ui.boxes.empty());
    ASSERT_TRUE(app->progress);
    EXPECT_EQ(app->progress->caption, "Installing ovra_1");
    EXPECT_EQ(ui.modeless.front(), "show Installing");
    // The gauge follows the list; a line without a position keeps it.
    EXPECT_EQ(ui.modeless[2], "Installing ovra_1|Making the directory :\nC:\\OVRA\\BIN|0");
    EXPECT_EQ(ui.modeless[3], "Installing ovra_1|Copying the file :\nC:\\OVRA\\BIN\\OVRA.EXE|40");
    EXPECT_EQ(ui.modeless.back(), "Installing ovra_1|Copying the file :\nC:\\OVRA\\.\\NOTES.TXT|70");
}

TEST_F(FileSetTest, CommentsAndUnknownKeywordsInstallNothing) {
    Media(R"(
set Empty
  line "; a comment"
  line "   "
  line "frobnicate a b c"
  line ";copy x.dl_ bin P0 L1"
end
)");
    EXPECT_EQ(Install("Empty"), 1);
    EXPECT_EQ(Names("OVRA"), (std::vector<std::string>{"uninst.ins"}));
    EXPECT_EQ(LogLines().size(), 1u);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(FileSetTest, UnknownExtensionStaysAndTheGaugeMoves) {
    Media(R"(
set Doc
  md doc
  file doc readme.tx_ text="0123456789" plain gauge=50
end
)");
    ASSERT_EQ(Install("Doc"), 1);
    EXPECT_EQ(Read("OVRA\\doc\\readme.tx_"), "0123456789");
    EXPECT_EQ(app->progress->GaugeValue(), 50);
}

TEST_F(FileSetTest, RestoredExtensionNamesTheFileAndItsLogLine) {
    Media("set Tool\n  md bin\n  file bin tool.exe size=100\nend\n");
    ASSERT_EQ(Install("Tool"), 1);
    EXPECT_EQ(Names("OVRA\\bin"), (std::vector<std::string>{"tool.EXE"}));
    EXPECT_EQ(LogLines().back(), "copy C:\\OVRA\\bin\\tool.EXE");
}

TEST_F(FileSetTest, TildeNamesAreWrittenWithUnderscoreThenRenamed) {
    Media(
        "set T\n  md bin\n  file bin LONGNA~1.DLL size=64\n  file bin LONGFI~1.DLL size=32 "
        "long=LongFileName.dll\nend\n");
    ASSERT_EQ(Install("T"), 1);
    EXPECT_EQ(Names("OVRA\\bin"), (std::vector<std::string>{"LONGNA~1.DLL", "LongFileName.DLL"}));
    EXPECT_EQ(Read("OVRA\\bin\\LONGNA~1.DLL"), mkmedia::GeneratedText(64, "LONGNA~1.DLL"));
    EXPECT_EQ(Read("OVRA\\bin\\LongFileName.DLL"), mkmedia::GeneratedText(32, "LONGFI~1.DLL"));
    auto log = LogLines();
    EXPECT_EQ(log[2], "copy C:\\OVRA\\bin\\LONGNA~1.DLL");
    EXPECT_EQ(log[3], "copy C:\\OVRA\\bin\\LongFileName.DLL");
}

TEST_F(FileSetTest, AnEightDotThreeNameOfTheMediaIsNeverTakenForALongFileThere) {
    // Media name files in the ~1 form; a long name already in the directory whose stem starts the
    // same must neither receive the file nor lose its own (Wine's aliases put their '~' elsewhere).
    CreateDirectoryA("C:\\OVRA\\bin", nullptr);
    testing_support::WriteHostFile(prefix.DriveC("OVRA/bin/LongNameLibrary.dll"), "keep");
    Media(
        "set T\n  file bin LONGNA~1.DLL size=64\n  file bin LONGFI~1.DLL size=32 long=LongFileName.dll\n"
        "end\n");
    ASSERT_EQ(Install("T"), 1);
    EXPECT_EQ(Names("OVRA\\bin"),
              (std::vector<std::string>{"LONGNA~1.DLL", "LongFileName.DLL", "LongNameLibrary.dll"}));
    EXPECT_EQ(Read("OVRA\\bin\\LONGNA~1.DLL"), mkmedia::GeneratedText(64, "LONGNA~1.DLL"));
    EXPECT_EQ(Read("OVRA\\bin\\LongNameLibrary.dll"), "keep");
    EXPECT_EQ(Read("OVRA\\bin\\LongFileName.DLL"), mkmedia::GeneratedText(32, "LONGFI~1.DLL"));
}

TEST_F(FileSetTest, LongNamesAreInstalledUnderTheirOwnName) {
    Media(R"(
set L
  md bin
  file bin Description.txt text="A long name." long=Description.txt plain gauge=100
  file bin LongLibrary.lib size=700
end
)");
    ASSERT_EQ(Install("L"), 1);
    EXPECT_EQ(Names("OVRA\\bin"), (std::vector<std::string>{"Description.txt", "LongLibrary.LIB"}));
    EXPECT_EQ(Read("OVRA\\bin\\Description.txt"), "A long name.");
    EXPECT_FALSE(Exists("OVRA\\tempfile.tmp"));
    std::vector<std::string> installs;
    for (const auto& t : ui.traces)
        if (t.find("verinstall ") == 0) installs.push_back(t.substr(0, t.find(' ', 11)));
    EXPECT_EQ(installs,
              (std::vector<std::string>{"verinstall Description.txt", "verinstall LongLibrary.LIB"}));
}

// A kit installed again over itself: every "~" and long name is replaced where it lies, nothing
// piles up under an intermediate name.
TEST_F(FileSetTest, ReinstallingReplacesTildeAndLongNamesInPlace) {
    Media(
        "set T\n  md bin\n  file bin LONGNA~1.DLL size=64\n  file bin LONGFI~1.DLL size=32 "
        "long=LongFileName.dll\n  file bin LongLibrary.dll size=48\nend\n");
    ASSERT_EQ(Install("T"), 1);
    const std::vector<std::string> names = {"LONGNA~1.DLL", "LongFileName.DLL", "LongLibrary.DLL"};
    std::vector<std::string> fresh;
    for (const auto& name : names) {
        fresh.push_back(Read("OVRA\\bin\\" + name));
        testing_support::WriteHostFile(Host("OVRA\\bin\\" + name), "stale");
    }
    ASSERT_EQ(Install("T"), 1);
    EXPECT_EQ(Names("OVRA\\bin"),
              (std::vector<std::string>{"LONGNA~1.DLL", "LongFileName.DLL", "LongLibrary.DLL"}));
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(Read("OVRA\\bin\\" + names[i]), fresh[i]) << names[i];
    EXPECT_TRUE(ui.boxes.empty());
}

// The version question is about the file that is there, whatever the length of its name.
TEST_F(FileSetTest, AnOlderLongNamedLibraryAsksLikeAShortNamedOne) {
    std::array<std::uint16_t, 4> newer;
    mkmedia::ParseVersion("7.0", newer);
    auto image = mkmedia::MakePeImage(newer, "7.0", true);
    const std::string newerBytes(image.begin(), image.end());
    for (const char* name : {"Short.dll", "LongLibrary.dll", "LongFileName.dll"})
        testing_support::WriteHostFile(prefix.DriveC(std::string("OVRA/bin/") + name), newerBytes);
    Media(
        "set V\n  md bin\n  file bin Short.dll pe=6.10.2 VERSION\n  file bin LongLibrary.dll pe=6.10.2 "
        "VERSION\n  file bin LONGFI~1.DLL pe=6.10.2 long=LongFileName.dll VERSION\nend\n");
    ui.answers = {IDNO, IDNO, IDNO};
    ASSERT_EQ(Install("V"), 1);
    ASSERT_EQ(ui.BoxIds(), (std::vector<int>{1072, 1072, 1072}));
    EXPECT_EQ(ui.boxes[1].text,
              "LongLibrary.DLL to install is older than the preexisting file!\nDo you want to overwrite the "
              "file?");
    EXPECT_EQ(ui.boxes[2].text,
              "LongFileName.DLL to install is older than the preexisting file!\nDo you want to overwrite the "
              "file?");
    for (const char* name : {"Short.dll", "LongLibrary.dll", "LongFileName.dll"})
        EXPECT_EQ(Read(std::string("OVRA\\bin\\") + name), newerBytes) << name;
    EXPECT_EQ(Names("OVRA\\bin").size(), 3u);
}

TEST_F(FileSetTest, TheInstalledNameDoesNotDependOnTheLog) {
    // A patch writes no uninstall log.
    ::Setup().uninstallLog.clear();
    Media(
        "set P\n  md bin\n  file bin LONGNA~1.DLL size=64\n  file bin LONGFI~1.DLL size=8 "
        "long=Long.dll\nend\n");
    ASSERT_EQ(Install("P"), 1);
    EXPECT_EQ(Names("OVRA\\bin"), (std::vector<std::string>{"LONGNA~1.DLL", "Long.DLL"}));
}

TEST_F(FileSetTest, AnAbortedSetLeavesNoTemporaryFile) {
    Media("set X\n  md bin\n  file bin a.dll size=40\n  file bin b.dll size=40 at=3\nend\n");
    EXPECT_EQ(Install("X"), 0);
    EXPECT_EQ(ui.BoxIds(), (std::vector<int>{1069}));
    EXPECT_TRUE(Exists("OVRA\\bin\\a.DLL"));
    EXPECT_FALSE(Exists("OVRA\\tempfile.tmp"));
}

TEST_F(FileSetTest, MdThenCopyIntoTheSameDirectoryInAnotherCase) {
    Media("set D\n  md Bin\n  md Bin\\Sub\n  file bin\\sub x.dll size=10\nend\n");
    ASSERT_EQ(Install("D"), 1);
    EXPECT_EQ(Names("OVRA"), (std::vector<std::string>{"BIN", "uninst.ins"}));
    EXPECT_EQ(Names("OVRA\\BIN"), (std::vector<std::string>{"SUB"}));
    EXPECT_TRUE(Exists("OVRA\\BIN\\SUB\\x.DLL"));
    EXPECT_EQ(LogLines()[2], "md C:\\OVRA\\BIN\\SUB");
}

TEST_F(FileSetTest, RegEntriesWriteAndDeleteKeys) {
    WritePrivateProfileStringA("MAIN", "Path", "old", "C:\\windows\\OVRA.ini");
    Media(R"(
set R
  regentry Path MAIN
  regentry Version Ovra 6.10
  regentrywithpath BinDir Ovra BIN
end
)");
    ASSERT_EQ(Install("R"), 1);
    EXPECT_EQ(OvraIni("MAIN", "Path"), "<none>");
    EXPECT_EQ(OvraIni("Ovra", "Version"), "6.10");
    EXPECT_EQ(OvraIni("Ovra", "BinDir"), "C:\\OVRA\\BIN");
    EXPECT_EQ(LogLines().size(), 1u);  // registry lines are never logged
}

TEST_F(FileSetTest, V16OnlyIsSkippedAndSimulatorDllSetsTheFlag) {
    Media("set S\n  md bin\n  file bin old16.dll size=5 V16ONLY\n  file bin S8051.dll size=5 V32ONLY\nend\n");
    ASSERT_EQ(Install("S"), 1);
    EXPECT_FALSE(Exists("OVRA\\bin\\old16.dll"));
    EXPECT_TRUE(Exists("OVRA\\bin\\S8051.DLL"));
    EXPECT_TRUE(::Setup().simulatorDllsInstalled);
    EXPECT_EQ(LogLines(),
              (std::vector<std::string>{LogLines()[0], "md C:\\OVRA\\BIN", "copy C:\\OVRA\\bin\\S8051.DLL"}));
}

TEST_F(FileSetTest, LocationsWithAndWithoutRelease) {
    struct Case {
        const char* set;
        std::uint32_t product;
        std::uint8_t english;
        int result;
    } cases[] = {
        {"set A lang=English folder", 1, 1, 1},   // second location in the language folder
        {"set A lang=French", 1, 0, 1},           // French when the English flag is clear
        {"set A lang=French", 1, 1, 0},           // English asked, French present: prompt, cancel
        {"set A lang=root folder", 1 | 8, 1, 1},  // RELEASE: the set folder in the source directory
        {"set A lang=root", 1 | 8, 0, 1},         // RELEASE ignores the language
        {"set A lang=English", 1 | 8, 1, 0},      // RELEASE does not look into language folders
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(prefix.DriveC("media"));
        Media(std::string(c.set) + "\n  md bin\n  file bin a.dll size=10\nend\n");
        ::Setup().productWord = c.product;
        app->englishFiles = c.english;
        ui.shownDialogs.clear();
        ui.commands = {IDCANCEL};
        EXPECT_EQ(Install("A"), c.result) << c.set;
        EXPECT_EQ(ui.shownDialogs.size(), c.result ? 0u : 1u) << c.set;
        ui.commands.clear();
    }
}

TEST_F(FileSetTest, SourcePromptAcceptsAnotherLocation) {
    Media("set Debug\n  md bin\n  file bin d.dll size=10\nend\n", "other");
    std::string prompt, shownLocation;
    ui.onShow = [&](platform::Dialog& d) {
        prompt = d.GetDlgItemText(WVexaSetupDir::kPromptText);
        shownLocation = d.GetDlgItemText(WVexaSetupDir::kLocationEdit);
        d.UserEdit(WVexaSetupDir::kLocationEdit, "C:\\other");
    };
    std::string name = "Debug";
    ASSERT_EQ(InstallFileSet(*app, name), 1);
    EXPECT_EQ(name, "debug");
    EXPECT_EQ(ui.shownDialogs, (std::vector<int>{15}));
    EXPECT_EQ(prompt, "Please insert debug disk into the following location or enter another location.");
    EXPECT_EQ(shownLocation, "C:\\media\\");
    EXPECT_TRUE(Exists("OVRA\\bin\\d.DLL"));
    // The next set starts from the source directory again.
    ui.onShow = nullptr;
    ui.commands = {IDCANCEL};
    EXPECT_EQ(Install("Debug"), 0);
}

TEST_F(FileSetTest, CancelledPromptDestroysTheProgressWindow) {
    ui.commands = {IDCANCEL};
    EXPECT_EQ(Install("Missing"), 0);
    EXPECT_FALSE(app->progress);
    EXPECT_EQ(ui.modeless.back(), "close");
    EXPECT_TRUE(ui.boxes.empty());
    // A later set makes a new window.
    Media("set B\n  md bin\n  file bin b.dll size=3\nend\n");
    EXPECT_EQ(Install("B"), 1);
    EXPECT_TRUE(app->progress);
}

TEST_F(FileSetTest, ListWithoutDataFileIsCorrupted) {
    testing_support::WriteHostFile(prefix.DriveC("media/English/X.INS"),
                                   "md BIN\r\ncopy a.dl_ bin P0 L1\r\n");
    EXPECT_EQ(Install("X"), 0);
    EXPECT_EQ(ui.BoxIds(), (std::vector<int>{1069}));
    EXPECT_EQ(ui.boxes[0].text, "Source file corrupted !\nInstallation aborted !");
    EXPECT_FALSE(Exists("OVRA\\BIN"));
}

TEST_F(FileSetTest, DamagedRecordsEndTheSetWith1069) {
    const char* lines[] = {
        "copy a.dl_ bin L5",          // no offset
        "copy a.dl_ bin L5 P100000",  // beyond the end
        "copy a.dl_ bin L5 P-1",      // negative
        "copy b.dl_ bin L5 P0",       // another name at that offset
        "copy a.dl_ bin L5000 P0",    // longer than the data
        "copy a.dl_ bin L5 P1",       // not at a record
    };
    for (const char* line : lines) {
        std::filesystem::remove_all(prefix.DriveC("media"));
        Media(std::string("set X\n  md bin\n  file bin a.dll size=40\n  line ") + Quoted(line) +
              "\n  file bin c.dll size=9\nend\n");
        ui.boxes.clear();
        EXPECT_EQ(Install("X"), 0) << line;
        EXPECT_EQ(ui.BoxIds(), (std::vector<int>{1069})) << line;
        EXPECT_TRUE(Exists("OVRA\\bin\\a.DLL")) << line;  // done before stays done
        EXPECT_FALSE(Exists("OVRA\\bin\\c.DLL")) << line;
    }
}

TEST_F(FileSetTest, PathsOutsideTheInstallationDirectoryAreRefused) {
    const char* lines[] = {
        "copy a.dl_ ..\\.. L5 P0",
        "copy a.dl_ bin\\..\\..\\windows L5 P0",
        "copy a.dl_ C:\\windows L5 P0",
        "copy a.dl_ \\windows L5 P0",
        "copy a.dl_ ... L5 P0",
        "copy ..\\a.dl_ bin L5 P0",
        "copy a.dl_ bin L5 P0 N\"..\\..\\evil.dll\"",
        "copy a.dl_ bin L5 P0 N\"C:evil.dll\"",
        "md ..\\EVIL",
        "md C:\\EVIL",
    };
    for (const char* line : lines) {
        std::filesystem::remove_all(prefix.DriveC("media"));
        Media(std::string("set X\n  md bin\n  line ") + Quoted(line) + "\n  file bin a.dll size=40\nend\n");
        ui.boxes.clear();
        EXPECT_EQ(Install("X"), 0) << line;
        EXPECT_EQ(ui.BoxIds(), (std::vector<int>{1069})) << line;
        EXPECT_FALSE(Exists("EVIL")) << line;
        EXPECT_FALSE(Exists("evil.dll")) << line;
        EXPECT_FALSE(Exists("windows\\a.DLL")) << line;
        EXPECT_FALSE(Exists("OVRA\\bin\\a.DLL")) << line;
    }
}

TEST_F(FileSetTest, DiskFullWhileExtractingEndsTheSet) {
    Media("set F\n  md bin\n  file bin big.dll size=30000\n  file bin small.dll size=10\nend\n");
    Faults().diskSpaceLeft = 100;
    EXPECT_EQ(Install("F"), 0);
    EXPECT_EQ(ui.BoxIds(), (std::vector<int>{1070}));
    EXPECT_FALSE(Exists("OVRA\\bin\\small.DLL"));
    EXPECT_FALSE(Exists("OVRA\\tempfile.tmp"));
}

TEST_F(FileSetTest, RandomListsAndDataNeverCrash) {
    std::mt19937 rng(1234);
    const std::string alphabet = "copy md regentry P L N\" 0123456789 a.dl_ bin ; \\ .. ~_\r\n\t";
    for (int round = 0; round < 60; ++round) {
        std::string list, data;
        for (int i = 0; i < 300; ++i)
            list += alphabet[rng() % alphabet.size()];
        for (int i = 0; i < 200; ++i)
            data += static_cast<char>(rng() % 256);
        testing_support::WriteHostFile(prefix.DriveC("media/English/R.INS"), list);
        testing_support::WriteHostFile(prefix.DriveC("media/English/R.DAT"), data);
        ui.answers.assign(20, IDNO);
        int result = Install("R");
        EXPECT_TRUE(result == 0 || result == 1);
        for (const auto& box : ui.boxes)
            EXPECT_TRUE(box.id == 1069 || box.id == 1070 || box.id == 1073) << box.id;
        ui.boxes.clear();
    }
    EXPECT_FALSE(Exists("windows\\a.dll"));
}

}  // namespace
