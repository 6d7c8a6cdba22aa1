#include "engine/setup_ini.h"

#include <cstring>
#include <vector>

#include "app/message_box.h"
#include "app/setup_record.h"
#include "platform/win32.h"

namespace {
// 1 at program start, cleared once the first write error has been shown.
int g_reportWriteErrors = 1;
}  // namespace

void ResetIdeIniErrorReport() {
    g_reportWriteErrors = 1;
}

int ReadSetupIni(const std::string& directory, const char* key, const char* section, std::string& value,
                 DWORD size, const char* fileName) {
    std::string path = directory + fileName;
    std::vector<char> buffer(size ? size : 1, '\0');
    DWORD n = GetPrivateProfileStringA(section, key, "x", buffer.data(), size, path.c_str());
    value.assign(buffer.data(), n < buffer.size() ? n : strnlen(buffer.data(), buffer.size()));
    return value != "x" ? 1 : 0;
}

BOOL WriteIdeIni(const char* key, const char* section, const char* value, const char* fileName) {
    std::string file;
    if (!fileName) {
        char windowsDir[MAX_PATH] = {};
        GetWindowsDirectoryA(windowsDir, MAX_PATH);
        file = std::string(windowsDir) + "\\OVRA.ini";
    } else {
        file = Setup().installDir + "\\" + fileName;
    }
    // An empty value passes no value at all, which removes the key.
    const char* written = (value && *value) ? value : nullptr;
    BOOL result = WritePrivateProfileStringA(section, key, written, file.c_str());
    if (!result && g_reportWriteErrors) {
        std::string text = platform::Current().system->FormatSystemMessage(
            GetLastError(), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT));
        ShowFormattedMessage(nullptr, 0, text, MB_OK | MB_ICONHAND);
        g_reportWriteErrors = 0;
    }
    return result;
}
