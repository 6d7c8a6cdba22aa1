// The windowed front end (FLTK): the red background with the product title, the pages built from their
// templates, message boxes, the progress window with its animation, the folder browser, help and the
// readme viewer. Once the background exists every other window is drawn inside it with its own frame
// and caption bar, and only the top one takes input, so the setup looks and behaves the same with or
// without a window manager. With an answers file the run is unattended: the answers become typing and
// clicks on the real widgets, and the transcript says what the headless front end would say.
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

class Fl_Widget;
class Fl_Window;

namespace platform::gui {

class BackgroundWindow;
class DialogWindow;
class FrameWindow;
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
    // For tests: the frame a shown window is drawn in (null when it has none), and the help and readme
    // viewers left open.
    FrameWindow* FrameOf(const Fl_Window* client) const;
    std::vector<Fl_Window*> Viewers() const;

  private:
    // A shown window: its frame inside the background (none before the background exists) and the
    // widget that last had the keyboard focus in it, given back when the window is on top again.
    struct Layer {
        Fl_Window* client;
        std::unique_ptr<Fl_Window> owned;    // the client, for the viewers the front end owns
        std::unique_ptr<FrameWindow> frame;  // goes before the client it holds
        Fl_Widget* focus = nullptr;
    };
    struct Shown;

    void Shoot(const std::string& name);
    void ShowOnTop(Fl_Window* window, bool closeBox = false, std::unique_ptr<Fl_Window> owned = nullptr);
    void Hide(Fl_Window* window);
    void KeepFocusOnTop(bool restore);
    void OpenViewer(const std::string& title, const std::string& text, const std::string& shot);
    void CloseViewer(Fl_Window* viewer);
    static int Dispatch(int event, Fl_Window* window);
    void OnPageCommand(DialogWindow& window, int id);
    void RunModal(Fl_Window* window, const std::function<bool()>& done);
    static void AnimationTick(void* data);

    AnswerPlan plan_;
    Transcript& transcript_;
    GuiOptions options_;
    std::unique_ptr<Screenshots> screenshots_;
    std::vector<std::string> shots_;
    std::unique_ptr<BackgroundWindow> background_;
    std::vector<DecoratedWindow> stack_;  // shown windows without a frame of ours (no background yet)
    std::vector<Layer> layers_;           // shown windows, bottom first
    std::vector<Layer> closed_;           // viewers closed by their own close box, deleted later
    std::map<const Dialog*, std::unique_ptr<DialogWindow>> windows_;
    std::map<const Dialog*, std::string> modelessState_;
    int nextMessageId_ = -1;
    bool windowManager_ = false;
};

}  // namespace platform::gui
