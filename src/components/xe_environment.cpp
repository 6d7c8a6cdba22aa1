#include "components/xe_environment.h"

#include <cstring>
#include <vector>

#include "app/message_box.h"
#include "app/text.h"
#include "components/text_lines.h"
#include "engine/setup_ini.h"
#include "platform/win32.h"

namespace {

constexpr const char* kEnvironmentKey = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

std::string ChainRoot(const std::string& installDir) {
    return installDir + "\\coolrcts";
}

std::string ForwardSlashes(std::string s) {
    for (char& c : s)
        if (c == '\\') c = '/';
    return s;
}

struct RegText {
    LONG result = ERROR_FILE_NOT_FOUND;
    DWORD type = REG_SZ;
    std::string value;
};

// Reads a string value into a buffer of `initial` bytes, growing it to the size reported on
// ERROR_MORE_DATA.
RegText QueryGrowing(HKEY key, const char* name, DWORD initial) {
    RegText out;
    std::vector<BYTE> buffer(initial);
    DWORD size = initial;
    out.result = RegQueryValueExA(key, name, nullptr, &out.type, buffer.data(), &size);
    if (out.result == static_cast<LONG>(ERROR_MORE_DATA)) {
        buffer.assign(size + 1, 0);
        out.result = RegQueryValueExA(key, name, nullptr, &out.type, buffer.data(), &size);
    }
    if (out.result == ERROR_SUCCESS)
        out.value = FromBuffer(reinterpret_cast<const char*>(buffer.data()),
                               std::min<std::size_t>(size, buffer.size()));
    return out;
}

LONG SetText(HKEY key, const char* name, DWORD type, const std::string& value) {
    return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1));
}

bool EndsWithSemicolon(const std::string& s) {
    return !s.empty() && s.back() == ';';
}

}  // namespace

std::string KeptTclDirectory(const std::string& previousValue) {
    std::size_t start = 0;
    while (start <= previousValue.size()) {
        std::size_t end = previousValue.find(';', start);
        std::string part =
            previousValue.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part.find("TCL") != std::string::npos || part.find("tcl") != std::string::npos) return part;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return std::string();
}

void RewriteSpecsFile(const std::string& installDir) {
    std::string directory = ChainRoot(installDir) + "\\win32\\lib\\gcc-lib\\c816\\egcs-2.91.02";
    std::string source = directory + "\\specs-2.txt";
    std::string target = directory + "\\specs";
    std::string root = ForwardSlashes(ChainRoot(installDir));
    crt::FILE* out = crt::fopen(target.c_str(), "w");
    if (!out) return;
    if (crt::FILE* in = crt::fopen(source.c_str(), "r")) {
        std::string line;
        while (ReadWholeLine(in, line)) {
            std::size_t at = line.find("/coolsoft");
            if (at != std::string::npos) line.replace(at, 9, root);
            line += '\n';
            crt::fputs(line.c_str(), out);
        }
        crt::fclose(in);
    }
    crt::fclose(out);
}

void SetXeEnvironmentInRegistry(const std::string& installDir) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEnvironmentKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    const std::string root = ChainRoot(installDir);
    const std::string slashed = ForwardSlashes(root);

    RegText path = QueryGrowing(key, "Path", MAX_PATH);
    if (path.result == ERROR_SUCCESS && path.value.find("%C816_PATH%") == std::string::npos) {
        std::string updated = (!path.value.empty() && !EndsWithSemicolon(path.value))
                                  ? path.value + ";" + "%C816_PATH%" + ";"
                                  : path.value + "%C816_PATH%" + ";";
        SetText(key, "Path", path.type, updated);
    }

    RegText previous = QueryGrowing(key, "C816_PATH", 1024);
    std::string kept = previous.result == ERROR_SUCCESS ? KeptTclDirectory(previous.value) : std::string();
    std::string chainPath = root + "\\win32\\bin" + (kept.empty() ? std::string() : ";" + kept);
    SetText(key, "C816_PATH", REG_SZ, chainPath);
    SetText(key, "GCC_EXEC_PREFIX", REG_SZ, root + "\\win32\\lib\\gcc-lib\\");
    SetText(key, "C816_ROOT", REG_SZ, slashed);
    SetText(key, "C816_GCCLIB", REG_SZ, slashed + "/win32/lib/gcc-lib/c816/egcs-2.91.02");
    SetText(key, "C816_CLIB", REG_SZ, slashed + "/win32/c816/lib");
    RegCloseKey(key);
}

namespace {

// The system's text for the error, as the profile writer shows it; the autoexec step stops there.
void ShowSystemError(DWORD code) {
    if (code == 0) code = ERROR_ACCESS_DENIED;
    ShowFormattedMessage(nullptr, 0, FormatSystemMessage(code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT)),
                         MB_OK | MB_ICONHAND);
}

// True when `line` holds `word`, whatever the case of either.
bool HoldsWord(const std::string& upperLine, const char* word) {
    return upperLine.find(word) != std::string::npos;
}

