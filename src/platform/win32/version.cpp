#include "platform/win32/backend.h"
#include "platform/win32/mirror.h"

namespace platform::win32 {

DWORD NativeVersion::GetFileVersionInfoSizeA(LPCSTR file, LPDWORD handle) {
    return Mirror(native::GetFileVersionInfoSizeA(file, handle));
}

BOOL NativeVersion::GetFileVersionInfoA(LPCSTR file, DWORD handle, DWORD size, void* data) {
    return Mirror(native::GetFileVersionInfoA(file, handle, size, data));
}

BOOL NativeVersion::VerQueryValueA(const void* block, LPCSTR subBlock, void** buffer, UINT* length) {
    return Mirror(native::VerQueryValueA(block, subBlock, buffer, length));
}

DWORD NativeVersion::VerFindFileA(DWORD flags, LPCSTR fileName, LPCSTR winDir, LPCSTR appDir, LPSTR curDir,
                                  UINT* curDirLen, LPSTR destDir, UINT* destDirLen) {
    return Mirror(
        native::VerFindFileA(flags, fileName, winDir, appDir, curDir, curDirLen, destDir, destDirLen));
}

DWORD NativeVersion::VerInstallFileA(DWORD flags, LPCSTR srcFileName, LPCSTR destFileName, LPCSTR srcDir,
                                     LPCSTR destDir, LPCSTR curDir, LPSTR tmpFile, UINT* tmpFileLen) {
    return Mirror(native::VerInstallFileA(flags, srcFileName, destFileName, srcDir, destDir, curDir, tmpFile,
                                          tmpFileLen));
}

DWORD NativeVersion::GetExpandedNameA(LPCSTR source, LPSTR buffer) {
    return Mirror(native::GetExpandedNameA(source, buffer));
}

LONG NativeVersion::LZCopyFile(LPCSTR source, LPCSTR dest) {
    return Mirror(native::LZCopyFile(source, dest));
}

}  // namespace platform::win32
