#include "platform/machine/prefix.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/machine/host_dir.h"
#include "platform/machine/text_util.h"
#include "platform/machine/win_path.h"

namespace platform {

namespace {

[[noreturn]] void Fail(const std::string& call, const std::string& path) {
    throw std::runtime_error(call + "(" + path + ") = " + std::to_string(errno) + " (" +
                             std::strerror(errno) + ")");
}

void MakeDirs(const std::string& path) {
    for (std::size_t pos = 1;; ++pos) {
        pos = path.find('/', pos);
        std::string cur = path.substr(0, pos);
        if (::mkdir(cur.c_str(), 0777) != 0 && errno != EEXIST) Fail("mkdir", cur);
        if (pos == std::string::npos) break;
    }
    if (!HostIsDir(path)) {
        errno = ENOTDIR;
        Fail("mkdir", path);
    }
}

void LinkIfMissing(const std::string& target, const std::string& link) {
    struct stat st;
    if (::lstat(link.c_str(), &st) == 0) return;
    if (::symlink(target.c_str(), link.c_str()) != 0 && errno != EEXIST) Fail("symlink", link);
}

std::string HostUser() {
    if (const char* u = std::getenv("USER"); u && *u && !std::strchr(u, '/')) return u;
    if (passwd* pw = getpwuid(geteuid()); pw && pw->pw_name && *pw->pw_name) return pw->pw_name;
    return "user";
}

// "a/b/../c/./d" -> "a/c/d", for host paths built from link targets (never climbs above "/").
std::string TidyHost(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t i = 0;
    while (i < path.size()) {
        std::size_t j = path.find('/', i);
        if (j == std::string::npos) j = path.size();
        std::string part = path.substr(i, j - i);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = j + 1;
    }
    std::string out;
    for (const auto& p : parts)
        out += "/" + p;
    return out.empty() ? "/" : out;
}

std::string RealHost(const std::string& path) {
    char buf[PATH_MAX];
    if (::realpath(path.c_str(), buf)) return buf;
    return TidyHost(path);
}

std::string AbsoluteHost(std::string_view hostPath) {
    std::string p(hostPath);
    if (p.empty() || p[0] != '/') {
        char cwd[PATH_MAX];
        if (::getcwd(cwd, sizeof cwd)) p = std::string(cwd) + "/" + p;
    }
    return TidyHost(p);
}

// The folders of drive C: in a prefix Wine 8 has just made (64-bit), that programs and installers
// expect to find; "USER" stands for the user's profile folder. Wine links the user's Desktop,
// Documents, Downloads, Music, Pictures and Videos to the host's home; ours are folders of their own,
// so that nothing the setup does reaches outside the prefix.
constexpr const char* kFreshLayout[] = {
    "Program Files/Common Files/Microsoft Shared/TextConv",
    "Program Files/Common Files/System/ADO",
    "Program Files/Common Files/System/OLE DB",
    "Program Files/Internet Explorer",
    "Program Files/Windows Media Player",
    "Program Files/Windows NT/Accessories",
    "Program Files (x86)/Common Files",
    "ProgramData/Microsoft/Windows/Start Menu/Programs/Administrative Tools",
    "ProgramData/Microsoft/Windows/Start Menu/Programs/StartUp",
    "ProgramData/Microsoft/Windows/Templates",
    "users/Public/Desktop",
    "users/Public/Documents",
    "users/Public/Music",
    "users/Public/Pictures",
    "users/Public/Videos",
    "users/USER/AppData/Local/Microsoft/Windows/History",
    "users/USER/AppData/Local/Microsoft/Windows/INetCache",
    "users/USER/AppData/Local/Microsoft/Windows/INetCookies",
    "users/USER/AppData/LocalLow",
    "users/USER/AppData/Roaming/Microsoft/Windows/Network Shortcuts",
    "users/USER/AppData/Roaming/Microsoft/Windows/Printer Shortcuts",
    "users/USER/AppData/Roaming/Microsoft/Windows/Recent",
    "users/USER/AppData/Roaming/Microsoft/Windows/SendTo",
    "users/USER/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Administrative Tools",
    "users/USER/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp",
    "users/USER/AppData/Roaming/Microsoft/Windows/Templates",
    "users/USER/AppData/Roaming/Microsoft/Windows/Themes",
    "users/USER/Contacts",
    "users/USER/Desktop",
    "users/USER/Documents",
    "users/USER/Downloads",
    "users/USER/Favorites",
    "users/USER/Links",
    "users/USER/Music",
    "users/USER/Pictures",
    "users/USER/Saved Games",
    "users/USER/Searches",
    "users/USER/Temp",
    "users/USER/Videos",
    "windows/Fonts",
    "windows/help",
    "windows/inf",
    "windows/logs",
    "windows/system32/drivers/etc",
    "windows/syswow64",
    "windows/temp",
};

// The profile files Wine 8 writes into a new prefix's Windows directory, CR LF as Wine writes them.
constexpr const char kWinIni[] = "[mail]\r\nmapi=1\r\n";
constexpr const char kSystemIni[] =
    "[mci]\r\n"
    "MPEGVideo=mciqtz32.dll\r\n"
    "MPEGVideo2=mciqtz32.dll\r\n"
    "avivideo=mciavi32.dll\r\n"
    "cdaudio=mcicda.dll\r\n"
    "sequencer=mciseq.dll\r\n"
    "vcr=mcivisca.drv\r\n"
    "; videodisc=mcipionr.drv\r\n"
    "waveaudio=mciwave.dll\r\n"
    "[drivers32]\r\n"
    "msacm.imaadpcm=imaadp32.acm\r\n"
    "msacm.msadpcm=msadp32.acm\r\n"
    "msacm.msg711=msg711.acm\r\n"
    "msacm.l3acm=l3codeca.acm\r\n"
    "msacm.msgsm610=msgsm32.acm\r\n"
    "vidc.mrle=msrle32.dll\r\n"
    "vidc.msvc=msvidc32.dll\r\n"
    "vidc.cvid=iccvid.dll\r\n"
    "; vidc.IV50=ir50_32.dll\r\n"
    "; vidc.IV31=ir32_32.dll\r\n"
    "; vidc.IV32=ir32_32.dll\r\n";

void WriteNewFile(const std::string& path, std::string_view text) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST) return;
        Fail("open", path);
    }
    bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    if (::close(fd) != 0 || !ok) Fail("write", path);
}

}  // namespace

