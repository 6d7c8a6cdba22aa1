// The numbered OVRA.ini lists (Simulator%d, Emulator%d, Help%d, Pdf%d, UserTool%d, DosTool%d) that every
// installer appends to, and the keep-previous-configuration deletion of add-on installers.
#pragma once

#include <cstdint>

// The next free section of a list; the counter moves on at once. All four return the same buffer, so
// a name stays valid only until the next of these calls.
const char* NextSimulatorSection();
const char* NextEmulatorSection();
const char* NextUserToolSection();
const char* NextDosToolSection();

// "Pdf%d" / "Help%d" with "Name" = name (group + "\" + title for a manual) and "Path" = installation
// directory + relativePath (which begins with a backslash).
void AddManual(const char* name, const char* relativePath);
void AddHelpFile(const char* name, const char* relativePath);

// Deletes HKEY_LOCAL_MACHINE\parentPath\subKey unless the user wants to keep the previous
// configuration; the question is asked once per run, on the first subkey found. IDE flavours only.
void DeletePreviousKey(const char* parentPath, const char* subKey);

// The list lengths as the configuration writer reads them: the 16-bit copies of the counters.
struct NumberedListCounts {
    std::uint16_t simulators, emulators, helps, pdfs, userTools, dosTools;
};
NumberedListCounts ListCounts();

// Back to a program start: counters at 0, the question not asked yet (for tests).
void ResetNumberedLists();
