#include "platform/machine/host_dir.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <tuple>

#include "platform/machine/short_names.h"
#include "platform/machine/text_util.h"

namespace platform {

namespace {

struct Scanned {
    HostEntry entry;
    std::int64_t bornSec = 0;
    std::int64_t bornNsec = 0;
};

std::optional<std::vector<std::string>> ReadNames(const std::string& dir) {
    DIR* d = opendir(dir.c_str());
    if (!d) return std::nullopt;
    std::vector<std::string> names;
    while (dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if (n != "." && n != "..") names.push_back(std::move(n));
    }
    closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::string JoinHost(const std::string& dir, const std::string& name) {
    if (!dir.empty() && dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

bool HostIsDir(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool HostExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

std::optional<std::vector<HostEntry>> ListHostDir(const std::string& dir) {
    auto names = ReadNames(dir);
    if (!names) return std::nullopt;
    std::vector<Scanned> scanned;
    for (const auto& n : *names) {
        struct statx sx;
        // Entries that cannot be looked at (a dangling link) are not files Windows could show.
        if (statx(AT_FDCWD, JoinHost(dir, n).c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) continue;
        Scanned s;
        s.entry.name = n;
        s.entry.isDir = S_ISDIR(sx.stx_mode);
        s.entry.readOnly = !(sx.stx_mode & S_IWUSR);
        s.entry.size = sx.stx_size;
        s.entry.mtimeSec = sx.stx_mtime.tv_sec;
        s.entry.mtimeNsec = sx.stx_mtime.tv_nsec;
        if (sx.stx_mask & STATX_BTIME) {
            s.bornSec = sx.stx_btime.tv_sec;
            s.bornNsec = sx.stx_btime.tv_nsec;
        }
        scanned.push_back(std::move(s));
    }
    // Creation order, the name breaking ties (and standing in where the host filesystem keeps no
    // birth time), so that a listing comes out the same every time.
    std::stable_sort(scanned.begin(), scanned.end(), [](const Scanned& a, const Scanned& b) {
        return std::tie(a.bornSec, a.bornNsec) < std::tie(b.bornSec, b.bornNsec);
    });
    std::vector<HostEntry> out;
    for (auto& s : scanned) {
        out.push_back(std::move(s.entry));
        out.back().alias = MakeShortName(out.back().name);
    }
    return out;
}

std::optional<std::string> MatchHostName(const std::string& dir, const std::string& component) {
    struct stat st;
    if (::lstat(JoinHost(dir, component).c_str(), &st) == 0) return component;
    auto names = ReadNames(dir);
    if (!names) return std::nullopt;
    for (const auto& n : *names)
        if (EqualNoCase(n, component)) return n;
    // Only an 8.3 name can be an alias; Wine's always hold a '~'. Where two names share an alias,
    // the first in name order wins, so that the choice does not change between calls.
    if (component.find('~') == std::string::npos || !IsValidShortName(component)) return std::nullopt;
    for (const auto& n : *names)
        if (EqualNoCase(MakeShortName(n), component)) return n;
    return std::nullopt;
}

}  // namespace platform
