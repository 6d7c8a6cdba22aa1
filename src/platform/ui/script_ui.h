// The headless front end: pages and message boxes are answered from an answers file, with a default for
// everything it does not say, and everything shown goes to the transcript.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "platform/ui/answer_plan.h"
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

    static int DefaultAnswer(int messageId, UINT type) { return AnswerPlan::DefaultAnswer(messageId, type); }

    const Answers& answers() const { return plan_.answers(); }

  private:
    std::map<const Dialog*, std::string> modelessState_;  // what the transcript last said of each
    std::function<bool(const std::string&)> fileExists_;
    AnswerPlan plan_;
    Transcript& transcript_;
    bool haveMainWindow_ = false;
    int nextMessageId_ = -1;
};

}  // namespace platform
