// The platform interface: every Windows service the setup uses, by its Windows name, parameter order,
// flags and result codes. One backend (the machine over a Wine-style prefix) implements the system
// services; one of the UI backends implements the user interface. Tests may replace any part.
//
// The logic calls these through the free functions of platform/win32.h, so that it reads like the
// Windows program it reproduces.
#pragma once

#include <cstdarg>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win_types.h"

namespace platform {

// A C-runtime style stream over a Windows path (fopen modes "r", "w", "a", "r+", "w+", "a+", with "b" or
// "t"; text mode writes "\n" as CR LF and reads CR LF as "\n", as the Windows C runtime does).
class CrtFile;

class FileApi {
  public:
    virtual ~FileApi() = default;
    virtual HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa,
                               DWORD disposition, DWORD flags, HANDLE templateFile) = 0;
    virtual BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, LPDWORD read, void* overlapped) = 0;
    virtual BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, LPDWORD written,
                           void* overlapped) = 0;
    virtual BOOL CloseHandle(HANDLE handle) = 0;
    virtual DWORD GetFileSize(HANDLE file, LPDWORD high) = 0;
    virtual DWORD SetFilePointer(HANDLE file, LONG distance, LONG* high, DWORD method) = 0;
    virtual BOOL CopyFileA(LPCSTR existing, LPCSTR newName, BOOL failIfExists) = 0;
    virtual BOOL DeleteFileA(LPCSTR name) = 0;
    virtual BOOL MoveFileA(LPCSTR existing, LPCSTR newName) = 0;
    virtual BOOL CreateDirectoryA(LPCSTR name, LPSECURITY_ATTRIBUTES sa) = 0;
    virtual BOOL RemoveDirectoryA(LPCSTR name) = 0;
    virtual DWORD GetFileAttributesA(LPCSTR name) = 0;
    virtual BOOL SetFileAttributesA(LPCSTR name, DWORD attributes) = 0;
    virtual HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) = 0;
    virtual BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data) = 0;
    virtual BOOL FindClose(HANDLE find) = 0;
    virtual UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) = 0;
    virtual UINT GetSystemDirectoryA(LPSTR buffer, UINT size) = 0;
    virtual BOOL SetCurrentDirectoryA(LPCSTR path) = 0;
    virtual DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) = 0;
    virtual DWORD GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size) = 0;
    virtual DWORD GetLongPathNameA(LPCSTR shortPath, LPSTR longPath, DWORD size) = 0;
    virtual DWORD GetFullPathNameA(LPCSTR name, DWORD size, LPSTR buffer, LPSTR* filePart) = 0;
    virtual BOOL GetDiskFreeSpaceExA(LPCSTR root, ULONGLONG* freeToCaller, ULONGLONG* total,
                                     ULONGLONG* totalFree) = 0;
    virtual UINT GetDriveTypeA(LPCSTR root) = 0;
    virtual DWORD GetLogicalDrives() = 0;
    virtual DWORD GetTempPathA(DWORD size, LPSTR buffer) = 0;

    // C runtime streams over Windows paths (nullptr and errno-style failure as fopen).
    virtual CrtFile* fopen(const char* path, const char* mode) = 0;
    virtual int fclose(CrtFile* file) = 0;
    virtual char* fgets(char* buffer, int size, CrtFile* file) = 0;
    virtual int fputs(const char* text, CrtFile* file) = 0;
    virtual std::size_t fread(void* buffer, std::size_t size, std::size_t count, CrtFile* file) = 0;
    virtual std::size_t fwrite(const void* buffer, std::size_t size, std::size_t count, CrtFile* file) = 0;
    virtual int fseek(CrtFile* file, long offset, int origin) = 0;
    virtual long ftell(CrtFile* file) = 0;
    virtual int feof(CrtFile* file) = 0;
    virtual int fflush(CrtFile* file) = 0;
    virtual int remove(const char* path) = 0;
};

class ProfileApi {
  public:
    virtual ~ProfileApi() = default;
    virtual DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultText, LPSTR buffer,
                                           DWORD size, LPCSTR file) = 0;
    virtual BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) = 0;
    virtual UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR file) = 0;
    virtual DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR file) = 0;
    virtual DWORD GetPrivateProfileSectionNamesA(LPSTR buffer, DWORD size, LPCSTR file) = 0;
    virtual BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR data, LPCSTR file) = 0;
    virtual DWORD GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultText, LPSTR buffer,
                                    DWORD size) = 0;
    virtual BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) = 0;
};

