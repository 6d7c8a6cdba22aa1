#include "platform/machine/version.h"

#include <chrono>
#include <cstdio>
#include <cstring>

#include "platform/last_error.h"
#include "platform/machine/faults.h"
#include "platform/machine/pe_version.h"
#include "platform/machine/szdd.h"
#include "platform/machine/text_util.h"
#include "platform/machine/version_block.h"

namespace platform {
namespace {

// Larger files are not version-checked images; refusing them bounds the memory a damaged size takes.
constexpr DWORD kMaxImage = 64u << 20;
// GetFileVersionInfoA marks a buffer that has room for the ANSI copies VerQueryValueA makes after the
// Unicode block, as Windows does, with this signature right after the block.
constexpr char kAnsiAreaSignature[4] = {'F', 'E', '2', 'X'};

std::string Str(LPCSTR s) {
    return s ? std::string(s) : std::string();
}

std::string Join(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '\\' || dir.back() == '/') return dir + name;
    return dir + "\\" + name;
}

std::string WithoutTrailingSlash(std::string dir) {
    while (dir.size() > 3 && (dir.back() == '\\' || dir.back() == '/'))
        dir.pop_back();
    return dir;
}

bool SameDirectory(const std::string& a, const std::string& b) {
    return EqualNoCase(WithoutTrailingSlash(a), WithoutTrailingSlash(b));
}

// The VIF_ bit that names why a file operation failed.
DWORD ErrorBits(DWORD error) {
    switch (error) {
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
            return VIF_ACCESSVIOLATION;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return VIF_SHARINGVIOLATION;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return VIF_OUTOFSPACE;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return VIF_OUTOFMEMORY;
        default:
            return 0;
    }
}

// Copies `value` into a caller's buffer of *size bytes as VerFindFileA does: truncated when it does
// not fit, and *size set to the bytes the whole value needs.
bool CopyOut(const std::string& value, LPSTR buffer, UINT* size) {
    UINT need = static_cast<UINT>(value.size() + 1);
    UINT cap = size ? *size : 0;
    bool fits = need <= cap;
    if (buffer && cap) {
        UINT n = fits ? need - 1 : cap - 1;
        std::memcpy(buffer, value.data(), n);
        buffer[n] = '\0';
    }
    if (size) *size = need;
    return fits;
}

// A stream over an open file of the file service, for the expander.
class HandleStream : public ByteStream {
  public:
    HandleStream(FileApi& files, HANDLE h) : files_(files), h_(h) {}
    int Read(void* buffer, int bytes) override {
        DWORD got = 0;
        if (!files_.ReadFile(h_, buffer, static_cast<DWORD>(bytes), &got, nullptr)) return -1;
        return static_cast<int>(got);
    }
    int Write(const void* buffer, int bytes) override {
        DWORD put = 0;
        if (!files_.WriteFile(h_, buffer, static_cast<DWORD>(bytes), &put, nullptr)) {
            writeError_ = GetLastError();
            return put ? static_cast<int>(put) : -1;
        }
        written_ += put;
        return static_cast<int>(put);
    }
    bool Seek(std::int64_t offset, int origin) override {
        LONG high = static_cast<LONG>(offset >> 32);
        DWORD method = origin == 0 ? FILE_BEGIN : origin == 1 ? FILE_CURRENT : FILE_END;
        SetLastError(0);
        DWORD low = files_.SetFilePointer(h_, static_cast<LONG>(offset & 0xFFFFFFFF), &high, method);
        return !(low == INVALID_SET_FILE_POINTER && GetLastError() != 0);
    }
    std::int64_t Tell() override {
        LONG high = 0;
        DWORD low = files_.SetFilePointer(h_, 0, &high, FILE_CURRENT);
        return (static_cast<std::int64_t>(high) << 32) | low;
    }
    std::uint64_t written() const { return written_; }
    DWORD writeError() const { return writeError_; }

