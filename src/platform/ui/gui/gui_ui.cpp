#include "platform/ui/gui/gui_ui.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <spawn.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "platform/ui/gui/avi_reader.h"
#include "platform/ui/gui/background_window.h"
#include "platform/ui/gui/dialog_layout.h"
#include "platform/ui/gui/dialog_window.h"
#include "platform/ui/gui/folder_browser.h"
#include "platform/ui/gui/message_box_window.h"
#include "platform/ui/gui/screenshot.h"
#include "platform/ui/gui/text_viewer.h"
#include "platform/ui/gui/win_widgets.h"
#include "platform/ui/transcript_lines.h"

extern char** environ;

namespace platform::gui {

namespace {

HWND const kMainWindow = FrontEndMainWindow();
constexpr int kProgressControl = 300;

void ScreenSize(int& w, int& h) {
    int x = 0, y = 0;
    Fl::screen_xywh(x, y, w, h, 0);
}

bool OnPath(const char* program) {
    const char* path = std::getenv("PATH");
    if (!path) return false;
    std::string dirs = path;
    std::size_t start = 0;
    while (start <= dirs.size()) {
        std::size_t end = dirs.find(':', start);
        std::string dir = dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!dir.empty() && access((dir + "/" + program).c_str(), X_OK) == 0) return true;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return false;
}

// Removes a window from the stack of shown windows however its scope is left.
struct ShownWindow {
    std::vector<DecoratedWindow>& stack;
    Fl_Window* window;
    ~ShownWindow() {
        window->hide();
        for (auto it = stack.begin(); it != stack.end(); ++it)
            if (it->window == window) {
                stack.erase(it);
                break;
            }
        Fl::check();
    }
};

}  // namespace

GuiUi::GuiUi(Answers answers, Transcript& transcript, GuiOptions options)
    : plan_(std::move(answers)),
      transcript_(transcript),
      options_(std::move(options)),
      screenshots_(std::make_unique<Screenshots>(options_.screenshotDir)) {
    if (!fl_display) {
        Display* display = XOpenDisplay(nullptr);
        if (!display) throw std::runtime_error("cannot open the X display (DISPLAY is not usable)");
        fl_open_display(display);
    }
    UseSystemLook();
    windowManager_ = HaveWindowManager();
}

GuiUi::~GuiUi() {
    for (auto& [dialog, window] : windows_) {
        (void)dialog;
        Fl::remove_timeout(AnimationTick, window.get());
    }
    viewers_.clear();
    background_.reset();
    Fl::check();
}

HWND GuiUi::MainWindow() {
    return background_ ? kMainWindow : nullptr;
}

DialogWindow* GuiUi::WindowOf(const Dialog& dialog) const {
    auto it = windows_.find(&dialog);
    return it == windows_.end() ? nullptr : it->second.get();
}

void GuiUi::Shoot(const std::string& name) {
    std::string path = screenshots_->Take(name, stack_);
    if (!path.empty()) shots_.push_back(path);
}

void GuiUi::ShowOnTop(Fl_Window* window, int frame, int caption) {
    window->show();
    window->wait_for_expose();
    stack_.push_back({window, frame, caption});
    Fl::flush();
}

void GuiUi::RunModal(Fl_Window* window, const std::function<bool()>& done) {
    while (!done() && window->shown())
        if (Fl::wait() < 0) break;
}

void GuiUi::CreateMainWindow(const std::string& caption) {
    transcript_.Line(WindowLine(caption));
    int sw = 0, sh = 0;
    ScreenSize(sw, sh);
    if (windowManager_) {
        int x, y, w, h;
        Fl::screen_work_area(x, y, w, h, 0);
        background_ = std::make_unique<BackgroundWindow>(x, y, w, h, caption);
    } else {
        // Maximised: the caption bar along the top of the screen, the client below it.
        background_ = std::make_unique<BackgroundWindow>(0, kCaption, sw, sh - kCaption, caption);
    }
    ShowOnTop(background_.get(), 0, kCaption);
}

void GuiUi::SetBackgroundTitle(const std::string& title, UINT drawTextFormat) {
    transcript_.Line(BackgroundLine(title, drawTextFormat));
    if (background_) {
        background_->SetTitle(title, drawTextFormat);
        Fl::check();
    }
}

int GuiUi::MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD) {
    int id = nextMessageId_;
    nextMessageId_ = -1;
    MessageBoxWindow box(text ? text : "", caption ? caption : "", type);
    int sw = 0, sh = 0;
    ScreenSize(sw, sh);
    Rect r = CentredClient(box.w(), box.h(), sw, sh);
    box.position(r.x, r.y);
    ShowOnTop(&box, kFrame, kCaption);
    ShownWindow shown{stack_, &box};
    Shoot("message-" + (id > 0 ? std::to_string(id) : std::string("box")));
    int answer = 0;
    if (options_.unattended) {
        answer = plan_.MessageBoxAnswer(id, type);
        box.Press(answer);
    } else {
        RunModal(&box, [&] { return box.answer() != 0; });
        answer = box.answer() ? box.answer() : IDCANCEL;
    }
    transcript_.Line(MessageBoxLine(id, owner, kMainWindow, caption, text, type, answer));
    return answer;
}

