// The "ver" probe: VerFindFileA, VerInstallFileA, the version-information calls and LZ expansion,
// with the commands and result lines of the oracle's ver_probe.
//
//   find FLAGS FILE WINDIR APPDIR [CURLEN [DESTLEN]]
//   install FLAGS SRCNAME DESTNAME SRCDIR DESTDIR CURDIR [TMPLEN [TMPINIT]]   (<last>: previous temp)
//   info FILE | query FILE SUBBLOCK | expname FILE | lzcopy SRC DST | dirs
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/machine/szdd.h"
#include "platform/win32.h"
#include "script.h"

namespace winprobe {
namespace {

DWORD ParseFlags(const std::string& s) {
    DWORD f = 0;
    std::size_t start = 0;
    while (start <= s.size()) {
        std::size_t bar = s.find('|', start);
        std::string tok = s.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
        if (tok == "SHARED")
            f |= VFFF_ISSHAREDFILE;
        else if (tok == "FORCEINSTALL")
            f |= VIFF_FORCEINSTALL;
        else if (tok == "DONTDELETEOLD")
            f |= VIFF_DONTDELETEOLD;
        else if (!tok.empty())
            f |= static_cast<DWORD>(ParseNumber(tok));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    return f;
}

struct BitName {
    DWORD bit;
    const char* name;
};

void PrintBits(DWORD v, const std::vector<BitName>& table) {
    bool first = true;
    Print("[");
    for (const auto& b : table)
        if (v & b.bit) {
            Print("%s%s", first ? "" : "|", b.name);
            first = false;
            v &= ~b.bit;
        }
    if (v) Print("%s0x%lx", first ? "" : "|", static_cast<unsigned long>(v));
    Print("]");
}

const std::vector<BitName> kVffBits = {
    {VFF_CURNEDEST, "CURNEDEST"}, {VFF_FILEINUSE, "FILEINUSE"}, {VFF_BUFFTOOSMALL, "BUFFTOOSMALL"}};

const std::vector<BitName> kVifBits = {
    {VIF_TEMPFILE, "TEMPFILE"},
    {VIF_MISMATCH, "MISMATCH"},
    {VIF_SRCOLD, "SRCOLD"},
    {VIF_DIFFLANG, "DIFFLANG"},
    {VIF_DIFFCODEPG, "DIFFCODEPG"},
    {VIF_DIFFTYPE, "DIFFTYPE"},
    {VIF_WRITEPROT, "WRITEPROT"},
    {VIF_FILEINUSE, "FILEINUSE"},
    {VIF_OUTOFSPACE, "OUTOFSPACE"},
    {VIF_ACCESSVIOLATION, "ACCESSVIOLATION"},
    {VIF_SHARINGVIOLATION, "SHARINGVIOLATION"},
    {VIF_CANNOTCREATE, "CANNOTCREATE"},
    {VIF_CANNOTDELETE, "CANNOTDELETE"},
    {VIF_CANNOTRENAME, "CANNOTRENAME"},
    {VIF_CANNOTDELETECUR, "CANNOTDELETECUR"},
    {VIF_OUTOFMEMORY, "OUTOFMEMORY"},
    {VIF_CANNOTREADSRC, "CANNOTREADSRC"},
    {VIF_CANNOTREADDST, "CANNOTREADDST"},
    {VIF_BUFFTOOSMALL, "BUFFTOOSMALL"},
    {VIF_CANNOTLOADLZ32, "CANNOTLOADLZ32"},
    {VIF_CANNOTLOADCABINET, "CANNOTLOADCABINET"},
};

void Find(const Tokens& t) {
    char cur[1024], dest[1024];
    UINT curLen = t.size() > 5 ? static_cast<UINT>(ParseNumber(t[5].s)) : 260;
    UINT destLen = t.size() > 6 ? static_cast<UINT>(ParseNumber(t[6].s)) : 260;
    UINT curCap = curLen, destCap = destLen;
    if (curLen > sizeof cur || destLen > sizeof dest) {
        std::puts("  error=len");
        return;
    }
    std::memset(cur, kFillByte, sizeof cur);
    std::memset(dest, kFillByte, sizeof dest);
    ResetError();
    DWORD r = VerFindFileA(ParseFlags(t[1].s), t[2].c(), t[3].c(), t[4].c(), cur, &curLen, dest, &destLen);
    Print("  ret=0x%lx", static_cast<unsigned long>(r));
    PrintBits(r, kVffBits);
    Print(" cur=");
    PrintEscaped(cur, WrittenLength(cur, static_cast<int>(curCap)));
    Print(" curlen=%u dest=", curLen);
    PrintEscaped(dest, WrittenLength(dest, static_cast<int>(destCap)));
    Print(" destlen=%u\n", destLen);
}

std::string g_lastTemp;  // szTmpFile of the last call that returned VIF_TEMPFILE

void Install(const Tokens& t) {
    char tmp[1024];
    UINT tmpLen = t.size() > 7 ? static_cast<UINT>(ParseNumber(t[7].s)) : 260;
    if (tmpLen > sizeof tmp - 1) {
        std::puts("  error=len");
        return;
    }
    UINT cap = tmpLen;
    std::memset(tmp, kFillByte, sizeof tmp);
    if (t.size() > 8 && t[8].s == "<last>")
        std::snprintf(tmp, sizeof tmp, "%s", g_lastTemp.c_str());
    else if (t.size() > 8)
        std::memcpy(tmp, t[8].s.c_str(), std::min(t[8].s.size() + 1, sizeof tmp));
    else
        tmp[0] = 0;
    ResetError();
    DWORD r =
        VerInstallFileA(ParseFlags(t[1].s), t[2].c(), t[3].c(), t[4].c(), t[5].c(), t[6].c(), tmp, &tmpLen);
    Print("  ret=0x%lx", static_cast<unsigned long>(r));
    PrintBits(r, kVifBits);
    Print(" tmp=");
    PrintEscaped(tmp, WrittenLength(tmp, static_cast<int>(cap)));
    Print(" tmplen=%u\n", tmpLen);
    if (r & VIF_TEMPFILE) g_lastTemp.assign(tmp, strnlen(tmp, sizeof tmp));
}

std::vector<unsigned char> LoadInfo(const char* path) {
    DWORD handle = 0xdead;
    ResetError();
    DWORD size = GetFileVersionInfoSizeA(path, &handle);
    Print("  size=%lu handle=%lu", static_cast<unsigned long>(size), static_cast<unsigned long>(handle));
    PrintError();
    Print("\n");
    if (!size) return {};
    std::vector<unsigned char> buf(size);
    ResetError();
    if (!GetFileVersionInfoA(path, 0, size, buf.data())) {
        Print("  getinfo=0");
        PrintError();
        Print("\n");
        return {};
    }
    return buf;
}

WORD Word(const void* p, std::size_t index) {
    WORD w;
    std::memcpy(&w, static_cast<const char*>(p) + 2 * index, 2);
    return w;
}

void Info(const char* path) {
    auto buf = LoadInfo(path);
    if (buf.empty()) return;
    void* p = nullptr;
    UINT len = 0;
    if (VerQueryValueA(buf.data(), "\\", &p, &len) && len >= sizeof(VS_FIXEDFILEINFO)) {
        VS_FIXEDFILEINFO f;
        std::memcpy(&f, p, sizeof f);
        auto hi = [](DWORD v) { return static_cast<unsigned>(v >> 16); };
        auto lo = [](DWORD v) { return static_cast<unsigned>(v & 0xFFFF); };
        Print(
            "  fixed sig=%08lx file=%u.%u.%u.%u product=%u.%u.%u.%u flags=0x%lx os=0x%lx type=%lu "
            "subtype=%lu\n",
            static_cast<unsigned long>(f.dwSignature), hi(f.dwFileVersionMS), lo(f.dwFileVersionMS),
            hi(f.dwFileVersionLS), lo(f.dwFileVersionLS), hi(f.dwProductVersionMS), lo(f.dwProductVersionMS),
            hi(f.dwProductVersionLS), lo(f.dwProductVersionLS), static_cast<unsigned long>(f.dwFileFlags),
            static_cast<unsigned long>(f.dwFileOS), static_cast<unsigned long>(f.dwFileType),
            static_cast<unsigned long>(f.dwFileSubtype));
    } else {
        std::puts("  fixed=none");
    }
    if (!VerQueryValueA(buf.data(), "\\VarFileInfo\\Translation", &p, &len)) {
        std::puts("  translation=none");
        return;
    }
    Print("  translation len=%u", len);
    for (UINT i = 0; i + 4 <= len; i += 4)
        Print(" %04x/%04x", Word(p, i / 2), Word(p, i / 2 + 1));
    Print("\n");
    for (UINT i = 0; i + 4 <= len; i += 4) {
        WORD lang = Word(p, i / 2), cp = Word(p, i / 2 + 1);
        unsigned long raw = static_cast<unsigned long>(lang) | static_cast<unsigned long>(cp) << 16;
        char key[128];
        void* sp = nullptr;
        UINT sl = 0;
        std::snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\FileVersion", lang, cp);
        if (VerQueryValueA(buf.data(), key, &sp, &sl)) {
            Print("  query %s len=%u value=", key, sl);
            PrintEscaped(static_cast<const char*>(sp), std::strlen(static_cast<const char*>(sp)));
            Print("\n");
        } else {
            Print("  query %s -> not found\n", key);
        }
        std::snprintf(key, sizeof key, "\\StringFileInfo\\%08lx\\FileVersion", raw);
        if (VerQueryValueA(buf.data(), key, &sp, &sl)) {
            Print("  naive %s len=%u value=", key, sl);
            PrintEscaped(static_cast<const char*>(sp), std::strlen(static_cast<const char*>(sp)));
            Print("\n");
        } else {
            Print("  naive %s -> not found\n", key);
        }
    }
}

void Query(const char* path, const char* sub) {
    auto buf = LoadInfo(path);
    if (buf.empty()) return;
    void* p = nullptr;
    UINT len = 0xdead;
    BOOL ok = VerQueryValueA(buf.data(), sub, &p, &len);
    Print("  ok=%d len=%u", ok ? 1 : 0, len);
    if (ok && p) {
        Print(" asstring=");
        PrintEscaped(static_cast<const char*>(p), strnlen(static_cast<const char*>(p), len));
    }
    Print("\n");
}

void ExpName(const Token& file) {
    char out[MAX_PATH];
    std::snprintf(out, sizeof out, "%s", file.s.c_str());
    auto r = static_cast<int>(GetExpandedNameA(file.s.c_str(), out));
    Print("  ret=%d name=", r);
    PrintString(out);
    Print("\n");
}

// The name LZOpenFileA reports in its OFSTRUCT: the full path of the file it opened, which is the
// compressed name when only that exists.
std::string OpenedName(const std::string& source) {
    std::string name = source;
    if (GetFileAttributesA(name.c_str()) == INVALID_FILE_ATTRIBUTES) name = platform::CompressedName(source);
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(name.c_str(), sizeof full, full, nullptr);
    return n && n < sizeof full ? std::string(full) : name;
}

void LzCopy(const Tokens& t) {
    LONG r = LZCopyFile(t[1].c(), t[2].c());
    if (r == LZERROR_BADINHANDLE) {
        Print("  open_src=%ld\n", static_cast<long>(r));
        return;
    }
    if (r == LZERROR_BADOUTHANDLE) {
        Print("  open_dst=%ld\n", static_cast<long>(LZERROR_BADINHANDLE));
        return;
    }
    Print("  ret=%ld src_opened_as=", static_cast<long>(r));
    PrintString(OpenedName(t[1].s).c_str());
    Print("\n");
}

void Dirs() {
    char w[MAX_PATH] = {}, s[MAX_PATH] = {};
    GetWindowsDirectoryA(w, sizeof w);
    GetSystemDirectoryA(s, sizeof s);
    Print("  windir=");
    PrintString(w);
    Print(" sysdir=");
    PrintString(s);
    Print("\n");
}

}  // namespace

bool VerCommand(const Tokens& t) {
    const std::string& c = t[0].s;
    const std::size_t n = t.size();
    if (c == "find" && n >= 5 && n <= 7)
        Find(t);
    else if (c == "install" && n >= 7 && n <= 9)
        Install(t);
    else if (c == "info" && n == 2)
        Info(t[1].s.c_str());
    else if (c == "query" && n == 3)
        Query(t[1].s.c_str(), t[2].s.c_str());
    else if (c == "expname" && n == 2)
        ExpName(t[1]);
    else if (c == "lzcopy" && n == 3)
        LzCopy(t);
    else if (c == "dirs" && n == 1)
        Dirs();
    else
        return false;
    return true;
}

}  // namespace winprobe
