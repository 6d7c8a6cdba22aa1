#include "platform/machine/desktop_entries.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/machine/ansi_codepage.h"

namespace platform {

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

std::string LowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = Lower(c);
    return out;
}

// `path` starts with `folder` followed by a backslash, compared without regard to case.
bool Below(std::string_view path, std::string_view folder) {
    return path.size() > folder.size() + 1 && path[folder.size()] == '\\' &&
           LowerAscii(path.substr(0, folder.size())) == LowerAscii(folder);
}

// The ANSI (1252) text of the machine as UTF-8, which the host files hold.
std::string Utf8(std::string_view ansi) {
    return AnsiToUtf8(ansi);
}

std::string Join(const std::vector<std::string>& parts, char separator, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count && i < parts.size(); ++i) {
        if (i) out += separator;
        out += parts[i];
    }
    return out;
}

bool MakeHostDirs(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) return true;
    }
}

// Replaces the file whole: a reader never sees half an entry.
bool WriteHostFile(const std::string& path, const std::string& text) {
    std::size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !MakeHostDirs(path.substr(0, slash))) return false;
    std::string temporary = path + ".tmp";
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fclose(f) == 0 && ok;
    if (ok && std::rename(temporary.c_str(), path.c_str()) == 0) return true;
    std::remove(temporary.c_str());
    return false;
}

bool SameName(std::string_view a, std::string_view b) {
    return LowerAscii(a) == LowerAscii(b);
}

bool ModeDisables(std::string_view mode) {
    return mode.empty() || mode == "d";
}

// The registry's word on winemenubuilder.exe, when it has one.
std::optional<bool> RegistryDisablesMenuBuilder(RegistryApi& registry) {
    HKEY key = nullptr;
    if (registry.RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return std::nullopt;
    std::optional<bool> result;
    for (const char* name : {"winemenubuilder.exe", "winemenubuilder"}) {
        char data[64];
        DWORD type = 0, size = sizeof data;
        if (registry.RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
                ERROR_SUCCESS ||
            (type != REG_SZ && type != REG_EXPAND_SZ))
            continue;
        std::string mode(data, size && data[size - 1] == '\0' ? size - 1 : size);
        result = ModeDisables(mode);
        break;
    }
    registry.RegCloseKey(key);
    return result;
}

}  // namespace

std::string EscapeExecArgument(std::string_view text) {
    static constexpr std::string_view kSpecial = " \t\n\"'`~&;$#()<>|*?";
    std::string out;
    for (char c : text) {
        if (c == '\\') {
            out += "\\\\\\\\";
        } else {
            if (kSpecial.find(c) != std::string_view::npos) out += "\\\\";
            out += c;
        }
    }
    return out;
}

std::string EscapeMenuXml(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '\'':
                out += "&apos;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string ExtractedIconName(std::string_view windowsPath, int index) {
    // CRC-16/ARC (polynomial 0xA001 reflected, initial 0) over the path in UTF-16 little-endian.
    std::uint16_t crc = 0;
    auto feed = [&crc](std::uint8_t byte) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001)
                            : static_cast<std::uint16_t>(crc >> 1);
    };
    for (char16_t w : AnsiToWide(windowsPath)) {
        feed(static_cast<std::uint8_t>(w & 0xFF));
        feed(static_cast<std::uint8_t>(w >> 8));
    }
    std::size_t slash = windowsPath.find_last_of("\\/");
    std::string_view base = slash == std::string_view::npos ? windowsPath : windowsPath.substr(slash + 1);
    std::size_t dot = base.rfind('.');
    if (dot != std::string_view::npos) base = base.substr(0, dot);
    char prefix[8];
    std::snprintf(prefix, sizeof prefix, "%04X_", crc);
    return prefix + Utf8(base) + "." + std::to_string(index);
}

