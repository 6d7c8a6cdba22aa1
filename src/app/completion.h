// The last step of every successful run: the finish page, the documentation copies, the build record,
// and the end of the program (logging the user off when the finish page asked for it).
#pragma once

#include <string>

class WizardState;

void CompleteSetup(WizardState& app);
// The build and version record: BUILD.INI in the installation directory and the registry's build values.
void WriteBuildRecord(WizardState& app);
// The media build file that records a component's version: "BUILD51.INI" ... or "BUILD.INI".
std::string BuildFileFor(const std::string& component, bool toolTable);
