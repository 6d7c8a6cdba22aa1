// kernel32 and user32 behind platform/win32/native.h: files, profiles and the system calls.
#include "platform/win32/native_internal.h"

namespace platform::native {

namespace {

// The descriptor of Security::NullDacl: a DACL that is present and empty of entries, so every user has
// full access to what is created with it.
struct NullDaclAttributes {
    SECURITY_DESCRIPTOR descriptor;
    SECURITY_ATTRIBUTES attributes;
    NullDaclAttributes() {
        InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
        attributes.nLength = sizeof attributes;
        attributes.lpSecurityDescriptor = &descriptor;
        attributes.bInheritHandle = FALSE;
    }
};

void CopyFindData(const WIN32_FIND_DATAA& from, FindData* to) {
    to->attributes = from.dwFileAttributes;
    to->creationLow = from.ftCreationTime.dwLowDateTime;
    to->creationHigh = from.ftCreationTime.dwHighDateTime;
    to->accessLow = from.ftLastAccessTime.dwLowDateTime;
    to->accessHigh = from.ftLastAccessTime.dwHighDateTime;
    to->writeLow = from.ftLastWriteTime.dwLowDateTime;
    to->writeHigh = from.ftLastWriteTime.dwHighDateTime;
    to->sizeHigh = from.nFileSizeHigh;
    to->sizeLow = from.nFileSizeLow;
    static_assert(sizeof to->name == sizeof from.cFileName);
    static_assert(sizeof to->alternate == sizeof from.cAlternateFileName);
    CopyMemory(to->name, from.cFileName, sizeof to->name);
    CopyMemory(to->alternate, from.cAlternateFileName, sizeof to->alternate);
}

}  // namespace

SECURITY_ATTRIBUTES* AttributesFor(Security security) {
    if (security != Security::NullDacl) return nullptr;
    static NullDaclAttributes nullDacl;
    return &nullDacl.attributes;
}

u32 LastError() {
    return ::GetLastError();
}

void SetLastErrorValue(u32 code) {
    ::SetLastError(code);
}

void* CreateFileA(const char* name, u32 access, u32 share, Security security, u32 disposition, u32 flags) {
    return ::CreateFileA(name, access, share, AttributesFor(security), disposition, flags, nullptr);
}

int ReadFile(void* file, void* buffer, u32 toRead, u32* read) {
    DWORD got = 0;
    BOOL ok = ::ReadFile(file, buffer, toRead, &got, nullptr);
    if (read) *read = got;
    return ok;
}

int WriteFile(void* file, const void* buffer, u32 toWrite, u32* written) {
    DWORD put = 0;
    BOOL ok = ::WriteFile(file, buffer, toWrite, &put, nullptr);
    if (written) *written = put;
    return ok;
}

int CloseHandle(void* handle) {
    return ::CloseHandle(handle);
}

u32 GetFileSize(void* file, u32* high) {
    DWORD h = 0;
    DWORD low = ::GetFileSize(file, &h);
    if (high) *high = h;
    return low;
}

u32 SetFilePointer(void* file, std::int32_t distance, std::int32_t* high, u32 method) {
    LONG h = high ? *high : 0;
    DWORD low = ::SetFilePointer(file, distance, high ? &h : nullptr, method);
    if (high) *high = h;
    return low;
}

int CopyFileA(const char* existing, const char* newName, int failIfExists) {
    return ::CopyFileA(existing, newName, failIfExists);
}

int DeleteFileA(const char* name) {
    return ::DeleteFileA(name);
}

int MoveFileA(const char* existing, const char* newName) {
    return ::MoveFileA(existing, newName);
}

int MoveFileExA(const char* existing, const char* newName, std::uint32_t flags) {
    return ::MoveFileExA(existing, newName, flags);
}

int CreateDirectoryA(const char* name, Security security) {
    return ::CreateDirectoryA(name, AttributesFor(security));
}

int RemoveDirectoryA(const char* name) {
    return ::RemoveDirectoryA(name);
}

u32 GetFileAttributesA(const char* name) {
    return ::GetFileAttributesA(name);
}

int SetFileAttributesA(const char* name, u32 attributes) {
    return ::SetFileAttributesA(name, attributes);
}

void* FindFirstFileA(const char* pattern, FindData* data) {
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(pattern, &found);
    if (find != INVALID_HANDLE_VALUE && data) CopyFindData(found, data);
    return find;
}

int FindNextFileA(void* find, FindData* data) {
    WIN32_FIND_DATAA found;
    BOOL ok = ::FindNextFileA(find, &found);
    if (ok && data) CopyFindData(found, data);
    return ok;
}

int FindClose(void* find) {
    return ::FindClose(find);
}

unsigned GetWindowsDirectoryA(char* buffer, unsigned size) {
    return ::GetWindowsDirectoryA(buffer, size);
}

unsigned GetSystemDirectoryA(char* buffer, unsigned size) {
    return ::GetSystemDirectoryA(buffer, size);
}

int SetCurrentDirectoryA(const char* path) {
    return ::SetCurrentDirectoryA(path);
}

u32 GetCurrentDirectoryA(u32 size, char* buffer) {
    return ::GetCurrentDirectoryA(size, buffer);
}

u32 GetShortPathNameA(const char* longPath, char* shortPath, u32 size) {
    return ::GetShortPathNameA(longPath, shortPath, size);
}

u32 GetLongPathNameA(const char* shortPath, char* longPath, u32 size) {
    return ::GetLongPathNameA(shortPath, longPath, size);
}

u32 GetFullPathNameA(const char* name, u32 size, char* buffer, char** filePart) {
    return ::GetFullPathNameA(name, size, buffer, filePart);
}

int GetDiskFreeSpaceExA(const char* root, u64* freeToCaller, u64* total, u64* totalFree) {
    ULARGE_INTEGER a{}, b{}, c{};
    BOOL ok = ::GetDiskFreeSpaceExA(root, &a, &b, &c);
    if (ok) {
        if (freeToCaller) *freeToCaller = a.QuadPart;
        if (total) *total = b.QuadPart;
        if (totalFree) *totalFree = c.QuadPart;
    }
    return ok;
}

unsigned GetDriveTypeA(const char* root) {
    return ::GetDriveTypeA(root);
}

u32 GetLogicalDrives() {
    return ::GetLogicalDrives();
}

u32 GetTempPathA(u32 size, char* buffer) {
    return ::GetTempPathA(size, buffer);
}

std::string ModuleFileName() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return std::string();
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

u32 GetPrivateProfileStringA(const char* section, const char* key, const char* defaultText, char* buffer,
                             u32 size, const char* file) {
    return ::GetPrivateProfileStringA(section, key, defaultText, buffer, size, file);
}

int WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* file) {
    return ::WritePrivateProfileStringA(section, key, value, file);
}

