#include "platform/ui/gui/gui_ui.h"

#include <FL/Fl.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/x.H>

#include <stdexcept>

#include "platform/ui/gui/avi_reader.h"
#include "platform/ui/gui/background_window.h"
#include "platform/ui/gui/dialog_layout.h"
#include "platform/ui/gui/dialog_window.h"
#include "platform/ui/gui/folder_browser.h"
#include "platform/ui/gui/frame_window.h"
#include "platform/ui/gui/message_box_window.h"
#include "platform/ui/gui/screenshot.h"
#include "platform/ui/gui/text_viewer.h"
#include "platform/ui/gui/win_widgets.h"
#include "platform/ui/transcript_lines.h"
#include "resources/catalogue_help.h"

namespace platform::gui {

namespace {

HWND const kMainWindow = FrontEndMainWindow();
constexpr int kProgressControl = 300;
GuiUi* g_active = nullptr;  // the front end whose windows take the input

void ScreenSize(int& w, int& h) {
    int x = 0, y = 0;
    Fl::screen_xywh(x, y, w, h, 0);
}

// Whether `w` is `group` or one of its descendants, found without touching `w` (it may be stale).
bool Holds(Fl_Widget* group, const Fl_Widget* w) {
    if (!w) return false;
    if (group == w) return true;
    Fl_Group* g = group->as_group();
    if (!g) return false;
    for (int i = 0; i < g->children(); ++i)
        if (Holds(g->child(i), w)) return true;
    return false;
}

// The frame's icon (resource 401): a chip with its pins on the setup's teal, drawn here.
const Fl_RGB_Image* SetupIcon() {
    static unsigned char pixels[32 * 32 * 3];
    static Fl_RGB_Image* image = [] {
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                unsigned char* p = pixels + (y * 32 + x) * 3;
                bool body = x >= 8 && x < 24 && y >= 6 && y < 26;
                bool pin = !body && y >= 8 && y < 24 && (y % 4) < 2 && x >= 4 && x < 28;
                bool dot = x >= 11 && x < 14 && y >= 9 && y < 12;
                unsigned char r = 0, g = 128, b = 128;
                if (pin) r = g = b = 192;
                if (body) r = 150, g = 0, b = 0;
                if (dot) r = g = b = 255;
                p[0] = r, p[1] = g, p[2] = b;
            }
        return new Fl_RGB_Image(pixels, 32, 32, 3);
    }();
    return image;
}

}  // namespace

// Takes a window off the screen however its scope is left.
struct GuiUi::Shown {
    GuiUi& ui;
    Fl_Window* window;
    ~Shown() { ui.Hide(window); }
};

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
    g_active = this;
    Fl::event_dispatch(Dispatch);
}

