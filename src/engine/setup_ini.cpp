#include "engine/setup_ini.h"

#include <cstring>
#include <vector>

#include "app/message_box.h"
#include "app/setup_record.h"
#include "app/text.h"
#include "platform/win32.h"

namespace {
// 1 at program start, cleared once the first write error has been shown.
int g_reportWriteErrors = 1;
// Set while OVRA.ini is to start empty and nothing has been written to it yet: the old file stays in
// place, read as if it were gone, until the first write replaces it in one step.
bool g_freshIdeIni = false;

std::string IdeIniPath() {
    char windowsDir[MAX_PATH] = {};
    GetWindowsDirectoryA(windowsDir, MAX_PATH);
    return std::string(windowsDir) + "\\OVRA.ini";
}

void ReportWriteError() {
    if (!g_reportWriteErrors) return;
    std::string text = platform::Current().system->FormatSystemMessage(
        GetLastError(), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT));
    ShowFormattedMessage(nullptr, 0, text, MB_OK | MB_ICONHAND);
    g_reportWriteErrors = 0;
}

// The first write of a fresh OVRA.ini: the key goes into a new file beside it, which then takes the old
// file's place, so that a run stopped at any moment leaves a whole OVRA.ini, the old one or the new.
BOOL WriteFreshIdeIni(const char* key, const char* section, const char* value, const std::string& file) {
    const std::string staging = file + ".new";
    DeleteFileA(staging.c_str());
    if (!WritePrivateProfileStringA(section, key, value, staging.c_str())) return FALSE;
    if (!MoveFileExA(staging.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DWORD error = GetLastError();
        DeleteFileA(staging.c_str());
        SetLastError(error);
        return FALSE;
    }
    g_freshIdeIni = false;
    return TRUE;
}

}  // namespace

void ResetIdeIniErrorReport() {
    g_reportWriteErrors = 1;
    g_freshIdeIni = false;
}

void StartFreshIdeIni() {
    DeleteFileA((IdeIniPath() + ".new").c_str());  // what a stopped earlier run may have left
    g_freshIdeIni = true;
}

void EndFreshIdeIni() {
    if (g_freshIdeIni) DeleteFileA(IdeIniPath().c_str());
    g_freshIdeIni = false;
}

int ReadSetupIni(const std::string& directory, const char* key, const char* section, std::string& value,
                 DWORD size, const char* fileName) {
    std::string path = directory + fileName;
    if (g_freshIdeIni && lstrcmpiA(path.c_str(), IdeIniPath().c_str()) == 0) {
        value = "x";
        return 0;
    }
    std::vector<char> buffer(size ? size : 1, '\0');
    DWORD n = GetPrivateProfileStringA(section, key, "x", buffer.data(), size, path.c_str());
    value.assign(buffer.data(), n < buffer.size() ? n : strnlen(buffer.data(), buffer.size()));
    return value != "x" ? 1 : 0;
}

BOOL WriteIdeIni(const char* key, const char* section, const char* value, const char* fileName) {
    std::string file = fileName ? Setup().installDir + "\\" + fileName : IdeIniPath();
    // An empty value passes no value at all, which removes the key.
    const char* written = (value && *value) ? value : nullptr;
    BOOL result;
    if (!fileName && g_freshIdeIni)
        result = written ? WriteFreshIdeIni(key, section, written, file) : TRUE;  // absent from a new file
    else
        result = WritePrivateProfileStringA(section, key, written, file.c_str());
    if (!result) ReportWriteError();
    return result;
}
