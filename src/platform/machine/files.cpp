#include "platform/machine/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/last_error.h"
#include "platform/machine/crt_file.h"
#include "platform/machine/faults.h"
#include "platform/machine/files_internal.h"
#include "platform/machine/host_dir.h"
#include "platform/machine/win_path.h"

namespace platform {

using namespace files_internal;

namespace files_internal {

int OpenRegularHost(const std::string& path, int flags, unsigned mode) {
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    int fd = ::open(path.c_str(), flags | O_NONBLOCK, static_cast<mode_t>(mode));
    if (fd < 0) return -1;
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

DWORD ErrorFromErrno(int err, bool parentExists) {
    switch (err) {
        case ENOENT:
            return parentExists ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
            return ERROR_ACCESS_DENIED;
        case EEXIST:
            return ERROR_FILE_EXISTS;
        case ENOSPC:
        case EDQUOT:
            return ERROR_DISK_FULL;
        case ENAMETOOLONG:
            return ERROR_FILENAME_EXCED_RANGE;
        case EMFILE:
        case ENFILE:
            return ERROR_TOO_MANY_OPEN_FILES;
        case ENOTEMPTY:
            return ERROR_DIR_NOT_EMPTY;
        case EBUSY:
        case ETXTBSY:
            return ERROR_SHARING_VIOLATION;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        default:
            return ERROR_ACCESS_DENIED;
    }
}

FILETIME FileTimeFrom(std::int64_t sec, std::int64_t nsec) {
    constexpr std::uint64_t kEpochDelta = 11644473600ull;  // seconds from 1601 to 1970
    std::uint64_t t =
        (static_cast<std::uint64_t>(sec + static_cast<std::int64_t>(kEpochDelta))) * 10000000ull +
        static_cast<std::uint64_t>(nsec / 100);
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(t);
    ft.dwHighDateTime = static_cast<DWORD>(t >> 32);
    return ft;
}

}  // namespace files_internal

namespace {

bool SameFile(const std::string& a, dev_t dev, ino_t ino) {
    struct stat st;
    return ::stat(a.c_str(), &st) == 0 && st.st_dev == dev && st.st_ino == ino;
}

bool HostReadOnly(const std::string& host) {
    struct stat st;
    return ::stat(host.c_str(), &st) == 0 && !(st.st_mode & S_IWUSR);
}

// Writes all of `n` bytes unless the host refuses; returns the bytes written.
std::size_t WriteAll(int fd, const char* p, std::size_t n, int* err) {
    std::size_t done = 0;
    while (done < n) {
        ssize_t w = ::write(fd, p + done, n - done);
        if (w < 0) {
            if (errno == EINTR) continue;
            *err = errno;
            break;
        }
        done += static_cast<std::size_t>(w);
    }
    return done;
}

}  // namespace

MachineFiles::MachineFiles(Prefix& prefix, Faults& faults) : prefix_(prefix), faults_(faults) {
    currentDirs_['C'] = "C:\\";
}

MachineFiles::~MachineFiles() {
    for (auto& [id, f] : files_)
        if (f.fd >= 0) ::close(f.fd);
}

std::string MachineFiles::CurrentDirOf(char drive) const {
    auto it = currentDirs_.find(drive);
    if (it != currentDirs_.end()) return it->second;
    return std::string(1, drive) + ":\\";
}

std::string MachineFiles::FullPath(LPCSTR name) const {
    if (!name) return {};
    return winpath::MakeFull(name, currentDrive_, [this](char d) { return CurrentDirOf(d); });
}

std::optional<MachineFiles::Target> MachineFiles::ResolveName(LPCSTR name, bool wildcards) const {
    if (!name || !*name) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return std::nullopt;
    }
    if (std::strlen(name) >= MAX_PATH) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return std::nullopt;
    }
    Target t;
    t.windows = FullPath(name);
    DWORD error = 0;
    auto r = prefix_.Resolve(t.windows, &error, wildcards);
    if (!r) {
        SetLastError(error);
        return std::nullopt;
    }
    t.r = std::move(*r);
    return t;
}

std::optional<std::string> MachineFiles::HostPathFor(LPCSTR windowsPath) {
    DWORD saved = GetLastError();
    auto t = ResolveName(windowsPath);
    SetLastError(saved);
    if (!t) return std::nullopt;
    return t->r.host;
}

