// Placeholder until the real service lands: every call fails with ERROR_CALL_NOT_IMPLEMENTED.
#pragma once

#include "platform/api.h"

namespace platform {

class Prefix;
struct Faults;

class MachineFiles : public FileApi {
  public:
    explicit MachineFiles(Prefix& prefix, Faults& faults) {
        (void)prefix;
        (void)faults;
    }

    HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa, DWORD disposition,
                       DWORD flags, HANDLE templateFile) override;
    BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, LPDWORD read, void* overlapped) override;
    BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, LPDWORD written,
                   void* overlapped) override;
    BOOL CloseHandle(HANDLE handle) override;
    DWORD GetFileSize(HANDLE file, LPDWORD high) override;
    DWORD SetFilePointer(HANDLE file, LONG distance, LONG* high, DWORD method) override;
    BOOL CopyFileA(LPCSTR existing, LPCSTR newName, BOOL failIfExists) override;
    BOOL DeleteFileA(LPCSTR name) override;
    BOOL MoveFileA(LPCSTR existing, LPCSTR newName) override;
    BOOL CreateDirectoryA(LPCSTR name, LPSECURITY_ATTRIBUTES sa) override;
    BOOL RemoveDirectoryA(LPCSTR name) override;
    DWORD GetFileAttributesA(LPCSTR name) override;
    BOOL SetFileAttributesA(LPCSTR name, DWORD attributes) override;
    HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) override;
    BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data) override;
    BOOL FindClose(HANDLE find) override;
    UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) override;
    UINT GetSystemDirectoryA(LPSTR buffer, UINT size) override;
    BOOL SetCurrentDirectoryA(LPCSTR path) override;
    DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) override;
    DWORD GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size) override;
    DWORD GetLongPathNameA(LPCSTR shortPath, LPSTR longPath, DWORD size) override;
    DWORD GetFullPathNameA(LPCSTR name, DWORD size, LPSTR buffer, LPSTR* filePart) override;
    BOOL GetDiskFreeSpaceExA(LPCSTR root, ULONGLONG* freeToCaller, ULONGLONG* total,
                             ULONGLONG* totalFree) override;
    UINT GetDriveTypeA(LPCSTR root) override;
    DWORD GetLogicalDrives() override;
    DWORD GetTempPathA(DWORD size, LPSTR buffer) override;
    CrtFile* fopen(const char* path, const char* mode) override;
    int fclose(CrtFile* file) override;
    char* fgets(char* buffer, int size, CrtFile* file) override;
    int fputs(const char* text, CrtFile* file) override;
    std::size_t fread(void* buffer, std::size_t size, std::size_t count, CrtFile* file) override;
    std::size_t fwrite(const void* buffer, std::size_t size, std::size_t count, CrtFile* file) override;
    int fseek(CrtFile* file, long offset, int origin) override;
    long ftell(CrtFile* file) override;
    int feof(CrtFile* file) override;
    int fflush(CrtFile* file) override;
    int remove(const char* path) override;
};

}  // namespace platform
