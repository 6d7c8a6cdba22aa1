#include "platform/ui/script_ui.h"

#include "platform/ui/transcript_lines.h"

namespace platform {

namespace {

HWND const kMainWindow = FrontEndMainWindow();

}  // namespace

ScriptUi::ScriptUi(Answers answers, Transcript& transcript)
    : plan_(std::move(answers)), transcript_(transcript) {}

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

int ScriptUi::MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD) {
    int id = nextMessageId_;
    nextMessageId_ = -1;
    int answer = plan_.MessageBoxAnswer(id, type);
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

int ScriptUi::DialogBoxModal(HWND, Dialog& dialog) {
    dialog.SetupWindow();
    AnswerPlan::Apply(plan_.InputFor(dialog), dialog);
    RecordDialog(transcript_, dialog);
    VisitCommands commands(plan_, dialog);
    while (!dialog.Ended()) {
        int command = commands.Next(dialog);
        transcript_.Line(PressLine(dialog, command));
        dialog.Command(command);
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
    auto chosen = plan_.BrowseResult();
    transcript_.Line(BrowseLine(title, chosen));
    if (!chosen) return false;
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
