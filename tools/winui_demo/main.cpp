// A small native program over the native front end alone (built by `make windows`): the background,
// four pages of the template table with their pictures, a message box, the progress window with its
// animation, and the folder browser, driven by the answers given on the command line so it can run
// unattended under Wine.
//
//   winui_demo.exe TRANSCRIPT [ANSWERS] [AVI] [SCREENSHOT-DIR] [LIVE-CAPTURE-DIR]
//   winui_demo.exe --display     says whether windows can be shown
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/ui/win32/win_ui.h"
#include "resources/dialog_templates.h"

namespace {

// A page that ends on Next (the answers' forward command) and asks once before it does on page 6.
class DemoPage : public platform::Dialog {
  public:
    DemoPage(int id, platform::UiApi& ui) : platform::Dialog(resources::DialogTemplateFor(id)), ui_(ui) {}
    int PictureId() const override { return resources::PictureFor(TemplateId()).id; }
    void SetupWindow() override {
        caption = std::string("Demo ") + Template().caption;
        for (auto& c : controls)
            if (c.cls == platform::ControlClass::Static && c.id > 0)
                c.text = "Static " + std::to_string(c.id);
        if (TemplateId() == resources::kLicenceDialog)
            for (int i = 0; i < 30; ++i)
                AddListItem(105, "Licence line " + std::to_string(i));
        if (TemplateId() == resources::kSetupTypeDialog) CheckDlgButton(106, true);
    }
    void Command(int id) override {
        if (id == 102 || id == 1) {
            if (TemplateId() == resources::kUserInfoDialog) {
                ui_.NoteMessageId(1062);
                ui_.MessageBoxExA(Handle(), ("Name is " + GetDlgItemText(201)).c_str(), "Demo", MB_OKCANCEL,
                                  0);
            }
            EndDialog(IDOK);
        } else if (id == 103 || id == 2) {
            EndDialog(IDCANCEL);
        } else if (id == 106 && TemplateId() == resources::kDirectoryDialog) {
            std::string path;
            if (ui_.BrowseForFolder(Handle(), "Choose a folder", path)) SetDlgItemText(206, path);
        }
    }

  private:
    platform::UiApi& ui_;
};

class DemoProgress : public platform::Dialog {
  public:
    explicit DemoProgress(std::string avi)
        : platform::Dialog(resources::DialogTemplateFor(14)), avi_(std::move(avi)) {}
    void SetupWindow() override { SetDlgItemText(300, avi_); }

  private:
    std::string avi_;
};

std::string Arg(int argc, char** argv, int i) {
    return i < argc ? argv[i] : "";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: winui_demo TRANSCRIPT [ANSWERS] [AVI] [SCREENSHOT-DIR] [LIVE-CAPTURE-DIR]\n",
                   stderr);
        return 2;
    }
    if (std::string(argv[1]) == "--display") {
        std::puts(platform::winui::Desktop::DisplayAvailable() ? "display" : "no display");
        return 0;
    }
    platform::Transcript transcript;
    if (!transcript.Open(argv[1])) return 2;
    platform::Answers answers;
    platform::winui::WinUiOptions options;
    if (std::string file = Arg(argc, argv, 2); !file.empty()) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        std::string error;
        if (!answers.Parse(text.str(), error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 2;
        }
        options.unattended = true;
    }
    options.screenshotDir = Arg(argc, argv, 4);
    options.liveCaptureDir = Arg(argc, argv, 5);
    platform::winui::WinUi ui(std::move(answers), transcript, options);
    ui.CreateMainWindow("Demo Installation Program");
    ui.SetBackgroundTitle("Kestravion Vexa 6.1\nDevelopment Suite", DT_CENTER);
    for (int id : {resources::kPresentationDialog, resources::kLicenceDialog, resources::kSetupTypeDialog,
                   resources::kUserInfoDialog, resources::kDirectoryDialog}) {
        DemoPage page(id, ui);
        ui.DialogBoxModal(ui.MainWindow(), page);
    }
    {
        DemoProgress progress(Arg(argc, argv, 3));
        ui.ModelessShow(progress);
        for (int step = 0; step <= 100; step += 25) {
            progress.SetDlgItemText(
                104, "Copying the file :\nC:\\OVRA\\BIN\\FILE" + std::to_string(step) + ".DLL");
            if (platform::Control* gauge = progress.Find(209)) gauge->value = step;
            ui.ModelessUpdate(progress);
            if (step == 50) {
                // A question in the middle of the copy, owned by the main window, as the installers ask.
                ui.NoteMessageId(1086);
                ui.MessageBoxExA(ui.MainWindow(), "Install the driver now?", "Demo",
                                 MB_YESNO | MB_ICONQUESTION, 0);
            }
        }
        ui.ModelessDestroy(progress);
    }
    return 0;
}
