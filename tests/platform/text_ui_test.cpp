// The text front end driven through a pipe: what the user types becomes edits, radio clicks and commands;
// the end of the input leaves every dialog; every event goes to the transcript as the headless front end
// writes it.
#include "platform/ui/text_ui.h"

#include <gtest/gtest.h>

#include "platform/text_ui_harness.h"
#include "platform/ui/cp1252.h"
#include "platform/ui/script_ui.h"
#include "platform/ui/transcript_lines.h"
#include "platform/win32.h"
#include "resources/catalogue_help.h"
#include "resources/dialog_templates.h"

namespace platform {
namespace {

using testing_support::TextUiHarness;

bool Contains(const std::string& haystack, const std::string& needle) {
    return haystack.find(needle) != std::string::npos;
}

// A page over a real template whose buttons behave as the wizard's do: Next ends it (unless told to
// refuse), Back ends it, Exit asks first and ends on OK.
class TestPage : public Dialog {
  public:
    TestPage(int templateId, UiApi& ui) : Dialog(resources::DialogTemplateFor(templateId)), ui_(ui) {}
    void Command(int id) override {
        commands.push_back(id);
        switch (id) {
            case 102:
                if (refuseNext) {
                    ui_.MessageBoxExA(Handle(), "Invalid input", "Setup", MB_ICONEXCLAMATION, 0);
                    return;
                }
                EndDialog(IDOK);
                return;
            case 101:
                EndDialog(IDCANCEL);
                return;
            case 103:
                if (exitRefused) return;
                if (ui_.MessageBoxExA(Handle(), "The setup process is not complete.", "Setup",
                                      MB_OKCANCEL | MB_ICONEXCLAMATION, 0) == IDOK)
                    EndDialog(IDOK);
                return;
            case 104:
                return;
            default:
                if (!cancelRefused) Dialog::Command(id);
        }
    }
    std::vector<int> commands;
    bool refuseNext = false;
    bool exitRefused = false;
    bool cancelRefused = false;