GuiUi::~GuiUi() {
    for (auto& [dialog, window] : windows_) {
        (void)dialog;
        Fl::remove_timeout(AnimationTick, window.get());
    }
    if (g_active == this) {
        g_active = nullptr;
        Fl::event_dispatch(nullptr);
    }
    closed_.clear();
    while (!layers_.empty())
        layers_.pop_back();
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

FrameWindow* GuiUi::FrameOf(const Fl_Window* client) const {
    for (const Layer& layer : layers_)
        if (layer.client == client) return layer.frame.get();
    return nullptr;
}

std::vector<Fl_Window*> GuiUi::Viewers() const {
    std::vector<Fl_Window*> open;
    for (const Layer& layer : layers_)
        if (layer.owned) open.push_back(layer.client);
    return open;
}

void GuiUi::Shoot(const std::string& name) {
    std::string path = screenshots_->Take(name, background_ ? std::vector<DecoratedWindow>{} : stack_);
    if (!path.empty()) shots_.push_back(path);
}

int GuiUi::Dispatch(int event, Fl_Window* window) {
    GuiUi* ui = g_active;
    if (!ui || ui->layers_.empty() || !ui->layers_.back().frame) return Fl::handle_(event, window);
    FrameWindow* top = ui->layers_.back().frame.get();
    bool inside = false;
    for (Fl_Window* w = window; w && !inside; w = w->window())
        inside = w == top;
    if (!inside) switch (event) {
            // Windows below the top one are disabled, as a modal window's owner is.
            case FL_PUSH:
            case FL_RELEASE:
            case FL_DRAG:
            case FL_MOUSEWHEEL:
                return 0;
            // Keys go to the top window, whichever window the pointer is over.
            case FL_KEYBOARD:
            case FL_KEYUP:
            case FL_SHORTCUT:
                window = top;
                break;
            default:
                break;
        }
    ui->KeepFocusOnTop(false);
    int handled = Fl::handle_(event, window);
    if (g_active == ui) ui->KeepFocusOnTop(true);
    return handled;
}

void GuiUi::KeepFocusOnTop(bool restore) {
    if (layers_.empty() || !layers_.back().frame) return;
    Layer& top = layers_.back();
    Fl_Widget* focus = Fl::focus();
    if (focus && Holds(top.frame.get(), focus))
        top.focus = focus;
    else if (restore && top.focus && Holds(top.frame.get(), top.focus))
        // The system keeps a dialog's focus control while the setup is not the active application, and
        // gives it back: so do we, whatever FLTK did with the focus meanwhile.
        top.focus->take_focus();
}

void GuiUi::ShowOnTop(Fl_Window* window, bool closeBox, std::unique_ptr<Fl_Window> owned) {
    closed_.clear();
    if (!background_) {
        window->show();
        window->wait_for_expose();
        stack_.push_back({window, kFrame, kCaption});
        layers_.push_back({window, std::move(owned), nullptr, nullptr});
        Fl::flush();
        return;
    }
    KeepFocusOnTop(false);
    if (!layers_.empty() && layers_.back().frame) layers_.back().frame->Activate(false);
    Rect client{window->x(), window->y(), window->w(), window->h()};
    auto frame = std::make_unique<FrameWindow>(window, client, closeBox);
    background_->add(frame.get());
    frame->show();
    window->show();
    layers_.push_back({window, std::move(owned), std::move(frame), nullptr});
    // The new window takes the keyboard: its own choice of control (a message box's default button, a
    // page's focus control), else its first tab stop.
    if (!Holds(window, Fl::focus())) window->take_focus();
    KeepFocusOnTop(false);
    Fl::flush();
    XSync(fl_display, False);
    Fl::check();
    Fl::flush();
}

void GuiUi::Hide(Fl_Window* window) {
    for (auto it = stack_.begin(); it != stack_.end(); ++it)
        if (it->window == window) {
            window->hide();
            stack_.erase(it);
            break;
        }
    for (auto it = layers_.begin(); it != layers_.end(); ++it)
        if (it->client == window) {
            bool wasTop = it + 1 == layers_.end();
            if (it->frame) {
                it->frame->hide();
                background_->remove(it->frame.get());
            }
            Layer gone = std::move(*it);
            layers_.erase(it);
            if (wasTop && !layers_.empty() && layers_.back().frame) {
                layers_.back().frame->Activate(true);
                KeepFocusOnTop(true);
            }
            // A viewer closing itself is inside its frame's event handling: it is deleted later.
            if (gone.owned) closed_.push_back(std::move(gone));
            break;
        }
    Fl::check();
}

void GuiUi::RunModal(Fl_Window* window, const std::function<bool()>& done) {
    while (!done() && window->shown())
        if (Fl::wait() < 0) break;
}

void GuiUi::CreateMainWindow(const std::string& caption) {
    transcript_.Line(WindowLine(caption));
    int sw = 0, sh = 0;
    ScreenSize(sw, sh);
    // The maximised frame: its caption bar along the top of the screen, its own frame off the screen.
    // A window manager is asked for the whole screen, without its decoration.
    background_ = std::make_unique<BackgroundWindow>(0, 0, sw, sh, caption);
    background_->icon(SetupIcon());
    if (windowManager_) background_->fullscreen();
    background_->show();
    background_->wait_for_expose();
    Fl::flush();
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
    ShowOnTop(&box, true);
    box.FocusDefault();
    KeepFocusOnTop(false);
    Shown shown{*this, &box};
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

void GuiUi::OpenViewer(const std::string& title, const std::string& text, const std::string& shot) {
    auto viewer = std::make_unique<TextViewerWindow>(title, text);
    int sw = 0, sh = 0;
    ScreenSize(sw, sh);
    Rect r = CentredClient(viewer->w(), viewer->h(), sw, sh);
    viewer->position(r.x, r.y);
    Fl_Window* window = viewer.get();
    window->callback([](Fl_Widget* w, void* data) { static_cast<GuiUi*>(data)->Hide(w->as_window()); }, this);
    ShowOnTop(window, true, std::move(viewer));
    Shoot(shot);
    // Unattended, nobody reads it: it goes again at once.
    if (options_.unattended) Hide(window);
}

BOOL GuiUi::WinHelpA(HWND, LPCSTR helpFile, UINT command, DWORD data) {
    transcript_.Line(HelpLine(helpFile, command, data));
    if (command != HELP_CONTEXT) return TRUE;
    bool french = catalogue::IsFrenchHelpFile(helpFile ? helpFile : "");
    auto topic = catalogue::FindHelpTopic(data, french);
    if (!topic) return FALSE;
    OpenViewer(topic->title, topic->text, "help-" + std::to_string(data));
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
    ShowOnTop(window.get());
    Shown shown{*this, window.get()};
    window->FocusInitial();
    KeepFocusOnTop(false);
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
    ShowOnTop(window.get());
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
        Hide(window);
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
    ShowOnTop(&browser, true);
    Shown shown{*this, &browser};
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
    std::string text = options_.files.readFile ? options_.files.readFile(name).value_or("") : "";
    // The viewer's title is the file's name: the folder it came from is the media's business.
    std::size_t slash = name.find_last_of("\\/:");
    OpenViewer(slash == std::string::npos ? name : name.substr(slash + 1), text, "readme");
    return 42;
}

}  // namespace platform::gui
