// The install phase (wizard step 9): the IDE and every selected tool family, then the configuration.
#pragma once

class WizardState;

// Leaves the page index at 10 when every file set was installed, 11 when one failed.
void InstallPhase(WizardState& app);
// A patch distribution installs its one file set.
void InstallPatch(WizardState& app);
