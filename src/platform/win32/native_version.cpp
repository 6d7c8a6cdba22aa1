// version.dll and lz32 behind platform/win32/native.h: version resources, VerFindFile, VerInstallFile
// (which expands LZ-compressed files itself) and LZ copies.
#include "platform/win32/native_internal.h"

// After <windows.h>, which it needs.
#include <lzexpand.h>

namespace platform::native {

namespace {

LPSTR Writable(const char* text) {
    return const_cast<LPSTR>(text);
}

}  // namespace

u32 GetFileVersionInfoSizeA(const char* file, u32* handle) {
    DWORD h = 0;
    DWORD size = ::GetFileVersionInfoSizeA(file, &h);
    if (handle) *handle = h;
    return size;
}

int GetFileVersionInfoA(const char* file, u32 handle, u32 size, void* data) {
    return ::GetFileVersionInfoA(file, handle, size, data);
}

int VerQueryValueA(const void* block, const char* subBlock, void** buffer, unsigned* length) {
    UINT n = 0;
    BOOL ok = ::VerQueryValueA(block, subBlock, buffer, &n);
    if (length) *length = n;
    return ok;
}

u32 VerFindFileA(u32 flags, const char* fileName, const char* winDir, const char* appDir, char* curDir,
                 unsigned* curDirLen, char* destDir, unsigned* destDirLen) {
    UINT cur = curDirLen ? *curDirLen : 0, dest = destDirLen ? *destDirLen : 0;
    // The old headers declare the input strings without const; the calls only read them.
    DWORD result = ::VerFindFileA(flags, Writable(fileName), Writable(winDir), Writable(appDir), curDir, &cur,
                                  destDir, &dest);
    if (curDirLen) *curDirLen = cur;
    if (destDirLen) *destDirLen = dest;
    return result;
}

u32 VerInstallFileA(u32 flags, const char* srcFileName, const char* destFileName, const char* srcDir,
                    const char* destDir, const char* curDir, char* tmpFile, unsigned* tmpFileLen) {
    UINT n = tmpFileLen ? *tmpFileLen : 0;
    DWORD result = ::VerInstallFileA(flags, Writable(srcFileName), Writable(destFileName), Writable(srcDir),
                                     Writable(destDir), Writable(curDir), tmpFile, &n);
    if (tmpFileLen) *tmpFileLen = n;
    return result;
}

u32 GetExpandedNameA(const char* source, char* buffer) {
    return static_cast<u32>(::GetExpandedNameA(Writable(source), buffer));
}

std::int32_t LZCopyFile(const char* source, const char* dest) {
    OFSTRUCT in{}, out{};
    INT from = ::LZOpenFileA(Writable(source), &in, OF_READ);
    if (from < 0) return from;
    INT to = ::LZOpenFileA(Writable(dest), &out, OF_CREATE);
    if (to < 0) {
        ::LZClose(from);
        return to;
    }
    LONG copied = ::LZCopy(from, to);
    ::LZClose(from);
    ::LZClose(to);
    return copied;
}

}  // namespace platform::native
