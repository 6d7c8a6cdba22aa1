#include "uninstall/uninstaller.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <set>
#include <vector>

#include "app/text.h"
#include "config/config_keys.h"
#include "engine/uninstall_log.h"
#include "platform/win32.h"
#include "resources/catalogue_products.h"
#include "uninstall/uninstall_messages.h"
#include "uninstall/uninstall_paths.h"

namespace uninstall {

namespace {

constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Ovra";
constexpr const char* kAppPathsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Ovra.exe";
constexpr const char* kSharedDllsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
constexpr const char* kEnvironmentKey = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr const char* kChainVariables[] = {"C816_PATH", "GCC_EXEC_PREFIX", "C816_ROOT", "C816_GCCLIB",
                                           "C816_CLIB"};
constexpr std::size_t kListedAtMost = 8;

std::string Folded(const std::string& s) {
    std::string out = s;
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string Trimmed(const std::string& s) {
    std::size_t b = s.find_first_not_of(' '), e = s.find_last_not_of(' ');
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

std::string Backslashed(std::string s) {
    for (char& c : s)
        if (c == '/') c = '\\';
    return s;
}

std::vector<std::string> Split(const std::string& s, char by) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = s.find(by, start);
        parts.push_back(s.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return parts;
}

bool AtOrBelow(const std::string& path, const std::string& dir) {
    return SamePath(path, dir) || IsBelow(path, dir);
}

// A string value; false when the key or the value is missing or not a string.
bool QueryString(HKEY root, const std::string& subKey, const char* name, std::string& value,
                 DWORD* type = nullptr) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD t = 0, size = 0;
    bool ok = RegQueryValueExA(key, name, nullptr, &t, nullptr, &size) == ERROR_SUCCESS &&
              (t == REG_SZ || t == REG_EXPAND_SZ);
    if (ok) {
        std::vector<BYTE> data(size + 1, 0);
        ok = RegQueryValueExA(key, name, nullptr, &t, data.data(), &size) == ERROR_SUCCESS;
        if (ok) value.assign(reinterpret_cast<const char*>(data.data()));
    }
    if (type) *type = t;
    RegCloseKey(key);
    return ok;
}

bool KeyExists(HKEY root, const std::string& subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool KeyIsEmpty(HKEY root, const std::string& subKey) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    char name[MAX_PATH];
    DWORD size = sizeof name;
    bool noKeys =
        RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_NO_MORE_ITEMS;
    size = sizeof name;
    bool noValues =
        RegEnumValueA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_NO_MORE_ITEMS;
    RegCloseKey(key);
    return noKeys && noValues;
}

std::string RootName(HKEY root) {
    if (root == HKEY_CURRENT_USER) return "HKCU\\";
    if (root == HKEY_CLASSES_ROOT) return "HKCR\\";
    return "HKLM\\";
}

// The command the setup records, "C:\OVRA\VEXARMV.EXE C:\OVRA\uninst.ins": unquoted, so the program
// ends at its own name, whatever blanks the directory holds.
struct UninstallCommand {
    std::string program, log;
};

UninstallCommand SplitUninstallCommand(const std::string& command) {
    auto unquoted = [](std::string s) {
        s = Trimmed(s);
        if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
        return s;
    };
    const std::string name = "\\" + Folded(catalogue::kUninstaller);
    std::size_t at = Folded(command).find(name);
    if (at == std::string::npos) return {};
    std::size_t end = at + name.size();
    if (end < command.size() && command[end] == '"') ++end;
    return {unquoted(command.substr(0, end)), unquoted(command.substr(end))};
}

// Ten seconds in FILETIME units: what the end of a run may still write after its last log line.
constexpr std::uint64_t kChangedAfter = 10ull * 10'000'000ull;

std::optional<std::uint64_t> LastWrite(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return std::nullopt;
    FindClose(find);
    return static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 |
           data.ftLastWriteTime.dwLowDateTime;
}

HDDEDATA NoCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, std::uintptr_t, std::uintptr_t) {
    return nullptr;
}

class Uninstaller {
  public:
    explicit Uninstaller(const Options& options) : options_(options) {}
    int Run();

