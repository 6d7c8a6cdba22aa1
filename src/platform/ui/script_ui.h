// The headless front end: pages and message boxes are answered from an answers file, with a default for
// everything it does not say, and everything shown goes to the transcript.
#pragma once

#include <string>

#include "platform/ui/answers.h"
#include "platform/ui/transcript.h"
#include "platform/ui_api.h"

namespace platform {

class ScriptUi : public UiApi {
  public:
    ScriptUi(Answers answers, Transcript& transcript);

    HWND MainWindow() override;
    void CreateMainWindow(const std::string& caption) override;
    void SetBackgroundTitle(const std::string& title, UINT drawTextFormat) override;
    int MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD languageId) override;
    void NoteMessageId(int messageId) override { nextMessageId_ = messageId; }
    BOOL WinHelpA(HWND owner, LPCSTR helpFile, UINT command, DWORD data) override;
    void Trace(const std::string& line) override;

    // The answer a box gets without a scripted one: the questions whose first button would undo work
    // or loop (a file in use, an older or other copy of a file) keep what exists and go on; every other
    // box takes its default button.
    static int DefaultAnswer(int messageId, UINT type);

    const Answers& answers() const { return answers_; }

  private:
    Answers answers_;
    Transcript& transcript_;
    bool haveMainWindow_ = false;
    int nextMessageId_ = -1;
};

}  // namespace platform
