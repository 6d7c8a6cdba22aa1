#include "platform/machine/progman.h"

#include <cstdlib>
#include <cstring>

#include "platform/machine/shell_link.h"

namespace platform {

namespace {

// Program Manager skips blanks only: a tab or a line break is text, and between commands it ends
// the string.
void SkipBlanks(const std::string& s, std::size_t& i) {
    while (i < s.size() && s[i] == ' ')
        ++i;
}

std::string TrimBlanks(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && s[b] == ' ')
        ++b;
    while (e > b && s[e - 1] == ' ')
        --e;
    return s.substr(b, e - b);
}

bool SameText(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return i == a.size() && !b[i];
}

bool IsQuotedText(const std::string& raw) {
    return raw.size() >= 2 && raw.front() == '"' && raw.find('"', 1) == raw.size() - 1;
}

// The text of an argument: one quoted text loses its quotes.
std::string Value(const std::string& raw) {
    return IsQuotedText(raw) ? raw.substr(1, raw.size() - 2) : raw;
}

// An argument is plain text or one quoted text; a quote anywhere else is malformed. Only an item's
// command line may quote its program and go on with arguments.
bool WellQuoted(const std::string& raw) {
    return raw.find('"') == std::string::npos || IsQuotedText(raw);
}

bool IsFileNameCharacter(char c) {
    return static_cast<unsigned char>(c) >= 32 && !std::strchr("\\/:*?\"<>|", c);
}

// A name that, made a file name, would be no name at all or would climb out of its folder (Windows
// drops trailing dots and blanks, so "..." is ".." and " " is ""): never a group or an item.
bool NamesNothing(const std::string& fileName) {
    return fileName.find_first_not_of(". ") == std::string::npos;
}

std::string BaseNameWithoutExtension(const std::string& path) {
    std::size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

bool IsLink(const std::string& name) {
    return name.size() > 4 && SameText(name.substr(name.size() - 4), ".lnk");
}

}  // namespace

std::string UserProgramsFolder(const std::string& userName) {
    return "C:\\users\\" + userName + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs";
}

const char* CommonProgramsFolder() {
    return "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
}

Progman::Progman(FileApi& files, std::string programsFolder)
    : files_(files), programsFolder_(std::move(programsFolder)) {}

std::string Progman::FileName(const std::string& name) {
    std::string out = name;
    for (char& c : out)
        if (!IsFileNameCharacter(c)) c = '_';
    return out;
}

std::string Progman::GroupFolder(const std::string& group) const {
    return programsFolder_ + "\\" + FileName(group);
}

Progman::Read Progman::ReadCommand(const std::string& text, std::size_t& pos, Command& command) {
    std::size_t i = pos, n = text.size();
    SkipBlanks(text, i);
    if (i == n || text[i] != '[') return Read::End;
    ++i;
    SkipBlanks(text, i);
    command = Command{};
    while (i < n && ((text[i] >= 'A' && text[i] <= 'Z') || (text[i] >= 'a' && text[i] <= 'z')))
        command.name += text[i++];
    if (command.name.empty()) return Read::Malformed;
    SkipBlanks(text, i);
    if (i < n && text[i] == '(') {
        ++i;
        SkipBlanks(text, i);
        if (i < n && text[i] == ')') {
            ++i;  // "Name()" has no arguments rather than one empty one
        } else {
            std::string argument;
            bool quoted = false, closed = false;
            for (; i < n; ++i) {
                char c = text[i];
                if (c == '"') {
                    quoted = !quoted;
                    argument += c;
                } else if (!quoted && (c == ',' || c == ')')) {
                    command.rawArguments.push_back(TrimBlanks(argument));
                    argument.clear();
                    if (c == ')') {
                        closed = true;
                        ++i;
                        break;
                    }
                } else if (!quoted && (c == '(' || c == '[' || c == ']')) {
                    return Read::Malformed;
                } else {
                    argument += c;
                }
            }
            if (!closed) return Read::Malformed;
        }
        SkipBlanks(text, i);
    }
    if (i >= n || text[i] != ']') return Read::Malformed;
    pos = i + 1;
    return Read::Command;
}

bool Progman::Parse(const std::string& text, std::vector<Command>& commands) {
    commands.clear();
    std::size_t pos = 0;
    Command command;
    for (;;) {
        switch (ReadCommand(text, pos, command)) {
            case Read::Command:
                commands.push_back(command);
                break;
            case Read::End:
                return !commands.empty();
            case Read::Malformed:
                return false;
        }
    }
}

bool Progman::Execute(const std::string& text) {
    std::size_t pos = 0;
    Command command;
    bool any = false;
    for (;;) {
        switch (ReadCommand(text, pos, command)) {
            case Read::Command:
                if (!Run(command)) return false;
                any = true;
                break;
            case Read::End:
                return any;
            case Read::Malformed:
                return false;
        }
    }
}

bool Progman::Run(const Command& command) {
    const auto& args = command.rawArguments;
    for (std::size_t i = 0; i < args.size(); ++i)
        if (!WellQuoted(args[i]) && !(i == 0 && SameText(command.name, "AddItem"))) return false;
    // Further arguments, and numbers that are not numbers, are not looked at, as by Wine's service.
    if (SameText(command.name, "CreateGroup")) return !args.empty() && CreateGroup(Value(args[0]));
    if (SameText(command.name, "ShowGroup")) return args.size() >= 2 && ShowGroup(Value(args[0]));
    if (SameText(command.name, "DeleteGroup")) return !args.empty() && DeleteGroup(Value(args[0]));
    if (SameText(command.name, "AddItem")) return !args.empty() && AddItem(args);
    if (SameText(command.name, "DeleteItem")) return !args.empty() && DeleteItem(Value(args[0]));
    // The groups are saved as they change and there is no window to close.
    if (SameText(command.name, "ExitProgman")) return true;
    return false;
}

bool Progman::IsFolder(const std::string& path) {
    DWORD attributes = files_.GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Progman::IsFile(const std::string& path) {
    DWORD attributes = files_.GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Progman::EnsureFolder(const std::string& path) {
    std::size_t pos = 3;  // after "C:\"
    for (;;) {
        std::size_t slash = path.find('\\', pos);
        std::string part = path.substr(0, slash);
        if (!IsFolder(part) && !files_.CreateDirectoryA(part.c_str(), nullptr)) return false;
        if (slash == std::string::npos) return true;
        pos = slash + 1;
    }
}

bool Progman::RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = files_.FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string entry = data.cFileName;
            if (entry == "." || entry == "..") continue;
            std::string path = folder + "\\" + entry;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                if (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
                    files_.SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (files_.DeleteFileA(path.c_str()) && sink_ && IsLink(entry)) sink_->LinkDeleted(path);
            }
        } while (files_.FindNextFileA(find, &data));
        files_.FindClose(find);
    }
    return files_.RemoveDirectoryA(folder.c_str()) != FALSE;
}