  private:
    void Report(const std::string& line) {
        if (options_.report) options_.report(line);
    }
    std::string Text(uninstall::Text text) const { return Message(text, french_); }
    std::string Formatted(uninstall::Text text, const std::string& argument) const {
        return FormatText(Text(text).c_str(), argument.c_str());
    }
    int Box(int id, const std::string& text, UINT style) {
        platform::Current().ui->NoteMessageId(id);
        return MessageBoxExA(nullptr, text.c_str(), Text(Text::Caption).c_str(), style, 0);
    }
    std::string List(const std::vector<std::string>& items) const;
    void Keep(const std::string& what, uninstall::Text reason) {
        Report("keep " + what + " (" + Message(reason, false) + ")");
        kept_.push_back(what.substr(what.find(' ') + 1) + " (" + Text(reason) + ")");
    }
    std::string Would() const { return options_.dryRun ? "would remove " : "remove "; }

    void Plan(const UninstallLogContents& log);
    void ReadOwnership();
    void RemoveFiles();
    void LowerSharedCounts();
    void RemoveSettings();
    void RemoveTree(HKEY root, const std::string& subKey);
    void RemoveIfEmpty(HKEY root, const std::string& subKey);
    void RemoveAssociation();
    void RemoveGroup();
    void RemoveFromEnvironment();
    void RemoveFromAutoexec();
    void RemoveDirectories();
    void RemoveLast();
    bool DeleteOneFile(const std::string& path, uninstall::Text& reason);
    bool WouldBeEmpty(const std::string& dir) const;
    bool ChainIsOurs(const std::string& value) const;