  private:
    UiApi& ui_;
};

TEST(TextUi, MnemonicsNumbersAndEnterPressButtons) {
    struct Case {
        const char* keys;
        int command;
        const char* pressLine;
    } cases[] = {
        {"n\n", 102, "press 102 \"&Next\""},     {"N\n", 102, "press 102 \"&Next\""},
        {"\n", 102, "press 102 \"&Next\""},      {"b\n", 101, "press 101 \"&Back\""},
        {"  B  \n", 101, "press 101 \"&Back\""}, {"w\nn\n", 106, "press 106 \"Bro&wse\""},
    };
    for (const auto& c : cases) {
        TextUiHarness h(c.keys);
        TestPage page(7, h.ui());
        h.ui().DialogBoxModal(nullptr, page);
        ASSERT_FALSE(page.commands.empty()) << c.keys;
        EXPECT_EQ(page.commands.front(), c.command) << c.keys;
        EXPECT_EQ(h.Lines("press").front(), c.pressLine) << c.keys;
    }
}

TEST(TextUi, ButtonsAreNumberedFromLeftToRight) {
    // Template 7: the edit is 1, then Back (x 100), Next (140), Browse (180), Help (220), Exit (259).
    const std::pair<const char*, int> cases[] = {{"2\n", 101}, {"3\n", 102}, {"5\n4\n", 104}};
    for (const auto& [keys, first] : cases) {
        TextUiHarness h(keys);
        TestPage page(7, h.ui());
        h.ui().DialogBoxModal(nullptr, page);
        ASSERT_FALSE(page.commands.empty()) << keys;
        EXPECT_EQ(page.commands.front(), first) << keys;
    }
    TextUiHarness h("n\n");
    TestPage page(7, h.ui());
    h.ui().DialogBoxModal(nullptr, page);
    std::string screen = h.Screen();
    EXPECT_TRUE(Contains(screen, "2) [B]ack   3) [N]ext <Enter>   4) Bro[w]se   5) [H]elp   6) [E]xit"))
        << screen;
}

TEST(TextUi, EditsTakeTheTypedTextWithinTheLimit) {
    std::string longText(300, 'x');
    struct Case {
        std::string keys;
        std::string expected;
    } cases[] = {
        {"1\nC:\\KIT\nn\n", "C:\\KIT"},
        {"1=D:\\Tools\\Ovra\nn\n", "D:\\Tools\\Ovra"},
        {"1\n\nn\n", "C:\\OVRA"},  // Enter alone keeps the text
        {"1=\nn\n", ""},
        {"1=" + longText + "\nn\n", std::string(259, 'x')},  // EM_LIMITTEXT 260 keeps 259 characters
    };
    for (const auto& c : cases) {
        TextUiHarness h(c.keys);
        TestPage page(7, h.ui());
        page.SetDlgItemText(206, "C:\\OVRA");
        h.ui().DialogBoxModal(nullptr, page);
        EXPECT_EQ(page.GetDlgItemText(206), c.expected) << c.keys;
        EXPECT_EQ(page.commands, std::vector<int>{102}) << c.keys;
        auto edits = h.Lines("edit ");
        if (c.keys.rfind("1\n\n", 0) == 0) {
            EXPECT_TRUE(edits.empty());
        } else {
            ASSERT_EQ(edits.size(), 1u) << c.keys;
            EXPECT_EQ(edits[0], EditLine(206, c.expected));
        }
    }
}

TEST(TextUi, WordsAndATypedPathAnswerThePage) {
    struct Case {
        int page;
        const char* keys;
        std::vector<int> commands;
        const char* field;  // the text of the page's field 206 afterwards, nullptr: not typed into
        const char* said;   // on the screen, "" for nothing in particular
    } cases[] = {
        // The destination page has one field: a path at the prompt is its text.
        {7, "D:\\TOOLS\nn\n", {102}, "D:\\TOOLS", ""},
        {7, "  C:\\Program Files\\Kit \n\n", {102}, "C:\\Program Files\\Kit", ""},
        {7, "2abc\nn\n", {102}, "2abc", ""},
        {7, "1=next\nn\n", {102}, "next", ""},  // a word as the text goes through its number
        {7, "next\n", {102}, nullptr, ""},
        {7, "BACK\n", {101}, nullptr, ""},
        {7, "Help\nbrowse\nn\n", {104, 106, 102}, nullptr, ""},
        // The user-information page has two fields: a text alone is no choice.
        {6, "Ada\nn\n", {102}, nullptr, "Unknown choice \"Ada\""},
        {1, "back\nn\n", {102}, nullptr, "\"Back\" is not available now"},
        // The finish page hides Next (its Finish): the word is refused, Exit still works.
        {12, "next\ne\n\n", {103}, nullptr, "This page has no \"next\" button"},
    };
    for (const auto& c : cases) {
        TextUiHarness h(c.keys);
        TestPage page(c.page, h.ui());
        h.ui().DialogBoxModal(nullptr, page);
        EXPECT_EQ(page.commands, c.commands) << c.keys;
        auto edits = h.Lines("edit ");
        if (c.field) {
            EXPECT_EQ(page.GetDlgItemText(206), c.field) << c.keys;
            EXPECT_EQ(edits, std::vector<std::string>{EditLine(206, c.field)}) << c.keys;
        } else {
            EXPECT_TRUE(edits.empty()) << c.keys;
        }
        EXPECT_TRUE(Contains(h.Screen(), c.said)) << c.keys << h.Screen();
    }
}

TEST(TextUi, QuestionMarkListsThePagesLetters) {
    struct Case {
        int page;
        const char* letters;
        bool oneField;
    } cases[] = {
        {7, "[B] Back, [N] Next, [w] Browse, [H] Help, [E] Exit", true},
        {1, "[B] Back (unavailable), [N] Next, [H] Help, [E] Exit", false},
    };
    for (const auto& c : cases) {
        TextUiHarness h("?\n");
        TestPage page(c.page, h.ui());
        h.ui().DialogBoxModal(nullptr, page);
        std::string screen = h.Screen();
        EXPECT_TRUE(Contains(screen, "the letter in brackets presses that button")) << screen;
        EXPECT_TRUE(Contains(screen, std::string("\n                ") + c.letters + "\n")) << screen;
        EXPECT_EQ(Contains(screen, "other text    put it into the field"), c.oneField) << screen;
    }
}

TEST(TextUi, ReadOnlyFieldsAreShownButNotNumbered) {
    TextUiHarness h("1=Mallory\n\n");
    TestPage page(8, h.ui());
    page.SetDlgItemText(201, "Ada");
    h.ui().DialogBoxModal(nullptr, page);
    // Number 1 on the summary page is Back, which only takes no text.
    EXPECT_EQ(page.GetDlgItemText(201), "Ada");
    EXPECT_TRUE(Contains(h.Screen(), "[Ada] (read-only)")) << h.Screen();
    EXPECT_TRUE(Contains(h.Screen(), "Only a field takes a text"));
    EXPECT_EQ(page.commands, std::vector<int>{102});
}

TEST(TextUi, RadioButtonsPickOneOfTheirGroup) {
    // Template 5: English (1) and French (2) are the enabled radios; Complete/Custom are disabled.
    TextUiHarness h("2\no\n\n");
    TestPage page(5, h.ui());
    page.CheckDlgButton(106, true);
    page.CheckDlgButton(204, true);
    h.ui().DialogBoxModal(nullptr, page);
    EXPECT_TRUE(page.IsDlgButtonChecked(107));
    EXPECT_FALSE(page.IsDlgButtonChecked(106));
    EXPECT_TRUE(page.IsDlgButtonChecked(204)) << "a disabled radio must not be picked by its letter";
    EXPECT_EQ(h.Lines("click"), std::vector<std::string>{"click 107 \"French\""});
    std::string screen = h.Screen();
    EXPECT_TRUE(Contains(screen, "1) (*) English   2) ( ) French")) << screen;
    EXPECT_TRUE(Contains(screen, "1) ( ) English   2) (*) French")) << screen;
    EXPECT_TRUE(Contains(screen, "(*) Complete (unavailable)")) << screen;
    EXPECT_TRUE(Contains(screen, "\"Complete\" is not available now"));
}

TEST(TextUi, DisabledButtonsAreRefused) {
    TextUiHarness h("b\n1\nn\n");
    TestPage page(1, h.ui());  // the presentation page: Back disabled
    h.ui().DialogBoxModal(nullptr, page);
    // "b" is refused; 1 is Next (the disabled Back has no number); "n" is never read.
    EXPECT_EQ(page.commands, std::vector<int>{102});
    std::string screen = h.Screen();
    EXPECT_TRUE(Contains(screen, "\"Back\" is not available now")) << screen;
    EXPECT_TRUE(Contains(screen, "(Back: unavailable)")) << screen;
    EXPECT_EQ(h.Lines("press"), std::vector<std::string>{"press 102 \"&Next\""});
}

TEST(TextUi, RefusedNextKeepsThePageOpen) {
    TextUiHarness h("n\n\nb\n");
    TestPage page(6, h.ui());
    page.refuseNext = true;
    int result = h.ui().DialogBoxModal(nullptr, page);
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(page.commands, (std::vector<int>{102, 101}));
    // The page is recorded once; the invalid-input box is answered with Enter.
    EXPECT_EQ(h.Lines("page ").size(), 1u);
    EXPECT_EQ(h.Lines("messagebox").size(), 1u);
}

TEST(TextUi, EndOfInputExitsThroughTheConfirmation) {
    TextUiHarness h("");
    TestPage page(7, h.ui());
    int result = h.ui().DialogBoxModal(nullptr, page);
    EXPECT_TRUE(page.Ended());
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(page.commands, std::vector<int>{103});
    auto lines = h.Transcript();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 2], "press 103 \"&Exit\"");
    EXPECT_EQ(
        lines.back(),
        "messagebox owner=page caption=\"Setup\" text=\"The setup process is not complete.\" style=0x31 "
        "answer=OK");
}