bool Progman::CreateGroup(const std::string& name) {
    if (NamesNothing(FileName(name))) return false;
    std::string folder = GroupFolder(name);
    if (!EnsureFolder(folder)) return false;
    currentGroup_ = folder;
    return true;
}

bool Progman::ShowGroup(const std::string& name) {
    // A group that does not exist can be shown; what is then added to it fails.
    if (NamesNothing(FileName(name))) return false;
    currentGroup_ = GroupFolder(name);
    return true;
}

bool Progman::DeleteGroup(const std::string& name) {
    if (NamesNothing(FileName(name))) return false;
    std::string folder = GroupFolder(name);
    return IsFolder(folder) && RemoveTree(folder);
}

// Program path and arguments of an item's command line. A command line that is one quoted text is
// the program path; a quoted program path ends at its closing quote. An unquoted one is read as
// CreateProcess reads it: the shortest run of words that names an existing file is the program; when
// none does, the whole line is (a path with blanks whose file is not there yet).
void Progman::SplitCommandLine(const std::string& raw, std::string& program, std::string& arguments) {
    arguments.clear();
    if (IsQuotedText(raw)) {
        program = TrimBlanks(Value(raw));
        return;
    }
    if (!raw.empty() && raw[0] == '"') {
        std::size_t close = raw.find('"', 1);
        if (close == std::string::npos) close = raw.size();
        program = TrimBlanks(raw.substr(1, close - 1));
        if (close < raw.size()) arguments = TrimBlanks(raw.substr(close + 1));
        return;
    }
    program = TrimBlanks(raw);
    for (std::size_t blank = program.find(' '); blank != std::string::npos;
         blank = program.find(' ', blank + 1)) {
        std::string head = TrimBlanks(program.substr(0, blank));
        if (!head.empty() && IsFile(head)) {
            arguments = TrimBlanks(program.substr(blank));
            program = head;
            return;
        }
    }
}