unsigned GetPrivateProfileIntA(const char* section, const char* key, int defaultValue, const char* file) {
    return ::GetPrivateProfileIntA(section, key, defaultValue, file);
}

u32 GetPrivateProfileSectionA(const char* section, char* buffer, u32 size, const char* file) {
    return ::GetPrivateProfileSectionA(section, buffer, size, file);
}

u32 GetPrivateProfileSectionNamesA(char* buffer, u32 size, const char* file) {
    return ::GetPrivateProfileSectionNamesA(buffer, size, file);
}

int WritePrivateProfileSectionA(const char* section, const char* data, const char* file) {
    return ::WritePrivateProfileSectionA(section, data, file);
}

u32 GetProfileStringA(const char* section, const char* key, const char* defaultText, char* buffer, u32 size) {
    return ::GetProfileStringA(section, key, defaultText, buffer, size);
}

int WriteProfileStringA(const char* section, const char* key, const char* value) {
    return ::WriteProfileStringA(section, key, value);
}

u32 GetVersion() {
    return ::GetVersion();
}

std::uint16_t GetSystemDefaultLangID() {
    return ::GetSystemDefaultLangID();
}

unsigned SetErrorMode(unsigned mode) {
    return ::SetErrorMode(mode);
}

u32 GetEnvironmentVariableA(const char* name, char* buffer, u32 size) {
    return ::GetEnvironmentVariableA(name, buffer, size);
}

int SetEnvironmentVariableA(const char* name, const char* value) {
    return ::SetEnvironmentVariableA(name, value);
}

std::string FormatSystemMessage(u32 code, std::uint16_t lang) {
    char* text = nullptr;
    DWORD n = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, lang, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string result = n && text ? std::string(text, n) : std::string();
    if (text) ::LocalFree(text);
    return result;
}

unsigned LoadModule(const char* module, void* parameters) {
    return static_cast<unsigned>(::LoadModule(module, parameters));
}

int ExitWindowsEx(unsigned flags, u32 reason) {
    return ::ExitWindowsEx(flags, reason);
}

void PostQuitMessage(int exitCode) {
    ::PostQuitMessage(exitCode);
}

int GetSystemMetrics(int index) {
    return ::GetSystemMetrics(index);
}

}  // namespace platform::native