  private:
    FileApi& files_;
    HANDLE h_;
    std::uint64_t written_ = 0;
    DWORD writeError_ = 0;
};

// Closes a file of the file service at the end of a scope.
class ScopedHandle {
  public:
    ScopedHandle(FileApi& files, HANDLE h) : files_(files), h_(h) {}
    ~ScopedHandle() {
        if (ok()) files_.CloseHandle(h_);
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    bool ok() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const { return h_; }

  private:
    FileApi& files_;
    HANDLE h_;
};

enum class CopyStatus { kOk, kReadError, kWriteError, kBadData, kNoMemory };

// Copies `in` to `out`, expanding it when it is an SZDD image.
CopyStatus CopyOrExpand(HandleStream& in, HandleStream& out) {
    std::uint8_t head[kSzddHeaderSize];
    int got = in.Read(head, sizeof head);
    if (got < 0 || !in.Seek(0, 0)) return CopyStatus::kReadError;
    if (IsSzdd({head, static_cast<std::size_t>(got)})) {
        switch (ExpandSzdd(in, out)) {
            case SzddResult::kOk:
                return CopyStatus::kOk;
            case SzddResult::kWriteError:
                return CopyStatus::kWriteError;
            case SzddResult::kNoMemory:
                return CopyStatus::kNoMemory;
            case SzddResult::kBadData:
            case SzddResult::kNotSzdd:
                return CopyStatus::kBadData;
            case SzddResult::kReadError:
                return CopyStatus::kReadError;
        }
    }
    std::vector<std::uint8_t> buffer(64 * 1024);
    for (;;) {
        int n = in.Read(buffer.data(), static_cast<int>(buffer.size()));
        if (n < 0) return CopyStatus::kReadError;
        if (n == 0) return CopyStatus::kOk;
        if (out.Write(buffer.data(), n) != n) return CopyStatus::kWriteError;
    }
}

}  // namespace

bool MachineVersion::Exists(const std::string& path) {
    DWORD a = files_.GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool MachineVersion::IsInUse(const std::string& path) {
    if (faults_.IsInUse(path)) return true;
    // Another program's open handle shows as a sharing violation to an exclusive open.
    HANDLE h = files_.CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
    files_.CloseHandle(h);
    return false;
}

bool MachineVersion::ReadAll(const std::string& path, std::vector<std::uint8_t>& out) {
    ScopedHandle h(files_, files_.CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.ok()) return false;
    DWORD high = 0;
    DWORD size = files_.GetFileSize(h.get(), &high);
    if (high || size > kMaxImage) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    out.assign(size, 0);
    DWORD total = 0;
    while (total < size) {
        DWORD got = 0;
        if (!files_.ReadFile(h.get(), out.data() + total, size - total, &got, nullptr)) return false;
        if (!got) break;
        total += got;
    }
    out.resize(total);
    return true;
}

bool MachineVersion::ReadVersionResource(const std::string& path, std::vector<std::uint8_t>& out) {
    std::vector<std::uint8_t> image;
    if (!ReadAll(path, image)) return false;
    auto res = FindVersionResource(image);
    if (!res) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return false;
    }
    out.assign(image.begin() + static_cast<std::ptrdiff_t>(res->offset),
               image.begin() + static_cast<std::ptrdiff_t>(res->offset + res->size));
    return true;
}

DWORD MachineVersion::GetFileVersionInfoSizeA(LPCSTR file, LPDWORD handle) {
    if (handle) *handle = 0;
    std::vector<std::uint8_t> res;
    if (!file || !ReadVersionResource(file, res)) return 0;
    SetLastError(0);
    // Twice the block plus the signature: room for the ANSI copies of its texts (see kAnsiAreaSignature).
    return static_cast<DWORD>(res.size() * 2 + sizeof kAnsiAreaSignature);
}

BOOL MachineVersion::GetFileVersionInfoA(LPCSTR file, DWORD, DWORD size, void* data) {
    std::vector<std::uint8_t> res;
    if (!data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!file || !ReadVersionResource(file, res)) return FALSE;
    auto* out = static_cast<std::uint8_t*>(data);
    std::size_t n = std::min<std::size_t>(size, res.size());
    std::memcpy(out, res.data(), n);
    if (n >= 2) {
        std::size_t blockLength = std::min<std::size_t>(res[0] | res[1] << 8, n);
        if (size >= blockLength * 2 + sizeof kAnsiAreaSignature)
            std::memcpy(out + blockLength, kAnsiAreaSignature, sizeof kAnsiAreaSignature);
    }
    return TRUE;
}

BOOL MachineVersion::VerQueryValueA(const void* block, LPCSTR subBlock, void** buffer, UINT* length) {
    auto fail = [&](DWORD error) {
        if (length) *length = 0;
        SetLastError(error);
        return FALSE;
    };
    if (!block || !subBlock || !buffer) return fail(ERROR_INVALID_PARAMETER);
    auto* base = static_cast<std::uint8_t*>(const_cast<void*>(block));
    std::size_t blockLength = base[0] | base[1] << 8;
    auto value = FindVersionValue({base, blockLength}, subBlock);
    if (!value) return fail(ERROR_RESOURCE_TYPE_NOT_FOUND);
    if (!value->text) {
        *buffer = base + value->offset;
        if (length) *length = value->length;
        return TRUE;
    }
    // Texts are Unicode in the block; the ANSI copy goes into the area GetFileVersionInfoA reserved
    // after it, at the same distance from its start, so every text has a place of its own.
    if (std::memcmp(base + blockLength, kAnsiAreaSignature, sizeof kAnsiAreaSignature) != 0)
        return fail(ERROR_INSUFFICIENT_BUFFER);
    char* ansi = reinterpret_cast<char*>(base + blockLength + sizeof kAnsiAreaSignature + value->offset);
    for (UINT i = 0; i < value->length; ++i) {
        unsigned c = base[value->offset + 2 * i] | base[value->offset + 2 * i + 1] << 8;
        ansi[i] = static_cast<char>(c < 0x80 || (c >= 0xA0 && c <= 0xFF) ? c : '?');
    }
    ansi[value->length] = '\0';
    *buffer = ansi;
    if (length) *length = value->length;
    return TRUE;
}

DWORD MachineVersion::VerFindFileA(DWORD flags, LPCSTR fileName, LPCSTR, LPCSTR appDir, LPSTR curDir,
                                   UINT* curDirLen, LPSTR destDir, UINT* destDirLen) {
    char windows[MAX_PATH] = {}, system[MAX_PATH] = {};
    files_.GetWindowsDirectoryA(windows, MAX_PATH);
    files_.GetSystemDirectoryA(system, MAX_PATH);
    const bool shared = flags & VFFF_ISSHAREDFILE;
    const std::string app = Str(appDir);
    const std::string dest = shared ? std::string(system) : app;

    // Where a copy lives now, in Wine's order. The szWinDir argument names where Windows will run, not
    // where to look. A shared file is looked for in the system directory and then the application
    // directory, never in the Windows directory; a private one in the application directory (the
    // current directory when none is given, reported as "") and then the Windows and system
    // directories.
    std::string cur;
    bool found = false;
    DWORD result = 0;
    if (fileName && *fileName) {
        const std::string name = fileName;
        std::vector<std::string> order;
        if (shared)
            order = {system, app};
        else
            order = {app, windows, system};
        for (std::size_t i = 0; i < order.size() && !found; ++i) {
            if (shared && order[i].empty()) continue;
            if (Exists(Join(order[i], name))) {
                cur = order[i];
                found = true;
            }
        }
        // Not where it should go: for a private file without an application directory, that is
        // whenever a copy exists at all.
        bool atDest = shared || !app.empty() ? Exists(Join(dest, name)) : !found;
        if (!atDest) result |= VFF_CURNEDEST;
        if (found && IsInUse(Join(cur, name))) result |= VFF_FILEINUSE;
    }
    bool fits = CopyOut(cur, curDir, curDirLen);
    fits = CopyOut(dest, destDir, destDirLen) && fits;
    if (!fits) result |= VFF_BUFFTOOSMALL;
    return result;
}

std::string MachineVersion::NewTempName(const std::string& dir) {
    // GetTempFileName's pattern with the "ver" prefix: four hex digits, the first free one from a
    // starting point that differs between runs.
    if (!tempCounter_) {
        auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
        tempCounter_ = static_cast<unsigned>(ticks % 0xEFFF);
    }
    for (unsigned tries = 0; tries < 0xF000; ++tries) {
        unsigned unique = 0x1000 + (tempCounter_++ % 0xF000);
        char name[16];
        std::snprintf(name, sizeof name, "ver%04X.tmp", unique);
        if (files_.GetFileAttributesA(Join(dir, name).c_str()) == INVALID_FILE_ATTRIBUTES) return name;
    }
    return {};
}

DWORD MachineVersion::CopyExpanded(const std::string& source, const std::string& target) {
    ScopedHandle in(
        files_, files_.CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!in.ok()) return VIF_CANNOTREADSRC | ErrorBits(GetLastError());
    DWORD result = 0;
    {
        ScopedHandle out(files_, files_.CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out.ok()) return VIF_CANNOTCREATE | ErrorBits(GetLastError());
        HandleStream src(files_, in.get()), dst(files_, out.get());
        switch (CopyOrExpand(src, dst)) {
            case CopyStatus::kOk:
                break;
            case CopyStatus::kReadError:
            case CopyStatus::kBadData:
                result = VIF_CANNOTREADSRC;
                break;
            case CopyStatus::kNoMemory:
                result = VIF_OUTOFMEMORY;
                break;
            case CopyStatus::kWriteError:
                result = ErrorBits(dst.writeError());
                if (!(result & VIF_OUTOFSPACE)) result |= VIF_CANNOTCREATE;
                break;
        }
    }
    if (result) files_.DeleteFileA(target.c_str());
    return result;
}

std::string MachineVersion::LzSourceName(const std::string& source) {
    if (Exists(source)) return source;
    std::string compressed = CompressedName(source);
    return Exists(compressed) ? compressed : std::string();
}

DWORD MachineVersion::VerInstallFileA(DWORD flags, LPCSTR srcFileName, LPCSTR destFileName, LPCSTR srcDir,
                                      LPCSTR destDir, LPCSTR curDir, LPSTR tmpFile, UINT* tmpFileLen) {
    if (!srcFileName || !destFileName || !tmpFileLen) return VIF_CANNOTREADSRC;
    const std::string srcDirectory = Str(srcDir);
    // Without a destination the file is installed beside its source.
    const std::string destDirectory = destDir && *destDir ? std::string(destDir) : srcDirectory;
    const std::string current = Str(curDir);
    const std::string destPath = Join(destDirectory, destFileName);

    // The retry the documentation describes: VIFF_FORCEINSTALL with the temporary file a previous call
    // left in szTmpFile installs that file rather than copying the source again.
    std::string tempName;
    if ((flags & VIFF_FORCEINSTALL) && tmpFile && *tmpFile) {
        std::string given(tmpFile);
        while (!given.empty() && given.front() == '\\')
            given.erase(0, 1);
        if (!given.empty() && Exists(Join(destDirectory, given))) tempName = given;
    }
    if (tempName.empty()) {
        std::string source = LzSourceName(Join(srcDirectory, srcFileName));
        if (source.empty()) return VIF_CANNOTREADSRC;
        tempName = NewTempName(destDirectory);
        if (tempName.empty()) return VIF_CANNOTCREATE;
        if (DWORD failed = CopyExpanded(source, Join(destDirectory, tempName))) return failed;
    }
    const std::string tempPath = Join(destDirectory, tempName);
    auto dropTemp = [&](DWORD bits) {
        files_.DeleteFileA(tempPath.c_str());
        return bits;
    };

    if (!(flags & VIFF_FORCEINSTALL)) {
        // The copy to compare with is the one in szCurDir: that is the file being replaced.
        const std::string existing = Join(current.empty() ? destDirectory : current, destFileName);
        if (Exists(existing)) {
            std::vector<std::uint8_t> newBlock, oldBlock;
            bool newHas = ReadVersionResource(tempPath, newBlock);
            bool oldHas = ReadVersionResource(existing, oldBlock);
            VersionFacts newFacts, oldFacts;
            if (newHas) newFacts = ReadVersionFacts(newBlock);
            if (oldHas) oldFacts = ReadVersionFacts(oldBlock);
            if (DWORD bits = CompareVersions(newHas ? &newFacts : nullptr, oldHas ? &oldFacts : nullptr)) {
                if (tempName.size() + 1 > *tmpFileLen) {
                    *tmpFileLen = static_cast<UINT>(tempName.size() + 1);
                    return dropTemp(bits | VIF_BUFFTOOSMALL);
                }
                CopyOut(tempName, tmpFile, tmpFileLen);
                return bits | VIF_TEMPFILE;
            }
        }
    }

    DWORD attributes = files_.GetFileAttributesA(destPath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_READONLY) return dropTemp(VIF_WRITEPROT);
        if (IsInUse(destPath)) return dropTemp(VIF_FILEINUSE | VIF_CANNOTDELETE);
        if (!files_.DeleteFileA(destPath.c_str())) {
            DWORD bits = ErrorBits(GetLastError());
            if (bits & VIF_SHARINGVIOLATION) bits = VIF_FILEINUSE;
            return dropTemp(bits | VIF_CANNOTDELETE);
        }
    }
    if (!files_.MoveFileA(tempPath.c_str(), destPath.c_str())) {
        DWORD bits = ErrorBits(GetLastError()) | VIF_CANNOTRENAME;
        if (tempName.size() + 1 <= *tmpFileLen) {
            CopyOut(tempName, tmpFile, tmpFileLen);
            return bits | VIF_TEMPFILE;
        }
        return dropTemp(bits);
    }

