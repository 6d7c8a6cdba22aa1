// The short probe: GetShortPathNameA and GetLongPathNameA with the oracle's buffer conventions.
//   short PATH [BUFSIZE]    long PATH [BUFSIZE]
#include <cstring>

#include "platform/win32.h"
#include "script.h"

namespace winprobe {

namespace {

void DoPath(bool toShort, const char* path, DWORD size) {
    static char buf[4096];
    if (size > sizeof buf) size = sizeof buf;
    std::memset(buf, kFillByte, sizeof buf);
    ResetError();
    DWORD r = toShort ? GetShortPathNameA(path, buf, size) : GetLongPathNameA(path, buf, size);
    Print("  ret=%lu", static_cast<unsigned long>(r));
    PrintError();
    Print(" buf=");
    PrintEscaped(buf, static_cast<std::size_t>(WrittenLength(buf, static_cast<int>(size))));
    Print("\n");
}

}  // namespace

bool ShortCommand(const Tokens& t) {
    if ((t[0].s == "short" || t[0].s == "long") && (t.size() == 2 || t.size() == 3)) {
        DoPath(t[0].s == "short", t[1].c(), t.size() == 3 ? static_cast<DWORD>(ParseNumber(t[2].s)) : 260);
        return true;
    }
    return false;
}

}  // namespace winprobe