bool MachineFiles::IsDenied(const Target& t) const {
    return faults_.IsDenied(t.windows) || faults_.IsDenied(t.r.longPath);
}

bool MachineFiles::IsInUse(const Target& t) const {
    return faults_.IsInUse(t.windows) || faults_.IsInUse(t.r.longPath);
}

bool MachineFiles::ConflictsWithOpen(const std::string& host, DWORD access, DWORD share) const {
    struct stat st;
    if (::stat(host.c_str(), &st) != 0) return false;
    for (const auto& [id, f] : files_) {
        if (f.dev != st.st_dev || f.ino != st.st_ino) continue;
        if (WantsRead(access) && !(f.share & FILE_SHARE_READ)) return true;
        if (WantsWrite(access) && !(f.share & FILE_SHARE_WRITE)) return true;
        if (WantsDelete(access) && !(f.share & FILE_SHARE_DELETE)) return true;
        if (WantsRead(f.access) && !(share & FILE_SHARE_READ)) return true;
        if (WantsWrite(f.access) && !(share & FILE_SHARE_WRITE)) return true;
        if (WantsDelete(f.access) && !(share & FILE_SHARE_DELETE)) return true;
    }
    return false;
}

bool MachineFiles::OpenWithoutShareDelete(const std::string& host) const {
    for (const auto& [id, f] : files_)
        if (!(f.share & FILE_SHARE_DELETE) && SameFile(host, f.dev, f.ino)) return true;
    return false;
}

HANDLE MachineFiles::NewHandle() {
    std::uintptr_t id = nextHandle_;
    nextHandle_ += 4;
    return reinterpret_cast<HANDLE>(id);
}

MachineFiles::OpenFile* MachineFiles::FileOf(HANDLE h) {
    auto it = files_.find(reinterpret_cast<std::uintptr_t>(h));
    return it == files_.end() ? nullptr : &it->second;
}