Prefix::Prefix(std::string hostDir) : root_(std::move(hostDir)), user_(HostUser()) {
    if (root_.empty()) root_ = ".";
    while (root_.size() > 1 && root_.back() == '/')
        root_.pop_back();
    root_ = AbsoluteHost(root_);
    // The drive links are made with the prefix, as Wine makes them: a user who later removed one (z:,
    // to keep Windows programs away from the host) keeps it removed.
    const bool newPrefix = !HostExists(root_ + "/dosdevices");
    MakeDirs(root_ + "/dosdevices");
    // A new prefix gets Wine's whole layout; in one that exists (Wine's own, or ours), only what the
    // machine itself relies on is made where missing: Wine links some folders elsewhere, and a
    // dangling link must not stop the setup.
    const std::string c = root_ + "/drive_c/";
    if (!HostExists(root_ + "/drive_c")) {
        for (std::string dir : kFreshLayout) {
            if (dir.compare(0, 11, "users/USER/") == 0) dir = "users/" + user_ + dir.substr(10);
            MakeDirs(c + dir);
        }
        WriteNewFile(c + "windows/win.ini", kWinIni);
        WriteNewFile(c + "windows/system.ini", kSystemIni);
    }
    for (const char* dir : {"windows/system32", "windows/temp", "Program Files", "users/Public"})
        MakeDirs(c + dir);
    if (!HostExists(c + "users/" + user_ + "/Temp")) MakeDirs(c + "users/" + user_ + "/Temp");
    if (newPrefix) {
        LinkIfMissing("../drive_c", root_ + "/dosdevices/c:");
        LinkIfMissing("/", root_ + "/dosdevices/z:");
    } else if (!DriveRoot('c')) {
        errno = ENOENT;
        Fail("readlink", root_ + "/dosdevices/c:");
    }
}