BOOL GuiUi::WinHelpA(HWND, LPCSTR helpFile, UINT command, DWORD data) {
    transcript_.Line(HelpLine(helpFile, command, data));
    if (command != HELP_CONTEXT) return TRUE;
    std::string text =
        "Help topic " + std::to_string(data) + " of " + (helpFile ? helpFile : "") + " was asked for.";
    MessageBoxWindow box(text, "Help", MB_OK | MB_ICONINFORMATION);
    int sw = 0, sh = 0;
    ScreenSize(sw, sh);
    Rect r = CentredClient(box.w(), box.h(), sw, sh);
    box.position(r.x, r.y);
    ShowOnTop(&box, kFrame, kCaption);
    ShownWindow shown{stack_, &box};
    Shoot("help-" + std::to_string(data));
    if (options_.unattended)
        box.Press(IDOK);
    else
        RunModal(&box, [&] { return box.answer() != 0; });
    return TRUE;
}

void GuiUi::Trace(const std::string& line) {
    transcript_.Line("trace " + line);
}

void GuiUi::OnPageCommand(DialogWindow& window, int id) {
    Dialog& dialog = window.dialog();
    if (dialog.Ended()) return;
    transcript_.Line(PressLine(dialog, id));
    dialog.Command(id);
    if (!dialog.Ended()) window.Refresh();
}

int GuiUi::DialogBoxModal(HWND, Dialog& dialog) {
    dialog.SetupWindow();
    Dialog* model = &dialog;
    auto& window = windows_[model] =
        std::make_unique<DialogWindow>(dialog, DialogWindow::Look::Page, [this, model](int id) {
            if (DialogWindow* w = WindowOf(*model)) OnPageCommand(*w, id);
        });
    struct Forget {
        GuiUi* ui;
        Dialog* model;
        ~Forget() { ui->windows_.erase(model); }
    } forget{this, model};
    int sw = 0, sh = 0;
    ScreenSize(sw, sh);
    window->Place(sw, sh);
    ShowOnTop(window.get(), kFrame, kCaption);
    ShownWindow shown{stack_, window.get()};
    window->FocusInitial();
    if (options_.unattended) {
        PageInput input = plan_.InputFor(dialog);
        for (const auto& [id, text] : input.edits)
            window->TypeInto(id, text);
        if (input.radio) window->ClickRadio(input.radio);
        window->Refresh();
    }
    RecordDialog(transcript_, dialog);
    Shoot("page-" + std::to_string(dialog.TemplateId()));
    if (options_.unattended) {
        VisitCommands commands(plan_, dialog);
        while (!dialog.Ended()) {
            window->Click(commands.Next(dialog));
            Fl::check();
        }
    } else {
        RunModal(window.get(), [&] { return dialog.Ended(); });
    }
    return dialog.Result();
}

