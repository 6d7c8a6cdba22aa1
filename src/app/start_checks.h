// Start-up checks: the Windows family, the version test and the installation rights.
#pragma once

// True when GetVersion's high bit is clear (the Windows NT family).
bool IsWindowsNT();
// The Windows-version test of the wizard: sets the setup record's NT flag; false for a Windows 9x-family
// version whose major version is below 4 (a Win32 layer on an older system).
bool WindowsVersionAccepted();
// Whether the user may write the system directory and open the machine's environment key.
bool HasInstallRights();
