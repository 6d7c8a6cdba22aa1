#include "platform/machine/progman.h"

#include <cstdlib>

#include "platform/machine/shell_link.h"

namespace platform {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
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

// The text of an argument: one quoted text loses its quotes.
std::string Value(const std::string& raw) {
    if (raw.size() >= 2 && raw.front() == '"' && raw.back() == '"' && raw.find('"', 1) == raw.size() - 1)
        return raw.substr(1, raw.size() - 2);
    return raw;
}

bool IsNumber(const std::string& raw) {
    std::string v = Value(raw);
    if (v.empty()) return true;  // an empty number takes its default
    std::size_t i = (v[0] == '-') ? 1 : 0;
    if (i == v.size()) return false;
    for (; i < v.size(); ++i)
        if (v[i] < '0' || v[i] > '9') return false;
    return true;
}

// A group or item name becomes a file-system name: the characters Windows refuses in one are refused.
bool ValidName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 32 || std::string("\\/:*?\"<>|").find(c) != std::string::npos)
            return false;
    return true;
}

// Program path and arguments of an item's command line: a quoted program path ends at its closing
// quote (blanks inside it belong to the path), an unquoted one at the first blank.
void SplitCommandLine(const std::string& raw, std::string& program, std::string& arguments) {
    std::string text = Trim(raw);
    if (!text.empty() && text[0] == '"') {
        std::size_t close = text.find('"', 1);
        program = Trim(text.substr(1, close == std::string::npos ? std::string::npos : close - 1));
        arguments = close == std::string::npos ? "" : Trim(text.substr(close + 1));
    } else {
        std::size_t blank = text.find(' ');
        program = text.substr(0, blank);
        arguments = blank == std::string::npos ? "" : Trim(text.substr(blank + 1));
    }
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

Progman::Progman(FileApi& files) : files_(files) {}

const char* Progman::ProgramsFolder() {
    return "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
}

std::string Progman::GroupFolder(const std::string& group) {
    return std::string(ProgramsFolder()) + "\\" + group;
}

bool Progman::Parse(const std::string& text, std::vector<Command>& commands) {
    commands.clear();
    std::size_t i = 0, n = text.size();
    auto skipBlanks = [&] {
        while (i < n && IsBlank(text[i]))
            ++i;
    };
    skipBlanks();
    if (i == n) return false;  // an empty execute string asks for nothing Program Manager knows
    while (i < n) {
        if (text[i] != '[') return false;
        ++i;
        skipBlanks();
        Command command;
        while (i < n && ((text[i] >= 'A' && text[i] <= 'Z') || (text[i] >= 'a' && text[i] <= 'z')))
            command.name += text[i++];
        if (command.name.empty()) return false;
        skipBlanks();
        if (i < n && text[i] == '(') {
            ++i;
            std::string argument;
            bool quoted = false, closed = false;
            for (; i < n; ++i) {
                char c = text[i];
                if (c == '"') {
                    quoted = !quoted;
                    argument += c;
                } else if (!quoted && c == ',') {
                    command.rawArguments.push_back(Trim(argument));
                    argument.clear();
                } else if (!quoted && c == ')') {
                    command.rawArguments.push_back(Trim(argument));
                    closed = true;
                    ++i;
                    break;
                } else if (!quoted && (c == '(' || c == '[' || c == ']')) {
                    return false;
                } else {
                    argument += c;
                }
            }
            if (!closed) return false;
            // "Name()" has no arguments rather than one empty one.
            if (command.rawArguments.size() == 1 && command.rawArguments[0].empty())
                command.rawArguments.clear();
            skipBlanks();
        }
        if (i >= n || text[i] != ']') return false;
        ++i;
        commands.push_back(std::move(command));
        skipBlanks();
    }
    return true;
}

bool Progman::Execute(const std::string& text) {
    std::vector<Command> commands;
    if (!Parse(text, commands)) return false;
    for (const auto& command : commands)
        if (!Run(command)) return false;
    return true;
}

bool Progman::Run(const Command& command) {
    const auto& args = command.rawArguments;
    if (SameText(command.name, "CreateGroup")) {
        if (args.empty() || args.size() > 2) return false;
        return CreateGroup(Value(args[0]));
    }
    if (SameText(command.name, "ShowGroup")) {
        if (args.size() != 2 || !IsNumber(args[1]) || !ValidName(Value(args[0]))) return false;
        // Showing a group makes it the one AddItem fills; a group that does not exist cannot be shown.
        if (files_.GetFileAttributesA(GroupFolder(Value(args[0])).c_str()) == INVALID_FILE_ATTRIBUTES)
            return false;
        currentGroup_ = Value(args[0]);
        return true;
    }
    if (SameText(command.name, "DeleteGroup")) {
        if (args.size() != 1) return false;
        return DeleteGroup(Value(args[0]));
    }
    if (SameText(command.name, "AddItem")) {
        if (args.empty() || args.size() > 10) return false;
        return AddItem(args);
    }
    if (SameText(command.name, "DeleteItem")) {
        if (args.size() != 1) return false;
        return DeleteItem(Value(args[0]));
    }
    if (SameText(command.name, "ExitProgman")) {
        // The groups are saved as they change; there is no window to close.
        return args.size() <= 1 && (args.empty() || IsNumber(args[0]));
    }
    return false;
}

bool Progman::EnsureFolder(const std::string& path) {
    std::size_t pos = 3;  // after "C:\"
    for (;;) {
        std::size_t slash = path.find('\\', pos);
        std::string part = path.substr(0, slash);
        if (files_.GetFileAttributesA(part.c_str()) == INVALID_FILE_ATTRIBUTES &&
            !files_.CreateDirectoryA(part.c_str(), nullptr))
            return false;
        if (slash == std::string::npos) return true;
        pos = slash + 1;
    }
}

bool Progman::CreateGroup(const std::string& name) {
    if (!ValidName(name) || !EnsureFolder(GroupFolder(name))) return false;
    currentGroup_ = name;
    return true;
}

bool Progman::DeleteGroup(const std::string& name) {
    if (!ValidName(name)) return false;
    std::string folder = GroupFolder(name);
    if (files_.GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    WIN32_FIND_DATAA data;
    HANDLE find = files_.FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string entry = data.cFileName;
            if (entry == "." || entry == ".." || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
            std::string path = folder + "\\" + entry;
            if (files_.DeleteFileA(path.c_str()) && sink_ && IsLink(entry)) sink_->LinkDeleted(path);
        } while (files_.FindNextFileA(find, &data));
        files_.FindClose(find);
    }
    if (SameText(currentGroup_, name.c_str())) currentGroup_.clear();
    return files_.RemoveDirectoryA(folder.c_str()) != FALSE;
}

bool Progman::AddItem(const std::vector<std::string>& args) {
    if (currentGroup_.empty()) return false;
    for (std::size_t i : {3u, 4u, 5u, 8u})
        if (i < args.size() && !IsNumber(args[i])) return false;
    ShellLink link;
    SplitCommandLine(args[0], link.target, link.arguments);
    if (link.target.empty()) return false;
    std::string name = args.size() > 1 ? Value(args[1]) : "";
    if (name.empty()) name = BaseNameWithoutExtension(link.target);
    if (!ValidName(name)) return false;
    link.name = name;
    if (args.size() > 2) link.iconLocation = Value(args[2]);
    if (args.size() > 3 && !Value(args[3]).empty()) link.iconIndex = std::atoi(Value(args[3]).c_str());
    if (args.size() > 6) link.workingDir = Value(args[6]);
    if (args.size() > 8 && std::atoi(Value(args[8]).c_str()) != 0)
        link.showCommand = 7;  // SW_SHOWMINNOACTIVE
    std::string folder = GroupFolder(currentGroup_);
    link.relativePath = RelativeWindowsPath(folder, link.target);
    std::string bytes = EncodeShellLink(link);
    std::string path = folder + "\\" + name + ".lnk";
    HANDLE file = files_.CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = files_.WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    files_.CloseHandle(file);
    if (!ok || written != bytes.size()) return false;
    if (sink_) sink_->LinkSaved(path, link);
    return true;
}

bool Progman::DeleteItem(const std::string& name) {
    if (currentGroup_.empty() || !ValidName(name)) return false;
    std::string path = GroupFolder(currentGroup_) + "\\" + name + ".lnk";
    if (!files_.DeleteFileA(path.c_str())) return false;
    if (sink_) sink_->LinkDeleted(path);
    return true;
}

}  // namespace platform