class RegistryApi {
  public:
    virtual ~RegistryApi() = default;
    virtual LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) = 0;
    virtual LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR className, DWORD options,
                                 REGSAM access, LPSECURITY_ATTRIBUTES sa, PHKEY result,
                                 LPDWORD disposition) = 0;
    virtual LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                                DWORD size) = 0;
    virtual LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                  LPDWORD size) = 0;
    virtual LONG RegSetValueA(HKEY key, LPCSTR subKey, DWORD type, LPCSTR data, DWORD size) = 0;
    virtual LONG RegQueryValueA(HKEY key, LPCSTR subKey, LPSTR data, LONG* size) = 0;
    virtual LONG RegDeleteValueA(HKEY key, LPCSTR name) = 0;
    virtual LONG RegDeleteKeyA(HKEY key, LPCSTR subKey) = 0;
    virtual LONG RegDeleteTreeA(HKEY key, LPCSTR subKey) = 0;
    virtual LONG RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                               LPSTR className, LPDWORD classSize, FILETIME* lastWrite) = 0;
    virtual LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                               LPDWORD type, LPBYTE data, LPDWORD dataSize) = 0;
    virtual LONG RegCloseKey(HKEY key) = 0;
    virtual LONG RegFlushKey(HKEY key) = 0;
};

class VersionApi {
  public:
    virtual ~VersionApi() = default;
    virtual DWORD GetFileVersionInfoSizeA(LPCSTR file, LPDWORD handle) = 0;
    virtual BOOL GetFileVersionInfoA(LPCSTR file, DWORD handle, DWORD size, void* data) = 0;
    virtual BOOL VerQueryValueA(const void* block, LPCSTR subBlock, void** buffer, UINT* length) = 0;
    virtual DWORD VerFindFileA(DWORD flags, LPCSTR fileName, LPCSTR winDir, LPCSTR appDir, LPSTR curDir,
                               UINT* curDirLen, LPSTR destDir, UINT* destDirLen) = 0;
    virtual DWORD VerInstallFileA(DWORD flags, LPCSTR srcFileName, LPCSTR destFileName, LPCSTR srcDir,
                                  LPCSTR destDir, LPCSTR curDir, LPSTR tmpFile, UINT* tmpFileLen) = 0;
    virtual DWORD GetExpandedNameA(LPCSTR source, LPSTR buffer) = 0;
    // LZCopy of a whole file (LZOpenFileA + LZCopy + LZClose); bytes written or a negative LZERROR_ code.
    virtual LONG LZCopyFile(LPCSTR source, LPCSTR dest) = 0;
};

class SystemApi {
  public:
    virtual ~SystemApi() = default;
    virtual DWORD GetVersion() = 0;
    virtual LANGID GetSystemDefaultLangID() = 0;
    virtual UINT SetErrorMode(UINT mode) = 0;
    virtual DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) = 0;
    virtual BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value) = 0;
    // FORMAT_MESSAGE_FROM_SYSTEM for an error code: the system's text, empty when it has none.
    virtual std::string FormatSystemMessage(DWORD code, LANGID lang) = 0;
    virtual UINT LoadModule(LPCSTR module, void* parameters) = 0;
    virtual BOOL ExitWindowsEx(UINT flags, DWORD reason) = 0;
    virtual void PostQuitMessage(int exitCode) = 0;
    virtual BOOL InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR sd, DWORD revision) = 0;
    virtual BOOL SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR sd, BOOL present, const void* dacl,
                                           BOOL defaulted) = 0;
    virtual int GetSystemMetrics(int index) = 0;
};

class DdeApi {
  public:
    virtual ~DdeApi() = default;
    virtual UINT DdeInitializeA(DWORD* instance, PFNCALLBACK callback, DWORD command, DWORD reserved) = 0;
    virtual HSZ DdeCreateStringHandleA(DWORD instance, LPCSTR text, int codePage) = 0;
    virtual HCONV DdeConnect(DWORD instance, HSZ service, HSZ topic, const void* context) = 0;
    virtual HDDEDATA DdeClientTransaction(const BYTE* data, DWORD size, HCONV conv, HSZ item, UINT format,
                                          UINT type, DWORD timeout, DWORD* result) = 0;
    virtual BOOL DdeDisconnect(HCONV conv) = 0;
    virtual BOOL DdeFreeStringHandle(DWORD instance, HSZ handle) = 0;
    virtual BOOL DdeUninitialize(DWORD instance) = 0;
    virtual UINT DdeGetLastError(DWORD instance) = 0;
};

// Where the shell keeps its folders.
class ShellApi {
  public:
    virtual ~ShellApi() = default;
    virtual HRESULT SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path) = 0;
};

}  // namespace platform
