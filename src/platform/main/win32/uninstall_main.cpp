// Entry of the native uninstaller, VEXARMV.EXE: started as the setup recorded it, with the uninstall log's
// path as its one argument ("C:\OVRA\VEXARMV.EXE C:\OVRA\uninst.ins"), it removes the kit over the real
// machine.
#include <cstdio>
#include <memory>
#include <string>

#include "platform/api.h"
#include "platform/main/host_options.h"
#include "platform/main/win32/front_end.h"
#include "platform/ui/script_ui.h"
#include "platform/ui/text_ui.h"
#include "platform/ui/transcript.h"
#include "platform/win32/backend.h"
#include "uninstall/uninstaller.h"

namespace {

const char kUsage[] =
    "usage: VEXARMV.EXE [options] LOGPATH\n"
    "  LOGPATH            the uninstall log (C:\\OVRA\\uninst.ins); its directory is the installation\n"
    "                     directory\n"
    "  --ui MODE          gui, script or text (default: gui where windows can be shown, text on a\n"
    "                     console, script otherwise)\n"
    "  --answers FILE     answers for the questions of an unattended run (answer.9001=yes confirms)\n"
    "  --transcript FILE  write every message box and decision to FILE\n"
    "  --dry-run          list what would be removed and change nothing\n"
    "  --help             this text\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "VEXARMV: %s\n", message.c_str());
    return 2;
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// The setup records the command without quotes, so an installation directory with blanks arrives cut
// into words, the program's own path among them: the log is what follows the program's name.
std::string LogPathFrom(const std::vector<std::string>& words) {
    std::string joined;
    for (const auto& word : words)
        joined += (joined.empty() ? "" : " ") + word;
    const std::string name = "\\VEXARMV.EXE ";
    std::size_t at = Upper(joined).rfind(name);
    return at == std::string::npos ? joined : joined.substr(at + name.size());
}

}  // namespace

int main(int argc, char** argv) {
    platform::HostOptions options;
    switch (platform::ParseHostOptions(argc, argv, {"--ui", "--answers", "--transcript", "--dry-run"}, 64,
                                       options)) {
        case platform::ParseOutcome::Help:
            std::fputs(kUsage, stdout);
            return 0;
        case platform::ParseOutcome::Bad:
            std::fputs(kUsage, stderr);
            return 2;
        case platform::ParseOutcome::Run:
            break;
    }
    if (options.arguments.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (options.ui.empty()) options.ui = platform::win32::DefaultFrontEnd();
    if (!platform::win32::FrontEndAvailable(options.ui))
        return Fail("front end \"" + options.ui + "\" is not available in this build");

    platform::Answers answers;
    if (std::string error;
        !options.answers.empty() && !platform::LoadAnswers(options.answers, answers, error))
        return Fail(error);
    platform::Transcript transcript;
    if (!options.transcript.empty() && !transcript.Open(options.transcript))
        return Fail("cannot write transcript " + options.transcript);

    platform::win32::NativeMachine machine;
    std::unique_ptr<platform::UiApi> ui = platform::win32::MakeFrontEnd(
        {options.ui, !options.answers.empty(), ""}, std::move(answers), transcript, machine.files());
    machine.system().SetTrace([&](const std::string& line) { ui->Trace(line); });
    platform::Install(machine.ServicesWith(ui.get()));

    uninstall::Options run;
    run.logPath = LogPathFrom(options.arguments);
    run.dryRun = options.dryRun;
    run.report = [&](const std::string& line) {
        std::printf("%s\n", line.c_str());
        ui->Trace(line);
    };
    int status = uninstall::kUninstalled;
    try {
        status = uninstall::RunUninstall(run);
    } catch (const platform::ScriptStuck& stuck) {
        transcript.Line(std::string("error ") + stuck.what());
        status = 3;
    } catch (const platform::TextInputEnded& ended) {
        transcript.Line(std::string("error ") + ended.what());
        status = uninstall::kCancelled;
    } catch (const std::runtime_error& failed) {
        transcript.Line(std::string("error ") + failed.what());
        std::fprintf(stderr, "VEXARMV: %s\n", failed.what());
        status = 3;
    }
    std::fflush(stdout);
    platform::Install(platform::Services{});
    return status;
}
