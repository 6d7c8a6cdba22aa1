#include "platform/ui/win32/win_ui.h"

#include <stdexcept>

#include "platform/ui/dialog_template_bytes.h"
#include "platform/ui/transcript_lines.h"

namespace platform::winui {

namespace {

HWND const kMainWindow = FrontEndMainWindow();
constexpr int kAnimationControl = 300;

Kind KindOf(ControlClass cls) {
    switch (cls) {
        case ControlClass::Button:
            return Kind::Button;
        case ControlClass::Edit:
            return Kind::Edit;
        case ControlClass::ListBox:
            return Kind::ListBox;
        case ControlClass::Gauge:
            return Kind::Gauge;
        case ControlClass::Animation:
            return Kind::Animation;
        case ControlClass::Static:
            break;
    }
    return Kind::Static;
}

}  // namespace

DialogView ViewOf(const Dialog& dialog) {
    DialogView view;
    view.caption = dialog.caption;
    view.pictureId = dialog.PictureId();
    view.focusId = dialog.focusId;
    for (const Control& c : dialog.controls) {
        ControlView v;
        v.id = c.id;
        v.kind = KindOf(c.cls);
        v.style = c.style;
        v.text = c.text;
        v.visible = c.visible;
        v.enabled = c.enabled;
        v.checked = c.checked;
        v.radio = c.IsButton(BS_AUTORADIOBUTTON);
        v.textLimit = c.textLimit;
        v.value = c.value;
        v.items = c.items;
        view.controls.push_back(std::move(v));
    }
    return view;
}

// One visit of a modal dialog: the window's events go to the model, the transcript and, unattended, the
// answers drive the real controls.
class WinUi::PageEvents : public DialogEvents {
  public:
    PageEvents(WinUi& ui, Dialog& dialog) : ui_(ui), dialog_(dialog) {}

    DialogView Initialise(Handle window) override {
        ui_.windows_[&dialog_] = window;
        dialog_.SetupWindow();
        return ViewOf(dialog_);
    }
    void Edited(int id, const std::string& text) override { dialog_.UserEdit(id, text); }
    void RadioClicked(int id) override { dialog_.UserClickRadio(id); }
    bool Command(int id, int& result) override {
        if (dialog_.Ended()) {
            result = dialog_.Result();
            return true;
        }
        ui_.transcript_.Line(PressLine(dialog_, id));
        dialog_.Command(id);
        result = dialog_.Result();
        return dialog_.Ended();
    }
    DialogView State() override { return ViewOf(dialog_); }
    void Shown(Handle window) override {
        if (ui_.options_.unattended) {
            PageInput input = ui_.plan_.InputFor(dialog_);
            for (const auto& [id, text] : input.edits)
                ui_.desktop_.TypeInto(window, id, text);
            if (input.radio) ui_.desktop_.ClickRadio(window, input.radio);
        }
        RecordDialog(ui_.transcript_, dialog_);
        ui_.desktop_.Capture(window, "page-" + std::to_string(dialog_.TemplateId()));
        if (!ui_.options_.unattended) return;
        VisitCommands commands(ui_.plan_, dialog_);
        while (!dialog_.Ended())
            ui_.desktop_.SendCommand(window, commands.Next(dialog_));
    }

  private:
    WinUi& ui_;
    Dialog& dialog_;
};

WinUi::WinUi(Answers answers, Transcript& transcript, WinUiOptions options)
    : plan_(std::move(answers)),
      transcript_(transcript),
      options_(std::move(options)),
      desktop_(DesktopOptions{options_.screenshotDir, options_.liveCaptureDir}) {}

WinUi::~WinUi() = default;

HWND WinUi::MainWindow() {
    return desktop_.MainWindow() ? kMainWindow : nullptr;
}

Handle WinUi::Native(HWND owner) const {
    if (!owner) return 0;
    if (owner == kMainWindow) return desktop_.MainWindow();
    for (const auto& [dialog, window] : windows_)
        if (dialog->Handle() == owner) return window;
    return desktop_.MainWindow();
}

void WinUi::CreateMainWindow(const std::string& caption) {
    transcript_.Line(WindowLine(caption));
    desktop_.CreateMainWindow(caption);
}

void WinUi::SetBackgroundTitle(const std::string& title, UINT drawTextFormat) {
    transcript_.Line(BackgroundLine(title, drawTextFormat));
    desktop_.SetBackgroundTitle(title, drawTextFormat);
}

int WinUi::MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD languageId) {
    int id = nextMessageId_;
    nextMessageId_ = -1;
    std::optional<int> answer;
    if (options_.unattended) answer = plan_.MessageBoxAnswer(id, type);
    int result =
        desktop_.ShowMessageBox(Native(owner), text ? text : "", caption ? caption : "", type, languageId,
                                answer, "message-" + (id > 0 ? std::to_string(id) : std::string("box")));
    transcript_.Line(MessageBoxLine(id, owner, kMainWindow, caption, text, type, result));
    return result;
}

