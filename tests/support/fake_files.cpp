#include "support/fake_files.h"

#include <algorithm>
#include <cstring>

#include "platform/last_error.h"

namespace testing_support {

struct FakeFiles::Open {
    std::string key;
    bool write = false;
    std::size_t position = 0;
};

FakeFiles::FakeFiles() {
    AddDirectory("C:\\windows");
}

FakeFiles::~FakeFiles() = default;

template <typename T>
T FakeFiles::Fail(T value) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return value;
}

std::string FakeFiles::Key(const std::string& path) {
    std::string k = path;
    std::transform(k.begin(), k.end(), k.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return k;
}

void FakeFiles::Put(const std::string& path, const std::string& bytes) {
    files_[Key(path)] = bytes;
}

std::optional<std::string> FakeFiles::Get(const std::string& path) const {
    auto it = files_.find(Key(path));
    if (it == files_.end()) return std::nullopt;
    return it->second;
}

void FakeFiles::AddDirectory(const std::string& path) {
    directories_.insert(Key(path));
}

bool FakeFiles::DirectoryExists(const std::string& key) const {
    std::size_t slash = key.find_last_of('\\');
    return slash != std::string::npos && directories_.count(key.substr(0, slash)) > 0;
}

HANDLE FakeFiles::CreateFileA(LPCSTR name, DWORD access, DWORD, LPSECURITY_ATTRIBUTES, DWORD disposition,
                              DWORD, HANDLE) {
    std::string key = Key(name ? name : "");
    if (!DirectoryExists(key)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    bool exists = files_.count(key) > 0;
    bool write = (access & GENERIC_WRITE) != 0;
    if (inUse.count(key)) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return INVALID_HANDLE_VALUE;
    }
    if (exists && write && readOnly.count(key)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    switch (disposition) {
        case OPEN_EXISTING:
            if (!exists) {
                SetLastError(ERROR_FILE_NOT_FOUND);
                return INVALID_HANDLE_VALUE;
            }
            break;
        case CREATE_NEW:
            if (exists) {
                SetLastError(ERROR_FILE_EXISTS);
                return INVALID_HANDLE_VALUE;
            }
            files_[key];
            break;
        case CREATE_ALWAYS:
            files_[key].clear();
            break;
        default:
            SetLastError(ERROR_INVALID_PARAMETER);
            return INVALID_HANDLE_VALUE;
    }
    HANDLE h = reinterpret_cast<HANDLE>(nextHandle_++);
    handles_[h] = std::make_unique<Open>(Open{key, write, 0});
    SetLastError(0);
    return h;
}

BOOL FakeFiles::ReadFile(HANDLE file, void* buffer, DWORD toRead, LPDWORD read, void*) {
    auto it = handles_.find(file);
    if (it == handles_.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const std::string& data = files_[it->second->key];
    std::size_t n = std::min<std::size_t>(toRead, data.size() - std::min(data.size(), it->second->position));
    std::memcpy(buffer, data.data() + it->second->position, n);
    it->second->position += n;
    if (read) *read = static_cast<DWORD>(n);
    return TRUE;
}

BOOL FakeFiles::WriteFile(HANDLE file, const void* buffer, DWORD toWrite, LPDWORD written, void*) {
    auto it = handles_.find(file);
    if (it == handles_.end() || !it->second->write) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::size_t n = toWrite;
    if (diskSpaceLeft) n = std::min(n, *diskSpaceLeft);
    std::string& data = files_[it->second->key];
    if (data.size() < it->second->position + n) data.resize(it->second->position + n);
    std::memcpy(data.data() + it->second->position, buffer, n);
    it->second->position += n;
    if (diskSpaceLeft) *diskSpaceLeft -= n;
    if (written) *written = static_cast<DWORD>(n);
    if (n < toWrite) {
        SetLastError(ERROR_DISK_FULL);
        return FALSE;
    }
    return TRUE;
}

BOOL FakeFiles::CloseHandle(HANDLE handle) {
    if (!handles_.erase(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

DWORD FakeFiles::GetFileSize(HANDLE file, LPDWORD high) {
    auto it = handles_.find(file);
    if (it == handles_.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    if (high) *high = 0;
    return static_cast<DWORD>(files_[it->second->key].size());
}

BOOL FakeFiles::DeleteFileA(LPCSTR name) {
    std::string key = Key(name ? name : "");
    if (!files_.count(key)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (inUse.count(key)) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return FALSE;
    }
    files_.erase(key);
    return TRUE;
}

BOOL FakeFiles::MoveFileA(LPCSTR existing, LPCSTR newName) {
    return MoveFileExA(existing, newName, 0);
}

BOOL FakeFiles::MoveFileExA(LPCSTR existing, LPCSTR newName, DWORD flags) {
    std::string from = Key(existing ? existing : "");
    std::string to = Key(newName ? newName : "");
    if (refuseRenames) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (!files_.count(from)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    if (files_.count(to) && !(flags & MOVEFILE_REPLACE_EXISTING)) {
        SetLastError(ERROR_ALREADY_EXISTS);
        return FALSE;
    }
    files_[to] = std::move(files_[from]);
    files_.erase(from);
    return TRUE;
}

DWORD FakeFiles::GetFileAttributesA(LPCSTR name) {
    std::string key = Key(name ? name : "");
    if (directories_.count(key)) return FILE_ATTRIBUTE_DIRECTORY;
    if (!files_.count(key)) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    return readOnly.count(key) ? FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE : FILE_ATTRIBUTE_ARCHIVE;
}

UINT FakeFiles::GetWindowsDirectoryA(LPSTR buffer, UINT size) {
    const char* windir = "C:\\windows";
    UINT n = static_cast<UINT>(std::strlen(windir));
    if (size <= n) return n + 1;
    std::memcpy(buffer, windir, n + 1);
    return n;
}

DWORD FakeFiles::GetFullPathNameA(LPCSTR name, DWORD size, LPSTR buffer, LPSTR* filePart) {
    std::string full = name ? name : "";
    if (full.size() < 2 || full[1] != ':') full = "C:\\" + full;
    if (size <= full.size()) return static_cast<DWORD>(full.size() + 1);
    std::memcpy(buffer, full.c_str(), full.size() + 1);
    if (filePart) *filePart = buffer + full.find_last_of('\\') + 1;
    return static_cast<DWORD>(full.size());
}

}  // namespace testing_support