TEST(TextUi, EndOfInputInsideAFieldPromptStillExits) {
    TextUiHarness h("1\n");  // the field asks for its text, then the input ends
    TestPage page(7, h.ui());
    h.ui().DialogBoxModal(nullptr, page);
    EXPECT_EQ(page.commands, std::vector<int>{103});
}

TEST(TextUi, EndOfInputWithoutExitCancels) {
    TextUiHarness h("");
    TestPage page(15, h.ui());  // the source prompt: OK and Cancel only
    EXPECT_EQ(h.ui().DialogBoxModal(nullptr, page), IDCANCEL);
    EXPECT_EQ(page.commands, std::vector<int>{IDCANCEL});
}

TEST(TextUi, DialogThatCannotBeLeftStopsTheRun) {
    TextUiHarness h("");
    TestPage page(7, h.ui());
    page.exitRefused = true;
    page.cancelRefused = true;
    EXPECT_THROW(h.ui().DialogBoxModal(nullptr, page), TextInputEnded);
    EXPECT_EQ(page.commands, (std::vector<int>{103, IDCANCEL}));
}

TEST(TextUi, PagesThatKeepComingBackAfterTheEndStopTheRun) {
    TextUiHarness h("");
    // Cancel closes this page, but a wizard that shows it again and again would never end.
    EXPECT_THROW(
        {
            for (int i = 0; i < 1000; ++i) {
                TestPage page(1, h.ui());
                page.exitRefused = true;
                h.ui().DialogBoxModal(nullptr, page);
            }
        },
        TextInputEnded);
}

