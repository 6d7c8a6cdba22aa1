// The platform interface over the real Windows API: every operation calls the system's own function of
// the same name, with the same flags, and reports its result code and last error unchanged. This is
// the backend of the native program; the simulated machine (platform/machine) is the other one.
#pragma once

#include <functional>
#include <string>

#include "platform/api.h"
#include "platform/platform.h"

namespace platform::win32 {

class NativeFiles : public FileApi {
  public:
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

    // The C runtime's own streams (its text mode is the Windows one).
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

class NativeProfile : public ProfileApi {
  public:
    DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultText, LPSTR buffer, DWORD size,
                                   LPCSTR file) override;
    BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) override;
    UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR file) override;
    DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR file) override;
    DWORD GetPrivateProfileSectionNamesA(LPSTR buffer, DWORD size, LPCSTR file) override;
    BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR data, LPCSTR file) override;
    DWORD GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultText, LPSTR buffer,
                            DWORD size) override;
    BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) override;
};

class NativeRegistry : public RegistryApi {
  public:
    LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) override;
    LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR className, DWORD options,
                         REGSAM access, LPSECURITY_ATTRIBUTES sa, PHKEY result, LPDWORD disposition) override;
    LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data,
                        DWORD size) override;
    LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                          LPDWORD size) override;
    LONG RegSetValueA(HKEY key, LPCSTR subKey, DWORD type, LPCSTR data, DWORD size) override;
    LONG RegQueryValueA(HKEY key, LPCSTR subKey, LPSTR data, LONG* size) override;
    LONG RegDeleteValueA(HKEY key, LPCSTR name) override;
    LONG RegDeleteKeyA(HKEY key, LPCSTR subKey) override;
    LONG RegDeleteTreeA(HKEY key, LPCSTR subKey) override;
    LONG RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved, LPSTR className,
                       LPDWORD classSize, FILETIME* lastWrite) override;
    LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved, LPDWORD type,
                       LPBYTE data, LPDWORD dataSize) override;
    LONG RegCloseKey(HKEY key) override;
    LONG RegFlushKey(HKEY key) override;
};

class NativeVersion : public VersionApi {
  public:
    DWORD GetFileVersionInfoSizeA(LPCSTR file, LPDWORD handle) override;
    BOOL GetFileVersionInfoA(LPCSTR file, DWORD handle, DWORD size, void* data) override;
    BOOL VerQueryValueA(const void* block, LPCSTR subBlock, void** buffer, UINT* length) override;
    DWORD VerFindFileA(DWORD flags, LPCSTR fileName, LPCSTR winDir, LPCSTR appDir, LPSTR curDir,
                       UINT* curDirLen, LPSTR destDir, UINT* destDirLen) override;
    DWORD VerInstallFileA(DWORD flags, LPCSTR srcFileName, LPCSTR destFileName, LPCSTR srcDir, LPCSTR destDir,
                          LPCSTR curDir, LPSTR tmpFile, UINT* tmpFileLen) override;
    DWORD GetExpandedNameA(LPCSTR source, LPSTR buffer) override;
    LONG LZCopyFile(LPCSTR source, LPCSTR dest) override;
};

class NativeSystem : public SystemApi {
  public:
    DWORD GetVersion() override;
    LANGID GetSystemDefaultLangID() override;
    UINT SetErrorMode(UINT mode) override;
    DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) override;
    BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value) override;
    std::string FormatSystemMessage(DWORD code, LANGID lang) override;
    UINT LoadModule(LPCSTR module, void* parameters) override;
    BOOL ExitWindowsEx(UINT flags, DWORD reason) override;
    void PostQuitMessage(int exitCode) override;
    BOOL InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR sd, DWORD revision) override;
    BOOL SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR sd, BOOL present, const void* dacl,
                                   BOOL defaulted) override;
    int GetSystemMetrics(int index) override;

    // The first PostQuitMessage code: the program's exit status.
    bool QuitPosted() const { return quitPosted_; }
    int QuitCode() const { return quitCode_; }
    // Where program starts and session requests are reported (the transcript).
    void SetTrace(std::function<void(const std::string&)> trace) { trace_ = std::move(trace); }

  private:
    bool quitPosted_ = false;
    int quitCode_ = 0;
    std::function<void(const std::string&)> trace_;
};

class NativeDde : public DdeApi {
  public:
    UINT DdeInitializeA(DWORD* instance, PFNCALLBACK callback, DWORD command, DWORD reserved) override;
    HSZ DdeCreateStringHandleA(DWORD instance, LPCSTR text, int codePage) override;
    HCONV DdeConnect(DWORD instance, HSZ service, HSZ topic, const void* context) override;
    HDDEDATA DdeClientTransaction(const BYTE* data, DWORD size, HCONV conv, HSZ item, UINT format, UINT type,
                                  DWORD timeout, DWORD* result) override;
    BOOL DdeDisconnect(HCONV conv) override;
    BOOL DdeFreeStringHandle(DWORD instance, HSZ handle) override;
    BOOL DdeUninitialize(DWORD instance) override;
    UINT DdeGetLastError(DWORD instance) override;

    // With the host's --no-progman: no server answers a conversation, as on a machine without Program
    // Manager (DdeConnect fails with DMLERR_NO_CONV_ESTABLISHED).
    void SetServersAbsent(bool absent) { serversAbsent_ = absent; }

  private:
    bool serversAbsent_ = false;
    bool connectRefused_ = false;
};

class NativeShell : public ShellApi {
  public:
    HRESULT SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path) override;
};

// The whole native machine: one object of each service.
class NativeMachine {
  public:
    Services ServicesWith(UiApi* ui);
    NativeFiles& files() { return files_; }
    NativeRegistry& registry() { return registry_; }
    NativeSystem& system() { return system_; }
    NativeDde& dde() { return dde_; }

  private:
    NativeFiles files_;
    NativeProfile profile_;
    NativeRegistry registry_;
    NativeVersion version_;
    NativeSystem system_;
    NativeDde dde_;
    NativeShell shell_;
};

// The full path of the running program.
std::string ProgramPath();

}  // namespace platform::win32
