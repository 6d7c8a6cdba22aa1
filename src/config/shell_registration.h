// The IDE's registrations with the Windows shell: the entry in the list of removable programs, the
// application path, the reference counts of the shared libraries and the project-file association.
// Everything comes from OVRA.ini; every step fails silently.
#pragma once

#include <string>

// "Default Directories"."VexaBin" of OVRA.ini + "\Ovra.exe"; empty when VexaBin is absent.
std::string IdeProgramPath();

// Uninstall entry, application path and shared-library counts. `existedBefore`: the IDE's "Default
// Directories" key was there before this configuration pass (this version was installed already, so its
// libraries are counted already: the list is only removed from OVRA.ini).
void RegisterUninstallAndPaths(bool existedBefore, const std::string& ideProgramPath);
// ".prj" -> "prjfile" under HKEY_CLASSES_ROOT, opened by the IDE.
void RegisterProjectAssociation(const std::string& ideProgramPath);