TEST(TextUi, MessageBoxAnswers) {
    struct Case {
        UINT type;
        WORD language;
        const char* keys;
        int answer;
    } cases[] = {
        {MB_OK, 0, "\n", IDOK},
        {MB_OKCANCEL, 0, "c\n", IDCANCEL},
        {MB_OKCANCEL, 0, "2\n", IDCANCEL},
        {MB_OKCANCEL, 0, "\n", IDOK},
        {MB_YESNO | MB_DEFBUTTON2, 0, "\n", IDNO},
        {MB_YESNO, 0, "Y\n", IDYES},
        {MB_YESNOCANCEL, 0, "2\n", IDNO},
        {MB_ABORTRETRYIGNORE, 0, "i\n", IDIGNORE},
        {MB_RETRYCANCEL, 0, "z\n9\nr\n", IDRETRY},  // unknown letters and numbers are asked again
        {MB_YESNO, 0x040C, "o\n", IDYES},           // French buttons: Oui / Non
        {MB_YESNO, 0x040C, "n\n", IDNO},
        {MB_OKCANCEL, 0x040C, "a\n", IDCANCEL},  // Annuler
        {MB_OKCANCEL, 0, "CANCEL\n", IDCANCEL},  // a button's name
        {MB_YESNO, 0x040C, "non\n", IDNO},
        {MB_YESNO, 0, "nope\nyes\n", IDYES},
        // The end of the input: Cancel, else No, else Abort, else OK; never Retry.
        {MB_OK, 0, "", IDOK},
        {MB_OKCANCEL, 0, "", IDCANCEL},
        {MB_YESNO, 0, "", IDNO},
        {MB_YESNOCANCEL, 0, "", IDCANCEL},
        {MB_RETRYCANCEL, 0, "", IDCANCEL},
        {MB_ABORTRETRYIGNORE, 0, "", IDABORT},
    };
    for (const auto& c : cases) {
        TextUiHarness h(c.keys);
        int answer =
            h.ui().MessageBoxExA(nullptr, "Question?", "Caption", c.type | MB_ICONQUESTION, c.language);
        EXPECT_EQ(answer, c.answer) << "type " << c.type << " keys \"" << c.keys << "\"";
    }
}

TEST(TextUi, MessageBoxLineIsTheScriptFrontEndsLine) {
    // The same box answered the same way writes the same line through either front end.
    TextUiHarness h("\n");
    h.ui().CreateMainWindow("Vexa 6.1 Installation Program");
    h.ui().NoteMessageId(1063);
    int answer = h.ui().MessageBoxExA(h.ui().MainWindow(),
                                      "The setup process is not complete.\nVexa 6.1 is not "
                                      "installed correctly.",
                                      "Vexa 6.1 Installation Program", 0x31, 0);
    EXPECT_EQ(answer, IDOK);

    testing_support::TempDir dir;
    Transcript scripted;
    scripted.Open(dir.path() + "/t.txt");
    ScriptUi script(Answers{}, scripted);
    script.CreateMainWindow("Vexa 6.1 Installation Program");
    script.NoteMessageId(1063);
    script.MessageBoxExA(script.MainWindow(),
                         "The setup process is not complete.\nVexa 6.1 is not installed correctly.",
                         "Vexa 6.1 Installation Program", 0x31, 0);
    std::string expected = testing_support::ReadHostFile(dir.path() + "/t.txt");
    std::string got;
    for (const auto& line : h.Transcript())
        got += line + "\n";
    EXPECT_EQ(got, expected);
    EXPECT_TRUE(Contains(got, "messagebox id=1063 owner=main")) << got;
}

