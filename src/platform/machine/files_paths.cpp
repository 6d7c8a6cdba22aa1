// Path and drive queries of MachineFiles: system directories, current directory, full, short and long
// path names, drives and free space.
#include <sys/statvfs.h>

#include <algorithm>

#include "platform/last_error.h"
#include "platform/machine/faults.h"
#include "platform/machine/files.h"
#include "platform/machine/files_internal.h"
#include "platform/machine/short_names.h"
#include "platform/machine/text_util.h"
#include "platform/machine/win_path.h"

namespace platform {

using namespace files_internal;

UINT MachineFiles::GetWindowsDirectoryA(LPSTR buffer, UINT size) {
    return CopyOut("C:\\windows", buffer, size);
}

UINT MachineFiles::GetSystemDirectoryA(LPSTR buffer, UINT size) {
    return CopyOut("C:\\windows\\system32", buffer, size);
}

DWORD MachineFiles::GetTempPathA(DWORD size, LPSTR buffer) {
    // What a new Wine prefix sets the user's TEMP to.
    return CopyOut("C:\\users\\" + prefix_.UserName() + "\\Temp\\", buffer, size);
}

BOOL MachineFiles::SetCurrentDirectoryA(LPCSTR path) {
    if (!path) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto t = ResolveName(path);
    if (!t) return FALSE;
    if (!t->r.exists) {
        SetLastError(t->r.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    if (!t->r.isDir) {
        SetLastError(ERROR_DIRECTORY);
        return FALSE;
    }
    std::string dir = t->windows;
    if (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
    currentDrive_ = UpperAscii(dir[0]);
    currentDirs_[currentDrive_] = dir;
    return TRUE;
}

DWORD MachineFiles::GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
    return CopyOut(CurrentDirOf(currentDrive_), buffer, size);
}

DWORD MachineFiles::GetFullPathNameA(LPCSTR name, DWORD size, LPSTR buffer, LPSTR* filePart) {
    if (!name || !*name) {
        if (filePart) *filePart = nullptr;
        SetLastError(name ? ERROR_INVALID_NAME : ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string full = FullPath(name);
    DWORD n = CopyOut(full, buffer, size);
    // A buffer too small leaves the file part alone, as it leaves the buffer.
    if (n < size && filePart) *filePart = full.back() != '\\' ? buffer + full.rfind('\\') + 1 : nullptr;
    return n;
}

namespace {

// One walk over a path as typed: its root part, then each component with the separator after it.
struct TypedPath {
    std::string root;
    std::vector<std::pair<std::string, std::string>> parts;  // component, separators after it
};

TypedPath SplitTyped(const std::string& p) {
    TypedPath out;
    std::size_t i = 0;
    switch (winpath::Classify(p)) {
        case winpath::Kind::Absolute:
            i = 3;
            break;
        case winpath::Kind::DriveRelative:
            i = 2;
            break;
        case winpath::Kind::Rooted:
            i = 1;
            break;
        default:
            break;
    }
    out.root = p.substr(0, i);
    while (i < p.size()) {
        std::size_t j = i;
        while (j < p.size() && !winpath::IsSeparator(p[j]))
            ++j;
        std::size_t k = j;
        while (k < p.size() && winpath::IsSeparator(p[k]))
            ++k;
        out.parts.emplace_back(p.substr(i, j - i), p.substr(j, k - j));
        i = k;
    }
    return out;
}

}  // namespace

// Both walk the path as typed, keeping its root, its separators and any "." or ".."; every other
// component must exist. The short form spells each by its alias, or by its name on disk where that is
// already an 8.3 name. The long form keeps a long name as typed and spells an 8.3 one (which may be an
// alias) by the name on disk, so "c:\PROBE\short.txt" comes back as "c:\probe\SHORT.TXT", as Wine
// gives it.
static DWORD ConvertPath(MachineFiles& files, const Prefix& prefix, LPCSTR in, LPSTR out, DWORD size,
                         bool toShort) {
    if (!in) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (!*in) {
        SetLastError(ERROR_BAD_PATHNAME);
        return 0;
    }
    std::string typed = in;
    if (winpath::Classify(typed) == winpath::Kind::Unc) {
        SetLastError(ERROR_BAD_NETPATH);
        return 0;
    }
    TypedPath tp = SplitTyped(typed);
    std::string result = tp.root;
    std::string walked = tp.root;
    for (const auto& [comp, seps] : tp.parts) {
        walked += comp;
        if (comp == "." || comp == "..") {
            result += comp + seps;
            walked += seps;
            continue;
        }
        DWORD error = 0;
        std::string full = files.FullPath(walked.c_str());
        auto r = prefix.Resolve(full, &error);
        if (!r || !r->exists) {
            SetLastError(r ? ERROR_FILE_NOT_FOUND : error);
            return 0;
        }
        std::string onDisk = r->longPath.substr(r->longPath.rfind('\\') + 1);
        std::string spelt;
        if (toShort) {
            spelt = MakeShortName(onDisk);
            if (spelt.empty()) spelt = onDisk;
        } else {
            spelt = IsValidShortName(comp) ? onDisk : comp;
        }
        result += spelt + seps;
        walked += seps;
    }
    return CopyOut(result, out, size);
}

DWORD MachineFiles::GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size) {
    return ConvertPath(*this, prefix_, longPath, shortPath, size, true);
}

DWORD MachineFiles::GetLongPathNameA(LPCSTR shortPath, LPSTR longPath, DWORD size) {
    return ConvertPath(*this, prefix_, shortPath, longPath, size, false);
}

BOOL MachineFiles::GetDiskFreeSpaceExA(LPCSTR root, ULONGLONG* freeToCaller, ULONGLONG* total,
                                       ULONGLONG* totalFree) {
    std::string dir = root ? std::string(root) : CurrentDirOf(currentDrive_);
    auto t = ResolveName(dir.c_str());
    if (!t) return FALSE;
    if (!t->r.isDir) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    struct statvfs vfs;
    if (::statvfs(t->r.host.c_str(), &vfs) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return FALSE;
    }
    ULONGLONG unit = vfs.f_frsize ? vfs.f_frsize : vfs.f_bsize;
    ULONGLONG avail = vfs.f_bavail * unit, all = vfs.f_blocks * unit, free = vfs.f_bfree * unit;
    if (faults_.reportedFreeSpace) {
        avail = free = *faults_.reportedFreeSpace;
        all = std::max(all, free);
    }
    if (freeToCaller) *freeToCaller = avail;
    if (total) *total = all;
    if (totalFree) *totalFree = free;
    return TRUE;
}

UINT MachineFiles::GetDriveTypeA(LPCSTR root) {
    char letter = root ? winpath::DriveOf(root) : currentDrive_;
    if (!letter || !prefix_.DriveRoot(letter)) return DRIVE_NO_ROOT_DIR;
    return DRIVE_FIXED;
}

DWORD MachineFiles::GetLogicalDrives() {
    DWORD mask = 0;
    for (char d : prefix_.Drives())
        mask |= 1u << (d - 'a');
    return mask;
}

}  // namespace platform
