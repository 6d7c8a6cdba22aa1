// Whole-file and directory operations of MachineFiles: copy, delete, move, directories, attributes.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/last_error.h"
#include "platform/machine/faults.h"
#include "platform/machine/files.h"
#include "platform/machine/files_internal.h"
#include "platform/machine/host_dir.h"
#include "platform/machine/text_util.h"

namespace platform {

using namespace files_internal;

namespace {

// SetLastError and the failure result of the BOOL calls, in one step.
BOOL FailWith(DWORD code) {
    SetLastError(code);
    return FALSE;
}

bool HostReadOnly(const std::string& host) {
    struct stat st;
    return ::stat(host.c_str(), &st) == 0 && !S_ISDIR(st.st_mode) && !(st.st_mode & S_IWUSR);
}

bool SameHostFile(const std::string& a, const std::string& b) {
    struct stat x, y;
    return ::stat(a.c_str(), &x) == 0 && ::stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev &&
           x.st_ino == y.st_ino;
}

}  // namespace

BOOL MachineFiles::CopyFileA(LPCSTR existing, LPCSTR newName, BOOL failIfExists) {
    auto src = ResolveName(existing);
    if (!src) return FALSE;
    if (!src->r.exists) return FailWith(src->r.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
    if (src->r.isDir) return FailWith(ERROR_ACCESS_DENIED);
    auto dst = ResolveName(newName);
    if (!dst) return FALSE;
    const auto& d = dst->r;
    if (!d.parentExists) return FailWith(ERROR_PATH_NOT_FOUND);
    if (d.exists && (SameHostFile(src->r.host, d.host) || ConflictsWithOpen(d.host, GENERIC_WRITE, 0)))
        return FailWith(ERROR_SHARING_VIOLATION);
    if (d.exists && failIfExists) return FailWith(ERROR_FILE_EXISTS);
    if (d.isDir || IsDenied(*dst) || (d.exists && HostReadOnly(d.host))) return FailWith(ERROR_ACCESS_DENIED);
    if (ConflictsWithOpen(src->r.host, GENERIC_READ, FILE_SHARE_READ) || (d.exists && IsInUse(*dst)))
        return FailWith(ERROR_SHARING_VIOLATION);
    int in = OpenRegularHost(src->r.host, O_RDONLY | O_CLOEXEC);
    if (in < 0) return FailWith(errno == EINVAL ? ERROR_ACCESS_DENIED : ErrorFromErrno(errno));
    struct stat st;
    ::fstat(in, &st);
    int out = ::open(d.host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (out < 0) {
        SetLastError(ErrorFromErrno(errno, d.parentExists));
        ::close(in);
        return FALSE;
    }
    DWORD error = 0;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = ErrorFromErrno(errno);
            break;
        }
        if (n == 0) break;
        std::size_t allowed = static_cast<std::size_t>(faults_.Consume(static_cast<std::uint64_t>(n)));
        std::size_t done = 0;
        while (done < allowed) {
            ssize_t w = ::write(out, buf + done, allowed - done);
            if (w < 0 && errno == EINTR) continue;
            if (w < 0) {
                error = ErrorFromErrno(errno);
                break;
            }
            done += static_cast<std::size_t>(w);
        }
        if (!error && allowed < static_cast<std::size_t>(n)) error = ERROR_DISK_FULL;
        if (error) break;
    }
    ::close(in);
    if (!error) {
        // The copy keeps the source's time stamp and read-only attribute, as CopyFile does.
        timespec times[2] = {st.st_atim, st.st_mtim};
        ::futimens(out, times);
        if (!(st.st_mode & S_IWUSR)) ::fchmod(out, st.st_mode & ~0222 & 07777);
    }
    ::close(out);
    if (error) {
        // A failed copy leaves no half-written file behind.
        ::unlink(d.host.c_str());
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

BOOL MachineFiles::DeleteFileA(LPCSTR name) {
    auto t = ResolveName(name);
    if (!t) return FALSE;
    const auto& r = t->r;
    if (!r.exists) return FailWith(r.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
    if (r.isDir || IsDenied(*t) || HostReadOnly(r.host)) return FailWith(ERROR_ACCESS_DENIED);
    if (IsInUse(*t) || OpenWithoutShareDelete(r.host)) return FailWith(ERROR_SHARING_VIOLATION);
    if (::unlink(r.host.c_str()) != 0) return FailWith(ErrorFromErrno(errno));
    return TRUE;
}

BOOL MachineFiles::MoveFileA(LPCSTR existing, LPCSTR newName) {
    return MoveFileExA(existing, newName, 0);
}

BOOL MachineFiles::MoveFileExA(LPCSTR existing, LPCSTR newName, DWORD flags) {
    auto src = ResolveName(existing);
    if (!src) return FALSE;
    if (!src->r.exists) return FailWith(src->r.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
    auto dst = ResolveName(newName);
    if (!dst) return FALSE;
    // Renaming a file to another spelling of its own name is allowed; any other existing target only
    // when it may be replaced: a file, not read-only, not open.
    bool sameFile = dst->r.exists && SameHostFile(src->r.host, dst->r.host);
    if (dst->r.exists && !sameFile) {
        if (!(flags & MOVEFILE_REPLACE_EXISTING)) return FailWith(ERROR_ALREADY_EXISTS);
        if (src->r.isDir || dst->r.isDir || IsDenied(*dst) || HostReadOnly(dst->r.host))
            return FailWith(ERROR_ACCESS_DENIED);
        if (IsInUse(*dst) || OpenWithoutShareDelete(dst->r.host)) return FailWith(ERROR_SHARING_VIOLATION);
    }
    if (!dst->r.parentExists) return FailWith(ERROR_PATH_NOT_FOUND);
    if (IsDenied(*src) || IsDenied(*dst)) return FailWith(ERROR_ACCESS_DENIED);
    if (IsInUse(*src) || OpenWithoutShareDelete(src->r.host)) return FailWith(ERROR_SHARING_VIOLATION);
    if (src->r.isDir) {
        // A directory cannot be moved into itself.
        const std::string& a = src->r.host;
        const std::string& b = dst->r.host;
        if (b.size() > a.size() && b.compare(0, a.size(), a) == 0 && b[a.size()] == '/')
            return FailWith(ERROR_ACCESS_DENIED);
    }
    std::string target = dst->r.host;
    if (sameFile) {
        // The new spelling is the one typed, not the existing name it matched.
        std::string typed = dst->windows.substr(dst->windows.rfind('\\') + 1);
        target = target.substr(0, target.rfind('/') + 1) + typed;
    }
    if (::rename(src->r.host.c_str(), target.c_str()) == 0) return TRUE;
    if (errno != EXDEV || src->r.isDir) return FailWith(ErrorFromErrno(errno, dst->r.parentExists));
    // Another host filesystem: copy, then remove the original (MOVEFILE_COPY_ALLOWED is implied for
    // what is one volume to Windows but two to the host).
    if (!CopyFileA(existing, newName, (flags & MOVEFILE_REPLACE_EXISTING) ? FALSE : TRUE)) return FALSE;
    if (::unlink(src->r.host.c_str()) != 0) return FailWith(ErrorFromErrno(errno));
    return TRUE;
}

BOOL MachineFiles::CreateDirectoryA(LPCSTR name, LPSECURITY_ATTRIBUTES) {
    auto t = ResolveName(name);
    if (!t) return FALSE;
    const auto& r = t->r;
    if (r.exists) return FailWith(ERROR_ALREADY_EXISTS);
    if (!r.parentExists) return FailWith(ERROR_PATH_NOT_FOUND);
    if (IsDenied(*t)) return FailWith(ERROR_ACCESS_DENIED);
    if (::mkdir(r.host.c_str(), 0777) != 0)
        return FailWith(errno == EEXIST ? ERROR_ALREADY_EXISTS : ErrorFromErrno(errno, false));
    return TRUE;
}

BOOL MachineFiles::RemoveDirectoryA(LPCSTR name) {
    auto t = ResolveName(name);
    if (!t) return FALSE;
    const auto& r = t->r;
    if (!r.exists) return FailWith(r.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
    if (!r.isDir) return FailWith(ERROR_DIRECTORY);
    if (IsDenied(*t)) return FailWith(ERROR_ACCESS_DENIED);
    // A directory that is some drive's current directory is in use.
    for (const auto& [drive, dir] : currentDirs_) {
        if (auto h = prefix_.ToHost(dir); h && SameHostFile(*h, r.host))
            return FailWith(ERROR_SHARING_VIOLATION);
    }
    if (::rmdir(r.host.c_str()) != 0)
        return FailWith(errno == ENOTEMPTY || errno == EEXIST ? ERROR_DIR_NOT_EMPTY : ErrorFromErrno(errno));
    return TRUE;
}

DWORD MachineFiles::GetFileAttributesA(LPCSTR name) {
    auto t = ResolveName(name);
    if (!t) return INVALID_FILE_ATTRIBUTES;
    const auto& r = t->r;
    if (!r.exists) {
        SetLastError(r.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    if (r.isDir) return FILE_ATTRIBUTE_DIRECTORY;
    // A file named with a trailing backslash is not found, as on Windows.
    if (t->windows.back() == '\\') {
        SetLastError(ERROR_INVALID_NAME);
        return INVALID_FILE_ATTRIBUTES;
    }
    return FILE_ATTRIBUTE_ARCHIVE | (HostReadOnly(r.host) ? FILE_ATTRIBUTE_READONLY : 0);
}

BOOL MachineFiles::SetFileAttributesA(LPCSTR name, DWORD attributes) {
    auto t = ResolveName(name);
    if (!t) return FALSE;
    const auto& r = t->r;
    if (!r.exists) return FailWith(r.parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND);
    if (IsDenied(*t)) return FailWith(ERROR_ACCESS_DENIED);
    // Wine keeps no read-only flag on directories either; the other attributes have no host form.
    if (r.isDir) return TRUE;
    struct stat st;
    if (::stat(r.host.c_str(), &st) != 0) return FailWith(ErrorFromErrno(errno));
    mode_t mode = st.st_mode & 07777;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        mode &= ~0222;
    else
        mode |= S_IWUSR;
    if (mode != (st.st_mode & 07777) && ::chmod(r.host.c_str(), mode) != 0)
        return FailWith(ErrorFromErrno(errno));
    return TRUE;
}

}  // namespace platform