bool Progman::AddItem(const std::vector<std::string>& args) {
    if (currentGroup_.empty() || !IsFolder(currentGroup_)) return false;
    ShellLink link;
    SplitCommandLine(args[0], link.target, link.arguments);
    if (link.target.empty()) return false;
    std::string name = args.size() > 1 ? Value(args[1]) : "";
    // A named item is described by its name; one named after its program has no description.
    link.name = name;
    if (name.empty()) name = BaseNameWithoutExtension(link.target);
    std::string fileName = FileName(name);  // ".lnk" follows: any name is a file name
    if (fileName.empty()) return false;
    if (args.size() > 3) {
        link.iconLocation = Value(args[2]);
        link.iconIndex = std::atoi(Value(args[3]).c_str());
    }
    if (args.size() > 6) link.workingDir = Value(args[6]);
    if (args.size() > 7) link.hotKey = static_cast<std::uint16_t>(std::atoi(Value(args[7]).c_str()));
    if (args.size() > 8 && std::atoi(Value(args[8]).c_str()) != 0)
        link.showCommand = 7;  // SW_SHOWMINNOACTIVE
    link.relativePath = RelativeWindowsPath(currentGroup_, link.target);
    std::string bytes = EncodeShellLink(link);
    // An item of the same name is replaced.
    std::string path = currentGroup_ + "\\" + fileName + ".lnk";
    HANDLE file = files_.CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = files_.WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    files_.CloseHandle(file);
    if (ok && written == bytes.size()) {
        if (sink_) sink_->LinkSaved(path, link);
        return true;
    }
    files_.DeleteFileA(path.c_str());  // a torn shortcut is no item
    return false;
}

bool Progman::DeleteItem(const std::string& name) {
    // The name is looked up as given: one a file name cannot hold names no item.
    if (currentGroup_.empty() || name.empty() || FileName(name) != name) return false;
    std::string path = currentGroup_ + "\\" + name + ".lnk";
    if (!files_.DeleteFileA(path.c_str())) return false;
    if (sink_) sink_->LinkDeleted(path);
    return true;
}

MachineShell::MachineShell(FileApi& files, std::string userName)
    : files_(files), userName_(std::move(userName)) {}

HRESULT MachineShell::SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path) {
    (void)owner;
    (void)token;
    (void)flags;
    if (!path) return E_INVALIDARG;
    std::string found;
    switch (folder & ~CSIDL_FLAG_CREATE) {
        case CSIDL_PROGRAMS:
            found = UserProgramsFolder(userName_);
            break;
        case CSIDL_COMMON_PROGRAMS:
            found = CommonProgramsFolder();
            break;
        default:
            return E_INVALIDARG;
    }
    if (found.size() >= MAX_PATH) return E_INVALIDARG;
    if (folder & CSIDL_FLAG_CREATE) {
        for (std::size_t slash = found.find('\\', 3);; slash = found.find('\\', slash + 1)) {
            std::string part = found.substr(0, slash);
            if (files_.GetFileAttributesA(part.c_str()) == INVALID_FILE_ATTRIBUTES)
                files_.CreateDirectoryA(part.c_str(), nullptr);
            if (slash == std::string::npos) break;
        }
    }
    std::memcpy(path, found.c_str(), found.size() + 1);
    return S_OK;
}

}  // namespace platform
