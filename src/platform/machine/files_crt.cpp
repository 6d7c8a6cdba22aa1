// The C-runtime stream calls of MachineFiles (fopen and friends), over its own file handles; the stream
// itself is described in crt_file.h.
#include "platform/machine/crt_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/last_error.h"
#include "platform/machine/files.h"

namespace platform {

namespace {

constexpr std::size_t kChunk = 4096;

int ErrnoFor(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return ENOENT;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_TOO_MANY_OPEN_FILES:
            return EMFILE;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_PARAMETER:
        case ERROR_FILENAME_EXCED_RANGE:
            return EINVAL;
        default:
            return EACCES;
    }
}

}  // namespace

CrtFile* MachineFiles::Stream(CrtFile* file) const {
    auto it = streams_.find(file);
    return it == streams_.end() ? nullptr : it->second.get();
}

CrtFile* MachineFiles::fopen(const char* path, const char* mode) {
    if (!path || !mode || !*path) {
        errno = EINVAL;
        return nullptr;
    }
    auto s = std::make_unique<CrtFile>();
    DWORD access = 0, disposition = 0;
    switch (mode[0]) {
        case 'r':
            access = GENERIC_READ;
            disposition = OPEN_EXISTING;
            break;
        case 'w':
            access = GENERIC_WRITE;
            disposition = CREATE_ALWAYS;
            break;
        case 'a':
            access = GENERIC_WRITE;
            disposition = OPEN_ALWAYS;
            s->append = true;
            break;
        default:
            errno = EINVAL;
            return nullptr;
    }
    for (const char* m = mode + 1; *m; ++m) {
        if (*m == '+')
            access = GENERIC_READ | GENERIC_WRITE;
        else if (*m == 'b')
            s->text = false;
        else if (*m == 't')
            s->text = true;
        else if (*m == ',')
            break;  // ",ccs=..." encodings are not for this program
    }
    s->canRead = access & GENERIC_READ;
    s->canWrite = access & GENERIC_WRITE;
    s->handle = CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
    if (s->handle == INVALID_HANDLE_VALUE) {
        errno = ErrnoFor(GetLastError());
        return nullptr;
    }
    CrtFile* raw = s.get();
    streams_[raw] = std::move(s);
    return raw;
}

int MachineFiles::fclose(CrtFile* file) {
    CrtFile* s = Stream(file);
    if (!s) {
        errno = EINVAL;
        return EOF;
    }
    BOOL ok = CloseHandle(s->handle);
    streams_.erase(file);
    return ok ? 0 : EOF;
}

namespace {

// Drops read-ahead so that the handle's position is the stream's position again.
void SyncPosition(MachineFiles& files, CrtFile& s) {
    std::size_t unread = s.ahead.size() - s.aheadPos;
    if (unread) {
        LONG high = -1;
        files.SetFilePointer(s.handle, -static_cast<LONG>(unread), &high, FILE_CURRENT);
    }
    s.ahead.clear();
    s.aheadPos = 0;
}

// The next byte of the file, or EOF.
int RawByte(MachineFiles& files, CrtFile& s, bool consume = true) {
    if (s.aheadPos == s.ahead.size()) {
        s.ahead.resize(kChunk);
        s.aheadPos = 0;
        DWORD got = 0;
        if (!files.ReadFile(s.handle, s.ahead.data(), kChunk, &got, nullptr)) s.error = true;
        s.ahead.resize(got);
        if (!got) return EOF;
    }
    unsigned char c = static_cast<unsigned char>(s.ahead[s.aheadPos]);
    if (consume) ++s.aheadPos;
    return c;
}

// The next character as the program sees it, or EOF (then the end-of-file flag is set).
int NextChar(MachineFiles& files, CrtFile& s) {
    if (s.eof) return EOF;
    int c = RawByte(files, s);
    if (c != EOF && s.text) {
        if (c == 0x1A) {
            // Ctrl-Z ends a text file; it stays unread.
            --s.aheadPos;
            c = EOF;
        } else if (c == '\r' && RawByte(files, s, false) == '\n') {
            ++s.aheadPos;
            c = '\n';
        }
    }
    if (c == EOF) s.eof = true;
    return c;
}

std::size_t WriteBytes(MachineFiles& files, CrtFile& s, const char* data, std::size_t n) {
    if (!s.canWrite) {
        s.error = true;
        errno = EBADF;
        return 0;
    }
    SyncPosition(files, s);
    if (s.append) files.SetFilePointer(s.handle, 0, nullptr, FILE_END);
    std::string out;
    std::vector<std::size_t> endOf;  // output length after each input byte (text mode)
    if (s.text) {
        out.reserve(n + n / 8);
        endOf.reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            if (data[i] == '\n') out += '\r';
            out += data[i];
            endOf.push_back(out.size());
        }
    } else {
        out.assign(data, n);
    }
    DWORD written = 0;
    if (files.WriteFile(s.handle, out.data(), static_cast<DWORD>(out.size()), &written, nullptr)) return n;
    s.error = true;
    errno = ErrnoFor(GetLastError());
    if (!s.text) return written;
    std::size_t done = 0;
    while (done < n && endOf[done] <= written)
        ++done;
    return done;
}

}  // namespace

