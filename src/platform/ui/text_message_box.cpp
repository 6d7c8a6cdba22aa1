// Message boxes as text: the caption, the text, and the buttons of the style with their letters.
#include <algorithm>
#include <vector>

#include "platform/ui/text_ui.h"
#include "platform/ui/transcript_lines.h"

namespace platform {

namespace {

struct BoxButton {
    int answer;
    const char* english;
    const char* french;  // the captions the French system gives its buttons
};

constexpr BoxButton kOk{IDOK, "&OK", "&OK"};
constexpr BoxButton kCancel{IDCANCEL, "&Cancel", "&Annuler"};
constexpr BoxButton kAbort{IDABORT, "&Abort", "&Abandonner"};
constexpr BoxButton kRetry{IDRETRY, "&Retry", "&R\xE9\x65ssayer"};
constexpr BoxButton kIgnore{IDIGNORE, "&Ignore", "&Ignorer"};
constexpr BoxButton kYes{IDYES, "&Yes", "&Oui"};
constexpr BoxButton kNo{IDNO, "&No", "&Non"};

std::vector<BoxButton> ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {kOk, kCancel};
        case MB_ABORTRETRYIGNORE:
            return {kAbort, kRetry, kIgnore};
        case MB_YESNOCANCEL:
            return {kYes, kNo, kCancel};
        case MB_YESNO:
            return {kYes, kNo};
        case MB_RETRYCANCEL:
            return {kRetry, kCancel};
        default:
            return {kOk};
    }
}

bool Has(const std::vector<BoxButton>& buttons, int answer) {
    for (const auto& b : buttons)
        if (b.answer == answer) return true;
    return false;
}

// The answer of a user who has gone: never the one that retries or goes on with work.
int AnswerAtEnd(const std::vector<BoxButton>& buttons, bool confirmingExit) {
    if (confirmingExit) {
        // The question that follows the Exit sent for the user ("the setup is not complete"): let it go
        // through.
        for (int answer : {IDOK, IDYES})
            if (Has(buttons, answer)) return answer;
    }
    for (int answer : {IDCANCEL, IDNO, IDABORT})
        if (Has(buttons, answer)) return answer;
    return IDOK;
}

const char* IconWord(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONHAND:
            return "Error";
        case MB_ICONQUESTION:
            return "Question";
        case MB_ICONEXCLAMATION:
            return "Warning";
        case MB_ICONINFORMATION:
            return "Information";
        default:
            return nullptr;
    }
}

}  // namespace

int TextUi::AskButton(const std::string& caption, const std::string& text, UINT type, WORD languageId) {
    EndProgressLine();
    std::vector<BoxButton> buttons = ButtonsOf(type);
    bool french = (languageId & 0x3FF) == 0x0C;
    std::size_t defaultIndex = std::min<std::size_t>((type >> 8) & 0xF, buttons.size() - 1);
    int width = terminal_.Width();

    std::string out = "\n+-- " + caption + " --\n";
    if (const char* icon = IconWord(type)) out += "| (" + std::string(icon) + ")\n";
    for (const std::string& line : WrapText(text, width - 2))
        out += "| " + line + "\n";
    std::string row = "+";
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        row += "  " + std::to_string(i + 1) + ") " +
               ShowMnemonic(french ? buttons[i].french : buttons[i].english);
        if (i == defaultIndex) row += " <Enter>";
    }
    out += row + "\nAnswer: ";
    terminal_.Write(out);

    for (;;) {
        std::string input;
        if (!terminal_.ReadLine(input)) {
            int answer = AnswerAtEnd(buttons, leavingAtEnd_);
            terminal_.Write("(end of input)\n");
            return answer;
        }
        while (!input.empty() && (input.back() == ' ' || input.back() == '\t'))
            input.pop_back();
        while (!input.empty() && (input.front() == ' ' || input.front() == '\t'))
            input.erase(input.begin());
        if (input.empty()) return buttons[defaultIndex].answer;
        if (input.size() == 1 && input[0] >= '1' && input[0] <= '9') {
            auto n = static_cast<std::size_t>(input[0] - '0');
            if (n <= buttons.size()) return buttons[n - 1].answer;
        }
        for (const auto& b : buttons) {
            const std::string& name = french ? b.french : b.english;
            if (input.size() == 1 ? SameLetter(MnemonicOf(name), input[0])
                                  : SameWord(input, WithoutMnemonic(name)))
                return b.answer;
        }
        terminal_.Write("Type the letter, the number or the name of a button, or Enter for the default: ");
    }
}

int TextUi::MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD languageId) {
    int id = nextMessageId_;
    nextMessageId_ = -1;
    int answer = AskButton(caption ? caption : "", text ? text : "", type, languageId);
    transcript_.Line(MessageBoxLine(id, owner, FrontEndMainWindow(), caption, text, type, answer));
    return answer;
}

}  // namespace platform