namespace {

bool HexDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(),
                                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); });
}

// Names of the temporary files the machine makes while it replaces a file: "~prfXXXX.tmp" (profiles),
// "verXXXX.tmp" (version installation).
bool IsMachineTemporary(std::string_view name) {
    for (std::string_view stem : {std::string_view("~prf"), std::string_view("ver")})
        if (name.size() == stem.size() + 8 && name.substr(0, stem.size()) == stem &&
            name.substr(name.size() - 4) == ".tmp" && HexDigits(name.substr(stem.size(), 4)))
            return true;
    return false;
}

void RemoveTemporariesBelow(const std::string& dir, int depth) {
    if (depth > 32) return;
    DIR* d = opendir(dir.c_str());
    if (!d) return;
    std::vector<std::string> subdirs;
    while (dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        std::string path = dir + "/" + name;
        struct stat st;
        // Links are not followed: what lies outside the prefix is none of the setup's business.
        if (::lstat(path.c_str(), &st) != 0) continue;
        if (S_ISDIR(st.st_mode))
            subdirs.push_back(path);
        else if (S_ISREG(st.st_mode) && IsMachineTemporary(name))
            ::unlink(path.c_str());
    }
    closedir(d);
    for (const auto& sub : subdirs)
        RemoveTemporariesBelow(sub, depth + 1);
}

}  // namespace

void Prefix::RemoveStaleTemporaries() {
    DIR* d = opendir(root_.c_str());
    if (d) {
        while (dirent* e = readdir(d)) {
            std::string name = e->d_name;
            // "system.reg.tmp-PID": a hive being written when its writer died.
            std::size_t mark = name.find(".reg.tmp-");
            if (mark == std::string::npos ||
                name.find_first_not_of("0123456789", mark + 9) != std::string::npos ||
                mark + 9 == name.size())
                continue;
            std::string path = root_ + "/" + name;
            struct stat st;
            if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.c_str());
        }
        closedir(d);
    }
    RemoveTemporariesBelow(root_ + "/drive_c", 0);
}

std::string Prefix::HivePath(std::string_view name) const {
    return root_ + "/" + std::string(name);
}

std::optional<std::string> Prefix::DriveRoot(char letter) const {
    letter = LowerAscii(letter);
    if (letter < 'a' || letter > 'z') return std::nullopt;
    std::string dosdevices = root_ + "/dosdevices";
    std::string link = dosdevices + "/" + std::string(1, letter) + ":";
    char buf[PATH_MAX];
    ssize_t n = ::readlink(link.c_str(), buf, sizeof buf - 1);
    if (n <= 0) return std::nullopt;
    std::string target(buf, static_cast<std::size_t>(n));
    if (target[0] != '/') target = dosdevices + "/" + target;
    return TidyHost(target);
}

