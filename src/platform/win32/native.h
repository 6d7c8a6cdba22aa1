// The real Windows API, one thin wrapper a call, declared without the system headers.
//
// The platform interface names its types as Windows does (DWORD, HKEY, WIN32_FIND_DATAA ...) in the
// global namespace, and so does <windows.h>, with other underlying types (DWORD is unsigned long there,
// unsigned int here). The two can never meet in one translation unit, so the backend classes see only
// this header, and only the native_*.cpp files include <windows.h>. The wrappers keep the Windows name,
// parameter order, flags and result codes; they take fixed-width integers and plain pointers, and leave
// the thread's last error as the call left it (LastError() reads it).
#pragma once

#include <cstdint>
#include <string>

namespace platform::native {

using u32 = std::uint32_t;
using u64 = std::uint64_t;

// The system's last-error value of this thread (GetLastError of kernel32).
u32 LastError();
void SetLastErrorValue(u32 code);

// WIN32_FIND_DATAA, member for member.
struct FindData {
    u32 attributes;
    u32 creationLow, creationHigh, accessLow, accessHigh, writeLow, writeHigh;
    u32 sizeHigh, sizeLow;
    char name[260];
    char alternate[14];
};

// Security attributes as the setup passes them: none, or a descriptor without an access list (every
// user has full access).
enum class Security { Default, NullDacl };

// Files (kernel32).
void* CreateFileA(const char* name, u32 access, u32 share, Security security, u32 disposition, u32 flags);
int ReadFile(void* file, void* buffer, u32 toRead, u32* read);
int WriteFile(void* file, const void* buffer, u32 toWrite, u32* written);
int CloseHandle(void* handle);
u32 GetFileSize(void* file, u32* high);
u32 SetFilePointer(void* file, std::int32_t distance, std::int32_t* high, u32 method);
int CopyFileA(const char* existing, const char* newName, int failIfExists);
int DeleteFileA(const char* name);
int MoveFileA(const char* existing, const char* newName);
int MoveFileExA(const char* existing, const char* newName, std::uint32_t flags);
int CreateDirectoryA(const char* name, Security security);
int RemoveDirectoryA(const char* name);
u32 GetFileAttributesA(const char* name);
int SetFileAttributesA(const char* name, u32 attributes);
void* FindFirstFileA(const char* pattern, FindData* data);
int FindNextFileA(void* find, FindData* data);
int FindClose(void* find);
unsigned GetWindowsDirectoryA(char* buffer, unsigned size);
unsigned GetSystemDirectoryA(char* buffer, unsigned size);
int SetCurrentDirectoryA(const char* path);
u32 GetCurrentDirectoryA(u32 size, char* buffer);
u32 GetShortPathNameA(const char* longPath, char* shortPath, u32 size);
u32 GetLongPathNameA(const char* shortPath, char* longPath, u32 size);
u32 GetFullPathNameA(const char* name, u32 size, char* buffer, char** filePart);
int GetDiskFreeSpaceExA(const char* root, u64* freeToCaller, u64* total, u64* totalFree);
unsigned GetDriveTypeA(const char* root);
u32 GetLogicalDrives();
u32 GetTempPathA(u32 size, char* buffer);
// The full path of the running program (GetModuleFileNameA of the process's own module).
std::string ModuleFileName();

// Profiles (kernel32).
u32 GetPrivateProfileStringA(const char* section, const char* key, const char* defaultText, char* buffer,
                             u32 size, const char* file);
int WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* file);
unsigned GetPrivateProfileIntA(const char* section, const char* key, int defaultValue, const char* file);
u32 GetPrivateProfileSectionA(const char* section, char* buffer, u32 size, const char* file);
u32 GetPrivateProfileSectionNamesA(char* buffer, u32 size, const char* file);
int WritePrivateProfileSectionA(const char* section, const char* data, const char* file);
u32 GetProfileStringA(const char* section, const char* key, const char* defaultText, char* buffer, u32 size);
int WriteProfileStringA(const char* section, const char* key, const char* value);

