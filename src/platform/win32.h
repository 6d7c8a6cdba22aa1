// The named Windows operations as free functions over the services in force, so the logic calls
// RegOpenKeyExA(HKEY_LOCAL_MACHINE, ...) as the Windows program did. Generated from platform/api.h and
// platform/ui_api.h; one line a call.
#pragma once

#include "platform/last_error.h"
#include "platform/platform.h"

// clang-format off
inline HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa, DWORD disposition, DWORD flags, HANDLE templateFile) { return platform::Current().files->CreateFileA(name, access, share, sa, disposition, flags, templateFile); }
inline BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, LPDWORD read, void* overlapped) { return platform::Current().files->ReadFile(file, buffer, toRead, read, overlapped); }
inline BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, LPDWORD written, void* overlapped) { return platform::Current().files->WriteFile(file, buffer, toWrite, written, overlapped); }
inline BOOL CloseHandle(HANDLE handle) { return platform::Current().files->CloseHandle(handle); }
inline DWORD GetFileSize(HANDLE file, LPDWORD high) { return platform::Current().files->GetFileSize(file, high); }
inline DWORD SetFilePointer(HANDLE file, LONG distance, LONG* high, DWORD method) { return platform::Current().files->SetFilePointer(file, distance, high, method); }
inline BOOL CopyFileA(LPCSTR existing, LPCSTR newName, BOOL failIfExists) { return platform::Current().files->CopyFileA(existing, newName, failIfExists); }
inline BOOL DeleteFileA(LPCSTR name) { return platform::Current().files->DeleteFileA(name); }
inline BOOL MoveFileA(LPCSTR existing, LPCSTR newName) { return platform::Current().files->MoveFileA(existing, newName); }
inline BOOL CreateDirectoryA(LPCSTR name, LPSECURITY_ATTRIBUTES sa) { return platform::Current().files->CreateDirectoryA(name, sa); }
inline BOOL RemoveDirectoryA(LPCSTR name) { return platform::Current().files->RemoveDirectoryA(name); }
inline DWORD GetFileAttributesA(LPCSTR name) { return platform::Current().files->GetFileAttributesA(name); }
inline BOOL SetFileAttributesA(LPCSTR name, DWORD attributes) { return platform::Current().files->SetFileAttributesA(name, attributes); }
inline HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) { return platform::Current().files->FindFirstFileA(pattern, data); }
inline BOOL FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data) { return platform::Current().files->FindNextFileA(find, data); }
inline BOOL FindClose(HANDLE find) { return platform::Current().files->FindClose(find); }
inline UINT GetWindowsDirectoryA(LPSTR buffer, UINT size) { return platform::Current().files->GetWindowsDirectoryA(buffer, size); }
inline UINT GetSystemDirectoryA(LPSTR buffer, UINT size) { return platform::Current().files->GetSystemDirectoryA(buffer, size); }
inline BOOL SetCurrentDirectoryA(LPCSTR path) { return platform::Current().files->SetCurrentDirectoryA(path); }
inline DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer) { return platform::Current().files->GetCurrentDirectoryA(size, buffer); }
inline DWORD GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size) { return platform::Current().files->GetShortPathNameA(longPath, shortPath, size); }
inline DWORD GetLongPathNameA(LPCSTR shortPath, LPSTR longPath, DWORD size) { return platform::Current().files->GetLongPathNameA(shortPath, longPath, size); }
inline DWORD GetFullPathNameA(LPCSTR name, DWORD size, LPSTR buffer, LPSTR* filePart) { return platform::Current().files->GetFullPathNameA(name, size, buffer, filePart); }
inline BOOL GetDiskFreeSpaceExA(LPCSTR root, ULONGLONG* freeToCaller, ULONGLONG* total, ULONGLONG* totalFree) { return platform::Current().files->GetDiskFreeSpaceExA(root, freeToCaller, total, totalFree); }
inline UINT GetDriveTypeA(LPCSTR root) { return platform::Current().files->GetDriveTypeA(root); }
inline DWORD GetLogicalDrives() { return platform::Current().files->GetLogicalDrives(); }
inline DWORD GetTempPathA(DWORD size, LPSTR buffer) { return platform::Current().files->GetTempPathA(size, buffer); }
inline DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultText, LPSTR buffer, DWORD size, LPCSTR file) { return platform::Current().profiles->GetPrivateProfileStringA(section, key, defaultText, buffer, size, file); }
inline BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) { return platform::Current().profiles->WritePrivateProfileStringA(section, key, value, file); }
inline UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR file) { return platform::Current().profiles->GetPrivateProfileIntA(section, key, defaultValue, file); }
inline DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR file) { return platform::Current().profiles->GetPrivateProfileSectionA(section, buffer, size, file); }
inline DWORD GetPrivateProfileSectionNamesA(LPSTR buffer, DWORD size, LPCSTR file) { return platform::Current().profiles->GetPrivateProfileSectionNamesA(buffer, size, file); }
inline BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR data, LPCSTR file) { return platform::Current().profiles->WritePrivateProfileSectionA(section, data, file); }
inline DWORD GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultText, LPSTR buffer, DWORD size) { return platform::Current().profiles->GetProfileStringA(section, key, defaultText, buffer, size); }
inline BOOL WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) { return platform::Current().profiles->WriteProfileStringA(section, key, value); }
inline LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result) { return platform::Current().registry->RegOpenKeyExA(key, subKey, options, access, result); }
inline LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR className, DWORD options, REGSAM access, LPSECURITY_ATTRIBUTES sa, PHKEY result, LPDWORD disposition) { return platform::Current().registry->RegCreateKeyExA(key, subKey, reserved, className, options, access, sa, result, disposition); }
inline LONG RegSetValueExA(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) { return platform::Current().registry->RegSetValueExA(key, name, reserved, type, data, size); }
inline LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) { return platform::Current().registry->RegQueryValueExA(key, name, reserved, type, data, size); }
inline LONG RegSetValueA(HKEY key, LPCSTR subKey, DWORD type, LPCSTR data, DWORD size) { return platform::Current().registry->RegSetValueA(key, subKey, type, data, size); }
inline LONG RegQueryValueA(HKEY key, LPCSTR subKey, LPSTR data, LONG* size) { return platform::Current().registry->RegQueryValueA(key, subKey, data, size); }
inline LONG RegDeleteValueA(HKEY key, LPCSTR name) { return platform::Current().registry->RegDeleteValueA(key, name); }
inline LONG RegDeleteKeyA(HKEY key, LPCSTR subKey) { return platform::Current().registry->RegDeleteKeyA(key, subKey); }
inline LONG RegDeleteTreeA(HKEY key, LPCSTR subKey) { return platform::Current().registry->RegDeleteTreeA(key, subKey); }
inline LONG RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved, LPSTR className, LPDWORD classSize, FILETIME* lastWrite) { return platform::Current().registry->RegEnumKeyExA(key, index, name, nameSize, reserved, className, classSize, lastWrite); }
inline LONG RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize) { return platform::Current().registry->RegEnumValueA(key, index, name, nameSize, reserved, type, data, dataSize); }
inline LONG RegCloseKey(HKEY key) { return platform::Current().registry->RegCloseKey(key); }
inline LONG RegFlushKey(HKEY key) { return platform::Current().registry->RegFlushKey(key); }
inline DWORD GetFileVersionInfoSizeA(LPCSTR file, LPDWORD handle) { return platform::Current().versions->GetFileVersionInfoSizeA(file, handle); }
inline BOOL GetFileVersionInfoA(LPCSTR file, DWORD handle, DWORD size, void* data) { return platform::Current().versions->GetFileVersionInfoA(file, handle, size, data); }
inline BOOL VerQueryValueA(const void* block, LPCSTR subBlock, void** buffer, UINT* length) { return platform::Current().versions->VerQueryValueA(block, subBlock, buffer, length); }
inline DWORD VerFindFileA(DWORD flags, LPCSTR fileName, LPCSTR winDir, LPCSTR appDir, LPSTR curDir, UINT* curDirLen, LPSTR destDir, UINT* destDirLen) { return platform::Current().versions->VerFindFileA(flags, fileName, winDir, appDir, curDir, curDirLen, destDir, destDirLen); }
inline DWORD VerInstallFileA(DWORD flags, LPCSTR srcFileName, LPCSTR destFileName, LPCSTR srcDir, LPCSTR destDir, LPCSTR curDir, LPSTR tmpFile, UINT* tmpFileLen) { return platform::Current().versions->VerInstallFileA(flags, srcFileName, destFileName, srcDir, destDir, curDir, tmpFile, tmpFileLen); }
inline DWORD GetExpandedNameA(LPCSTR source, LPSTR buffer) { return platform::Current().versions->GetExpandedNameA(source, buffer); }
inline LONG LZCopyFile(LPCSTR source, LPCSTR dest) { return platform::Current().versions->LZCopyFile(source, dest); }
inline DWORD GetVersion() { return platform::Current().system->GetVersion(); }
inline LANGID GetSystemDefaultLangID() { return platform::Current().system->GetSystemDefaultLangID(); }
inline UINT SetErrorMode(UINT mode) { return platform::Current().system->SetErrorMode(mode); }
inline DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR buffer, DWORD size) { return platform::Current().system->GetEnvironmentVariableA(name, buffer, size); }
inline BOOL SetEnvironmentVariableA(LPCSTR name, LPCSTR value) { return platform::Current().system->SetEnvironmentVariableA(name, value); }
inline std::string FormatSystemMessage(DWORD code, LANGID lang) { return platform::Current().system->FormatSystemMessage(code, lang); }
inline UINT LoadModule(LPCSTR module, void* parameters) { return platform::Current().system->LoadModule(module, parameters); }
inline BOOL ExitWindowsEx(UINT flags, DWORD reason) { return platform::Current().system->ExitWindowsEx(flags, reason); }
inline void PostQuitMessage(int exitCode) { return platform::Current().system->PostQuitMessage(exitCode); }
inline BOOL InitializeSecurityDescriptor(PSECURITY_DESCRIPTOR sd, DWORD revision) { return platform::Current().system->InitializeSecurityDescriptor(sd, revision); }
inline BOOL SetSecurityDescriptorDacl(PSECURITY_DESCRIPTOR sd, BOOL present, const void* dacl, BOOL defaulted) { return platform::Current().system->SetSecurityDescriptorDacl(sd, present, dacl, defaulted); }
inline int GetSystemMetrics(int index) { return platform::Current().system->GetSystemMetrics(index); }
inline UINT DdeInitializeA(DWORD* instance, PFNCALLBACK callback, DWORD command, DWORD reserved) { return platform::Current().dde->DdeInitializeA(instance, callback, command, reserved); }
inline HSZ DdeCreateStringHandleA(DWORD instance, LPCSTR text, int codePage) { return platform::Current().dde->DdeCreateStringHandleA(instance, text, codePage); }
inline HCONV DdeConnect(DWORD instance, HSZ service, HSZ topic, const void* context) { return platform::Current().dde->DdeConnect(instance, service, topic, context); }
inline HDDEDATA DdeClientTransaction(const BYTE* data, DWORD size, HCONV conv, HSZ item, UINT format, UINT type, DWORD timeout, DWORD* result) { return platform::Current().dde->DdeClientTransaction(data, size, conv, item, format, type, timeout, result); }
inline BOOL DdeDisconnect(HCONV conv) { return platform::Current().dde->DdeDisconnect(conv); }
inline BOOL DdeFreeStringHandle(DWORD instance, HSZ handle) { return platform::Current().dde->DdeFreeStringHandle(instance, handle); }
inline BOOL DdeUninitialize(DWORD instance) { return platform::Current().dde->DdeUninitialize(instance); }
inline UINT DdeGetLastError(DWORD instance) { return platform::Current().dde->DdeGetLastError(instance); }
inline HRESULT SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path) { return platform::Current().shell->SHGetFolderPathA(owner, folder, token, flags, path); }
inline int MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD languageId) { return platform::Current().ui->MessageBoxExA(owner, text, caption, type, languageId); }
inline BOOL WinHelpA(HWND owner, LPCSTR helpFile, UINT command, DWORD data) { return platform::Current().ui->WinHelpA(owner, helpFile, command, data); }
inline std::intptr_t ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, int showCommand) { return platform::Current().ui->ShellExecuteA(owner, operation, file, parameters, directory, showCommand); }

