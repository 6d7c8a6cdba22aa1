#include <cstdio>
#include <cstring>

#include "platform/last_error.h"
#include "platform/win32/backend.h"
#include "platform/win32/mirror.h"
#include "platform/win32/native.h"

namespace platform {

// The C runtime's own stream: its text mode already writes "\n" as CR LF and reads CR LF back as "\n".
class CrtFile {
  public:
    std::FILE* stream = nullptr;
};

}  // namespace platform

namespace platform::win32 {

namespace {

void FromNative(const native::FindData& from, WIN32_FIND_DATAA* to) {
    to->dwFileAttributes = from.attributes;
    to->ftCreationTime = {from.creationLow, from.creationHigh};
    to->ftLastAccessTime = {from.accessLow, from.accessHigh};
    to->ftLastWriteTime = {from.writeLow, from.writeHigh};
    to->nFileSizeHigh = from.sizeHigh;
    to->nFileSizeLow = from.sizeLow;
    to->dwReserved0 = 0;
    to->dwReserved1 = 0;
    static_assert(sizeof to->cFileName == sizeof from.name);
    static_assert(sizeof to->cAlternateFileName == sizeof from.alternate);
    std::memcpy(to->cFileName, from.name, sizeof to->cFileName);
    std::memcpy(to->cAlternateFileName, from.alternate, sizeof to->cAlternateFileName);
}

}  // namespace

native::Security SecurityOf(const SECURITY_ATTRIBUTES* sa) {
    const SECURITY_DESCRIPTOR* sd = sa ? sa->lpSecurityDescriptor : nullptr;
    return sd && sd->DaclPresent && !sd->Dacl ? native::Security::NullDacl : native::Security::Default;
}

HANDLE NativeFiles::CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa,
                                DWORD disposition, DWORD flags, HANDLE) {
    return Mirror(native::CreateFileA(name, access, share, SecurityOf(sa), disposition, flags));
}

BOOL NativeFiles::ReadFile(HANDLE file, void* buffer, DWORD toRead, LPDWORD read, void*) {
    return Mirror(native::ReadFile(file, buffer, toRead, read));
}

BOOL NativeFiles::WriteFile(HANDLE file, const void* buffer, DWORD toWrite, LPDWORD written, void*) {
    return Mirror(native::WriteFile(file, buffer, toWrite, written));
}

BOOL NativeFiles::CloseHandle(HANDLE handle) {
    return Mirror(native::CloseHandle(handle));
}

DWORD NativeFiles::GetFileSize(HANDLE file, LPDWORD high) {
    return Mirror(native::GetFileSize(file, high));
}

DWORD NativeFiles::SetFilePointer(HANDLE file, LONG distance, LONG* high, DWORD method) {
    return Mirror(native::SetFilePointer(file, distance, high, method));
}

BOOL NativeFiles::CopyFileA(LPCSTR existing, LPCSTR newName, BOOL failIfExists) {
    return Mirror(native::CopyFileA(existing, newName, failIfExists));
}

BOOL NativeFiles::DeleteFileA(LPCSTR name) {
    return Mirror(native::DeleteFileA(name));
}

BOOL NativeFiles::MoveFileA(LPCSTR existing, LPCSTR newName) {
    return Mirror(native::MoveFileA(existing, newName));
}

BOOL NativeFiles::MoveFileExA(LPCSTR existing, LPCSTR newName, DWORD flags) {
    return Mirror(native::MoveFileExA(existing, newName, flags));
}

BOOL NativeFiles::CreateDirectoryA(LPCSTR name, LPSECURITY_ATTRIBUTES sa) {
    return Mirror(native::CreateDirectoryA(name, SecurityOf(sa)));
}

BOOL NativeFiles::RemoveDirectoryA(LPCSTR name) {
    return Mirror(native::RemoveDirectoryA(name));
}

DWORD NativeFiles::GetFileAttributesA(LPCSTR name) {
    return Mirror(native::GetFileAttributesA(name));
}

BOOL NativeFiles::SetFileAttributesA(LPCSTR name, DWORD attributes) {
    return Mirror(native::SetFileAttributesA(name, attributes));
}