    const Options& options_;
    bool french_ = false;
    PathRules rules_;
    std::string uninstaller_;
    std::vector<std::string> refused_;
    std::vector<std::string> files_, directories_;
    std::set<std::string> plannedFiles_, plannedDirectories_;  // folded
    bool ownsSettings_ = true;
    bool ownsOvraIni_ = false;
    std::string otherInstallation_;
    std::vector<std::string> sharedLibraries_;
    std::vector<std::string> kept_;
};

std::string Uninstaller::List(const std::vector<std::string>& items) const {
    std::string text;
    for (std::size_t i = 0; i < items.size() && i < kListedAtMost; ++i)
        text += items[i] + "\n";
    if (items.size() > kListedAtMost)
        text += FormatText(Text(Text::More).c_str(), static_cast<int>(items.size() - kListedAtMost)) + "\n";
    if (!text.empty()) text.pop_back();
    return text;
}

void Uninstaller::Plan(const UninstallLogContents& log) {
    for (const auto& problem : log.problems) {
        uninstall::Text reason = Text::ReasonNotUnderstood;
        switch (problem.kind) {
            case UninstallLogProblem::Kind::BeforeHeader:
                reason = Text::ReasonBeforeHeader;
                break;
            case UninstallLogProblem::Kind::Damaged:
                reason = Text::ReasonDamaged;
                break;
            case UninstallLogProblem::Kind::Truncated:
                reason = Text::ReasonTruncated;
                break;
            case UninstallLogProblem::Kind::NotUnderstood:
                break;
        }
        std::string shown = "line " + std::to_string(problem.line) + ": ";
        for (char c : problem.text)
            shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
        Report("refuse " + shown + " (" + Message(reason, false) + ")");
        refused_.push_back(shown + " (" + Text(reason) + ")");
    }
    // Newest first: the runs appended last are undone first, and within a run the last line first.
    for (auto it = log.entries.rbegin(); it != log.entries.rend(); ++it) {
        bool directory = it->kind == UninstallLogEntry::Kind::Directory;
        PathVerdict verdict = PathVerdict::Inside;
        if (directory)
            verdict = SamePath(it->path, rules_.installDir) ? PathVerdict::Inside
                                                            : CheckDirectoryLine(rules_, it->path);
        else
            verdict = CheckFileLine(rules_, it->path);
        // The setup logs no file of the Windows or system directory (the shared libraries it puts there
        // are counted in SharedDlls instead): such a line did not come from it and is not followed.
        if (!directory && verdict == PathVerdict::SystemFile) verdict = PathVerdict::Outside;
        if (verdict == PathVerdict::NotPlain || verdict == PathVerdict::Outside) {
            uninstall::Text reason =
                verdict == PathVerdict::NotPlain ? Text::ReasonNotPlain : Text::ReasonOutside;
            std::string shown =
                "line " + std::to_string(it->line) + ": " + (directory ? "md " : "copy ") + it->path;
            Report("refuse " + shown + " (" + Message(reason, false) + ")");
            refused_.push_back(shown + " (" + Text(reason) + ")");
            continue;
        }
        std::string path = PlainPath(it->path);
        std::string key = Folded(path);
        if (directory) {
            if (SamePath(path, rules_.installDir)) continue;  // removed last, when empty
            if (plannedDirectories_.insert(key).second) directories_.push_back(path);
        } else {
            // The log and the program that reads it go last.
            if (SamePath(path, options_.logPath) || SamePath(path, uninstaller_)) continue;
            if (plannedFiles_.insert(key).second) files_.push_back(path);
        }
    }
    // A directory goes before the directory that holds it, whatever order the runs made them in.
    std::stable_sort(directories_.begin(), directories_.end(),
                     [](const std::string& a, const std::string& b) {
                         return PlainComponents(a).size() > PlainComponents(b).size();
                     });
}

void Uninstaller::ReadOwnership() {
    // The registry speaks for this installation when its installation directory, or else its uninstall
    // command, names this one.
    std::string registered, command;
    if (QueryString(HKEY_LOCAL_MACHINE, std::string(kOvraKey) + "\\Default Directories", "VexaInst",
                    registered) &&
        !registered.empty()) {
        if (!SamePath(registered, rules_.installDir)) {
            ownsSettings_ = false;
            otherInstallation_ = registered;
        }
    } else if (QueryString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString", command)) {
        UninstallCommand recorded = SplitUninstallCommand(command);
        if (!SamePath(recorded.log, options_.logPath)) {
            ownsSettings_ = false;
            otherInstallation_ = ParentOf(recorded.program);
        }
    }
    // OVRA.ini is the staging file of the IDE's configuration: it is ours when its uninstall command
    // names this log.
    char windowsDir[MAX_PATH] = {};
    GetWindowsDirectoryA(windowsDir, MAX_PATH);
    std::string ini = std::string(windowsDir) + "\\OVRA.ini";
    char buffer[MAX_PATH] = {};
    GetPrivateProfileStringA("Uninstall", "Path", "x", buffer, MAX_PATH, ini.c_str());
    UninstallCommand recorded = SplitUninstallCommand(buffer);
    ownsOvraIni_ =
        ownsSettings_ && SamePath(recorded.program, uninstaller_) && SamePath(recorded.log, options_.logPath);
    if (!ownsOvraIni_) return;
    std::set<std::string> seen;
    for (int n = 0;; ++n) {
        std::string key = "Shared" + std::to_string(n);
        GetPrivateProfileStringA("Shared Dlls", key.c_str(), "x", buffer, MAX_PATH, ini.c_str());
        if (std::string(buffer) == "x") break;
        if (buffer[0] && seen.insert(Folded(buffer)).second) sharedLibraries_.push_back(buffer);
    }
}

bool Uninstaller::DeleteOneFile(const std::string& path, uninstall::Text& reason) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return true;  // already gone
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        reason = Text::ReasonFailed;
        return false;
    }
    if (options_.dryRun) return true;
    if (DeleteFileA(path.c_str())) return true;
    DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED && (attributes & FILE_ATTRIBUTE_READONLY)) {
        // A read-only file the setup installed is still ours to remove.
        if (SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL)) {
            if (DeleteFileA(path.c_str())) return true;
            error = GetLastError();
            SetFileAttributesA(path.c_str(), attributes);
        }
    }
    reason = error == ERROR_SHARING_VIOLATION ? Text::ReasonInUse
             : error == ERROR_ACCESS_DENIED   ? Text::ReasonDenied
                                              : Text::ReasonFailed;
    return false;
}

