// The path probe: path names, searches and the current directory, with the oracle's buffer conventions.
//   short PATH [BUFSIZE]   long PATH [BUFSIZE]   full PATH [BUFSIZE]   find PATTERN   cd PATH
//   pwd [BUFSIZE]   verfind FLAGS FILE WINDIR APPDIR   move SRC DST
// The short probe is the same with only short and long.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/machine/text_util.h"
#include "platform/win32.h"
#include "script.h"

namespace winprobe {

namespace {

char g_buf[4096];

DWORD BufferSize(const Tokens& t, std::size_t at) {
    DWORD size = t.size() > at ? static_cast<DWORD>(ParseNumber(t[at].s)) : 260;
    return std::min<DWORD>(size, sizeof g_buf);
}

void PrintBuffer(DWORD size) {
    Print(" buf=");
    PrintEscaped(g_buf, static_cast<std::size_t>(WrittenLength(g_buf, static_cast<int>(size))));
}

void DoPath(bool toShort, const char* path, DWORD size) {
    std::memset(g_buf, kFillByte, sizeof g_buf);
    ResetError();
    DWORD r = toShort ? GetShortPathNameA(path, g_buf, size) : GetLongPathNameA(path, g_buf, size);
    Print("  ret=%lu", static_cast<unsigned long>(r));
    PrintError();
    PrintBuffer(size);
    Print("\n");
}

void DoFull(const char* path, DWORD size) {
    std::memset(g_buf, kFillByte, sizeof g_buf);
    char untouched = 0;
    LPSTR part = &untouched;
    ResetError();
    DWORD r = GetFullPathNameA(path, size, g_buf, &part);
    Print("  ret=%lu", static_cast<unsigned long>(r));
    PrintError();
    PrintBuffer(size);
    if (part == &untouched)
        Print(" file=untouched\n");
    else if (!part)
        Print(" file=<null>\n");
    else
        Print(" file=%ld\n", static_cast<long>(part - g_buf));
}

void DoFind(const char* pattern) {
    std::vector<WIN32_FIND_DATAA> found(1);
    ResetError();
    HANDLE h = FindFirstFileA(pattern, &found[0]);
    if (h == INVALID_HANDLE_VALUE) {
        Print("  none");
        PrintError();
        Print("\n");
        return;
    }
    WIN32_FIND_DATAA next;
    while (found.size() < 255 && FindNextFileA(h, &next))
        found.push_back(next);
    FindClose(h);
    std::sort(found.begin(), found.end(), [](const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
        return platform::CompareNoCase(a.cFileName, b.cFileName) < 0;
    });
    Print("  count=%d\n", static_cast<int>(found.size()));
    for (const auto& f : found) {
        Print("  name=");
        PrintString(f.cFileName);
        Print(" alt=");
        PrintString(f.cAlternateFileName);
        if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Print(" dir");
        Print("\n");
    }
}

void DoVerFind(const Tokens& t) {
    char cur[MAX_PATH], dest[MAX_PATH];
    UINT curLen = MAX_PATH, destLen = MAX_PATH;
    DWORD flags = t[1].s == "SHARED" ? VFFF_ISSHAREDFILE : static_cast<DWORD>(ParseNumber(t[1].s));
    std::memset(cur, kFillByte, sizeof cur);
    std::memset(dest, kFillByte, sizeof dest);
    DWORD r = VerFindFileA(flags, t[2].c(), t[3].c(), t[4].c(), cur, &curLen, dest, &destLen);
    Print("  ret=0x%lx cur=", static_cast<unsigned long>(r));
    PrintEscaped(cur, static_cast<std::size_t>(WrittenLength(cur, MAX_PATH)));
    Print(" curlen=%u dest=", curLen);
    PrintEscaped(dest, static_cast<std::size_t>(WrittenLength(dest, MAX_PATH)));
    Print(" destlen=%u\n", destLen);
}

void PrintResult(BOOL ok) {
    Print("  ok=%d", ok ? 1 : 0);
    if (!ok) PrintError();
    Print("\n");
}

}  // namespace

bool ShortCommand(const Tokens& t) {
    if ((t[0].s == "short" || t[0].s == "long") && (t.size() == 2 || t.size() == 3)) {
        DoPath(t[0].s == "short", t[1].c(), BufferSize(t, 2));
        return true;
    }
    return false;
}

bool PathCommand(const Tokens& t) {
    const std::string& c = t[0].s;
    const std::size_t n = t.size();
    if (ShortCommand(t)) return true;
    if (c == "full" && (n == 2 || n == 3)) {
        DoFull(t[1].c(), BufferSize(t, 2));
    } else if (c == "find" && n == 2) {
        DoFind(t[1].c());
    } else if (c == "cd" && n == 2) {
        ResetError();
        PrintResult(SetCurrentDirectoryA(t[1].c()));
    } else if (c == "pwd" && (n == 1 || n == 2)) {
        DWORD size = BufferSize(t, 1);
        std::memset(g_buf, kFillByte, sizeof g_buf);
        DWORD r = GetCurrentDirectoryA(size, g_buf);
        Print("  ret=%lu", static_cast<unsigned long>(r));
        PrintBuffer(size);
        Print("\n");
    } else if (c == "verfind" && n == 5) {
        DoVerFind(t);
    } else if (c == "move" && n == 3) {
        ResetError();
        PrintResult(MoveFileA(t[1].c(), t[2].c()));
    } else {
        return false;
    }
    return true;
}

}  // namespace winprobe