std::optional<Prefix::Resolution> Prefix::Resolve(std::string_view path, DWORD* error, bool wildcards) const {
    DWORD dummy;
    if (!error) error = &dummy;
    if (path.find('\0') != std::string_view::npos) {
        *error = ERROR_INVALID_NAME;
        return std::nullopt;
    }
    auto kind = winpath::Classify(path);
    if (kind == winpath::Kind::Unc) {
        *error = ERROR_BAD_NETPATH;
        return std::nullopt;
    }
    if (kind != winpath::Kind::Absolute && kind != winpath::Kind::DriveRelative) {
        *error = ERROR_PATH_NOT_FOUND;
        return std::nullopt;
    }
    std::string full = winpath::Normalize(path);
    if (winpath::HasInvalidName(full, wildcards)) {
        *error = ERROR_INVALID_NAME;
        return std::nullopt;
    }
    char drive = full[0];
    auto base = DriveRoot(drive);
    if (!base) {
        *error = ERROR_PATH_NOT_FOUND;
        return std::nullopt;
    }
    Resolution r;
    r.host = *base;
    r.longPath = std::string(1, drive) + ":";
    auto parts = winpath::Components(full);
    bool dirOk = HostIsDir(r.host);
    r.exists = r.parentExists = r.isDir = dirOk;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::string actual = parts[i];
        bool found = false;
        if (dirOk) {
            if (auto m = MatchHostName(r.host, parts[i])) {
                actual = *m;
                found = true;
            }
        }
        bool last = i + 1 == parts.size();
        if (last) r.parentExists = dirOk;
        r.host = JoinHost(r.host, actual);
        r.longPath += "\\" + actual;
        if (last) {
            r.exists = found && HostExists(r.host);
            r.isDir = r.exists && HostIsDir(r.host);
        } else {
            dirOk = found && HostIsDir(r.host);
        }
    }
    if (parts.empty()) r.longPath += "\\";
    return r;
}

std::optional<std::string> Prefix::ToHost(std::string_view windowsPath) const {
    if (winpath::Classify(windowsPath) != winpath::Kind::Absolute) return std::nullopt;
    auto r = Resolve(windowsPath, nullptr);
    if (!r) return std::nullopt;
    return r->host;
}

std::optional<std::string> Prefix::ToWindows(std::string_view hostPath, bool addDrive) {
    std::string abs = AbsoluteHost(hostPath);
    // Links and ".." are seen through where the path exists, so that a path inside drive_c reached
    // another way still maps to C:.
    std::string real = RealHost(abs);
    for (int attempt = 0; attempt < 2; ++attempt) {
        char best = 0;
        std::size_t bestLen = 0;
        for (char d : Drives()) {
            auto target = DriveRoot(d);
            if (!target) continue;
            std::string t = RealHost(*target);
            bool covers = t == "/" || real == t || real.compare(0, t.size() + 1, t + "/") == 0;
            if (covers && (!best || t.size() > bestLen)) {
                best = d;
                bestLen = t == "/" ? 0 : t.size();
            }
        }
        if (best) {
            std::string rest = real.size() > bestLen ? real.substr(bestLen) : std::string();
            std::string out(1, UpperAscii(best));
            out += ":";
            for (char c : rest)
                out += c == '/' ? '\\' : c;
            if (rest.empty() || rest == "/") out = out.substr(0, 2) + "\\";
            return out;
        }
        if (!addDrive || attempt) break;
        std::string dir = HostIsDir(real) ? real : real.substr(0, std::max<std::size_t>(1, real.rfind('/')));
        auto letters = Drives();
        char free = 0;
        for (char c = 'd'; c <= 'y' && !free; ++c)
            if (std::find(letters.begin(), letters.end(), c) == letters.end()) free = c;
        if (!free) break;
        std::string link = root_ + "/dosdevices/" + std::string(1, free) + ":";
        if (::symlink(dir.c_str(), link.c_str()) != 0) break;
    }
    return std::nullopt;
}

std::vector<char> Prefix::Drives() const {
    std::vector<char> out;
    DIR* d = opendir((root_ + "/dosdevices").c_str());
    if (!d) return out;
    while (dirent* e = readdir(d)) {
        std::string n = e->d_name;
        // "c:" is a drive; "c::" is the device behind it, not a drive of its own.
        if (n.size() == 2 && n[1] == ':' && n[0] >= 'a' && n[0] <= 'z') out.push_back(n[0]);
    }
    closedir(d);
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace platform
