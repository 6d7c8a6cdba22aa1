#include "platform/machine/machine.h"

#include <sys/stat.h>

#include "platform/machine/dde.h"
#include "platform/machine/default_registry.h"
#include "platform/machine/desktop_entries.h"
#include "platform/machine/files.h"
#include "platform/machine/profile.h"
#include "platform/machine/progman.h"
#include "platform/machine/registry.h"
#include "platform/machine/system.h"
#include "platform/machine/version.h"

namespace platform {

Machine::Machine(const Options& options)
    : prefix_(std::make_unique<Prefix>(options.prefixDir)),
      files_(std::make_unique<MachineFiles>(*prefix_, faults_)),
      profile_(std::make_unique<MachineProfile>(*files_)),
      registry_(std::make_unique<MachineRegistry>(*prefix_, faults_)),
      version_(std::make_unique<MachineVersion>(*files_, faults_)),
      system_(std::make_unique<MachineSystem>(*registry_, options.locale)),
      dde_(std::make_unique<MachineDde>(*files_, faults_, UserProgramsFolder(prefix_->UserName()))),
      shell_(std::make_unique<MachineShell>(*files_, prefix_->UserName())),
      desktop_(std::make_unique<DesktopEntries>(*prefix_, *registry_)) {
    dde_->progman().SetSink(desktop_.get());
    // A prefix without a machine hive is new: give it the keys Wine's own set-up would have made.
    struct stat st;
    if (stat(prefix_->HivePath("system.reg").c_str(), &st) != 0)
        SeedNewPrefixRegistry(*registry_, prefix_->UserName());
}

Machine::~Machine() = default;

Services Machine::ServicesWith(UiApi* ui) {
    Services s;
    s.files = files_.get();
    s.profiles = profile_.get();
    s.registry = registry_.get();
    s.versions = version_.get();
    s.system = system_.get();
    s.dde = dde_.get();
    s.shell = shell_.get();
    s.ui = ui;
    return s;
}

}  // namespace platform