void Uninstaller::RemoveFiles() {
    // The log does not record sizes or dates, but it is written to last at the end of a run: a file
    // written well after that was changed since, by the user or another program, and is not simply ours.
    std::optional<std::uint64_t> logWritten = LastWrite(options_.logPath);
    for (const std::string& file : files_) {
        if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        std::optional<std::uint64_t> written = LastWrite(file);
        if (logWritten && written && *written > *logWritten + kChangedAfter) {
            if (options_.dryRun) {
                Report("would ask about changed file " + file);
                continue;
            }
            if (Box(kChangedFileMessageId, Formatted(Text::ChangedFile, file),
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
                Keep("file " + file, Text::ReasonChanged);
                continue;
            }
        }
        uninstall::Text reason = Text::ReasonFailed;
        if (DeleteOneFile(file, reason))
            Report(Would() + "file " + file);
        else
            Keep("file " + file, reason);
    }
}

void Uninstaller::LowerSharedCounts() {
    if (sharedLibraries_.empty()) return;
    HKEY key = nullptr;
    REGSAM access = options_.dryRun ? KEY_READ : KEY_ALL_ACCESS;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDllsKey, 0, access, &key) != ERROR_SUCCESS) return;
    for (const std::string& library : sharedLibraries_) {
        BYTE data[4] = {};
        DWORD type = 0, size = sizeof data;
        if (RegQueryValueExA(key, library.c_str(), nullptr, &type, data, &size) != ERROR_SUCCESS ||
            type != REG_DWORD || size != sizeof data)
            continue;  // not counted by anyone: not ours to decide about
        DWORD count = static_cast<DWORD>(data[0]) | static_cast<DWORD>(data[1]) << 8 |
                      static_cast<DWORD>(data[2]) << 16 | static_cast<DWORD>(data[3]) << 24;
        if (count > 1) {
            Report("lower count " + library + " to " + std::to_string(count - 1));
            if (!options_.dryRun) {
                DWORD lowered = count - 1;
                RegSetValueExA(key, library.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&lowered),
                               4);
            }
            continue;
        }
        // The last user of the library is going. The system's convention: ask, and keep it unless told.
        PathVerdict verdict = CheckFileLine(rules_, library);
        bool removable = verdict == PathVerdict::Inside || verdict == PathVerdict::SystemFile;
        if (options_.dryRun) {
            Report(std::string(removable ? "would ask about shared file " : "would lower count ") + library +
                   (removable ? "" : " to 0"));
            continue;
        }
        bool remove = removable && Box(kSharedFileMessageId, Formatted(Text::SharedFile, library),
                                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
        if (!remove) {
            Report("lower count " + library + " to 0");
            DWORD zero = 0;
            RegSetValueExA(key, library.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), 4);
            continue;
        }
        uninstall::Text reason = Text::ReasonFailed;
        if (DeleteOneFile(library, reason)) {
            Report("remove shared file " + library);
            RegDeleteValueA(key, library.c_str());
        } else {
            Keep("shared file " + library, reason);
        }
    }
    RegCloseKey(key);
}

void Uninstaller::RemoveTree(HKEY root, const std::string& subKey) {
    if (!KeyExists(root, subKey)) return;
    Report(Would() + "key " + RootName(root) + subKey);
    if (!options_.dryRun) RegDeleteTreeA(root, subKey.c_str());
}

void Uninstaller::RemoveIfEmpty(HKEY root, const std::string& subKey) {
    if (options_.dryRun || !KeyIsEmpty(root, subKey)) return;
    Report("remove key " + RootName(root) + subKey);
    RegDeleteKeyA(root, subKey.c_str());
}