BOOL WinUi::WinHelpA(HWND owner, LPCSTR helpFile, UINT command, DWORD data) {
    transcript_.Line(HelpLine(helpFile, command, data));
    // An unattended run starts no help viewer: it would outlive the run.
    if (options_.unattended) return TRUE;
    return desktop_.OpenHelp(Native(owner), helpFile ? helpFile : "", command, data) ? TRUE : FALSE;
}

void WinUi::Trace(const std::string& line) {
    transcript_.Line("trace " + line);
}

int WinUi::DialogBoxModal(HWND owner, Dialog& dialog) {
    PageEvents events(*this, dialog);
    struct Forget {
        WinUi* ui;
        Dialog* dialog;
        ~Forget() { ui->windows_.erase(dialog); }
    } forget{this, &dialog};
    std::vector<std::uint8_t> bytes = BuildDialogTemplate(dialog.Template(), dialog.caption);
    int result = desktop_.RunModal(Native(owner), bytes, events);
    // The dialog manager could not make the window: the wizard cannot go on without its page.
    if (result == -1 && !dialog.Ended())
        throw std::runtime_error("DialogBoxIndirectParamA(template " + std::to_string(dialog.TemplateId()) +
                                 ") = -1");
    return dialog.Result();
}

void WinUi::ModelessShow(Dialog& dialog) {
    dialog.SetupWindow();
    std::string avi;
    if (const Control* animation = dialog.Find(kAnimationControl)) avi = animation->text;
    std::vector<std::uint8_t> bytes = BuildDialogTemplate(dialog.Template(), dialog.caption);
    Handle window = desktop_.CreateModeless(desktop_.MainWindow(), bytes, ViewOf(dialog), avi);
    if (window) windows_[&dialog] = window;
    std::string state = ModelessState(dialog);
    modelessState_[&dialog] = state;
    transcript_.Line("progress show " + state);
    desktop_.Capture(window, "progress");
}

void WinUi::ModelessUpdate(Dialog& dialog) {
    std::string state = ModelessState(dialog);
    std::string& last = modelessState_[&dialog];
    if (state != last) {
        last = state;
        transcript_.Line("progress " + state);
    }
    if (auto it = windows_.find(&dialog); it != windows_.end())
        desktop_.UpdateModeless(it->second, ViewOf(dialog));
}

void WinUi::ModelessDestroy(Dialog& dialog) {
    modelessState_.erase(&dialog);
    if (auto it = windows_.find(&dialog); it != windows_.end()) {
        desktop_.UpdateModeless(it->second, ViewOf(dialog));
        desktop_.Capture(it->second, "progress-end");
        desktop_.DestroyModeless(it->second);
        windows_.erase(it);
    }
    transcript_.Line("progress close");
}

bool WinUi::BrowseForFolder(HWND owner, const std::string& title, std::string& path) {
    std::optional<std::string> chosen = desktop_.BrowseForFolder(Native(owner), title, options_.unattended);
    // Unattended, the browser is shown and closed; the folder is the one the answers give.
    if (options_.unattended) chosen = plan_.BrowseResult();
    transcript_.Line(BrowseLine(title, chosen));
    if (!chosen) return false;
    path = *chosen;
    return true;
}

std::intptr_t WinUi::ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                   LPCSTR directory, int showCommand) {
    std::string name = file ? file : "";
    if (options_.unattended) {
        // No viewer is started for an unattended run; whether it would have opened is what the file says.
        bool exists = desktop_.FileExists(name);
        transcript_.Line(ShellExecuteLine(operation, name, exists));
        return exists ? 42 : static_cast<std::intptr_t>(SE_ERR_FNF);
    }
    std::intptr_t result =
        desktop_.ShellOpen(Native(owner), operation, name, parameters, directory, showCommand);
    transcript_.Line(ShellExecuteLine(operation, name, result > 32));
    return result;
}

}  // namespace platform::winui
