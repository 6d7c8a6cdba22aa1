// Which product the media hold: the flavour words from the INI files beside the program, the earlier
// installation of the kit, and the checks that a patch, tool release or add-on fits it.
#pragma once

#include <string>

class WizardState;

// Runs once, first thing in the wizard. False stops the setup (its message has been shown).
bool DetectFlavour(WizardState& app);

// The leading number of the FileVersion string of a program's version resource (6.10.2 gives 6.1);
// 0 when the file has no readable version resource.
float ReadInstalledIdeVersion(const std::string& programPath);