void Uninstaller::RemoveSettings() {
    RemoveTree(HKEY_LOCAL_MACHINE, kOvraKey);
    RemoveIfEmpty(HKEY_LOCAL_MACHINE, "Software\\KESTRAVION\\Ovra");
    RemoveIfEmpty(HKEY_LOCAL_MACHINE, "Software\\KESTRAVION");
    for (const char* key : {"Software\\KESTRAVION\\Debug", "Software\\KESTRAVION\\Ovra\\Buttons",
                            "Software\\KESTRAVION\\Dos Tools"})
        RemoveTree(HKEY_CURRENT_USER, key);
    RemoveIfEmpty(HKEY_CURRENT_USER, "Software\\KESTRAVION\\Ovra");
    RemoveIfEmpty(HKEY_CURRENT_USER, "Software\\KESTRAVION");
    RemoveTree(HKEY_LOCAL_MACHINE, kUninstallKey);
    std::string appPath;
    if (!QueryString(HKEY_LOCAL_MACHINE, kAppPathsKey, "Path", appPath) ||
        SamePath(appPath, rules_.installDir + "\\Bin"))
        RemoveTree(HKEY_LOCAL_MACHINE, kAppPathsKey);
    RemoveAssociation();
    RemoveGroup();
    if (ownsOvraIni_) {
        char windowsDir[MAX_PATH] = {};
        GetWindowsDirectoryA(windowsDir, MAX_PATH);
        std::string ini = std::string(windowsDir) + "\\OVRA.ini";
        uninstall::Text reason = Text::ReasonFailed;
        if (GetFileAttributesA(ini.c_str()) != INVALID_FILE_ATTRIBUTES) {
            if (DeleteOneFile(ini, reason))
                Report(Would() + "file " + ini);
            else
                Keep("file " + ini, reason);
        }
    }
}

void Uninstaller::RemoveAssociation() {
    // Project files stay associated with whatever program took them over since.
    std::string command;
    if (!QueryString(HKEY_CLASSES_ROOT, "prjfile\\shell\\open\\command", "", command)) return;
    std::string program = command;
    if (!program.empty() && program[0] == '"') {
        std::size_t close = program.find('"', 1);
        program = program.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    } else {
        program = Split(program, ' ')[0];
    }
    if (!SamePath(program, rules_.installDir + "\\Bin\\" + catalogue::kIdeProgram)) return;
    RemoveTree(HKEY_CLASSES_ROOT, "prjfile");
    std::string type;
    if (!QueryString(HKEY_CLASSES_ROOT, ".prj", "", type) || Folded(type) != "PRJFILE") return;
    Report(Would() + "value HKCR\\.prj\\(default)");
    if (options_.dryRun) return;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".prj", 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "");
        RegCloseKey(key);
    }
    RemoveIfEmpty(HKEY_CLASSES_ROOT, ".prj");
}

