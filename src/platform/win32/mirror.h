// The backend's calls leave the thread's last error as the system left it.
#pragma once

#include "platform/last_error.h"
#include "platform/win32/native.h"

namespace platform::win32 {

template <typename T>
T Mirror(T result) {
    ::SetLastError(native::LastError());
    return result;
}

}  // namespace platform::win32
