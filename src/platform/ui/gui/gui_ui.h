// The windowed front end (FLTK): the red background with the product title, the pages built from their
// templates, message boxes, the progress window with its animation, the folder browser and the readme
// viewer. With an answers file the run is unattended: the answers become typing and clicks on the real
// widgets, and the transcript says what the headless front end would say for the same run.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/answer_plan.h"
#include "platform/ui/host_files.h"
#include "platform/ui/transcript.h"
#include "platform/ui_api.h"

class Fl_Window;

namespace platform::gui {

class BackgroundWindow;
class DialogWindow;
class Screenshots;
struct DecoratedWindow;

struct GuiOptions {
    bool unattended = false;    // drive the windows from the answers
    std::string screenshotDir;  // empty: no screenshots
    HostFiles files;
};

class GuiUi : public UiApi {
  public:
    // Opens the display; throws std::runtime_error when there is none.
    GuiUi(Answers answers, Transcript& transcript, GuiOptions options);
    ~GuiUi() override;

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

    // For tests: the main frame and the window of a dialog being shown.
    BackgroundWindow* background() const { return background_.get(); }
    DialogWindow* WindowOf(const Dialog& dialog) const;
    // The screenshots written so far (host paths).
    const std::vector<std::string>& screenshots() const { return shots_; }

  private:
    void Shoot(const std::string& name);
    void ShowOnTop(Fl_Window* window, int frame, int caption);
    void Hide(Fl_Window* window);
    void OnPageCommand(DialogWindow& window, int id);
    void RunModal(Fl_Window* window, const std::function<bool()>& done);
    static void AnimationTick(void* data);

    AnswerPlan plan_;
    Transcript& transcript_;
    GuiOptions options_;
    std::unique_ptr<Screenshots> screenshots_;
    std::vector<std::string> shots_;
    std::unique_ptr<BackgroundWindow> background_;
    std::vector<DecoratedWindow> stack_;  // our shown top-level windows, bottom first
    std::map<const Dialog*, std::unique_ptr<DialogWindow>> windows_;
    std::map<const Dialog*, std::string> modelessState_;
    std::vector<std::unique_ptr<Fl_Window>> viewers_;  // readme windows the user has not closed
    int nextMessageId_ = -1;
    bool windowManager_ = false;
};

}  // namespace platform::gui
