// Helpers shared by the parts of MachineFiles.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/win_types.h"

namespace platform::files_internal {

// The Windows rule for string results: when the text and its NUL fit, copy them and return the
// length; otherwise leave the buffer alone and return the size needed, NUL included.
inline DWORD CopyOut(const std::string& text, char* buffer, DWORD size) {
    if (buffer && size > text.size()) {
        std::memmove(buffer, text.c_str(), text.size() + 1);
        return static_cast<DWORD>(text.size());
    }
    return static_cast<DWORD>(text.size() + 1);
}

// A host errno as the Windows error of the call that met it; `parentExists` tells a missing file
// (ERROR_FILE_NOT_FOUND) from a missing directory on the way (ERROR_PATH_NOT_FOUND).
DWORD ErrorFromErrno(int err, bool parentExists = true);

// open(2) of a host file that must be a regular file: a FIFO would block the setup and a device
// (a link to /dev/zero) would feed it without end. -1 with errno EINVAL for anything else, which
// NotRegularError turns into the code a caller reports.
int OpenRegularHost(const std::string& path, int flags, unsigned mode = 0666);

// Host time (seconds, nanoseconds since 1970) as a FILETIME (100 ns since 1601).
FILETIME FileTimeFrom(std::int64_t sec, std::int64_t nsec);

// Windows wildcards against one name (see files_find.cpp).
bool WildcardMatch(const std::string& pattern, const std::string& name);

inline bool WantsRead(DWORD access) {
    return access & (GENERIC_READ | 0x10000000u /*GENERIC_ALL*/ | 0x1u /*FILE_READ_DATA*/);
}
inline bool WantsWrite(DWORD access) {
    return access & (GENERIC_WRITE | 0x10000000u | 0x2u /*FILE_WRITE_DATA*/ | 0x4u /*FILE_APPEND_DATA*/);
}
inline bool WantsDelete(DWORD access) {
    return access & 0x10000u;  // DELETE
}

}  // namespace platform::files_internal
