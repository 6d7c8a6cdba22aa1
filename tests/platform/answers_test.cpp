#include "platform/ui/answers.h"

#include <gtest/gtest.h>

#include "platform/ui/answer_plan.h"
#include "platform/ui/script_ui.h"
#include "platform/ui/transcript.h"
#include "resources/dialog_templates.h"

namespace platform {
namespace {

TEST(Answers, ParsesKeysWithoutRegardToCase) {
    Answers a;
    std::string error;
    ASSERT_TRUE(
        a.Parse("# comment\n\nDestination = C:\\Kit \r\nNAME=Ada Lovelace\nanswer.1071=Retry\n", error))
        << error;
    EXPECT_EQ(a.Get("destination").value_or(""), "C:\\Kit");
    EXPECT_EQ(a.Get("Name").value_or(""), "Ada Lovelace");
    EXPECT_EQ(a.AnswerFor(1071).value_or(0), IDRETRY);
    EXPECT_FALSE(a.AnswerFor(1072).has_value());
    EXPECT_FALSE(a.Get("company").has_value());
}

TEST(Answers, RejectsMalformedLines) {
    const char* bad[] = {"justtext\n", "=value\n", "answer.1071=perhaps\n"};
    for (const char* text : bad) {
        Answers a;
        std::string error;
        EXPECT_FALSE(a.Parse(text, error)) << text;
        EXPECT_FALSE(error.empty());
    }
    Answers a;
    std::string error;
    EXPECT_TRUE(a.Parse("company=\n", error));  // an empty value is a value
    EXPECT_EQ(a.Get("company").value_or("unset"), "");
}

TEST(ScriptUi, DefaultAnswersNeverLoopAndKeepExistingFiles) {
    struct Case {
        int id;
        UINT style;
        int answer;
    } cases[] = {
        {1071, MB_OKCANCEL | MB_ICONEXCLAMATION, IDCANCEL},
        {1072, MB_YESNO | MB_ICONEXCLAMATION, IDNO},
        {1074, MB_YESNO, IDNO},
        {1063, MB_OKCANCEL | MB_ICONEXCLAMATION, IDOK},
        {1236, MB_YESNO, IDYES},
        {1, MB_YESNO | MB_DEFBUTTON2, IDNO},
        {1, MB_OK, IDOK},
        {-1, MB_ICONHAND, IDOK},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScriptUi::DefaultAnswer(c.id, c.style), c.answer) << c.id;
}

TEST(ScriptUi, ScriptedAnswersWinAndEveryBoxIsRecorded) {
    Answers a;
    std::string error;
    ASSERT_TRUE(a.Parse("answer.1063=cancel\n", error));
    Transcript transcript;
    ScriptUi ui(a, transcript);
    ui.NoteMessageId(1063);
    EXPECT_EQ(ui.MessageBoxExA(nullptr, "t", "c", MB_OKCANCEL, 0), IDCANCEL);
    ui.NoteMessageId(1063);  // the id is used once: the next box without an id takes its default
    ui.MessageBoxExA(nullptr, "t", "c", MB_OK, 0);
    EXPECT_EQ(ui.MessageBoxExA(nullptr, "t", "c", MB_OKCANCEL, 0), IDOK);
}

TEST(Transcript, QuotesEveryByteVisibly) {
    EXPECT_EQ(Transcript::Quote("a\"b\\c\nd\re\tf"), "\"a\\\"b\\\\c\\nd\\re\\tf\"");
    EXPECT_EQ(Transcript::Quote(std::string("\x01\xE9\x7F", 3)), "\"\\x01\\xE9\\x7F\"");
    EXPECT_EQ(Transcript::Quote(""), "\"\"");
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

// The source prompt's model: OK moves an unattended run on.
class Prompt : public Dialog {
  public:
    using Dialog::Dialog;
    int ForwardCommand() const override { return IDOK; }
};

TEST(AnswerPlan, TheSourcePromptGivesUpOnALocationAlreadyTried) {
    const DialogTemplate prompt{15,
                                0,
                                0,
                                232,
                                100,
                                0,
                                "Setup files",
                                "MS Sans Serif",
                                8,
                                {{215, ControlClass::Edit, WS_VISIBLE, 6, 45, 214, 12, "", 260}}};
    AnswerPlan plan(Answers{});
    Prompt first(prompt);
    first.SetDlgItemText(215, "D:\\disk1\\");
    EXPECT_EQ(plan.NextCommand(first), IDOK);
    Prompt again(prompt);
    again.SetDlgItemText(215, "d:\\DISK1\\");
    EXPECT_EQ(plan.NextCommand(again), IDCANCEL);
    Prompt other(prompt);
    other.SetDlgItemText(215, "E:\\");
    EXPECT_EQ(plan.NextCommand(other), IDOK);

    Answers cancel;
    std::string error;
    ASSERT_TRUE(cancel.Parse("source=cancel\n", error));
    AnswerPlan refusing(cancel);
    Prompt asked(prompt);
    EXPECT_EQ(refusing.NextCommand(asked), IDCANCEL);
}

Answers Parsed(const std::string& text) {
    Answers a;
    std::string error;
    EXPECT_TRUE(a.Parse(text, error)) << error;
    return a;
}

TEST(AnswerPlan, ALanguageListGivesOneChoiceAVisit) {
    const DialogTemplate setupType{5, 0, 0, 299, 145, 0, "Type of Setup", "MS Sans Serif", 8, {}};
    Prompt page(setupType);
    struct Case {
        const char* answer;
        std::vector<int> radios;  // clicked on visits 1, 2, 3
    } cases[] = {{"language=French\n", {107, 107, 107}},
                 {"language=french,keep\n", {107, 0, 0}},
                 {"language=english, french\n", {106, 107, 107}},
                 {"name=x\n", {0, 0, 0}}};
    for (const auto& c : cases) {
        AnswerPlan plan(Parsed(c.answer));
        std::vector<int> radios;
        for (int visit = 0; visit < 3; ++visit) {
            radios.push_back(plan.InputFor(page).radio);
            plan.NextCommand(page);
        }
        EXPECT_EQ(radios, c.radios) << c.answer;
    }
}

TEST(AnswerPlan, APageThatKeepsComingBackStopsTheRun) {
    const DialogTemplate& destination = resources::DialogTemplateFor(7);
    Prompt page(destination);
    AnswerPlan plan(Parsed("press.7=next,back\n"));
    int visits = 0;
    try {
        for (; visits < 1000; ++visits)
            plan.NextCommand(page);
    } catch (const ScriptStuck& stuck) {
        EXPECT_NE(std::string(stuck.what()).find("shown"), std::string::npos) << stuck.what();
    }
    EXPECT_GE(visits, 10);
    EXPECT_LT(visits, 1000);
}

TEST(AnswerPlan, PressesOnlyWhatAPersonCouldPress) {
    // Page 1 shows Back disabled; page 12 (finish) hides Back and Finish and shows Exit.
    struct Case {
        int page;
        const char* press;
        int command;        // when pressed
        const char* error;  // else the end of the message
    } cases[] = {
        {12, "exit", 103, nullptr},
        {12, "103", 103, nullptr},
        {1, "back", 0,
         "page 1 (\"Presentation\"): press.1 presses \"back\", but its button \"Back\" is disabled"},
        {12, "finish", 0, "press.12 presses \"finish\", but its button \"Finish\" is hidden"},
        {12, "77", 0, "press.12 presses \"77\", but there is no button 77 on it"},
        {12, "110", 0, "there is no button 110 on it"},  // a static is no button
    };
    for (const auto& c : cases) {
        std::string key = "press." + std::to_string(c.page);
        AnswerPlan plan(Parsed(key + "=" + c.press + "\n"));
        Prompt page(resources::DialogTemplateFor(c.page));
        try {
            EXPECT_EQ(plan.NextCommand(page), c.command) << c.press;
            EXPECT_EQ(c.error, nullptr) << c.press;
        } catch (const ScriptRefused& refused) {
            ASSERT_NE(c.error, nullptr) << refused.what();
            EXPECT_NE(std::string(refused.what()).find(c.error), std::string::npos) << refused.what();
        }
    }
}

TEST(Answers, TextsAreUtf8TypedAsWindows1252) {
    struct Case {
        std::string file;
        const char* value;  // of "name" when the file is accepted
        const char* error;  // else part of the error
    } cases[] = {
        {"name=J\xC3\xA9r\xC3\xB4me\n", "J\xE9r\xF4me", nullptr},
        {"name=\xE2\x82\xAC and \xC5\x92\n", "\x80 and \x8C", nullptr},  // the bytes 0x80..0x9F
        {"\xEF\xBB\xBFname=Ada?\n", "Ada?", nullptr},                    // byte order mark; a real '?'
        {"name=\xC5\x81ukasz\n", nullptr, "line 1: name: the character U+0141"},
        {"\nname=\xE2\x98\x83\n", nullptr, "line 2: name: the character U+2603"},
        {"name=J\xE9r\xF4me\n", nullptr, "byte 0xE9 at column 2 is not UTF-8"},  // a Windows-1252 file
        {"name=\xC2\x85\n", nullptr, "U+0085"},                                  // a C1 control
        {"press.7=next,bak\n", nullptr, "\"bak\" names no button"},
    };
    for (const auto& c : cases) {
        Answers a;
        std::string error;
        bool ok = a.Parse(c.file, error);
        if (c.value) {
            ASSERT_TRUE(ok) << c.file << ": " << error;
            EXPECT_EQ(a.Get("name").value_or("unset"), c.value) << c.file;
        } else {
            EXPECT_FALSE(ok) << c.file;
            EXPECT_NE(error.find(c.error), std::string::npos) << c.file << ": " << error;
        }
    }
}

}  // namespace
}  // namespace platform
