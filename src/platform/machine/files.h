// The file services of the machine: kernel32's file calls and the C runtime's streams over Windows
// paths, with Windows semantics and last-error codes, on the prefix's drives.
//
// What the host does not give us, we keep ourselves:
//  - share modes between the handles open in this process (a second open that the first one's share
//    mode refuses fails with ERROR_SHARING_VIOLATION, as does deleting a file open without
//    FILE_SHARE_DELETE);
//  - the read-only attribute, kept as the absence of the owner's write permission and honoured here,
//    so that it holds also when we run as root;
//  - the current directory of each drive;
//  - the faults a test injects (files in use, denied paths, a full disk, the reported free space).
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/api.h"
#include "platform/machine/prefix.h"

namespace platform {

struct Faults;

class MachineFiles : public FileApi {
  public:
    MachineFiles(Prefix& prefix, Faults& faults);
    ~MachineFiles() override;
    MachineFiles(const MachineFiles&) = delete;
    MachineFiles& operator=(const MachineFiles&) = delete;

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
    // MOVEFILE_REPLACE_EXISTING replaces a file in the way in one rename.
    BOOL MoveFileExA(LPCSTR existing, LPCSTR newName, DWORD flags) override;
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

    // The host path a Windows path (relative ones against the current directory) names, for services
    // that must hand a host path to a library. nullopt when it names nothing reachable.
    std::optional<std::string> HostPathFor(LPCSTR windowsPath);
    // The full Windows path of a name, as GetFullPathNameA makes it ("" for an empty name).
    std::string FullPath(LPCSTR name) const;

  private:
    struct OpenFile {
        int fd = -1;
        std::string windows;  // full path as resolved, with names as on disk
        DWORD access = 0;
        DWORD share = 0;
        dev_t dev = 0;
        ino_t ino = 0;
    };
    struct FindState {
        std::vector<WIN32_FIND_DATAA> items;
        std::size_t next = 0;
    };
    struct Target {
        Prefix::Resolution r;
        std::string windows;  // full path as typed (normalised)
    };

    // Full path + resolution; on failure sets the last error and returns nullopt.
    std::optional<Target> ResolveName(LPCSTR name, bool wildcards = false) const;
    CrtFile* Stream(CrtFile* file) const;  // nullptr unless `file` is one of ours
    bool IsDenied(const Target& t) const;
    bool IsInUse(const Target& t) const;
    // A handle of ours on the host file at `host` that the requested access/share conflicts with.
    bool ConflictsWithOpen(const std::string& host, DWORD access, DWORD share) const;
    bool OpenWithoutShareDelete(const std::string& host) const;
    OpenFile* FileOf(HANDLE h);
    HANDLE NewHandle();
    std::string CurrentDirOf(char drive) const;

    Prefix& prefix_;
    Faults& faults_;
    std::uintptr_t nextHandle_ = 0x100;
    std::map<std::uintptr_t, OpenFile> files_;
    std::map<std::uintptr_t, FindState> finds_;
    std::map<const CrtFile*, std::unique_ptr<CrtFile>> streams_;
    char currentDrive_ = 'C';
    std::map<char, std::string> currentDirs_;  // "C:\dir" per drive, no trailing backslash but the root
};

}  // namespace platform
