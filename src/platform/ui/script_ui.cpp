#include "platform/ui/script_ui.h"

#include <cstdio>

namespace platform {

namespace {

HWND const kMainWindow = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x10010));

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

}  // namespace

ScriptUi::ScriptUi(Answers answers, Transcript& transcript)
    : answers_(std::move(answers)), transcript_(transcript) {}

HWND ScriptUi::MainWindow() {
    return haveMainWindow_ ? kMainWindow : nullptr;
}

void ScriptUi::CreateMainWindow(const std::string& caption) {
    haveMainWindow_ = true;
    transcript_.Line("window caption=" + Transcript::Quote(caption));
}

void ScriptUi::SetBackgroundTitle(const std::string& title, UINT drawTextFormat) {
    transcript_.Line("background title=" + Transcript::Quote(title) + " format=" + Hex(drawTextFormat, 2));
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
    std::string line = "messagebox";
    if (id > 0) line += " id=" + std::to_string(id);
    line += std::string(" owner=") + (owner == nullptr ? "none" : (owner == kMainWindow ? "main" : "page"));
    line += " caption=" + Transcript::Quote(caption ? caption : "");
    line += " text=" + Transcript::Quote(text ? text : "");
    line += " style=" + Hex(type, 2);
    line += std::string(" answer=") + AnswerName(answer);
    transcript_.Line(line);
    return answer;
}

BOOL ScriptUi::WinHelpA(HWND, LPCSTR helpFile, UINT command, DWORD data) {
    transcript_.Line("help file=" + Transcript::Quote(helpFile ? helpFile : "") +
                     " command=" + std::to_string(command) + " context=" + std::to_string(data));
    return TRUE;
}

void ScriptUi::Trace(const std::string& line) {
    transcript_.Line("trace " + line);
}

}  // namespace platform
