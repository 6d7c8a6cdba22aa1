#include "platform/ui/script_ui.h"

#include <cstdio>
#include <cstdlib>

#include "platform/machine/text_util.h"
#include "platform/ui/transcript_lines.h"

namespace platform {

namespace {
HWND const kMainWindow = FrontEndMainWindow();
}  // namespace

ScriptUi::ScriptUi(Answers answers, Transcript& transcript)
    : answers_(std::move(answers)), transcript_(transcript) {}

HWND ScriptUi::MainWindow() {
    return haveMainWindow_ ? kMainWindow : nullptr;
}

void ScriptUi::CreateMainWindow(const std::string& caption) {
    haveMainWindow_ = true;
    transcript_.Line(WindowLine(caption));
}

void ScriptUi::SetBackgroundTitle(const std::string& title, UINT drawTextFormat) {
    transcript_.Line(BackgroundLine(title, drawTextFormat));
}

int ScriptUi::DefaultAnswer(int messageId, UINT type) {
    switch (messageId) {
        case 1071:
            return IDCANCEL;  // file in use: go on without it rather than retry forever
        case 1072:
            return IDNO;  // the file to install is older: keep the existing one
        case 1074:
            return IDNO;  // another copy elsewhere: keep it
        default:
            break;
    }
    bool second = (type & 0xF00) == MB_DEFBUTTON2;
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return second ? IDCANCEL : IDOK;
        case MB_YESNO:
            return second ? IDNO : IDYES;
        case MB_YESNOCANCEL:
            return second ? IDNO : IDYES;
        case MB_RETRYCANCEL:
            return second ? IDCANCEL : IDRETRY;
        case MB_ABORTRETRYIGNORE:
            return second ? IDRETRY : IDABORT;
        default:
            return IDOK;
    }
}

int ScriptUi::MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD) {
    int id = nextMessageId_;
    nextMessageId_ = -1;
    int answer = 0;
    if (id >= 0)
        if (auto scripted = answers_.AnswerFor(id)) answer = *scripted;
    if (answer == 0) answer = DefaultAnswer(id, type);
    transcript_.Line(MessageBoxLine(id, owner, kMainWindow, caption, text, type, answer));
    return answer;
}

BOOL ScriptUi::WinHelpA(HWND, LPCSTR helpFile, UINT command, DWORD data) {
    transcript_.Line(HelpLine(helpFile, command, data));
    return TRUE;
}

void ScriptUi::Trace(const std::string& line) {
    transcript_.Line("trace " + line);
}

}  // namespace platform

namespace platform {

namespace {

// Words an answers file may use for a dialog's commands.
int CommandWord(const std::string& word) {
    static const std::pair<const char*, int> kWords[] = {
        {"ok", 1},        {"cancel", 2}, {"back", 101}, {"next", 102},   {"accept", 102}, {"exit", 103},
        {"decline", 103}, {"help", 104}, {"skip", 105}, {"browse", 106}, {"finish", 102},
    };
    for (const auto& [name, id] : kWords)
        if (word == name) return id;
    char* end = nullptr;
    long id = std::strtol(word.c_str(), &end, 10);
    return (end && *end == '\0' && !word.empty()) ? static_cast<int>(id) : 0;
}

}  // namespace

void ScriptUi::RecordDialog(Transcript& transcript, const Dialog& dialog) {
    platform::RecordDialog(transcript, dialog);
}

void ScriptUi::FillFromAnswers(Dialog& dialog) {
    auto put = [&](int id, const char* key) {
        if (auto v = answers_.Get(key)) dialog.UserEdit(id, *v);
    };
    switch (dialog.TemplateId()) {
        case 7:
            put(206, "destination");
            break;
        case 6:
            put(201, "name");
            put(202, "company");
            break;
        case 5:
            if (auto v = answers_.Get("language")) {
                std::string l = ToLowerAscii(*v);
                if (l == "english") dialog.UserClickRadio(106);
                if (l == "french") dialog.UserClickRadio(107);
            }
            break;
        case 15:
            put(215, "source");
            break;
        default:
            break;
    }
}

int ScriptUi::NextCommand(Dialog& dialog) {
    // "press.N=back,next": the command for each visit of dialog N, then the forward command.
    int visit = visits_[dialog.TemplateId()]++;
    if (auto list = answers_.Get("press." + std::to_string(dialog.TemplateId()))) {
        std::size_t start = 0;
        for (int i = 0; start <= list->size(); ++i) {
            std::size_t comma = list->find(',', start);
            std::string word = ToLowerAscii(
                list->substr(start, comma == std::string::npos ? std::string::npos : comma - start));
            while (!word.empty() && word.front() == ' ')
                word.erase(word.begin());
            while (!word.empty() && word.back() == ' ')
                word.pop_back();
            if (i == visit) {
                if (int id = CommandWord(word)) return id;
                break;
            }
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
    }
    if (dialog.TemplateId() == 15 && answers_.Get("source").value_or("") == "cancel") return IDCANCEL;
    return dialog.ForwardCommand();
}

int ScriptUi::DialogBoxModal(HWND, Dialog& dialog) {
    dialog.SetupWindow();
    FillFromAnswers(dialog);
    platform::RecordDialog(transcript_, dialog);
    constexpr int kMaxRefusals = 3;
    int refusals = 0;
    int command = NextCommand(dialog);
    while (!dialog.Ended()) {
        transcript_.Line(PressLine(dialog, command));
        dialog.Command(command);
        if (dialog.Ended()) break;
        if (++refusals >= kMaxRefusals)
            throw ScriptStuck("dialog " + std::to_string(dialog.TemplateId()) + " (\"" + dialog.caption +
                              "\") refused command " + std::to_string(command) + " " +
                              std::to_string(kMaxRefusals) +
                              " times; the answers file does not get this run past it");
        // A dialog that stays open after a command that did not end it (Next on the readme page, a
        // refused entry) is answered with its forward command.
        command = dialog.ForwardCommand();
    }
    return dialog.Result();
}

void ScriptUi::ModelessShow(Dialog& dialog) {
    dialog.SetupWindow();
    std::string state = ModelessState(dialog);
    modelessState_[&dialog] = state;
    transcript_.Line("progress show " + state);
}

void ScriptUi::ModelessUpdate(Dialog& dialog) {
    std::string state = ModelessState(dialog);
    std::string& last = modelessState_[&dialog];
    if (state == last) return;
    last = state;
    transcript_.Line("progress " + state);
}

void ScriptUi::ModelessDestroy(Dialog& dialog) {
    modelessState_.erase(&dialog);
    transcript_.Line("progress close");
}

bool ScriptUi::BrowseForFolder(HWND, const std::string& title, std::string& path) {
    auto chosen = answers_.Get("browse");
    transcript_.Line(BrowseLine(title, chosen));
    if (!chosen || chosen->empty()) return false;
    path = *chosen;
    return true;
}

std::intptr_t ScriptUi::ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR, LPCSTR, int) {
    std::string name = file ? file : "";
    bool exists = fileExists_ ? fileExists_(name) : false;
    transcript_.Line(ShellExecuteLine(operation, name, exists));
    return exists ? 42 : static_cast<std::intptr_t>(SE_ERR_FNF);
}

}  // namespace platform