    if (!current.empty() && !SameDirectory(current, destDirectory) && !(flags & VIFF_DONTDELETEOLD)) {
        const std::string old = Join(current, destFileName);
        if (Exists(old) && !files_.DeleteFileA(old.c_str())) return VIF_CANNOTDELETECUR;
    }
    return 0;
}

DWORD MachineVersion::GetExpandedNameA(LPCSTR source, LPSTR buffer) {
    if (!source || !buffer) return static_cast<DWORD>(LZERROR_BADVALUE);
    std::memmove(buffer, source, std::strlen(source) + 1);
    const std::string name(source);
    ScopedHandle h(files_, files_.CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.ok()) return static_cast<DWORD>(LZERROR_BADINHANDLE);
    std::uint8_t header[kSzddHeaderSize];
    DWORD got = 0;
    if (!files_.ReadFile(h.get(), header, sizeof header, &got, nullptr))
        return static_cast<DWORD>(LZERROR_READ);
    std::span<const std::uint8_t> head(header, got);
    if (IsSzdd(head) && got == kSzddHeaderSize) {
        std::string expanded = ExpandedName(name, SzddMissingChar(head));
        std::memcpy(buffer, expanded.c_str(), expanded.size() + 1);
    }
    return 1;
}

LONG MachineVersion::LZCopyFile(LPCSTR source, LPCSTR dest) {
    if (!source || !dest) return LZERROR_BADVALUE;
    std::string from = LzSourceName(source);
    if (from.empty()) return LZERROR_BADINHANDLE;
    ScopedHandle in(files_, files_.CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!in.ok()) return LZERROR_BADINHANDLE;
    ScopedHandle out(files_, files_.CreateFileA(dest, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.ok()) return LZERROR_BADOUTHANDLE;
    HandleStream src(files_, in.get()), dst(files_, out.get());
    switch (CopyOrExpand(src, dst)) {
        case CopyStatus::kOk:
            return static_cast<LONG>(dst.written());
        case CopyStatus::kWriteError:
            return LZERROR_WRITE;
        case CopyStatus::kNoMemory:
            return LZERROR_GLOBALLOC;
        case CopyStatus::kReadError:
        case CopyStatus::kBadData:
            break;
    }
    return LZERROR_READ;
}

}  // namespace platform