TEST(TextUi, TextsAreWindows1252OnTheProgramsSideAndUtf8OnTheTerminals) {
    // "Répertoire" typed in UTF-8 lands in the field as Windows-1252; the page's French text goes out as
    // UTF-8.
    TextUiHarness h("1=C:\\R\xC3\xA9pertoire\n\n");
    TestPage page(7, h.ui());
    page.SetDlgItemText(110, "Choisissez le r\xE9pertoire d'installation \x80");
    h.ui().DialogBoxModal(nullptr, page);
    EXPECT_EQ(page.GetDlgItemText(206), "C:\\R\xE9pertoire");
    std::string screen = h.Screen();
    EXPECT_TRUE(Contains(screen, "Choisissez le r\xC3\xA9pertoire d'installation \xE2\x82\xAC")) << screen;
    EXPECT_EQ(h.Lines("edit ").front(), "edit 206 \"C:\\\\R\\xE9pertoire\"");

    // A character Windows-1252 lacks is not typed as '?': the line is refused and typed again.
    TextUiHarness refused(
        "1=\xC5\x81\xC3\xB3"
        "d\xC5\xBA\n1=Lodz\n\n");
    TestPage second(7, refused.ui());
    refused.ui().DialogBoxModal(nullptr, second);
    EXPECT_EQ(second.GetDlgItemText(206), "Lodz");
    EXPECT_EQ(refused.Lines("edit "), std::vector<std::string>{"edit 206 \"Lodz\""});
    EXPECT_TRUE(Contains(refused.Screen(), "the character U+0141 \"?\" has no byte")) << refused.Screen();
}

TEST(Cp1252, ConvertsBothWays) {
    struct Case {
        std::string cp1252;
        std::string utf8;
    } cases[] = {
        {"plain", "plain"},
        {"\xE9", "\xC3\xA9"},
        {"\x80", "\xE2\x82\xAC"},
        {"\x9F", "\xC5\xB8"},
        {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
        {"\x85\x92", "\xE2\x80\xA6\xE2\x80\x99"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8);
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252);
    }
    // Bytes Windows-1252 leaves undefined never reach the terminal as C1 controls.
    EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"),
              "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    struct Bad {
        std::string utf8;
        std::string cp1252;
    } bad[] = {
        {"\xE6\x97\xA5", "?"},         // no Windows-1252 byte for it
        {"a\xC3", "a?"},               // cut short
        {"\xC3(", "?("},               // not a continuation byte
        {"\xC0\xAF", "??"},            // overlong '/'
        {"\xE0\x80\xAF", "???"},       // overlong '/'
        {"\xF4\x90\x80\x80", "????"},  // beyond U+10FFFF
        {"\xC2\x81", "?"},             // U+0081 has no byte of its own
    };
    for (const auto& b : bad)
        EXPECT_EQ(Utf8ToCp1252(b.utf8), b.cp1252) << b.cp1252;
}

TEST(TextUi, ControlBytesFromTextsDoNotReachTheTerminal) {
    TextUiHarness h("\n");
    h.ui().MessageBoxExA(nullptr, "bad\x1b[2Jtext", "C", MB_OK, 0);
    std::string screen = h.Screen();
    EXPECT_FALSE(Contains(screen, "\x1b")) << screen;
    EXPECT_TRUE(Contains(screen, "bad?[2Jtext"));
}

