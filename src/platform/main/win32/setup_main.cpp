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
#include "platform/main/host_options.h"
#include "platform/main/win32/front_end.h"
#include "platform/ui/script_ui.h"
#include "platform/ui/text_ui.h"
#include "platform/ui/transcript.h"
#include "platform/win32/backend.h"

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

int Fail(const std::string& message) {
    std::fprintf(stderr, "setup: %s\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    platform::HostOptions options;
    if (auto status = platform::ParseCommandLine(
            argc, argv, {"--ui", "--answers", "--transcript", "--screenshots", "--no-progman"}, 0, kUsage,
            options))
        return *status;
    if (options.ui.empty()) options.ui = platform::win32::DefaultFrontEnd();
    if (!platform::win32::FrontEndAvailable(options.ui))
        return Fail("front end \"" + options.ui + "\" is not available in this build");

    platform::Answers answers;
    platform::Transcript transcript;
    if (std::string error; !platform::OpenRunFiles(options, answers, transcript, error)) return Fail(error);

    std::string program = platform::win32::ProgramPath();
    if (program.empty()) return Fail("the program cannot find its own path");

    platform::win32::NativeMachine machine;
    machine.dde().SetServersAbsent(options.noProgman);
    if (!options.screenshots.empty() && options.ui != "gui")
        return Fail("--screenshots needs the gui front end");
    std::unique_ptr<platform::UiApi> ui =
        platform::win32::MakeFrontEnd({options.ui, !options.answers.empty(), options.screenshots},
                                      std::move(answers), transcript, machine.files());
    machine.system().SetTrace([&](const std::string& line) { ui->Trace(line); });
    platform::Install(machine.ServicesWith(ui.get()));

    std::vector<char> argv0(program.begin(), program.end());
    argv0.push_back('\0');
    char* entryArgv[] = {argv0.data(), nullptr};
    int status = platform::RunGuarded("setup", transcript, 3, [&] {
        ProgramEntry(1, entryArgv);
        return 0;
    });
    platform::Install(platform::Services{});
    if (status) return status;
    return machine.system().QuitCode();
}
