// Host entry of the setup program: reads the host options, opens the prefix, picks a front end, and
// starts the program entry with the Windows path of a setup program on the media as argv[0].
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/program_entry.h"
#include "platform/machine/desktop_entries.h"
#include "platform/machine/files.h"
#include "platform/machine/machine.h"
#include "platform/machine/system.h"
#include "platform/main/host_options.h"
#include "platform/main/linux_host.h"
#include "platform/ui/host_files.h"
#include "platform/ui/script_ui.h"
#include "platform/ui/text_ui.h"
#include "platform/ui/transcript.h"
#ifdef OVRA_HAVE_GUI
#include "platform/ui/gui/gui_ui.h"
#endif

namespace {

const char kUsage[] =
    "usage: setup [options]\n"
    "  --prefix DIR       Wine prefix to install into (default: $WINEPREFIX, else ~/.wine)\n"
    "  --media DIR        distribution media (default: the directory of this program)\n"
    "  --ui MODE          script, text or gui (default: gui on a display, text on a terminal,\n"
    "                     script otherwise)\n"
    "  --answers FILE     answers for the pages and message boxes of an unattended run\n"
    "  --transcript FILE  write every page, message box and progress text to FILE\n"
    "  --no-progman       no Program Manager answers: the setup makes no Start-menu group\n"
    "  --no-desktop-entries  no menu entries on the host for the Start-menu group (by default they\n"
    "                     are written as Wine's menu builder would, unless Wine's settings disable it)\n"
    "  --screenshots DIR  (gui) save every page, message box and progress window as PNG in DIR\n"
    "  --help             this text\n";

std::string ExecutableDir(const char* argv0) {
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    std::string path = n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string(argv0);
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "setup: %s\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    platform::HostOptions options;
    if (auto status = platform::ParseCommandLine(argc, argv,
                                                 {"--prefix", "--media", "--ui", "--answers", "--transcript",
                                                  "--screenshots", "--no-progman", "--no-desktop-entries"},
                                                 0, kUsage, options))
        return *status;
    if (options.prefix.empty()) options.prefix = platform::DefaultPrefix();
    if (options.media.empty()) options.media = ExecutableDir(argv[0]);
    if (options.ui.empty()) options.ui = platform::DefaultFrontEnd();
    if (!platform::FrontEndAvailable(options.ui))
        return Fail("front end \"" + options.ui + "\" is not available in this build");

    char media[PATH_MAX];
    if (!realpath(options.media.c_str(), media))
        return Fail("media directory " + options.media + " not found");

    platform::Answers answers;
    platform::Transcript transcript;
    if (std::string error; !platform::OpenRunFiles(options, answers, transcript, error)) return Fail(error);

    if (!options.screenshots.empty() && options.ui != "gui")
        return Fail("--screenshots needs the gui front end");
    if (!options.screenshots.empty() && mkdir(options.screenshots.c_str(), 0777) != 0 && errno != EEXIST)
        return Fail("cannot create screenshot directory " + options.screenshots);

    platform::OpenedPrefix opened;
    platform::OpenPrefix("setup", options.prefix, transcript, opened);
    if (opened.status) return opened.status;
    platform::Machine& machine = *opened.machine;
    if (options.noProgman) machine.faults().progmanAbsent = true;
    machine.desktopEntries().Configure(
        !options.noDesktopEntries,
        platform::DesktopHome::From(std::getenv("HOME"), std::getenv("XDG_DATA_HOME"),
                                    std::getenv("XDG_CONFIG_HOME")),
        platform::HostWineLoader(), std::getenv("WINEDLLOVERRIDES"));

    platform::HostFiles hostFiles = platform::MakeHostFiles(machine.files(), machine.prefix());
    std::unique_ptr<platform::UiApi> ui;
    if (options.ui == "gui") {
#ifdef OVRA_HAVE_GUI
        platform::gui::GuiOptions gui;
        gui.unattended = !options.answers.empty();
        gui.screenshotDir = options.screenshots;
        gui.files = hostFiles;
        try {
            ui = std::make_unique<platform::gui::GuiUi>(std::move(answers), transcript, std::move(gui));
        } catch (const std::exception& e) {
            return Fail(e.what());
        }
#endif
    } else {
        ui = platform::MakeHeadlessFrontEnd(options.ui, std::move(answers), transcript, machine);
    }
    machine.system().SetTrace([&](const std::string& line) { ui->Trace(line); });
    platform::Install(machine.ServicesWith(ui.get()));

    auto mediaWindows = machine.prefix().ToWindows(media, true);
    if (!mediaWindows) return Fail(std::string("no drive of the prefix reaches ") + media);
    std::string program = *mediaWindows;
    if (program.empty() || program.back() != '\\') program += '\\';
    program += "SETUP.EXE";
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