TEST(WrapText, BreaksAtNewlinesThenBetweenWords) {
    struct Case {
        const char* text;
        int width;
        std::vector<std::string> lines;
    } cases[] = {
        {"", 10, {}},
        {"abc def", 3, {"abc", "def"}},
        {"abc def", 7, {"abc def"}},
        {"a\n\nb", 10, {"a", "", "b"}},
        {"abcdefgh", 3, {"abc", "def", "gh"}},
        {"to be or not", 6, {"to be", "or not"}},
        {"line\r\nnext", 10, {"line", "next"}},
        {"a\n", 5, {"a", ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WrapText(c.text, c.width), c.lines) << c.text << " / " << c.width;
}

TEST(Mnemonics, LetterAndDisplay) {
    EXPECT_EQ(MnemonicOf("&Next"), 'N');
    EXPECT_EQ(MnemonicOf("I &accept"), 'a');
    EXPECT_EQ(MnemonicOf("Bro&wse"), 'w');
    EXPECT_EQ(MnemonicOf("A && B"), 0);
    EXPECT_EQ(MnemonicOf("English"), 0);
    EXPECT_EQ(MnemonicOf("trailing&"), 0);
    EXPECT_EQ(MnemonicOf("&Pr\xE9\x63\xE9\x64\x65nt"), 'P');
    EXPECT_EQ(ShowMnemonic("E&xit"), "E[x]it");
    EXPECT_EQ(ShowMnemonic("A && &B"), "A & [B]");
    EXPECT_EQ(ShowMnemonic("plain"), "plain");
    EXPECT_TRUE(SameLetter('\xC9', '\xE9'));  // É and é
    EXPECT_TRUE(SameLetter('x', 'X'));
    EXPECT_FALSE(SameLetter('\xD7', '\xF7'));  // × and ÷ are not a pair
}

TEST(TextUi, ListBoxShowsEveryLineIntoAPipe) {
    TextUiHarness h("a\n");
    TestPage page(2, h.ui());
    for (int i = 1; i <= 40; ++i) {
        page.AddListItem(105, "Clause " + std::to_string(i));
        if (i == 20) page.AddListItem(105, "");
    }
    h.ui().DialogBoxModal(nullptr, page);
    std::string screen = h.Screen();
    EXPECT_TRUE(Contains(screen, "| Clause 1\n")) << screen;
    EXPECT_TRUE(Contains(screen, "| Clause 40\n")) << screen;
    EXPECT_TRUE(Contains(screen, "| Clause 20\n  |\n  | Clause 21\n")) << screen;
    EXPECT_EQ(h.Lines("  list"), std::vector<std::string>{"  list 105 items=41 first=\"Clause 1\""});
    EXPECT_EQ(page.commands, std::vector<int>{102});  // "I &accept"
}

TEST(TextUi, ProgressGoesOutOnceForEachChange) {
    TextUiHarness h("");
    Dialog progress(resources::DialogTemplateFor(14));
    progress.caption = "Installing tools";
    progress.stage = 2;
    progress.stageCount = 7;
    h.ui().ModelessShow(progress);
    progress.SetDlgItemText(104, "Copying the file :\nC:\\KIT\\A.DLL");
    progress.Find(209)->value = 42;
    h.ui().ModelessUpdate(progress);
    h.ui().ModelessUpdate(progress);  // nothing changed
    progress.Find(209)->value = 100;
    h.ui().ModelessUpdate(progress);
    h.ui().ModelessDestroy(progress);
    EXPECT_EQ(
        h.Screen(),
        "Installing tools (set 2 of 7) [                    ] 0%\n"
        "Installing tools (set 2 of 7): Copying the file : C:\\KIT\\A.DLL [########            ] 42%\n"
        "Installing tools (set 2 of 7): Copying the file : C:\\KIT\\A.DLL [####################] 100%\n");
    EXPECT_EQ(
        h.Transcript(),
        (std::vector<std::string>{
            "progress show title=\"Installing tools\" text=\"\" gauge=0",
            "progress title=\"Installing tools\" text=\"Copying the file :\\nC:\\\\KIT\\\\A.DLL\" gauge=42",
            "progress title=\"Installing tools\" text=\"Copying the file :\\nC:\\\\KIT\\\\A.DLL\" gauge=100",
            "progress close"}));
}

TextFiles FakeDrive() {
    TextFiles files;
    files.listFolders = [](const std::string& folder) -> std::optional<std::vector<std::string>> {
        if (folder == "C:\\") return std::vector<std::string>{"OVRA", "Program Files"};
        if (folder == "C:\\OVRA") return std::vector<std::string>{"BIN"};
        if (folder == "C:\\OVRA\\BIN" || folder == "C:\\Program Files" || folder == "D:\\")
            return std::vector<std::string>{};
        return std::nullopt;
    };
    files.readFile = [](const std::string& path) -> std::optional<std::string> {
        if (path == "D:\\README.TXT") return std::string("Read me first.\r\nSecond line \xE9t\xE9.\r\n");
        return std::nullopt;
    };
    return files;
}

TEST(TextUi, FolderBrowserWalksTheDrive) {
    struct Case {
        const char* keys;
        const char* start;
        bool chosen;
        const char* path;
    } cases[] = {
        {"1\nc\n", "", true, "C:\\OVRA"},
        {"1\n1\n..\n\n", "C:\\", true, "C:\\OVRA"},
        {"\n", "C:\\OVRA\\NEW\\DEEP", true, "C:\\OVRA"},  // starts at the nearest folder that exists
        {"..\n..\n2\nc\n", "c:\\ovra\\", false, ""},      // lower case folders are not listed by the fake
        {"d:\nc\n", "C:\\", true, "D:\\"},
        {"q\n", "C:\\OVRA", false, ""},
        {"7\nx:\nq\n", "C:\\", false, ""},  // no folder 7, no drive X: asked again
        {"", "C:\\OVRA", false, ""},        // the end of the input cancels
    };
    for (const auto& c : cases) {
        TextUiHarness h(c.keys, FakeDrive());
        std::string path = c.start;
        bool ok = h.ui().BrowseForFolder(nullptr, "Select Setup Directory for OVRA", path);
        if (std::string(c.start) == "c:\\ovra\\") {
            // Normalised to C:\OVRA, walked up twice to C:\, then into Program Files.
            EXPECT_TRUE(ok);
            EXPECT_EQ(path, "C:\\Program Files");
            continue;
        }
        EXPECT_EQ(ok, c.chosen) << c.keys;
        EXPECT_EQ(ok ? path : std::string(), c.path) << c.keys;
        if (!ok) {
            EXPECT_EQ(path, c.start) << "a cancelled browser leaves the path alone";
        }
        auto lines = h.Lines("browse");
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0], BrowseLine("Select Setup Directory for OVRA",
                                       ok ? std::optional<std::string>(path) : std::nullopt));
    }
}

