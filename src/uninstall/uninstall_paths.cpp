#include "uninstall/uninstall_paths.h"

#include <cstddef>

#include "platform/win_types.h"

namespace uninstall {

namespace {

char Fold(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i])) return false;
    return true;
}

bool AllowedInName(char c) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) return false;
    for (char bad : {'/', ':', '*', '?', '"', '<', '>', '|'})
        if (c == bad) return false;
    return true;
}

// Whether `path`'s components begin with all of `dir`'s; `strictly` asks for at least one more.
bool StartsWith(const std::vector<std::string>& path, const std::vector<std::string>& dir, bool strictly) {
    if (dir.empty() || path.size() < dir.size() || (strictly && path.size() == dir.size())) return false;
    for (std::size_t i = 0; i < dir.size(); ++i)
        if (!SameName(path[i], dir[i])) return false;
    return true;
}

}  // namespace

std::vector<std::string> PlainComponents(const std::string& path) {
    if (path.size() < 3 || path.size() >= MAX_PATH) return {};
    char drive = Fold(path[0]);
    if (drive < 'A' || drive > 'Z' || path[1] != ':' || path[2] != '\\') return {};
    std::vector<std::string> parts{path.substr(0, 2)};
    if (path.size() == 3) return parts;  // the root of the drive
    std::size_t start = 3;
    for (;;) {
        std::size_t end = path.find('\\', start);
        std::string part = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part == "." && end != std::string::npos) {
            // "C:\OVRA\.\VERSIONS.TXT": the directory itself, as the setup writes some of its lines.
            start = end + 1;
            continue;
        }
        if (part.empty() || part == "." || part == ".." || part.back() == '.' || part.back() == ' ')
            return {};
        for (char c : part)
            if (!AllowedInName(c)) return {};
        parts.push_back(part);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return parts;
}

bool SamePath(const std::string& a, const std::string& b) {
    auto x = PlainComponents(a), y = PlainComponents(b);
    return !x.empty() && x.size() == y.size() && StartsWith(x, y, false);
}

bool IsBelow(const std::string& path, const std::string& dir) {
    return StartsWith(PlainComponents(path), PlainComponents(dir), true);
}

PathVerdict CheckDirectoryLine(const PathRules& rules, const std::string& path) {
    auto parts = PlainComponents(path);
    if (parts.empty()) return PathVerdict::NotPlain;
    return StartsWith(parts, PlainComponents(rules.installDir), true) ? PathVerdict::Inside
                                                                      : PathVerdict::Outside;
}

PathVerdict CheckFileLine(const PathRules& rules, const std::string& path) {
    auto parts = PlainComponents(path);
    if (parts.empty()) return PathVerdict::NotPlain;
    if (StartsWith(parts, PlainComponents(rules.installDir), true)) return PathVerdict::Inside;
    std::string parent = ParentOf(path);
    for (const std::string& system : {rules.windowsDir, rules.systemDir})
        if (!system.empty() && SamePath(parent, system)) return PathVerdict::SystemFile;
    return PathVerdict::Outside;
}

bool AcceptableInstallDir(const PathRules& rules) {
    auto dir = PlainComponents(rules.installDir);
    if (dir.size() < 2) return false;
    for (const std::string& system : {rules.windowsDir, rules.systemDir}) {
        auto parts = PlainComponents(system);
        if (!parts.empty() && StartsWith(parts, dir, false)) return false;
    }
    return true;
}

std::string PlainPath(const std::string& path) {
    auto parts = PlainComponents(path);
    if (parts.empty()) return "";
    std::string out = parts[0] + "\\";
    for (std::size_t i = 1; i < parts.size(); ++i)
        out += (i > 1 ? "\\" : "") + parts[i];
    return out;
}

std::string ParentOf(const std::string& path) {
    std::size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos) return "";
    if (slash == 2 && path.size() > 1 && path[1] == ':') return path.substr(0, 3);
    return path.substr(0, slash);
}

}  // namespace uninstall