void GuiUi::ModelessShow(Dialog& dialog) {
    dialog.SetupWindow();
    auto& window = windows_[&dialog] =
        std::make_unique<DialogWindow>(dialog, DialogWindow::Look::Plain, [](int) {});
    if (const Control* avi = dialog.Find(kProgressControl); avi && options_.files.readFile) {
        // A missing or unreadable animation leaves the control empty, and nothing is said about it.
        if (auto bytes = options_.files.readFile(avi->text))
            window->SetMovie(kProgressControl, ReadAvi(*bytes));
    }
    int sw = 0, sh = 0;
    ScreenSize(sw, sh);
    window->Place(sw, sh);
    ShowOnTop(window.get(), kFrame, kCaption);
    std::string state = ModelessState(dialog);
    modelessState_[&dialog] = state;
    transcript_.Line("progress show " + state);
    Fl::add_timeout(0.1, AnimationTick, window.get());
    Shoot("progress");
}

void GuiUi::AnimationTick(void* data) {
    auto* window = static_cast<DialogWindow*>(data);
    window->NextFrame();
    Fl::repeat_timeout(window->FrameInterval(), AnimationTick, data);
}

void GuiUi::ModelessUpdate(Dialog& dialog) {
    std::string state = ModelessState(dialog);
    std::string& last = modelessState_[&dialog];
    if (state != last) {
        last = state;
        transcript_.Line("progress " + state);
    }
    if (DialogWindow* window = WindowOf(dialog)) {
        window->Refresh();
        Fl::check();
    }
}

void GuiUi::ModelessDestroy(Dialog& dialog) {
    modelessState_.erase(&dialog);
    if (DialogWindow* window = WindowOf(dialog)) {
        window->Refresh();
        Shoot("progress-end");
        Fl::remove_timeout(AnimationTick, window);
        ShownWindow hide{stack_, window};
    }
    windows_.erase(&dialog);
    transcript_.Line("progress close");
}

bool GuiUi::BrowseForFolder(HWND, const std::string& title, std::string& path) {
    FolderBrowserWindow browser(title, options_.files);
    int sw = 0, sh = 0;
    ScreenSize(sw, sh);
    Rect r = CentredClient(browser.w(), browser.h(), sw, sh);
    browser.position(r.x, r.y);
    ShowOnTop(&browser, kFrame, kCaption);
    ShownWindow shown{stack_, &browser};
    Shoot("browse");
    if (options_.unattended)
        browser.Finish(plan_.BrowseResult());
    else
        RunModal(&browser, [&] { return browser.done(); });
    const std::optional<std::string>& chosen = browser.chosen();
    transcript_.Line(BrowseLine(title, chosen));
    if (!chosen) return false;
    path = *chosen;
    return true;
}

std::intptr_t GuiUi::ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR, LPCSTR, int) {
    std::string name = file ? file : "";
    bool exists = options_.files.fileExists ? options_.files.fileExists(name) : false;
    transcript_.Line(ShellExecuteLine(operation, name, exists));
    if (!exists) return static_cast<std::intptr_t>(SE_ERR_FNF);
    auto host = options_.files.hostPath ? options_.files.hostPath(name) : std::nullopt;
    if (!options_.unattended && host && OnPath("xdg-open")) {
        // The host's own viewer, left running on its own.
        pid_t pid = 0;
        char* argv[] = {const_cast<char*>("xdg-open"), host->data(), nullptr};
        if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) == 0) return 42;
    }
    std::string text = options_.files.readFile ? options_.files.readFile(name).value_or("") : "";
    auto viewer = std::make_unique<TextViewerWindow>(name, text);
    int sw = 0, sh = 0;
    ScreenSize(sw, sh);
    Rect r = CentredClient(viewer->w(), viewer->h(), sw, sh);
    viewer->position(r.x, r.y);
    if (options_.unattended) {
        ShowOnTop(viewer.get(), kFrame, kCaption);
        ShownWindow shown{stack_, viewer.get()};
        Shoot("readme");
    } else {
        viewer->show();
        viewers_.push_back(std::move(viewer));
    }
    return 42;
}

}  // namespace platform::gui
