#include "config/ovra_ini.h"

#include "engine/setup_ini.h"
#include "platform/win32.h"

bool ReadOvraIni(const std::string& section, const char* key, std::string& value, DWORD size) {
    char windowsDir[MAX_PATH] = {};
    GetWindowsDirectoryA(windowsDir, MAX_PATH);
    return ReadSetupIni(windowsDir, key, section.c_str(), value, size, "\\OVRA.ini") == 1;
}
