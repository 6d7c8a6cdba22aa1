// Host entry of the uninstaller: reads the host options, opens the prefix, picks a front end, and
// removes the kit that the uninstall log (a Windows path in the prefix) names.
#include <cstdio>
#include <memory>
#include <string>

#include "platform/machine/desktop_entries.h"
#include "platform/machine/machine.h"
#include "platform/machine/system.h"
#include "platform/main/host_options.h"
#include "platform/main/linux_host.h"
#include "platform/ui/script_ui.h"
#include "platform/ui/text_ui.h"
#include "platform/ui/transcript.h"
#include "uninstall/uninstaller.h"
#ifdef OVRA_HAVE_GUI
#include "platform/ui/gui/gui_ui.h"
#endif

namespace {

const char kUsage[] =
    "usage: vexarmv [options] LOGPATH\n"
    "  LOGPATH            Windows path of the uninstall log (C:\\OVRA\\uninst.ins); its directory is the\n"
    "                     installation directory\n"
    "  --prefix DIR       Wine prefix to remove the kit from (default: $WINEPREFIX, else ~/.wine)\n"
    "  --ui MODE          script, text or gui (default: gui on a display, text on a terminal,\n"
    "                     script otherwise)\n"
    "  --answers FILE     answers for the questions of an unattended run (answer.9001=yes confirms,\n"
    "                     answer.9002=yes removes a shared file no program uses any more)\n"
    "  --transcript FILE  write every message box and decision to FILE\n"
    "  --dry-run          list what would be removed and change nothing\n"
    "  --help             this text\n"
    "Exit status: 0 removed (what was kept is reported), 1 cancelled, 2 bad options, 4 damaged registry,\n"
    "5 prefix in use, 6 prefix of another user, 7 malformed prefix, 8 registry not saved (log kept),\n"
    "9 the log cannot be read or is not ours (nothing removed).\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "vexarmv: %s\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    platform::HostOptions options;
    if (auto status = platform::ParseCommandLine(
            argc, argv, {"--prefix", "--ui", "--answers", "--transcript", "--dry-run"}, 1, kUsage, options))
        return *status;
    if (options.arguments.size() != 1) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (options.prefix.empty()) options.prefix = platform::DefaultPrefix();
    if (options.ui.empty()) options.ui = platform::DefaultFrontEnd();
    if (!platform::FrontEndAvailable(options.ui))
        return Fail("front end \"" + options.ui + "\" is not available in this build");

    platform::Answers answers;
    platform::Transcript transcript;
    if (std::string error; !platform::OpenRunFiles(options, answers, transcript, error)) return Fail(error);

    platform::OpenedPrefix opened;
    platform::OpenPrefix("vexarmv", options.prefix, transcript, opened);
    if (opened.status) return opened.status;
    platform::Machine& machine = *opened.machine;
    // Deleting the group removes the menu entries Wine's menu builder made for it, wherever it made them.
    machine.desktopEntries().Configure(
        true,
        platform::DesktopHome::From(std::getenv("HOME"), std::getenv("XDG_DATA_HOME"),
                                    std::getenv("XDG_CONFIG_HOME")),
        platform::HostWineLoader(), std::getenv("WINEDLLOVERRIDES"));

    std::unique_ptr<platform::UiApi> ui;
    if (options.ui == "gui") {
#ifdef OVRA_HAVE_GUI
        platform::gui::GuiOptions gui;
        gui.unattended = !options.answers.empty();
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

    uninstall::Options run;
    run.logPath = options.arguments[0];
    run.dryRun = options.dryRun;
    run.report = [&](const std::string& line) {
        std::printf("%s\n", line.c_str());
        ui->Trace(line);
    };
    int status = platform::RunGuarded("vexarmv", transcript, uninstall::kCancelled,
                                      [&] { return uninstall::RunUninstall(run); });
    std::fflush(stdout);
    platform::Install(platform::Services{});
    return status;
}