HANDLE NativeFiles::FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) {
    native::FindData found{};
    HANDLE find = Mirror(native::FindFirstFileA(pattern, &found));
    if (find != INVALID_HANDLE_VALUE && data) FromNative(found, data);
    return find;
}

BOOL NativeFiles::FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data) {
    native::FindData found{};
    BOOL ok = Mirror(native::FindNextFileA(find, &found));
    if (ok && data) FromNative(found, data);
    return ok;
}

BOOL NativeFiles::FindClose(HANDLE find) {
    return Mirror(native::FindClose(find));
}

UINT NativeFiles::GetWindowsDirectoryA(LPSTR buffer, UINT size) {
    return Mirror(native::GetWindowsDirectoryA(buffer, size));
}

UINT NativeFiles::GetSystemDirectoryA(LPSTR buffer, UINT size) {
    return Mirror(native::GetSystemDirectoryA(buffer, size));
}

BOOL NativeFiles::SetCurrentDirectoryA(LPCSTR path) {
    return Mirror(native::SetCurrentDirectoryA(path));
}

DWORD NativeFiles::GetCurrentDirectoryA(DWORD size, LPSTR buffer) {
    return Mirror(native::GetCurrentDirectoryA(size, buffer));
}

DWORD NativeFiles::GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size) {
    return Mirror(native::GetShortPathNameA(longPath, shortPath, size));
}

DWORD NativeFiles::GetLongPathNameA(LPCSTR shortPath, LPSTR longPath, DWORD size) {
    return Mirror(native::GetLongPathNameA(shortPath, longPath, size));
}

DWORD NativeFiles::GetFullPathNameA(LPCSTR name, DWORD size, LPSTR buffer, LPSTR* filePart) {
    return Mirror(native::GetFullPathNameA(name, size, buffer, filePart));
}

BOOL NativeFiles::GetDiskFreeSpaceExA(LPCSTR root, ULONGLONG* freeToCaller, ULONGLONG* total,
                                      ULONGLONG* totalFree) {
    return Mirror(native::GetDiskFreeSpaceExA(root, freeToCaller, total, totalFree));
}

UINT NativeFiles::GetDriveTypeA(LPCSTR root) {
    return Mirror(native::GetDriveTypeA(root));
}

DWORD NativeFiles::GetLogicalDrives() {
    return Mirror(native::GetLogicalDrives());
}

DWORD NativeFiles::GetTempPathA(DWORD size, LPSTR buffer) {
    return Mirror(native::GetTempPathA(size, buffer));
}

CrtFile* NativeFiles::fopen(const char* path, const char* mode) {
    std::FILE* stream = std::fopen(path, mode);
    if (!stream) return nullptr;
    auto* file = new CrtFile;
    file->stream = stream;
    return file;
}

int NativeFiles::fclose(CrtFile* file) {
    if (!file) return EOF;
    int result = std::fclose(file->stream);
    delete file;
    return result;
}

char* NativeFiles::fgets(char* buffer, int size, CrtFile* file) {
    return std::fgets(buffer, size, file->stream);
}

int NativeFiles::fputs(const char* text, CrtFile* file) {
    return std::fputs(text, file->stream);
}

std::size_t NativeFiles::fread(void* buffer, std::size_t size, std::size_t count, CrtFile* file) {
    return std::fread(buffer, size, count, file->stream);
}

std::size_t NativeFiles::fwrite(const void* buffer, std::size_t size, std::size_t count, CrtFile* file) {
    return std::fwrite(buffer, size, count, file->stream);
}

int NativeFiles::fseek(CrtFile* file, long offset, int origin) {
    return std::fseek(file->stream, offset, origin);
}

long NativeFiles::ftell(CrtFile* file) {
    return std::ftell(file->stream);
}

int NativeFiles::feof(CrtFile* file) {
    return std::feof(file->stream);
}

int NativeFiles::fflush(CrtFile* file) {
    return std::fflush(file->stream);
}

int NativeFiles::remove(const char* path) {
    return std::remove(path);
}

std::string ProgramPath() {
    return native::ModuleFileName();
}

}  // namespace platform::win32