// The C runtime's stream calls over Windows paths.
namespace crt {
using FILE = platform::CrtFile;
inline platform::CrtFile* fopen(const char* path, const char* mode) { return platform::Current().files->fopen(path, mode); }
inline int fclose(platform::CrtFile* file) { return platform::Current().files->fclose(file); }
inline char* fgets(char* buffer, int size, platform::CrtFile* file) { return platform::Current().files->fgets(buffer, size, file); }
inline int fputs(const char* text, platform::CrtFile* file) { return platform::Current().files->fputs(text, file); }
inline std::size_t fread(void* buffer, std::size_t size, std::size_t count, platform::CrtFile* file) { return platform::Current().files->fread(buffer, size, count, file); }
inline std::size_t fwrite(const void* buffer, std::size_t size, std::size_t count, platform::CrtFile* file) { return platform::Current().files->fwrite(buffer, size, count, file); }
inline int fseek(platform::CrtFile* file, long offset, int origin) { return platform::Current().files->fseek(file, offset, origin); }
inline long ftell(platform::CrtFile* file) { return platform::Current().files->ftell(file); }
inline int feof(platform::CrtFile* file) { return platform::Current().files->feof(file); }
inline int fflush(platform::CrtFile* file) { return platform::Current().files->fflush(file); }
inline int remove(const char* path) { return platform::Current().files->remove(path); }
}  // namespace crt
// clang-format on