char* MachineFiles::fgets(char* buffer, int size, CrtFile* file) {
    CrtFile* s = Stream(file);
    if (!s || !buffer || size <= 0 || !s->canRead) {
        if (s) s->error = true;
        errno = EINVAL;
        return nullptr;
    }
    int n = 0;
    while (n < size - 1) {
        int c = NextChar(*this, *s);
        if (c == EOF) break;
        buffer[n++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    if (n == 0 && size > 1) return nullptr;
    buffer[n] = '\0';
    return buffer;
}

int MachineFiles::fputs(const char* text, CrtFile* file) {
    CrtFile* s = Stream(file);
    if (!s || !text) {
        errno = EINVAL;
        return EOF;
    }
    std::size_t n = std::strlen(text);
    return WriteBytes(*this, *s, text, n) == n ? 0 : EOF;
}

std::size_t MachineFiles::fread(void* buffer, std::size_t size, std::size_t count, CrtFile* file) {
    CrtFile* s = Stream(file);
    if (!s || !buffer || !s->canRead) {
        if (s) s->error = true;
        errno = EINVAL;
        return 0;
    }
    if (!size || !count) return 0;
    std::size_t want = size * count, got = 0;
    char* out = static_cast<char*>(buffer);
    while (got < want) {
        int c = NextChar(*this, *s);
        if (c == EOF) break;
        out[got++] = static_cast<char>(c);
    }
    return got / size;
}

std::size_t MachineFiles::fwrite(const void* buffer, std::size_t size, std::size_t count, CrtFile* file) {
    CrtFile* s = Stream(file);
    if (!s || !buffer) {
        errno = EINVAL;
        return 0;
    }
    if (!size || !count) return 0;
    return WriteBytes(*this, *s, static_cast<const char*>(buffer), size * count) / size;
}

long MachineFiles::ftell(CrtFile* file) {
    CrtFile* s = Stream(file);
    if (!s) {
        errno = EINVAL;
        return -1;
    }
    LONG high = 0;
    DWORD low = SetFilePointer(s->handle, 0, &high, FILE_CURRENT);
    long long pos = (static_cast<long long>(high) << 32) | low;
    return static_cast<long>(pos - static_cast<long long>(s->ahead.size() - s->aheadPos));
}

int MachineFiles::fseek(CrtFile* file, long offset, int origin) {
    CrtFile* s = Stream(file);
    if (!s || origin < SEEK_SET || origin > SEEK_END) {
        errno = EINVAL;
        return -1;
    }
    long long target = offset;
    if (origin == SEEK_CUR) target += ftell(file);
    SyncPosition(*this, *s);
    if (origin == SEEK_END) {
        DWORD high = 0;
        DWORD low = GetFileSize(s->handle, &high);
        target += (static_cast<long long>(high) << 32) | low;
    }
    if (target < 0) {
        errno = EINVAL;
        return -1;
    }
    LONG high = static_cast<LONG>(target >> 32);
    SetFilePointer(s->handle, static_cast<LONG>(target & 0xFFFFFFFF), &high, FILE_BEGIN);
    s->eof = false;
    return 0;
}

int MachineFiles::feof(CrtFile* file) {
    CrtFile* s = Stream(file);
    return s && s->eof ? 1 : 0;
}

int MachineFiles::fflush(CrtFile* file) {
    CrtFile* s = Stream(file);
    if (!s) {
        if (!file) return 0;  // fflush(NULL): nothing is held back
        errno = EINVAL;
        return EOF;
    }
    SyncPosition(*this, *s);
    return 0;
}

int MachineFiles::remove(const char* path) {
    if (DeleteFileA(path)) return 0;
    errno = ErrnoFor(GetLastError());
    return -1;
}

}  // namespace platform