// The value of a "SET NAME=VALUE" line: the text after the first "=", without leading blanks.
std::string SetLineValue(const std::string& line) {
    std::size_t equals = line.find('=');
    if (equals == std::string::npos) return std::string();
    std::size_t first = line.find_first_not_of(" \t", equals + 1);
    return first == std::string::npos ? std::string() : line.substr(first);
}

// Replaces `file` by `fresh` in one rename. A system without the replacing rename (Windows 9x) gets the
// nearest it offers: the old file removed, the new one renamed; the backup holds the old contents.
bool ReplaceFile(const std::string& fresh, const std::string& file) {
    if (MoveFileExA(fresh.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
    if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES && !DeleteFileA(file.c_str()))
        return false;
    return MoveFileA(fresh.c_str(), file.c_str()) != FALSE;
}

}  // namespace

void SetXeEnvironmentInAutoexec(const std::string& installDir) {
    char windowsDir[MAX_PATH] = {};
    GetWindowsDirectoryA(windowsDir, MAX_PATH);
    std::string drive = std::string(windowsDir).substr(0, 2);
    std::string file = drive + "\\" + "autoexec" + ".bat";
    std::string backup = drive + "\\" + "autoexec" + ".bak";
    std::string fresh = drive + "\\" + "autoexec" + ".new";

    // The backup must be of this autoexec.bat: when it cannot be made, nothing is changed. The lines are
    // read from autoexec.bat itself, never from an older backup.
    const bool exists = GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (exists && !CopyFileA(file.c_str(), backup.c_str(), FALSE)) {
        ShowSystemError(GetLastError());
        return;
    }
    crt::FILE* in = nullptr;
    if (exists && !(in = crt::fopen(file.c_str(), "r"))) {
        ShowSystemError(GetLastError());
        return;
    }
    crt::FILE* out = crt::fopen(fresh.c_str(), "w");
    if (!out) {
        DWORD error = GetLastError();
        if (in) crt::fclose(in);
        ShowSystemError(error);
        return;
    }

    const std::string root = ChainRoot(installDir);
    const std::string slashed = ForwardSlashes(root);
    bool written = true;
    auto put = [&](const std::string& line) {
        written = crt::fputs((line + "\n").c_str(), out) >= 0 && written;
    };
    std::string previous;
    if (in) {
        std::string line;
        while (ReadWholeLine(in, line)) {
            // The chain's old lines go, whoever typed them and in whatever case.
            const std::string upper = ToUpper(line);
            if (HoldsWord(upper, "SET C816_PATH")) {
                previous = SetLineValue(line);
                continue;
            }
            if (HoldsWord(upper, "SET GCC_EXEC_PREFIX") || HoldsWord(upper, "SET C816_ROOT") ||
                HoldsWord(upper, "SET C816_GCCLIB") || HoldsWord(upper, "SET C816_CLIB") ||
                (HoldsWord(upper, "SET PATH") && HoldsWord(upper, "C816_PATH")))
                continue;
            put(line);
        }
        crt::fclose(in);
    }
    std::string kept = KeptTclDirectory(previous);
    put("SET C816_PATH=" + root + "\\win32\\bin" + (kept.empty() ? std::string() : ";" + kept));
    put("SET GCC_EXEC_PREFIX=" + root + "\\win32\\lib\\gcc-lib\\");
    put("SET C816_ROOT=" + root);
    put("SET C816_GCCLIB=" + slashed + "/win32/lib/gcc-lib/c816/egcs-2.91.02");
    put("SET C816_CLIB=" + slashed + "/win32/c816/lib");
    put("SET PATH=%PATH%;%C816_PATH%;");
    DWORD error = 0;
    if (crt::fclose(out) != 0 || !written) error = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
    if (!error && !ReplaceFile(fresh, file)) error = GetLastError();
    if (error) {
        DeleteFileA(fresh.c_str());
        ShowSystemError(error);
    }
}

void AddIdeToSearchPath() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEnvironmentKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    char windowsDir[MAX_PATH] = {};
    GetWindowsDirectoryA(windowsDir, MAX_PATH);
    std::string bin;
    bool haveBin =
        ReadSetupIni(std::string(windowsDir), "VexaBin", "Default Directories", bin, MAX_PATH, "\\OVRA.ini");
    RegText path = QueryGrowing(key, "Path", MAX_PATH);
    if (path.result == ERROR_SUCCESS) {
        if (haveBin && ToLower(path.value).find(ToLower(bin)) == std::string::npos) {
            std::string updated = (path.value.empty() || EndsWithSemicolon(path.value))
                                      ? path.value + bin + ";"
                                      : path.value + ";" + bin + ";";
            SetText(key, "Path", path.type, updated);
        }
    } else if (path.result == static_cast<LONG>(ERROR_FILE_NOT_FOUND)) {
        if (haveBin) SetText(key, "Path", REG_SZ, bin + ";");
    } else {
        ShowMessage(nullptr, 1089, MB_OK | MB_ICONHAND);
    }
    RegCloseKey(key);
}
