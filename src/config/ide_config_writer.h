// The configuration writer: the staged OVRA.ini becomes the IDE's registry tree under
// HKEY_LOCAL_MACHINE\Software\KESTRAVION\Ovra\6.1, with the derivative databases and, for the IDE kits,
// the shell registrations; then the per-user keys.
#pragma once

// Runs, in order: the removal of an earlier configuration (IDE kits without an installation found at
// start-up), the machine-wide writer, the debugger defaults (IDE kits), the toolbars and the DOS tools.
int ConfigDriver();
// One pass of the machine-wide writer; 1 after a pass, 0 when the security descriptor cannot be made.
int IdeConfigWriter();
// The keys of an earlier 6.1 configuration, each removed with one RegDeleteKeyA (a key that still has
// subkeys survives where the system refuses to delete it).
void DeleteOldConfiguration();
