#include "platform/win32/backend.h"
#include "platform/win32/native.h"

namespace platform::win32 {

UINT NativeDde::DdeInitializeA(DWORD* instance, PFNCALLBACK callback, DWORD command, DWORD) {
    // The callback's parameters are handles and integers of the same widths as the system's.
    return native::DdeInitializeA(instance, reinterpret_cast<native::DdeCallback>(callback), command);
}

HSZ NativeDde::DdeCreateStringHandleA(DWORD instance, LPCSTR text, int codePage) {
    return static_cast<HSZ>(native::DdeCreateStringHandleA(instance, text, codePage));
}

HCONV NativeDde::DdeConnect(DWORD instance, HSZ service, HSZ topic, const void*) {
    connectRefused_ = serversAbsent_;
    if (serversAbsent_) return nullptr;
    return static_cast<HCONV>(native::DdeConnect(instance, service, topic));
}

HDDEDATA NativeDde::DdeClientTransaction(const BYTE* data, DWORD size, HCONV conv, HSZ item, UINT format,
                                         UINT type, DWORD timeout, DWORD* result) {
    return static_cast<HDDEDATA>(
        native::DdeClientTransaction(data, size, conv, item, format, type, timeout, result));
}

BOOL NativeDde::DdeDisconnect(HCONV conv) {
    return native::DdeDisconnect(conv);
}

BOOL NativeDde::DdeFreeStringHandle(DWORD instance, HSZ handle) {
    return native::DdeFreeStringHandle(instance, handle);
}

BOOL NativeDde::DdeUninitialize(DWORD instance) {
    return native::DdeUninitialize(instance);
}

UINT NativeDde::DdeGetLastError(DWORD instance) {
    if (connectRefused_) {
        connectRefused_ = false;
        return DMLERR_NO_CONV_ESTABLISHED;
    }
    return native::DdeGetLastError(instance);
}

}  // namespace platform::win32
