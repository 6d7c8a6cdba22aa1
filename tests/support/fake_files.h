// An in-memory file service for tests of code above it: files by Windows path (case ignored), a few
// directories, and faults that fail on purpose (read-only files, files in use, a full disk, a refused
// rename). Only the calls the profile service uses do anything; the rest fail with
// ERROR_CALL_NOT_IMPLEMENTED.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "platform/api.h"

namespace testing_support {

class FakeFiles : public platform::FileApi {
  public:
    FakeFiles();
    ~FakeFiles() override;

    // State and faults, by Windows path (any case).
    void Put(const std::string& path, const std::string& bytes);
    std::optional<std::string> Get(const std::string& path) const;
    void AddDirectory(const std::string& path);
    std::set<std::string> readOnly;            // lower-cased paths: opening for writing gives 5
    std::set<std::string> inUse;               // lower-cased paths: opening gives 32
    std::optional<std::size_t> diskSpaceLeft;  // bytes that may still be written, then 112
    bool refuseRenames = false;                // MoveFileA and MoveFileExA fail with 5
    std::size_t FileCount() const { return files_.size(); }

    HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa, DWORD disposition,
                       DWORD flags, HANDLE templateFile) override;
    BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, LPDWORD read, void* overlapped) override;
    BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, LPDWORD written,
                   void* overlapped) override;
    BOOL CloseHandle(HANDLE handle) override;
    DWORD GetFileSize(HANDLE file, LPDWORD high) override;
    DWORD SetFilePointer(HANDLE, LONG, LONG*, DWORD) override { return Fail(INVALID_SET_FILE_POINTER); }
    BOOL CopyFileA(LPCSTR, LPCSTR, BOOL) override { return Fail(FALSE); }
    BOOL DeleteFileA(LPCSTR name) override;
    BOOL MoveFileA(LPCSTR existing, LPCSTR newName) override;
    BOOL MoveFileExA(LPCSTR existing, LPCSTR newName, DWORD flags) override;
    BOOL CreateDirectoryA(LPCSTR, LPSECURITY_ATTRIBUTES) override { return Fail(FALSE); }
    BOOL RemoveDirectoryA(LPCSTR) override { return Fail(FALSE); }
    DWORD GetFileAttributesA(LPCSTR name) override;
    BOOL SetFileAttributesA(LPCSTR, DWORD) override { return TRUE; }
    HANDLE FindFirstFileA(LPCSTR, WIN32_FIND_DATAA*) override { return Fail(INVALID_HANDLE_VALUE); }
    BOOL FindNextFileA(HANDLE, WIN32_FIND_DATAA*) override { return Fail(FALSE); }
    BOOL FindClose(HANDLE) override { return Fail(FALSE); }
    UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) override;
    UINT GetSystemDirectoryA(LPSTR, UINT) override { return Fail(0u); }
    BOOL SetCurrentDirectoryA(LPCSTR) override { return Fail(FALSE); }
    DWORD GetCurrentDirectoryA(DWORD, LPSTR) override { return Fail(DWORD{0}); }
    DWORD GetShortPathNameA(LPCSTR, LPSTR, DWORD) override { return Fail(DWORD{0}); }
    DWORD GetLongPathNameA(LPCSTR, LPSTR, DWORD) override { return Fail(DWORD{0}); }
    DWORD GetFullPathNameA(LPCSTR name, DWORD size, LPSTR buffer, LPSTR* filePart) override;
    BOOL GetDiskFreeSpaceExA(LPCSTR, ULONGLONG*, ULONGLONG*, ULONGLONG*) override { return Fail(FALSE); }
    UINT GetDriveTypeA(LPCSTR) override { return Fail(0u); }
    DWORD GetLogicalDrives() override { return Fail(DWORD{0}); }
    DWORD GetTempPathA(DWORD, LPSTR) override { return Fail(DWORD{0}); }
    platform::CrtFile* fopen(const char*, const char*) override { return nullptr; }
    int fclose(platform::CrtFile*) override { return -1; }
    char* fgets(char*, int, platform::CrtFile*) override { return nullptr; }
    int fputs(const char*, platform::CrtFile*) override { return -1; }
    std::size_t fread(void*, std::size_t, std::size_t, platform::CrtFile*) override { return 0; }
    std::size_t fwrite(const void*, std::size_t, std::size_t, platform::CrtFile*) override { return 0; }
    int fseek(platform::CrtFile*, long, int) override { return -1; }
    long ftell(platform::CrtFile*) override { return -1; }
    int feof(platform::CrtFile*) override { return 0; }
    int fflush(platform::CrtFile*) override { return -1; }
    int remove(const char*) override { return -1; }

  private:
    struct Open;
    template <typename T>
    static T Fail(T value);
    static std::string Key(const std::string& path);
    bool DirectoryExists(const std::string& key) const;

    std::map<std::string, std::string> files_;  // by lower-cased path
    std::set<std::string> directories_;
    std::map<HANDLE, std::unique_ptr<Open>> handles_;
    std::size_t nextHandle_ = 0x100;
};

}  // namespace testing_support
