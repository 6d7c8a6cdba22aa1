// What the Linux programs of the kit (build/setup, build/vexarmv) share around the machine: the default
// prefix and front end, the test faults, and the checks before a prefix is touched.
#pragma once

#include <memory>
#include <string>

#include "platform/host/prefix_guard.h"
#include "platform/machine/faults.h"
#include "platform/machine/machine.h"
#include "platform/main/host_options.h"
#include "platform/ui/transcript.h"
#include "platform/ui_api.h"

namespace platform {

#ifdef OVRA_HAVE_GUI
inline constexpr bool kHaveGui = true;
#else
inline constexpr bool kHaveGui = false;
#endif

// $WINEPREFIX, else ~/.wine.
std::string DefaultPrefix();
std::string HostLocale();
// Without --ui: the windows on a display (when they are built in), the terminal when someone sits at
// one, else the unattended run.
std::string DefaultFrontEnd();
bool FrontEndAvailable(const std::string& name);

// Test-only:
// OVRA_FAULTS="disk=BYTES;regdisk=BYTES;inuse=C:\\PATH;deny=C:\\PATH;refuse=HKLM\\KEY;progman=off", items
// repeatable, makes the machine backend fail on purpose (see platform/machine/faults.h) so that the
// tests can drive a whole run of the program into every error path. Never set it for a real install.
bool ApplyTestFaults(const char* list, Faults& faults, std::string& error);

// Exit statuses of a prefix that cannot be opened (see the README).
inline constexpr int kStatusDamagedRegistry = 4;
inline constexpr int kStatusInUse = 5;
inline constexpr int kStatusNotOwned = 6;
inline constexpr int kStatusMalformedPrefix = 7;

// The prefix, opened for one writer: `guard` held, the machine made, stale temporary files of a dead
// run removed, the test faults applied. A prefix in use (status 5: another program of the kit or a Wine
// server), another user's (6), a malformed one (7) or one with a damaged registry (4, left byte for byte
// as it was) is refused before anything is written; the message goes to the transcript and to stderr
// with `program` before it.
struct OpenedPrefix {
    PrefixGuard guard;
    std::unique_ptr<Machine> machine;
    int status = 0;
};
void OpenPrefix(const std::string& program, const std::string& prefix, Transcript& transcript,
                OpenedPrefix& opened);

// The script or text front end over the machine (the gui is the setup's own business).
std::unique_ptr<UiApi> MakeHeadlessFrontEnd(const std::string& name, Answers answers, Transcript& transcript,
                                            Machine& machine);

}  // namespace platform