HANDLE MachineFiles::CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES,
                                 DWORD disposition, DWORD flags, HANDLE) {
    if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    auto t = ResolveName(name);
    if (!t) return INVALID_HANDLE_VALUE;
    const auto& r = t->r;
    if (!r.parentExists) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (r.isDir || t->windows.back() == '\\') {
        // A directory is not opened without FILE_FLAG_BACKUP_SEMANTICS, which the setup never uses.
        SetLastError(r.exists ? ERROR_ACCESS_DENIED : ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    bool replaces = disposition == CREATE_ALWAYS || disposition == TRUNCATE_EXISTING;
    bool creates = !r.exists &&
                   (disposition == CREATE_NEW || disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS);
    bool writes = WantsWrite(access) || (r.exists && replaces) || creates;
    if (r.exists && disposition == CREATE_NEW) {
        SetLastError(ERROR_FILE_EXISTS);
        return INVALID_HANDLE_VALUE;
    }
    if (!r.exists && (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (writes && IsDenied(*t)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    if (r.exists && (WantsWrite(access) || replaces) && HostReadOnly(r.host)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    if (r.exists && (WantsWrite(access) || replaces || WantsDelete(access)) && IsInUse(*t)) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return INVALID_HANDLE_VALUE;
    }
    if (r.exists && ConflictsWithOpen(r.host, replaces ? (access | GENERIC_WRITE) : access, share)) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return INVALID_HANDLE_VALUE;
    }

    int oflags = O_CLOEXEC;
    if (WantsRead(access) && WantsWrite(access))
        oflags |= O_RDWR;
    else if (WantsWrite(access))
        oflags |= O_WRONLY;
    else
        oflags |= O_RDONLY;
    switch (disposition) {
        case CREATE_NEW:
            oflags |= O_CREAT | O_EXCL;
            break;
        case CREATE_ALWAYS:
            oflags |= O_CREAT | O_TRUNC;
            break;
        case OPEN_ALWAYS:
            oflags |= O_CREAT;
            break;
        case TRUNCATE_EXISTING:
            oflags |= O_TRUNC;
            break;
    }
    // O_TRUNC needs write access on the host even when the caller asked only to read.
    if ((oflags & O_TRUNC) && (oflags & O_ACCMODE) == O_RDONLY) oflags = (oflags & ~O_ACCMODE) | O_RDWR;
    int fd = OpenRegularHost(r.host, oflags, 0666);
    if (fd < 0 && errno == EINVAL) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    if (fd < 0) {
        SetLastError(ErrorFromErrno(errno, r.parentExists));
        return INVALID_HANDLE_VALUE;
    }
    if (creates && (flags & FILE_ATTRIBUTE_READONLY)) {
        struct stat st;
        if (::fstat(fd, &st) == 0) ::fchmod(fd, st.st_mode & ~0222);
    }
    struct stat st;
    ::fstat(fd, &st);
    HANDLE h = NewHandle();
    OpenFile& f = files_[reinterpret_cast<std::uintptr_t>(h)];
    f.fd = fd;
    f.windows = r.longPath;
    f.access = access;
    f.share = share;
    f.dev = st.st_dev;
    f.ino = st.st_ino;
    if (disposition == CREATE_ALWAYS || disposition == OPEN_ALWAYS)
        SetLastError(r.exists ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return h;
}

BOOL MachineFiles::ReadFile(HANDLE file, void* buffer, DWORD toRead, LPDWORD read, void*) {
    if (read) *read = 0;
    OpenFile* f = FileOf(file);
    if (!f) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!WantsRead(f->access)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!buffer && toRead) {
        SetLastError(ERROR_INVALID_ADDRESS);
        return FALSE;
    }
    DWORD done = 0;
    while (done < toRead) {
        ssize_t n = ::read(f->fd, static_cast<char*>(buffer) + done, toRead - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (read) *read = done;
            SetLastError(ErrorFromErrno(errno));
            return FALSE;
        }
        if (n == 0) break;
        done += static_cast<DWORD>(n);
    }
    if (read) *read = done;
    return TRUE;
}

BOOL MachineFiles::WriteFile(HANDLE file, const void* buffer, DWORD toWrite, LPDWORD written, void*) {
    if (written) *written = 0;
    OpenFile* f = FileOf(file);
    if (!f) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!WantsWrite(f->access)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!toWrite) return TRUE;
    if (!buffer) {
        SetLastError(ERROR_INVALID_ADDRESS);
        return FALSE;
    }
    if (faults_.IsDenied(f->windows)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    std::size_t allowed = static_cast<std::size_t>(faults_.Consume(toWrite));
    int err = 0;
    std::size_t done = WriteAll(f->fd, static_cast<const char*>(buffer), allowed, &err);
    if (written) *written = static_cast<DWORD>(done);
    if (err) {
        SetLastError(ErrorFromErrno(err));
        return FALSE;
    }
    if (allowed < toWrite) {
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    return TRUE;
}

BOOL MachineFiles::CloseHandle(HANDLE handle) {
    auto it = files_.find(reinterpret_cast<std::uintptr_t>(handle));
    if (it == files_.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    ::close(it->second.fd);
    files_.erase(it);
    return TRUE;
}

DWORD MachineFiles::GetFileSize(HANDLE file, LPDWORD high) {
    OpenFile* f = FileOf(file);
    struct stat st;
    if (!f || ::fstat(f->fd, &st) != 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    std::uint64_t size = static_cast<std::uint64_t>(st.st_size);
    if (high) *high = static_cast<DWORD>(size >> 32);
    if (static_cast<DWORD>(size) == INVALID_FILE_SIZE) SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size);
}

DWORD MachineFiles::SetFilePointer(HANDLE file, LONG distance, LONG* high, DWORD method) {
    OpenFile* f = FileOf(file);
    if (!f) {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_SET_FILE_POINTER;
    }
    std::int64_t move =
        high ? static_cast<std::int64_t>((static_cast<std::uint64_t>(static_cast<DWORD>(*high)) << 32) |
                                         static_cast<DWORD>(distance))
             : static_cast<std::int64_t>(distance);
    int whence = method == FILE_BEGIN     ? SEEK_SET
                 : method == FILE_CURRENT ? SEEK_CUR
                 : method == FILE_END     ? SEEK_END
                                          : -1;
    if (whence < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    off_t base = whence == SEEK_SET ? 0 : ::lseek(f->fd, 0, whence);
    if (base < 0 || base + move < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    off_t pos = ::lseek(f->fd, base + move, SEEK_SET);
    if (pos < 0) {
        SetLastError(ErrorFromErrno(errno));
        return INVALID_SET_FILE_POINTER;
    }
    if (high) *high = static_cast<LONG>(static_cast<std::uint64_t>(pos) >> 32);
    if (static_cast<DWORD>(pos) == INVALID_SET_FILE_POINTER) SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(pos);
}

}  // namespace platform
