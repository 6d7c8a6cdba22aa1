// The IDE's registrations with the Windows shell: the entry in the list of removable programs, the
// application path, the reference counts of the shared libraries and the project-file association.
// Everything comes from OVRA.ini; every step fails silently.
#pragma once

#include <string>

// "Default Directories"."VexaBin" of OVRA.ini + "\Ovra.exe"; empty when VexaBin is absent.
std::string IdeProgramPath();

// Uninstall entry, application path and shared-library counts: each library of the "Shared Dlls" list
// of OVRA.ini (this run's, since an IDE run starts from an empty OVRA.ini) counted once, at 1 when it
// has no count yet.
void RegisterUninstallAndPaths(const std::string& ideProgramPath);
// ".prj" -> "prjfile" under HKEY_CLASSES_ROOT, opened by the IDE (its icon and open command only when
// the IDE's path is known).
void RegisterProjectAssociation(const std::string& ideProgramPath);
