// Entry of the native Windows program: reads the host options, picks a front end and starts the program
// entry over the real machine. The program's own path is argv[0] of the program entry, so the media
// directory is the directory the program was started from, as on the distribution media.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/program_entry.h"
#include "platform/api.h"
#include "platform/ui/answers.h"
#include "platform/ui/script_ui.h"
#include "platform/ui/text_files.h"
#include "platform/ui/text_ui.h"
#include "platform/ui/transcript.h"
#include "platform/ui/win32/win_ui.h"
#include "platform/win32/backend.h"

#ifdef _WIN32
#include <io.h>
#endif

namespace {

const char kUsage[] =
    "usage: SETUP.EXE [options]\n"
    "  --ui MODE          gui, script or text (default: gui where windows can be shown, text on a\n"
    "                     console, script otherwise)\n"
    "  --answers FILE     answers for the pages and message boxes of an unattended run\n"
    "  --transcript FILE  write every page, message box and progress text to FILE\n"
    "  --no-progman       no Program Manager conversation: the setup makes no Start-menu group\n"
    "  --screenshots DIR  (gui) save every page, message box and progress window as BMP in DIR\n"
    "  --help             this text\n";

struct Options {
    std::string ui;
    std::string answers;
    std::string transcript;
    bool noProgman = false;
    std::string screenshots;
};

int Fail(const std::string& message) {
    std::fprintf(stderr, "setup: %s\n", message.c_str());
    return 2;
}

bool OnConsole() {
    return _isatty(0) && _isatty(1);
}

// The front ends this program offers, and which one runs without --ui.
bool FrontEndAvailable(const std::string& name) {
    return name == "gui" || name == "script" || name == "text";
}

std::string DefaultFrontEnd() {
    if (platform::winui::Desktop::DisplayAvailable()) return "gui";
    return OnConsole() ? "text" : "script";
}

std::unique_ptr<platform::UiApi> MakeFrontEnd(const Options& options, platform::Answers answers,
                                              platform::Transcript& transcript, platform::FileApi& files) {
    const std::string& name = options.ui;
    if (name == "gui") {
        platform::winui::WinUiOptions gui;
        gui.unattended = !options.answers.empty();
        gui.screenshotDir = options.screenshots;
        // Test-only: the folder of an outside screen grabber that captures every window (see
        // tests/wine/gui_screenshots.sh).
        if (const char* live = std::getenv("OVRA_LIVE_CAPTURE")) gui.liveCaptureDir = live;
        return std::make_unique<platform::winui::WinUi>(std::move(answers), transcript, gui);
    }
    if (name == "text")
        return std::make_unique<platform::TextUi>(0, 1, transcript, platform::TextFilesOver(files));
    auto script = std::make_unique<platform::ScriptUi>(std::move(answers), transcript);
    script->SetFileExists([&files](const std::string& path) {
        DWORD attributes = files.GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    });
    return script;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        if (a == "--no-progman") {
            options.noProgman = true;
            continue;
        }
        if (a == "--help" || a == "-h" || a == "/?") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        bool ok = (a == "--ui" && value(options.ui)) || (a == "--answers" && value(options.answers)) ||
                  (a == "--transcript" && value(options.transcript)) ||
                  (a == "--screenshots" && value(options.screenshots));
        if (!ok) {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (options.ui.empty()) options.ui = DefaultFrontEnd();
    if (!FrontEndAvailable(options.ui))
        return Fail("front end \"" + options.ui + "\" is not available in this build");

    platform::Answers answers;
    if (!options.answers.empty()) {
        std::ifstream in(options.answers, std::ios::binary);
        if (!in) return Fail("cannot read answers file " + options.answers);
        std::stringstream text;
        text << in.rdbuf();
        std::string error;
        if (!answers.Parse(text.str(), error)) return Fail(options.answers + ": " + error);
    }
    platform::Transcript transcript;
    if (!options.transcript.empty() && !transcript.Open(options.transcript))
        return Fail("cannot write transcript " + options.transcript);

    std::string program = platform::win32::ProgramPath();
    if (program.empty()) return Fail("the program cannot find its own path");

    platform::win32::NativeMachine machine;
    machine.dde().SetServersAbsent(options.noProgman);
    if (!options.screenshots.empty() && options.ui != "gui")
        return Fail("--screenshots needs the gui front end");
    std::unique_ptr<platform::UiApi> ui =
        MakeFrontEnd(options, std::move(answers), transcript, machine.files());
    machine.system().SetTrace([&](const std::string& line) { ui->Trace(line); });
    platform::Install(machine.ServicesWith(ui.get()));

    std::vector<char> argv0(program.begin(), program.end());
    argv0.push_back('\0');
    char* entryArgv[] = {argv0.data(), nullptr};
    int status = 0;
    try {
        ProgramEntry(1, entryArgv);
    } catch (const platform::ScriptStuck& stuck) {
        transcript.Line(std::string("error ") + stuck.what());
        std::fprintf(stderr, "setup: %s\n", stuck.what());
        status = 3;
    } catch (const platform::TextInputEnded& ended) {
        transcript.Line(std::string("error ") + ended.what());
        std::fprintf(stderr, "setup: %s\n", ended.what());
        status = 3;
    } catch (const std::runtime_error& failed) {
        // A window the system would not make: the wizard cannot go on.
        transcript.Line(std::string("error ") + failed.what());
        std::fprintf(stderr, "setup: %s\n", failed.what());
        status = 3;
    }
    platform::Install(platform::Services{});
    if (status) return status;
    return machine.system().QuitCode();
}
