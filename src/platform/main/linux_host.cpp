#include "platform/main/linux_host.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "platform/machine/files.h"
#include "platform/machine/registry.h"
#include "platform/ui/host_files.h"
#include "platform/ui/script_ui.h"
#include "platform/ui/text_files.h"
#include "platform/ui/text_ui.h"

namespace platform {

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

std::string DefaultFrontEnd() {
    const char* display = std::getenv("DISPLAY");
    if (kHaveGui && display && *display) return "gui";
    if (isatty(STDIN_FILENO) == 1 && isatty(STDOUT_FILENO) == 1) return "text";
    return "script";
}

bool FrontEndAvailable(const std::string& name) {
    return name == "script" || name == "text" || (name == "gui" && kHaveGui);
}

bool ApplyTestFaults(const char* list, Faults& faults, std::string& error) {
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

void OpenPrefix(const std::string& program, const std::string& prefix, Transcript& transcript,
                OpenedPrefix& opened) {
    auto refuse = [&](const std::string& message, int status) {
        transcript.Line("error " + message);
        std::fprintf(stderr, "%s: %s\n", program.c_str(), message.c_str());
        opened.status = status;
    };
    // One writer a prefix, and only its owner: a second program or a running Wine server would
    // interleave with our hives, and another user's prefix is not ours to write in.
    if (std::string why; !opened.guard.Acquire(prefix, why)) {
        using Refusal = PrefixGuard::Refusal;
        Refusal refusal = opened.guard.refusal();
        return refuse(why, refusal == Refusal::NotOwned    ? kStatusNotOwned
                           : refusal == Refusal::Malformed ? kStatusMalformedPrefix
                                                           : kStatusInUse);
    }
    try {
        opened.machine = std::make_unique<Machine>(Machine::Options{prefix, HostLocale()});
        opened.machine->prefix().RemoveStaleTemporaries();
    } catch (const std::exception& e) {
        opened.machine.reset();
        return refuse("the prefix " + prefix + " cannot be used: " + e.what(), kStatusMalformedPrefix);
    }
    // A damaged hive is never written over: refuse the whole run before anything changes.
    for (auto hive : {MachineRegistry::Hive::Machine, MachineRegistry::Hive::User}) {
        std::string damage = opened.machine->registry().LoadError(hive);
        if (!damage.empty())
            return refuse("the registry of the prefix is damaged and is left as it is: " + damage,
                          kStatusDamagedRegistry);
    }
    if (std::string error; !ApplyTestFaults(std::getenv("OVRA_FAULTS"), opened.machine->faults(), error)) {
        std::fprintf(stderr, "%s: %s\n", program.c_str(), error.c_str());
        opened.status = 2;
    }
}

std::unique_ptr<UiApi> MakeHeadlessFrontEnd(const std::string& name, Answers answers, Transcript& transcript,
                                            Machine& machine) {
    if (name == "text") {
        // A terminal that goes away must end the run through the end of input, not kill it mid-write.
        std::signal(SIGPIPE, SIG_IGN);
        return std::make_unique<TextUi>(STDIN_FILENO, STDOUT_FILENO, transcript,
                                        TextFilesOver(machine.files()));
    }
    HostFiles hostFiles = MakeHostFiles(machine.files(), machine.prefix());
    auto script = std::make_unique<ScriptUi>(std::move(answers), transcript);
    script->SetFileExists(hostFiles.fileExists);
    return script;
}

}  // namespace platform
