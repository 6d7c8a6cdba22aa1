// The native front end: the windows of the system itself. The background frame, the pages as real dialogs
// built in memory from the template table, the system's message boxes, the progress window with its gauge
// and animation control, the shell's folder browser and viewer, and WinHelp. With an answers file the run
// is unattended: the answers become typing and clicks on the real controls, and the transcript says what
// the headless front end would say for the same run.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/ui/answer_plan.h"
#include "platform/ui/transcript.h"
#include "platform/ui/win32/desktop.h"
#include "platform/ui_api.h"

namespace platform::winui {

struct WinUiOptions {
    bool unattended = false;     // drive the windows from the answers
    std::string screenshotDir;   // Windows path: every page, box and progress window as BMP; empty for none
    std::string liveCaptureDir;  // Windows path of an outside screen grabber's handshake; empty for none
};

class WinUi : public UiApi {
  public:
    WinUi(Answers answers, Transcript& transcript, WinUiOptions options);
    ~WinUi() override;

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
    void Trace(const std::string& line) override;

  private:
    class PageEvents;
    // The real window behind a handle the logic holds: the main window's stand-in, or a dialog model.
    Handle Native(HWND owner) const;

    AnswerPlan plan_;
    Transcript& transcript_;
    WinUiOptions options_;
    Desktop desktop_;
    std::map<const Dialog*, Handle> windows_;  // dialogs on the screen
    std::map<const Dialog*, std::string> modelessState_;
    int nextMessageId_ = -1;
};

// The state of a dialog model as its window shows it.
DialogView ViewOf(const Dialog& dialog);

}  // namespace platform::winui