void Uninstaller::RemoveGroup() {
    Report(Would() + "group " + catalogue::kProgramGroup);
    if (options_.dryRun) return;
    DWORD instance = 0;
    if (DdeInitializeA(&instance, NoCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return;
    HSZ service = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    HSZ topic = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    HCONV conversation = service && topic ? DdeConnect(instance, service, topic, nullptr) : nullptr;
    if (conversation) {
        for (const std::string& command :
             {FormatText("[DeleteGroup(%s)]", catalogue::kProgramGroup), std::string("[ExitProgman(1)]")})
            DdeClientTransaction(reinterpret_cast<const BYTE*>(command.c_str()),
                                 static_cast<DWORD>(command.size() + 1), conversation, nullptr, CF_TEXT,
                                 XTYP_EXECUTE, 1000, nullptr);
        DdeDisconnect(conversation);
    }
    if (service) DdeFreeStringHandle(instance, service);
    if (topic) DdeFreeStringHandle(instance, topic);
    DdeUninitialize(instance);
}

bool Uninstaller::ChainIsOurs(const std::string& value) const {
    std::string first = Trimmed(Backslashed(Split(value, ';')[0]));
    while (first.size() > 3 && first.back() == '\\')
        first.pop_back();
    return AtOrBelow(first, rules_.installDir + "\\coolrcts");
}

void Uninstaller::RemoveFromEnvironment() {
    HKEY key = nullptr;
    REGSAM access = options_.dryRun ? KEY_READ : KEY_ALL_ACCESS;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEnvironmentKey, 0, access, &key) != ERROR_SUCCESS) return;
    std::string chainPath;
    bool chainOurs =
        !QueryString(HKEY_LOCAL_MACHINE, kEnvironmentKey, "C816_PATH", chainPath) || ChainIsOurs(chainPath);
    std::string path;
    DWORD type = REG_SZ;
    if (QueryString(HKEY_LOCAL_MACHINE, kEnvironmentKey, "Path", path, &type)) {
        std::string cleaned = PathWithoutKitEntries(path, rules_.installDir, chainOurs);
        if (cleaned != path) {
            Report((options_.dryRun ? "would change value " : "change value ") + std::string("HKLM\\") +
                   kEnvironmentKey + "\\Path to " + cleaned);
            if (!options_.dryRun)
                RegSetValueExA(key, "Path", 0, type, reinterpret_cast<const BYTE*>(cleaned.c_str()),
                               static_cast<DWORD>(cleaned.size() + 1));
        }
    }
    for (const char* name : kChainVariables) {
        std::string value;
        if (!QueryString(HKEY_LOCAL_MACHINE, kEnvironmentKey, name, value) || !ChainIsOurs(value)) continue;
        // A directory of another tool the setup kept in the chain's path stays there.
        std::vector<std::string> others;
        if (std::string(name) == "C816_PATH")
            for (const std::string& part : Split(value, ';'))
                if (!Trimmed(part).empty() &&
                    !AtOrBelow(Trimmed(Backslashed(part)), rules_.installDir + "\\coolrcts"))
                    others.push_back(part);
        if (others.empty()) {
            Report(Would() + "value HKLM\\" + std::string(kEnvironmentKey) + "\\" + name);
            if (!options_.dryRun) RegDeleteValueA(key, name);
        } else {
            std::string rest;
            for (const auto& part : others)
                rest += (rest.empty() ? "" : ";") + part;
            Report((options_.dryRun ? "would change value " : "change value ") + std::string("HKLM\\") +
                   kEnvironmentKey + "\\" + name + " to " + rest);
            if (!options_.dryRun)
                RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(rest.c_str()),
                               static_cast<DWORD>(rest.size() + 1));
        }
    }
    RegCloseKey(key);
}

void Uninstaller::RemoveFromAutoexec() {
    char windowsDir[MAX_PATH] = {};
    if (GetWindowsDirectoryA(windowsDir, MAX_PATH) < 2) return;
    std::string drive(windowsDir, 2);
    std::string file = drive + "\\autoexec.bat", fresh = drive + "\\autoexec.new";
    crt::FILE* in = crt::fopen(file.c_str(), "r");
    if (!in) return;
    std::vector<std::string> lines;
    char buffer[1024];
    while (crt::fgets(buffer, sizeof buffer, in)) {
        std::string line = buffer;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        lines.push_back(line);
    }
    crt::fclose(in);
    std::vector<std::string> kept;
    bool chainRemoved = false, changed = false;
    for (const std::string& line : lines) {
        std::string folded = Folded(Trimmed(line));
        bool ours = false;
        for (const char* name : kChainVariables) {
            std::string set = "SET " + std::string(name) + "=";
            if (folded.rfind(set, 0) == 0 && ChainIsOurs(Trimmed(line).substr(set.size()))) {
                ours = true;
                if (std::string(name) == "C816_PATH") chainRemoved = true;
            }
        }
        if (ours) {
            Report(Would() + "line " + line + " of " + file);
            changed = true;
        } else {
            kept.push_back(line);
        }
    }
    // The search-path line the chain's installer appends, only with the chain it names.
    for (auto it = kept.begin(); chainRemoved && it != kept.end();) {
        if (Folded(Trimmed(*it)) == "SET PATH=%PATH%;%C816_PATH%;") {
            Report(Would() + "line " + *it + " of " + file);
            it = kept.erase(it);
            changed = true;
        } else {
            ++it;
        }
    }
    if (!changed || options_.dryRun) return;
    crt::FILE* out = crt::fopen(fresh.c_str(), "w");
    if (!out) return;
    bool written = true;
    for (const std::string& line : kept)
        written = crt::fputs((line + "\n").c_str(), out) >= 0 && written;
    written = crt::fclose(out) == 0 && written;
    if (!written || !MoveFileExA(fresh.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING))
        DeleteFileA(fresh.c_str());
}

