#include "platform/machine/files.h"

#include "platform/last_error.h"

namespace platform {

HANDLE MachineFiles::CreateFileA(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return INVALID_HANDLE_VALUE;
}

BOOL MachineFiles::ReadFile(HANDLE, void*, DWORD, LPDWORD, void*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

BOOL MachineFiles::WriteFile(HANDLE, const void*, DWORD, LPDWORD, void*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

BOOL MachineFiles::CloseHandle(HANDLE) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

DWORD MachineFiles::GetFileSize(HANDLE, LPDWORD) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0xFFFFFFFF;
}

DWORD MachineFiles::SetFilePointer(HANDLE, LONG, LONG*, DWORD) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0xFFFFFFFF;
}

BOOL MachineFiles::CopyFileA(LPCSTR, LPCSTR, BOOL) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

BOOL MachineFiles::DeleteFileA(LPCSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

BOOL MachineFiles::MoveFileA(LPCSTR, LPCSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

BOOL MachineFiles::CreateDirectoryA(LPCSTR, LPSECURITY_ATTRIBUTES) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

BOOL MachineFiles::RemoveDirectoryA(LPCSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

DWORD MachineFiles::GetFileAttributesA(LPCSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0xFFFFFFFF;
}

BOOL MachineFiles::SetFileAttributesA(LPCSTR, DWORD) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

HANDLE MachineFiles::FindFirstFileA(LPCSTR, WIN32_FIND_DATAA*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return INVALID_HANDLE_VALUE;
}

BOOL MachineFiles::FindNextFileA(HANDLE, WIN32_FIND_DATAA*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

BOOL MachineFiles::FindClose(HANDLE) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

UINT MachineFiles::GetWindowsDirectoryA(LPSTR, UINT) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

UINT MachineFiles::GetSystemDirectoryA(LPSTR, UINT) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

BOOL MachineFiles::SetCurrentDirectoryA(LPCSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

DWORD MachineFiles::GetCurrentDirectoryA(DWORD, LPSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

DWORD MachineFiles::GetShortPathNameA(LPCSTR, LPSTR, DWORD) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

DWORD MachineFiles::GetLongPathNameA(LPCSTR, LPSTR, DWORD) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

DWORD MachineFiles::GetFullPathNameA(LPCSTR, DWORD, LPSTR, LPSTR*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

BOOL MachineFiles::GetDiskFreeSpaceExA(LPCSTR, ULONGLONG*, ULONGLONG*, ULONGLONG*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

UINT MachineFiles::GetDriveTypeA(LPCSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

DWORD MachineFiles::GetLogicalDrives() {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

DWORD MachineFiles::GetTempPathA(DWORD, LPSTR) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

CrtFile* MachineFiles::fopen(const char*, const char*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return nullptr;
}

int MachineFiles::fclose(CrtFile*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return -1;
}

char* MachineFiles::fgets(char*, int, CrtFile*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return nullptr;
}

int MachineFiles::fputs(const char*, CrtFile*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return -1;
}

std::size_t MachineFiles::fread(void*, std::size_t, std::size_t, CrtFile*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

std::size_t MachineFiles::fwrite(const void*, std::size_t, std::size_t, CrtFile*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

int MachineFiles::fseek(CrtFile*, long, int) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return -1;
}

long MachineFiles::ftell(CrtFile*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return -1;
}

int MachineFiles::feof(CrtFile*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return 0;
}

int MachineFiles::fflush(CrtFile*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return -1;
}

int MachineFiles::remove(const char*) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return -1;
}

}  // namespace platform
