// Before the first page: are the file sets that the flavour selects on the media at all?
#pragma once

#include <string>

class InstallSession;

// True when the install list and the data file of the set can both be opened at one of the two places
// the engine looks (never prompts).
bool IsFileSetOnMedia(InstallSession& app, const std::string& setName);
// True when every file set of every component the flavour selects is on the media (a patch: its one set).
bool CheckMediaForSelection(InstallSession& app);
// How many file sets the install phase of the selection installs: the sets checked above, each once, and
// the version set once more when the add-on tools take it after the IDE. Where a component takes more,
// the progress window raises its count when it gets there.
int FileSetsForSelection();
