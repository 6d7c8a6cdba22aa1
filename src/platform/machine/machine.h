// The simulated Windows machine over a Wine-style prefix: files, profiles, registry, version
// installation, system services, Program Manager and the shell's folders, sharing one set of injectable
// faults.
#pragma once

#include <memory>
#include <string>

#include "platform/machine/faults.h"
#include "platform/machine/prefix.h"
#include "platform/platform.h"

namespace platform {

class MachineFiles;
class MachineProfile;
class MachineRegistry;
class MachineVersion;
class MachineSystem;
class MachineDde;
class MachineShell;
class DesktopEntries;

class Machine {
  public:
    struct Options {
        std::string prefixDir;  // host directory of the prefix (created when missing)
        std::string locale;     // host locale name for the system language
    };
    explicit Machine(const Options& options);
    ~Machine();
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    // The machine's services with the given user interface (which may be null where no UI is used).
    Services ServicesWith(UiApi* ui);

    Prefix& prefix() { return *prefix_; }
    Faults& faults() { return faults_; }
    MachineFiles& files() { return *files_; }
    MachineProfile& profiles() { return *profile_; }
    MachineRegistry& registry() { return *registry_; }
    MachineVersion& versions() { return *version_; }
    MachineSystem& system() { return *system_; }
    MachineDde& dde() { return *dde_; }
    MachineShell& shell() { return *shell_; }
    // The host's menu entries for the shortcuts Program Manager saves; off until configured.
    DesktopEntries& desktopEntries() { return *desktop_; }

  private:
    Faults faults_;
    std::unique_ptr<Prefix> prefix_;
    std::unique_ptr<MachineFiles> files_;
    std::unique_ptr<MachineProfile> profile_;
    std::unique_ptr<MachineRegistry> registry_;
    std::unique_ptr<MachineVersion> version_;
    std::unique_ptr<MachineSystem> system_;
    std::unique_ptr<MachineDde> dde_;
    std::unique_ptr<MachineShell> shell_;
    std::unique_ptr<DesktopEntries> desktop_;
};

}  // namespace platform
