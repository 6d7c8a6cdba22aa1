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
    if (auto status = platform::ParseCommandLine(
            argc, argv, {"--ui", "--answers", "--transcript", "--dry-run"}, 64, kUsage, options))
        return *status;
    if (options.arguments.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (options.ui.empty()) options.ui = platform::win32::DefaultFrontEnd();
    if (!platform::win32::FrontEndAvailable(options.ui))
        return Fail("front end \"" + options.ui + "\" is not available in this build");

    platform::Answers answers;
    platform::Transcript transcript;
    if (std::string error; !platform::OpenRunFiles(options, answers, transcript, error)) return Fail(error);

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
    int status = platform::RunGuarded("VEXARMV", transcript, uninstall::kCancelled,
                                      [&] { return uninstall::RunUninstall(run); });
    std::fflush(stdout);
    platform::Install(platform::Services{});
    return status;
}