// Registry (advapi32). Keys are opaque handles; the predefined roots are passed with their 32-bit values
// (0x80000000 HKEY_CLASSES_ROOT ...) and widened here the way the system headers widen them.
std::int32_t RegOpenKeyExA(void* key, const char* subKey, u32 options, u32 access, void** result);
std::int32_t RegCreateKeyExA(void* key, const char* subKey, char* className, u32 options, u32 access,
                             Security security, void** result, u32* disposition);
std::int32_t RegSetValueExA(void* key, const char* name, u32 type, const std::uint8_t* data, u32 size);
std::int32_t RegQueryValueExA(void* key, const char* name, u32* type, std::uint8_t* data, u32* size);
std::int32_t RegSetValueA(void* key, const char* subKey, u32 type, const char* data, u32 size);
std::int32_t RegQueryValueA(void* key, const char* subKey, char* data, std::int32_t* size);
std::int32_t RegDeleteValueA(void* key, const char* name);
std::int32_t RegDeleteKeyA(void* key, const char* subKey);
std::int32_t RegDeleteTreeA(void* key, const char* subKey);
std::int32_t RegEnumKeyExA(void* key, u32 index, char* name, u32* nameSize, char* className, u32* classSize,
                           u32* lastWriteLow, u32* lastWriteHigh);
std::int32_t RegEnumValueA(void* key, u32 index, char* name, u32* nameSize, u32* type, std::uint8_t* data,
                           u32* dataSize);
std::int32_t RegCloseKey(void* key);
std::int32_t RegFlushKey(void* key);

// Version installation (version.dll) and LZ expansion (lz32).
u32 GetFileVersionInfoSizeA(const char* file, u32* handle);
int GetFileVersionInfoA(const char* file, u32 handle, u32 size, void* data);
int VerQueryValueA(const void* block, const char* subBlock, void** buffer, unsigned* length);
u32 VerFindFileA(u32 flags, const char* fileName, const char* winDir, const char* appDir, char* curDir,
                 unsigned* curDirLen, char* destDir, unsigned* destDirLen);
u32 VerInstallFileA(u32 flags, const char* srcFileName, const char* destFileName, const char* srcDir,
                    const char* destDir, const char* curDir, char* tmpFile, unsigned* tmpFileLen);
u32 GetExpandedNameA(const char* source, char* buffer);
// LZOpenFileA of both files, LZCopy, LZClose: bytes written or a negative LZERROR_ code.
std::int32_t LZCopyFile(const char* source, const char* dest);

// System (kernel32, user32).
u32 GetVersion();
std::uint16_t GetSystemDefaultLangID();
unsigned SetErrorMode(unsigned mode);
u32 GetEnvironmentVariableA(const char* name, char* buffer, u32 size);
int SetEnvironmentVariableA(const char* name, const char* value);
// FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS): empty when there is none.
std::string FormatSystemMessage(u32 code, std::uint16_t lang);
unsigned LoadModule(const char* module, void* parameters);
int ExitWindowsEx(unsigned flags, u32 reason);
void PostQuitMessage(int exitCode);
int GetSystemMetrics(int index);

// Shell folders (shell32): SHGetFolderPathA; an HRESULT.
std::int32_t SHGetFolderPathA(int folder, u32 flags, char* path);

// The DDE management library (user32). The callback has the system's calling convention.
using DdeCallback = void* (*)(unsigned, unsigned, void*, void*, void*, void*, std::uintptr_t, std::uintptr_t);
unsigned DdeInitializeA(u32* instance, DdeCallback callback, u32 command);
void* DdeCreateStringHandleA(u32 instance, const char* text, int codePage);
void* DdeConnect(u32 instance, void* service, void* topic);
void* DdeClientTransaction(const std::uint8_t* data, u32 size, void* conv, void* item, unsigned format,
                           unsigned type, u32 timeout, u32* result);
int DdeDisconnect(void* conv);
int DdeFreeStringHandle(u32 instance, void* handle);
int DdeUninitialize(u32 instance);
unsigned DdeGetLastError(u32 instance);

}  // namespace platform::native