bool Uninstaller::WouldBeEmpty(const std::string& dir) const {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir + "\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return true;
    bool empty = true;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        std::string path = Folded(dir + "\\" + name);
        bool planned = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                           ? plannedDirectories_.count(path) > 0
                           : plannedFiles_.count(path) > 0;
        if (!planned) empty = false;
    } while (empty && FindNextFileA(find, &data));
    FindClose(find);
    return empty;
}

void Uninstaller::RemoveDirectories() {
    for (const std::string& dir : directories_) {
        DWORD attributes = GetFileAttributesA(dir.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (options_.dryRun) {
            if (WouldBeEmpty(dir))
                Report("would remove directory " + dir);
            else
                Report("would keep directory " + dir + " (" + Message(Text::ReasonNotEmpty, false) + ")");
            continue;
        }
        if (RemoveDirectoryA(dir.c_str())) {
            Report("remove directory " + dir);
            continue;
        }
        DWORD error = GetLastError();
        Keep("directory " + dir, error == ERROR_DIR_NOT_EMPTY       ? Text::ReasonNotEmpty
                                 : error == ERROR_SHARING_VIOLATION ? Text::ReasonInUse
                                 : error == ERROR_ACCESS_DENIED     ? Text::ReasonDenied
                                                                    : Text::ReasonFailed);
    }
}

void Uninstaller::RemoveLast() {
    if (options_.dryRun) {
        Report("would remove file " + options_.logPath);
        if (GetFileAttributesA(uninstaller_.c_str()) != INVALID_FILE_ATTRIBUTES)
            Report("would remove file " + uninstaller_);
        return;
    }
    uninstall::Text reason = Text::ReasonFailed;
    if (DeleteOneFile(options_.logPath, reason))
        Report("remove file " + options_.logPath);
    else
        Keep("file " + options_.logPath, reason);
    bool pending = false;
    if (GetFileAttributesA(uninstaller_.c_str()) != INVALID_FILE_ATTRIBUTES) {
        if (DeleteOneFile(uninstaller_, reason)) {
            Report("remove file " + uninstaller_);
        } else if (MoveFileExA(uninstaller_.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT)) {
            // The running program cannot remove itself: the system does it at the next start.
            Report("remove at restart " + uninstaller_);
            kept_.push_back(uninstaller_ + " (" + Text(Text::ReasonRemovedAtRestart) + ")");
            pending = true;
        } else {
            Keep("file " + uninstaller_, reason);
        }
    }
    if (RemoveDirectoryA(rules_.installDir.c_str())) {
        Report("remove directory " + rules_.installDir);
    } else if (GetLastError() == ERROR_DIR_NOT_EMPTY) {
        // Only the uninstaller left: the directory goes after it at the next start.
        plannedDirectories_.clear();
        plannedFiles_ = {Folded(uninstaller_)};
        bool onlyUs = pending && WouldBeEmpty(rules_.installDir);
        if (onlyUs && MoveFileExA(rules_.installDir.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT))
            Report("remove at restart " + rules_.installDir);
        else
            Keep("directory " + rules_.installDir, Text::ReasonNotEmpty);
    }
}

int Uninstaller::Run() {
    const std::string& logPath = options_.logPath;
    std::string text;
    if (PlainComponents(logPath).size() < 2 || !ReadUninstallLogFile(logPath, text)) {
        Report("cannot read " + logPath);
        if (!options_.dryRun)
            Box(kReportMessageId, Formatted(Text::LogUnreadable, logPath), MB_OK | MB_ICONEXCLAMATION);
        return kNothingRemoved;
    }
    UninstallLogContents log = ParseUninstallLog(text);
    french_ = log.french;
    if (log.runs == 0) {
        Report("not an uninstall log: " + logPath);
        if (!options_.dryRun)
            Box(kReportMessageId, Formatted(Text::LogForeign, logPath), MB_OK | MB_ICONEXCLAMATION);
        return kNothingRemoved;
    }
    char windowsDir[MAX_PATH] = {}, systemDir[MAX_PATH] = {};
    GetWindowsDirectoryA(windowsDir, MAX_PATH);
    GetSystemDirectoryA(systemDir, MAX_PATH);
    rules_ = {ParentOf(logPath), windowsDir, systemDir};
    if (!AcceptableInstallDir(rules_)) {
        Report("refuse installation directory " + rules_.installDir);
        if (!options_.dryRun)
            Box(kReportMessageId, Formatted(Text::BadInstallDir, rules_.installDir),
                MB_OK | MB_ICONEXCLAMATION);
        return kNothingRemoved;
    }
    uninstaller_ = rules_.installDir + "\\" + catalogue::kUninstaller;
    Plan(log);
    ReadOwnership();

    if (!options_.dryRun) {
        if (!refused_.empty())
            Box(kReportMessageId, Formatted(Text::RefusedLines, List(refused_)), MB_OK | MB_ICONEXCLAMATION);
        if (Box(kConfirmMessageId, Formatted(Text::Confirm, rules_.installDir), MB_YESNO | MB_ICONQUESTION) !=
            IDYES) {
            Report("cancelled");
            return kCancelled;
        }
    }
    RemoveFiles();
    LowerSharedCounts();
    if (ownsSettings_) {
        RemoveSettings();
    } else {
        Report("keep settings (another installation: " + otherInstallation_ + ")");
        kept_.push_back(Formatted(Text::OtherInstallation, otherInstallation_));
    }
    RemoveFromEnvironment();
    RemoveFromAutoexec();
    // The keys are gone only once the hives are on disk. When they cannot be written (a full disk, no
    // permission) the log and the uninstaller stay, so that the removal can be run again.
    if (!options_.dryRun) {
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
            LONG rc = RegFlushKey(root);
            if (rc == ERROR_SUCCESS) continue;
            std::string why =
                FormatSystemMessage(static_cast<DWORD>(rc), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT));
            Report("cannot save the registry: " + why);
            Box(kReportMessageId, why, MB_OK | MB_ICONHAND);
            return kRegistryNotSaved;
        }
    }
    RemoveDirectories();
    RemoveLast();
    if (!options_.dryRun) {
        if (kept_.empty())
            Box(kReportMessageId, Text(Text::Done), MB_OK | MB_ICONINFORMATION);
        else
            Box(kReportMessageId, Formatted(Text::DoneExcept, List(kept_)), MB_OK | MB_ICONEXCLAMATION);
    }
    return kUninstalled;
}

}  // namespace

std::string PathWithoutKitEntries(const std::string& path, const std::string& installDir,
                                  bool chainPathIsOurs) {
    std::vector<std::string> parts = Split(path, ';');
    std::vector<std::string> kept;
    bool removedLast = false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::string entry = Trimmed(parts[i]);
        while (entry.size() > 3 && entry.back() == '\\')
            entry.pop_back();
        bool ours = (!entry.empty() && SamePath(entry, installDir + "\\Bin")) ||
                    (chainPathIsOurs && Folded(entry) == "%C816_PATH%");
        if (ours) {
            removedLast = true;
            continue;
        }
        // The separator the setup appended after its own entry goes with it.
        if (removedLast && i + 1 == parts.size() && entry.empty()) break;
        if (!entry.empty()) removedLast = false;
        kept.push_back(parts[i]);
    }
    std::string out;
    for (std::size_t i = 0; i < kept.size(); ++i)
        out += (i ? ";" : "") + kept[i];
    return out;
}

int RunUninstall(const Options& options) {
    return Uninstaller(options).Run();
}

}  // namespace uninstall
