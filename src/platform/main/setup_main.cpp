// Host entry of the setup program: reads the host options, opens the prefix, picks a front end, and
// starts the program entry with the Windows path of a setup program on the media as argv[0].
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/program_entry.h"
#include "platform/host/prefix_guard.h"
#include "platform/machine/desktop_entries.h"
#include "platform/machine/files.h"
#include "platform/machine/machine.h"
#include "platform/machine/registry.h"
#include "platform/machine/system.h"
#include "platform/ui/answers.h"
#include "platform/ui/host_files.h"
#include "platform/ui/script_ui.h"
#include "platform/ui/text_files.h"
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

struct Options {
    std::string prefix;
    std::string media;
    std::string ui;
    std::string answers;
    std::string transcript;
    bool noProgman = false;
    bool noDesktopEntries = false;
    std::string screenshots;
};

std::string DefaultPrefix() {
    if (const char* p = std::getenv("WINEPREFIX"); p && *p) return p;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.wine";
}

std::string HostLocale() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* v = std::getenv(name); v && *v) return v;
    return "C";
}

std::string ExecutableDir(const char* argv0) {
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    std::string path = n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string(argv0);
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

#ifdef OVRA_HAVE_GUI
constexpr bool kHaveGui = true;
#else
constexpr bool kHaveGui = false;
#endif

// Without --ui: the windows on a display (when they are built in), the terminal when someone sits at
// one, else the unattended run.
std::string DefaultFrontEnd() {
    const char* display = std::getenv("DISPLAY");
    if (kHaveGui && display && *display) return "gui";
    if (isatty(STDIN_FILENO) == 1 && isatty(STDOUT_FILENO) == 1) return "text";
    return "script";
}

// Test-only:
// OVRA_FAULTS="disk=BYTES;regdisk=BYTES;inuse=C:\\PATH;deny=C:\\PATH;refuse=HKLM\\KEY;progman=off", items
// repeatable, makes the machine backend fail on purpose (see platform/machine/faults.h) so that the
// tests can drive a whole run of the program into every error path. Never set it for a real install.
bool ApplyTestFaults(const char* list, platform::Faults& faults, std::string& error) {
    std::string text = list ? list : "";
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        std::string item = text.substr(start, end - start);
        start = end + 1;
        if (item.empty()) continue;
        std::size_t eq = item.find('=');
        std::string key = item.substr(0, eq), value = eq == std::string::npos ? "" : item.substr(eq + 1);
        if (key == "disk" && !value.empty() && value.find_first_not_of("0123456789") == std::string::npos)
            faults.diskSpaceLeft = std::stoull(value);
        else if (key == "regdisk" && !value.empty() &&
                 value.find_first_not_of("0123456789") == std::string::npos)
            faults.hiveSpaceLeft = std::stoull(value);
        else if (key == "inuse" && !value.empty())
            faults.inUse.insert(value);
        else if (key == "deny" && !value.empty())
            faults.denied.insert(value);
        else if (key == "refuse" && !value.empty())
            faults.refusedKeys.insert(value);
        else if (key == "progman" && value == "off")
            faults.progmanAbsent = true;
        else {
            error = "OVRA_FAULTS: unknown item \"" + item + "\"";
            return false;
        }
    }
    return true;
}

// Exit statuses beyond the wizard's own (see the README).
constexpr int kStatusInUse = 5;
constexpr int kStatusNotOwned = 6;
constexpr int kStatusMalformedPrefix = 7;

int Refused(platform::Transcript& transcript, const std::string& why, int status) {
    transcript.Line("error " + why);
    std::fprintf(stderr, "setup: %s\n", why.c_str());
    return status;
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "setup: %s\n", message.c_str());
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    options.prefix = DefaultPrefix();
    options.media = ExecutableDir(argv[0]);
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
        if (a == "--no-desktop-entries") {
            options.noDesktopEntries = true;
            continue;
        }
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        bool ok = (a == "--prefix" && value(options.prefix)) || (a == "--media" && value(options.media)) ||
                  (a == "--ui" && value(options.ui)) || (a == "--answers" && value(options.answers)) ||
                  (a == "--transcript" && value(options.transcript)) ||
                  (a == "--screenshots" && value(options.screenshots));
        if (!ok) {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (options.ui.empty()) options.ui = DefaultFrontEnd();
    if (options.ui != "script" && options.ui != "text" && !(options.ui == "gui" && kHaveGui))
        return Fail("front end \"" + options.ui + "\" is not available in this build");

    char media[PATH_MAX];
    if (!realpath(options.media.c_str(), media))
        return Fail("media directory " + options.media + " not found");

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

    if (!options.screenshots.empty() && options.ui != "gui")
        return Fail("--screenshots needs the gui front end");
    if (!options.screenshots.empty() && mkdir(options.screenshots.c_str(), 0777) != 0 && errno != EEXIST)
        return Fail("cannot create screenshot directory " + options.screenshots);

    // One writer a prefix, and only its owner: a second setup or a running Wine server would interleave
    // with our hives, and another user's prefix is not ours to write in.
    platform::PrefixGuard guard;
    if (std::string why; !guard.Acquire(options.prefix, why)) {
        using Refusal = platform::PrefixGuard::Refusal;
        Refusal refusal = guard.refusal();
        return Refused(transcript, why,
                       refusal == Refusal::NotOwned    ? kStatusNotOwned
                       : refusal == Refusal::Malformed ? kStatusMalformedPrefix
                                                       : kStatusInUse);
    }
    std::unique_ptr<platform::Machine> machinePtr;
    try {
        machinePtr =
            std::make_unique<platform::Machine>(platform::Machine::Options{options.prefix, HostLocale()});
        machinePtr->prefix().RemoveStaleTemporaries();
    } catch (const std::exception& e) {
        return Refused(transcript,
                       std::string("the prefix ") + options.prefix + " cannot be used: " + e.what(),
                       kStatusMalformedPrefix);
    }
    platform::Machine& machine = *machinePtr;
    // A damaged hive is never written over: refuse the whole run before anything changes.
    for (auto hive : {platform::MachineRegistry::Hive::Machine, platform::MachineRegistry::Hive::User}) {
        std::string damage = machine.registry().LoadError(hive);
        if (damage.empty()) continue;
        std::string message = "the registry of the prefix is damaged and is left as it is: " + damage;
        return Refused(transcript, message, 4);
    }
    machine.faults().progmanAbsent = options.noProgman;
    machine.desktopEntries().Configure(
        !options.noDesktopEntries,
        platform::DesktopHome::From(std::getenv("HOME"), std::getenv("XDG_DATA_HOME"),
                                    std::getenv("XDG_CONFIG_HOME")),
        platform::HostWineLoader(), std::getenv("WINEDLLOVERRIDES"));
    if (std::string error; !ApplyTestFaults(std::getenv("OVRA_FAULTS"), machine.faults(), error))
        return Fail(error);

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
    } else if (options.ui == "text") {
        // A terminal that goes away must end the run through the end of input, not kill it mid-write.
        std::signal(SIGPIPE, SIG_IGN);
        ui = std::make_unique<platform::TextUi>(STDIN_FILENO, STDOUT_FILENO, transcript,
                                                platform::TextFilesOver(machine.files()));
    } else {
        auto script = std::make_unique<platform::ScriptUi>(std::move(answers), transcript);
        script->SetFileExists(hostFiles.fileExists);
        ui = std::move(script);
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
    }
    platform::Install(platform::Services{});
    if (status) return status;
    return machine.system().QuitCode();
}