std::optional<bool> OverridesDisableMenuBuilder(std::string_view overrides) {
    // "name[,name...]=mode[;...]"; the first entry naming the program decides.
    std::size_t start = 0;
    while (start <= overrides.size()) {
        std::size_t end = overrides.find(';', start);
        std::string_view entry =
            overrides.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        std::size_t equals = entry.find('=');
        std::string_view names = entry.substr(0, equals);
        std::string_view mode =
            equals == std::string_view::npos ? std::string_view() : entry.substr(equals + 1);
        std::size_t n = 0;
        while (n <= names.size()) {
            std::size_t comma = names.find(',', n);
            std::string_view name =
                names.substr(n, comma == std::string_view::npos ? std::string_view::npos : comma - n);
            while (!name.empty() && name.front() == ' ')
                name.remove_prefix(1);
            while (!name.empty() && name.back() == ' ')
                name.remove_suffix(1);
            if (SameName(name, "winemenubuilder.exe") || SameName(name, "winemenubuilder"))
                return ModeDisables(mode);
            if (comma == std::string_view::npos) break;
            n = comma + 1;
        }
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return std::nullopt;
}

DesktopHome DesktopHome::From(const char* home, const char* xdgDataHome, const char* xdgConfigHome) {
    DesktopHome result;
    std::string homeDir = home ? home : "";
    // Relative XDG base directories are ignored, as the freedesktop base-directory rules say.
    auto base = [&](const char* variable, const char* fallback) -> std::string {
        if (variable && variable[0] == '/') return variable;
        return homeDir.empty() ? std::string() : homeDir + fallback;
    };
    result.dataDir = base(xdgDataHome, "/.local/share");
    result.configDir = base(xdgConfigHome, "/.config");
    return result;
}

DesktopEntries::DesktopEntries(const Prefix& prefix, RegistryApi& registry)
    : prefix_(prefix), registry_(registry) {}

void DesktopEntries::Configure(bool enabled, DesktopHome home, std::string loader, const char* dllOverrides) {
    enabled_ = enabled;
    home_ = std::move(home);
    loader_ = std::move(loader);
    environmentDisables_ = dllOverrides ? OverridesDisableMenuBuilder(dllOverrides) : std::nullopt;
}

bool DesktopEntries::Active() const {
    if (!enabled_ || home_.dataDir.empty() || home_.configDir.empty()) return false;
    // The environment's override wins over the prefix's, as it does for Wine's loader.
    if (environmentDisables_) return !*environmentDisables_;
    std::optional<bool> registry = RegistryDisablesMenuBuilder(registry_);
    return !(registry && *registry);
}

std::optional<std::vector<std::string>> DesktopEntries::MenuPath(const std::string& linkPath) const {
    // The common Start menu and the user's: the path below it, without ".lnk", is the menu path.
    const std::string roots[] = {
        "C:\\ProgramData\\Microsoft\\Windows\\Start Menu",
        "C:\\users\\" + prefix_.UserName() + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu",
    };
    for (const std::string& root : roots) {
        if (!Below(linkPath, root)) continue;
        std::string rest = linkPath.substr(root.size() + 1);
        if (rest.size() <= 4 || !SameName(std::string_view(rest).substr(rest.size() - 4), ".lnk"))
            return std::nullopt;
        rest.resize(rest.size() - 4);
        std::vector<std::string> parts;
        for (std::size_t start = 0;;) {
            std::size_t slash = rest.find('\\', start);
            parts.push_back(
                rest.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
            if (slash == std::string::npos) break;
            start = slash + 1;
        }
        for (const std::string& part : parts)
            if (part.empty()) return std::nullopt;
        return parts;
    }
    return std::nullopt;
}

std::optional<DesktopEntry> DesktopEntries::EntryFor(const std::string& linkPath,
                                                     const ShellLink& link) const {
    auto path = MenuPath(linkPath);
    if (!path || path->size() < 2) return std::nullopt;
    DesktopEntry entry;
    for (const std::string& part : *path)
        entry.folders.push_back(Utf8(part));
    entry.item = entry.folders.back();
    entry.folders.pop_back();

    std::string text = "[Desktop Entry]\nName=" + entry.item + "\n";
    text += "Exec=env WINEPREFIX=\"" + prefix_.HostRoot() + "\" " + loader_ + " " +
            EscapeExecArgument(Utf8(linkPath)) + "\n";
    text += "Type=Application\nStartupNotify=true\n";
    if (!link.name.empty()) text += "Comment=" + Utf8(link.name) + "\n";
    if (!link.workingDir.empty() && link.workingDir.size() >= 3 && link.workingDir[1] == ':') {
        DWORD error = 0;
        auto resolved = prefix_.Resolve(link.workingDir, &error);
        if (resolved && resolved->parentExists) {
            std::string rest = resolved->longPath.substr(2);
            for (char& c : rest)
                if (c == '\\') c = '/';
            while (rest.size() > 1 && rest.back() == '/')
                rest.pop_back();
            text += "Path=" + prefix_.HostRoot() + "/dosdevices/" + Lower(link.workingDir[0]) + ":" +
                    Utf8(rest) + "\n";
        }
    }
    std::size_t slash = link.target.find_last_of('\\');
    text +=
        "StartupWMClass=" + LowerAscii(Utf8(link.target.substr(slash == std::string::npos ? 0 : slash + 1))) +
        "\n";
    entry.desktopText = text;

    const std::string id = "wine-" + Join(entry.folders, '-', entry.folders.size()) + "-" + entry.item;
    std::string menu =
        "<!DOCTYPE Menu PUBLIC \"-//freedesktop//DTD Menu 1.0//EN\"\n"
        "\"http://www.freedesktop.org/standards/menu-spec/menu-1.0.dtd\">\n"
        "<Menu>\n  <Name>Applications</Name>\n"
        "  <Menu>\n    <Name>wine-wine</Name>\n    <Directory>wine-wine.directory</Directory>\n";
    entry.directories.emplace_back(home_.dataDir + "/desktop-directories/wine-wine.directory",
                                   "[Desktop Entry]\nType=Directory\nName=Wine\nIcon=wine\n");
    for (std::size_t i = 1; i <= entry.folders.size(); ++i) {
        std::string name = "wine-" + Join(entry.folders, '-', i);
        menu += "  <Menu>\n    <Name>" + EscapeMenuXml(name) + "</Name>\n    <Directory>" +
                EscapeMenuXml(name) + ".directory</Directory>\n";
        entry.directories.emplace_back(
            home_.dataDir + "/desktop-directories/" + name + ".directory",
            "[Desktop Entry]\nType=Directory\nName=" + entry.folders[i - 1] + "\nIcon=folder\n");
    }
    menu += "    <Include>\n      <Filename>" + EscapeMenuXml(id) + ".desktop</Filename>\n    </Include>\n";
    for (std::size_t i = 0; i <= entry.folders.size(); ++i)
        menu += "  </Menu>\n";
    menu += "</Menu>\n";
    entry.menuText = menu;
    entry.desktopPath = home_.dataDir + "/applications/wine/" +
                        Join(entry.folders, '/', entry.folders.size()) + "/" + entry.item + ".desktop";
    entry.menuPath = home_.configDir + "/menus/applications-merged/" + id + ".menu";
    return entry;
}

void DesktopEntries::LinkSaved(const std::string& linkPath, const ShellLink& link) {
    if (!Active()) return;
    auto entry = EntryFor(linkPath, link);
    if (!entry) return;
    // Best effort, as for Wine: a menu entry that cannot be written does not fail the shortcut.
    for (const auto& [path, text] : entry->directories)
        WriteHostFile(path, text);
    if (WriteHostFile(entry->desktopPath, entry->desktopText)) {
        written_.push_back(entry->desktopPath);
        Record(entry->desktopPath, linkPath);
    }
    if (WriteHostFile(entry->menuPath, entry->menuText)) {
        written_.push_back(entry->menuPath);
        Record(entry->menuPath, linkPath);
    }
}

void DesktopEntries::LinkDeleted(const std::string& linkPath) {
    // Entries are removed with their shortcut even when new ones would not be written now, so a
    // group deleted by a later run does not leave dead items in the menu.
    if (home_.dataDir.empty() || home_.configDir.empty()) return;
    auto entry = EntryFor(linkPath, ShellLink{});
    if (!entry) return;
    for (const std::string& path : {entry->desktopPath, entry->menuPath}) {
        if (unlink(path.c_str()) == 0 || errno == ENOENT) Unrecord(path);
    }
    // The folder of the group's desktop files goes when it is empty (Wine's refresh does the same).
    std::size_t slash = entry->desktopPath.rfind('/');
    if (slash != std::string::npos) rmdir(entry->desktopPath.substr(0, slash).c_str());
}

namespace {

std::string MenuFilesValueName(const std::string& hostPath) {
    std::string name = "\\\\?\\Z:";
    for (char c : hostPath)
        name += c == '/' ? '\\' : c;
    return name;
}

}  // namespace

void DesktopEntries::Record(const std::string& hostPath, const std::string& linkPath) {
    HKEY key = nullptr;
    if (registry_.RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\MenuFiles", 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    std::string name = MenuFilesValueName(hostPath);
    registry_.RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(linkPath.c_str()),
                             static_cast<DWORD>(linkPath.size() + 1));
    registry_.RegCloseKey(key);
}

void DesktopEntries::Unrecord(const std::string& hostPath) {
    HKEY key = nullptr;
    if (registry_.RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\MenuFiles", 0, KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS)
        return;
    registry_.RegDeleteValueA(key, MenuFilesValueName(hostPath).c_str());
    registry_.RegCloseKey(key);
}

std::string HostWineLoader() {
    // Debian's Wine 8 writes the versioned command its package installs.
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    for (std::size_t start = 0;;) {
        std::size_t colon = dirs.find(':', start);
        std::string dir = dirs.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
        if (!dir.empty() && access((dir + "/wine-stable").c_str(), X_OK) == 0) return "wine-stable";
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    return "wine";
}

}  // namespace platform
