// The "profile" probe: the profile (INI) calls and the system error texts.
//
//   get FILE SECTION KEY DEFAULT BUFSIZE   GetPrivateProfileStringA
//   getint FILE SECTION KEY DEFAULT         GetPrivateProfileIntA
//   section FILE SECTION BUFSIZE            GetPrivateProfileSectionA
//   names FILE BUFSIZE                      GetPrivateProfileSectionNamesA
//   write FILE SECTION KEY VALUE            WritePrivateProfileStringA
//   writesection FILE SECTION DATA          WritePrivateProfileSectionA
//   wget SECTION KEY DEFAULT BUFSIZE        GetProfileStringA (win.ini)
//   wwrite SECTION KEY VALUE                WriteProfileStringA (win.ini)
//   errtext CODE                            FormatMessageA(FROM_SYSTEM) of an error code
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/last_error.h"
#include "platform/win32.h"
#include "script.h"

namespace winprobe {

namespace {

constexpr int kMaxBuffer = 65536;
constexpr DWORD kMessageNotFound = 317;  // ERROR_MR_MID_NOT_FOUND
char g_buffer[kMaxBuffer + 16];

int BufferSize(const Token& t) {
    unsigned long v = ParseNumber(t.s);
    return v > kMaxBuffer ? kMaxBuffer : static_cast<int>(v);
}

void Fill() {
    std::memset(g_buffer, kFillByte, sizeof g_buffer);
}

void PrintBufferResult(DWORD ret, int size) {
    Print("  ret=%lu", static_cast<unsigned long>(ret));
    PrintError();
    Print(" buf=");
    PrintEscaped(g_buffer, static_cast<std::size_t>(WrittenLength(g_buffer, size)));
    Print("\n");
}

void PrintBoolResult(BOOL ok) {
    Print("  ret=%d", ok ? 1 : 0);
    PrintError();
    Print("\n");
}

void ErrorText(const Token& code) {
    ResetError();
    std::string text = FormatSystemMessage(static_cast<DWORD>(ParseNumber(code.s)),
                                           MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT));
    if (text.empty()) SetLastError(kMessageNotFound);
    Print("  ret=%lu", static_cast<unsigned long>(text.size()));
    if (text.empty()) PrintError();
    Print(" text=");
    if (text.empty())
        Print("<none>");
    else
        PrintEscaped(text.data(), text.size());
    Print("\n");
}

}  // namespace

bool ProfileCommand(const Tokens& t) {
    const std::string& c = t[0].s;
    const std::size_t n = t.size();
    if (c == "get" && n == 6) {
        int size = BufferSize(t[5]);
        Fill();
        ResetError();
        DWORD r = GetPrivateProfileStringA(t[2].c(), t[3].c(), t[4].c(), g_buffer, size, t[1].c());
        PrintBufferResult(r, size);
    } else if (c == "wget" && n == 5) {
        int size = BufferSize(t[4]);
        Fill();
        ResetError();
        DWORD r = GetProfileStringA(t[1].c(), t[2].c(), t[3].c(), g_buffer, size);
        PrintBufferResult(r, size);
    } else if (c == "getint" && n == 5) {
        ResetError();
        UINT r = GetPrivateProfileIntA(t[2].c(), t[3].c(),
                                       static_cast<int>(std::strtol(t[4].s.c_str(), nullptr, 0)), t[1].c());
        Print("  ret=%u signed=%d", r, static_cast<int>(r));
        PrintError();
        Print("\n");
    } else if (c == "section" && n == 4) {
        int size = BufferSize(t[3]);
        Fill();
        ResetError();
        DWORD r = GetPrivateProfileSectionA(t[2].c(), g_buffer, size, t[1].c());
        PrintBufferResult(r, size);
    } else if (c == "names" && n == 3) {
        int size = BufferSize(t[2]);
        Fill();
        ResetError();
        DWORD r = GetPrivateProfileSectionNamesA(g_buffer, size, t[1].c());
        PrintBufferResult(r, size);
    } else if (c == "write" && n == 5) {
        ResetError();
        PrintBoolResult(WritePrivateProfileStringA(t[2].c(), t[3].c(), t[4].c(), t[1].c()));
    } else if (c == "wwrite" && n == 4) {
        ResetError();
        PrintBoolResult(WriteProfileStringA(t[1].c(), t[2].c(), t[3].c()));
    } else if (c == "writesection" && n == 4) {
        ResetError();
        PrintBoolResult(WritePrivateProfileSectionA(t[2].c(), t[3].c(), t[1].c()));
    } else if (c == "errtext" && n == 2) {
        ErrorText(t[1]);
    } else {
        return false;
    }
    return true;
}

}  // namespace winprobe
