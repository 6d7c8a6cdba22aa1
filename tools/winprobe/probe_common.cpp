// The file commands every probe understands, printing exactly what the oracle's common.h prints:
//   echo TEXT...  put PATH DATA  cat PATH  sum PATH  rm PATH  mkdir PATH  rmtree PATH  copy SRC DST
//   ls DIR  attrib PATH [+r|-r]  hold PATH  release
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/machine/text_util.h"
#include "platform/win32.h"
#include "script.h"

namespace winprobe {

namespace {

constexpr std::size_t kMaxHeld = 8;
std::vector<HANDLE> g_held;

bool FileDigest(const char* path, long* size, unsigned long* hash) {
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    unsigned char buf[4096];
    DWORD got = 0;
    unsigned long hv = 2166136261u;
    long total = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got) {
        for (DWORD i = 0; i < got; ++i) {
            hv ^= buf[i];
            hv = (hv * 16777619u) & 0xffffffffu;
        }
        total += static_cast<long>(got);
    }
    CloseHandle(h);
    *size = total;
    *hash = hv;
    return true;
}

void RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!std::strcmp(fd.cFileName, ".") || !std::strcmp(fd.cFileName, "..")) continue;
            std::string sub = dir + "\\" + fd.cFileName;
            SetFileAttributesA(sub.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(sub);
            else
                DeleteFileA(sub.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

void PrintOk(BOOL ok) {
    Print("  ok=%d", ok ? 1 : 0);
    if (!ok) PrintError();
    Print("\n");
}

void Missing() {
    Print("  missing err=%lu\n", static_cast<unsigned long>(GetLastError()));
}

void List(const char* dir) {
    std::vector<WIN32_FIND_DATAA> ents;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((std::string(dir) + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return Missing();
    do {
        if (std::strcmp(fd.cFileName, ".") && std::strcmp(fd.cFileName, "..")) ents.push_back(fd);
    } while (ents.size() < 511 && FindNextFileA(h, &fd));
    FindClose(h);
    std::sort(ents.begin(), ents.end(), [](const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
        return platform::CompareNoCase(a.cFileName, b.cFileName) < 0;
    });
    Print("  count=%d\n", static_cast<int>(ents.size()));
    for (const auto& e : ents) {
        Print("  name=");
        PrintString(e.cFileName);
        Print(" alt=");
        PrintString(e.cAlternateFileName);
        if (e.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            Print(" dir");
        else
            Print(" size=%lu", static_cast<unsigned long>(e.nFileSizeLow));
        if (e.dwFileAttributes & FILE_ATTRIBUTE_READONLY) Print(" ro");
        Print("\n");
    }
}

}  // namespace

bool CommonCommand(const Tokens& t) {
    const std::string& c = t[0].s;
    std::size_t n = t.size();
    if (c == "echo") {
        Print(" ");
        for (std::size_t i = 1; i < n; ++i) {
            Print(" ");
            if (t[i].isNull)
                Print("<null>");
            else
                PrintEscaped(t[i].s.data(), t[i].s.size());
        }
        Print("\n");
    } else if (c == "put" && n == 3) {
        ResetError();
        HANDLE h = CreateFileA(t[1].s.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            PrintOk(FALSE);
            return true;
        }
        DWORD w = 0;
        WriteFile(h, t[2].s.data(), static_cast<DWORD>(t[2].s.size()), &w, nullptr);
        CloseHandle(h);
        Print("  ok=1 wrote=%lu\n", static_cast<unsigned long>(w));
    } else if (c == "cat" && n == 2) {
        HANDLE h = CreateFileA(t[1].s.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            Missing();
            return true;
        }
        static char buf[65536];
        DWORD got = 0;
        ReadFile(h, buf, sizeof buf, &got, nullptr);
        CloseHandle(h);
        Print("  size=%lu data=", static_cast<unsigned long>(got));
        PrintEscaped(buf, got);
        Print("\n");
    } else if (c == "sum" && n == 2) {
        long size = 0;
        unsigned long hv = 0;
        if (FileDigest(t[1].s.c_str(), &size, &hv))
            Print("  size=%ld fnv=%08lx\n", size, hv);
        else
            Missing();
    } else if (c == "rm" && n == 2) {
        ResetError();
        PrintOk(DeleteFileA(t[1].s.c_str()));
    } else if (c == "mkdir" && n == 2) {
        // Parents first, as the oracle does: every backslash after "X:\" ends a level to create.
        std::string path = t[1].s.substr(0, MAX_PATH - 1);
        path = path.substr(0, std::strlen(path.c_str()));
        for (std::size_t i = 3; i < path.size(); ++i)
            if (path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
        ResetError();
        PrintOk(CreateDirectoryA(path.c_str(), nullptr));
    } else if (c == "rmtree" && n == 2) {
        RemoveTree(t[1].s.c_str());
        Print("  exists=%d\n", GetFileAttributesA(t[1].s.c_str()) != INVALID_FILE_ATTRIBUTES ? 1 : 0);
    } else if (c == "copy" && n == 3) {
        ResetError();
        PrintOk(CopyFileA(t[1].s.c_str(), t[2].s.c_str(), FALSE));
    } else if (c == "ls" && n == 2) {
        List(t[1].s.c_str());
    } else if (c == "attrib" && (n == 2 || n == 3)) {
        DWORD a = GetFileAttributesA(t[1].s.c_str());
        if (n == 3 && a != INVALID_FILE_ATTRIBUTES) {
            if (t[2].s == "+r")
                a |= FILE_ATTRIBUTE_READONLY;
            else if (t[2].s == "-r")
                a &= ~FILE_ATTRIBUTE_READONLY;
            SetFileAttributesA(t[1].s.c_str(), a);
            a = GetFileAttributesA(t[1].s.c_str());
        }
        if (a == INVALID_FILE_ATTRIBUTES)
            Missing();
        else
            Print("  attr=0x%lx\n", static_cast<unsigned long>(a));
    } else if (c == "hold" && n == 2) {
        ResetError();
        HANDLE h =
            CreateFileA(t[1].s.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        Print("  ok=%d", h != INVALID_HANDLE_VALUE ? 1 : 0);
        if (h == INVALID_HANDLE_VALUE)
            PrintError();
        else if (g_held.size() < kMaxHeld)
            g_held.push_back(h);
        Print("\n");
    } else if (c == "release" && n == 1) {
        Print("  closed=%d\n", static_cast<int>(g_held.size()));
        ReleaseHeld();
    } else {
        return false;
    }
    return true;
}

void ReleaseHeld() {
    while (!g_held.empty()) {
        CloseHandle(g_held.back());
        g_held.pop_back();
    }
}

}  // namespace winprobe
