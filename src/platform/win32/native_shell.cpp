// shell32 behind platform/win32/native.h: the shell's folders.
#include "platform/win32/native_internal.h"

// After <windows.h>, which it needs.
#include <shlobj.h>

namespace platform::native {

std::int32_t SHGetFolderPathA(int folder, u32 flags, char* path) {
    return ::SHGetFolderPathA(nullptr, folder, nullptr, flags, path);
}

}  // namespace platform::native