TEST(TextUi, ReadmeIsShownOrNotFound) {
    TextUiHarness h("", FakeDrive());
    EXPECT_EQ(h.ui().ShellExecuteA(nullptr, nullptr, "D:\\README.TXT", nullptr, nullptr, 10), 42);
    EXPECT_EQ(h.ui().ShellExecuteA(nullptr, nullptr, "D:\\MISSING.TXT", nullptr, nullptr, 10),
              static_cast<std::intptr_t>(SE_ERR_FNF));
    std::string screen = h.Screen();
    EXPECT_TRUE(Contains(screen, "Read me first.\nSecond line \xC3\xA9t\xC3\xA9.\n")) << screen;
    EXPECT_FALSE(Contains(screen, "\r"));
    EXPECT_EQ(h.Lines("shellexecute"),
              (std::vector<std::string>{"shellexecute verb=\"\" file=\"D:\\\\README.TXT\" opened",
                                        "shellexecute verb=\"\" file=\"D:\\\\MISSING.TXT\" not-found"}));
}

TEST(TextUi, HelpShowsThePagesTopicInTheHelpFilesLanguage) {
    TextUiHarness h("");
    EXPECT_TRUE(h.ui().WinHelpA(nullptr, "C:\\OVRA\\OVRA.HLP", HELP_CONTEXT, 7));
    auto english = catalogue::FindHelpTopic(7, false), french = catalogue::FindHelpTopic(7, true);
    ASSERT_TRUE(english && french);
    EXPECT_TRUE(Contains(h.Screen(), english->title)) << h.Screen();
    EXPECT_FALSE(Contains(h.Screen(), "OVRA.HLP")) << h.Screen();
    EXPECT_TRUE(h.ui().WinHelpA(nullptr, "D:\\INSTFR.HLP", HELP_CONTEXT, 7));
    EXPECT_TRUE(Contains(h.Screen(), Cp1252ToUtf8(french->title))) << h.Screen();
    EXPECT_FALSE(h.ui().WinHelpA(nullptr, "C:\\OVRA\\OVRA.HLP", HELP_CONTEXT, 12345));
    EXPECT_EQ(h.Lines("help"),
              (std::vector<std::string>{"help file=\"C:\\\\OVRA\\\\OVRA.HLP\" command=1 context=7",
                                        "help file=\"D:\\\\INSTFR.HLP\" command=1 context=7",
                                        "help file=\"C:\\\\OVRA\\\\OVRA.HLP\" command=1 context=12345"}));
}

TEST(TextUi, HeaderShowsCaptionAndTitle) {
    TextUiHarness h("");
    h.ui().CreateMainWindow("Vexa 6.1 Installation Program");
    h.ui().SetBackgroundTitle("Kestravion Vexa 6.1\nDevelopment Suite", 1);
    EXPECT_TRUE(
        Contains(h.Screen(), "Vexa 6.1 Installation Program - Kestravion Vexa 6.1 Development Suite\n"))
        << h.Screen();
    EXPECT_EQ(h.Transcript(),
              (std::vector<std::string>{
                  "window caption=\"Vexa 6.1 Installation Program\"",
                  "background title=\"Kestravion Vexa 6.1\\nDevelopment Suite\" format=0x01"}));
    EXPECT_EQ(h.ui().MainWindow(), FrontEndMainWindow());
}

}  // namespace
}  // namespace platform
