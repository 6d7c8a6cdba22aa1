// The headless front end: pages and message boxes are answered from an answers file, with a default for
// everything it does not say, and everything shown goes to the transcript.
#pragma once

#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include "platform/ui/answers.h"
#include "platform/ui/transcript.h"
#include "platform/ui_api.h"

namespace platform {

// Thrown when an unattended run would go round forever: a dialog refused the same scripted command
// again and again.
class ScriptStuck : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class ScriptUi : public UiApi {
  public:
    ScriptUi(Answers answers, Transcript& transcript);

    HWND MainWindow() override;
    void CreateMainWindow(const std::string& caption) override;
    void SetBackgroundTitle(const std::string& title, UINT drawTextFormat) override;
    int MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD languageId) override;
    void NoteMessageId(int messageId) override { nextMessageId_ = messageId; }
    BOOL WinHelpA(HWND owner, LPCSTR helpFile, UINT command, DWORD data) override;
    int DialogBoxModal(HWND owner, Dialog& dialog) override;
    void ModelessShow(Dialog& dialog) override;
    void ModelessUpdate(Dialog& dialog) override;
    void ModelessDestroy(Dialog& dialog) override;
    bool BrowseForFolder(HWND owner, const std::string& title, std::string& path) override;
    std::intptr_t ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                LPCSTR directory, int showCommand) override;
    // Whether a Windows path names an existing file (the shell's viewer opens only those).
    void SetFileExists(std::function<bool(const std::string&)> exists) { fileExists_ = std::move(exists); }
    void Trace(const std::string& line) override;

    // The answer a box gets without a scripted one: the questions whose first button would undo work
    // or loop (a file in use, an older or other copy of a file) keep what exists and go on; every other
    // box takes its default button.
    static int DefaultAnswer(int messageId, UINT type);

    const Answers& answers() const { return answers_; }

    // Every visible control of a dialog, one line each, as the transcript shows it.
    static void RecordDialog(Transcript& transcript, const Dialog& dialog);

  private:
    void FillFromAnswers(Dialog& dialog);
    int NextCommand(Dialog& dialog);

    std::map<const Dialog*, std::string> modelessState_;  // what the transcript last said of each
    std::map<int, int> visits_;                           // dialog template id -> visits so far
    std::function<bool(const std::string&)> fileExists_;
    Answers answers_;
    Transcript& transcript_;
    bool haveMainWindow_ = false;
    int nextMessageId_ = -1;
};

}  // namespace platform
