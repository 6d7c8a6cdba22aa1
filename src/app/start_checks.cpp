#include "app/start_checks.h"

#include <string>

#include "app/setup_record.h"
#include "platform/win32.h"

bool IsWindowsNT() {
    return GetVersion() < 0x80000000u;
}

bool WindowsVersionAccepted() {
    Setup().nt = false;
    DWORD version = GetVersion();
    if (version < 0x80000000u) {
        Setup().nt = true;
        return true;
    }
    return (version & 0xFFu) >= 4;
}

bool HasInstallRights() {
    char systemDir[MAX_PATH] = {};
    GetSystemDirectoryA(systemDir, MAX_PATH);
    // A probe file with a name no user would choose ("\Q$$1.£Q£", the pound signs in the ANSI code page).
    std::string path = std::string(systemDir) + "\\Q$$1.\xA3Q\xA3";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    DeleteFileA(path.c_str());

    const char* key =
        IsWindowsNT() ? "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment" : "SYSTEM";
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}
