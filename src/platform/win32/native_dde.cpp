// The DDE management library of user32 behind platform/win32/native.h.
#include "platform/win32/native_internal.h"

#include <ddeml.h>

namespace platform::native {

unsigned DdeInitializeA(u32* instance, DdeCallback callback, u32 command) {
    DWORD id = instance ? *instance : 0;
    UINT result = ::DdeInitializeA(&id, reinterpret_cast<PFNCALLBACK>(callback), command, 0);
    if (instance) *instance = id;
    return result;
}

void* DdeCreateStringHandleA(u32 instance, const char* text, int codePage) {
    return ::DdeCreateStringHandleA(instance, text, codePage);
}

void* DdeConnect(u32 instance, void* service, void* topic) {
    return ::DdeConnect(instance, static_cast<HSZ>(service), static_cast<HSZ>(topic), nullptr);
}

void* DdeClientTransaction(const std::uint8_t* data, u32 size, void* conv, void* item, unsigned format,
                           unsigned type, u32 timeout, u32* result) {
    DWORD r = 0;
    HDDEDATA answer = ::DdeClientTransaction(const_cast<LPBYTE>(data), size, static_cast<HCONV>(conv),
                                             static_cast<HSZ>(item), format, type, timeout, &r);
    if (result) *result = r;
    return answer;
}

int DdeDisconnect(void* conv) {
    return ::DdeDisconnect(static_cast<HCONV>(conv));
}

int DdeFreeStringHandle(u32 instance, void* handle) {
    return ::DdeFreeStringHandle(instance, static_cast<HSZ>(handle));
}

int DdeUninitialize(u32 instance) {
    return ::DdeUninitialize(instance);
}

unsigned DdeGetLastError(u32 instance) {
    return ::DdeGetLastError(instance);
}

}  // namespace platform::native
