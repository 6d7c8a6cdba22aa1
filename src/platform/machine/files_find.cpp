// FindFirstFileA / FindNextFileA / FindClose of MachineFiles.
#include <algorithm>
#include <cstring>

#include "platform/last_error.h"
#include "platform/machine/files.h"
#include "platform/machine/files_internal.h"
#include "platform/machine/host_dir.h"
#include "platform/machine/text_util.h"

namespace platform {

using namespace files_internal;

namespace {

bool Match(const char* p, const char* n) {
    for (; *p; ++p, ++n) {
        if (*p == '*') {
            while (p[1] == '*')
                ++p;
            if (!p[1]) return true;
            for (; *n; ++n)
                if (Match(p + 1, n)) return true;
            return Match(p + 1, n);
        }
        if (!*n) return false;
        if (*p != '?' && LowerAscii(*p) != LowerAscii(*n)) return false;
    }
    return !*n;
}

}  // namespace

namespace files_internal {

// Windows wildcards: '*' any run, '?' one character, without regard to case; "*.*" is everything and
// "name.*" also finds "name" without an extension, as on Windows.
bool WildcardMatch(const std::string& pattern, const std::string& name) {
    if (pattern == "*.*" || pattern == "*") return true;
    if (Match(pattern.c_str(), name.c_str())) return true;
    if (pattern.size() >= 2 && pattern.compare(pattern.size() - 2, 2, ".*") == 0 &&
        name.find('.') == std::string::npos)
        return Match(pattern.substr(0, pattern.size() - 2).c_str(), name.c_str());
    return false;
}

}  // namespace files_internal

namespace {

WIN32_FIND_DATAA DataOf(const HostEntry& e) {
    WIN32_FIND_DATAA d{};
    d.dwFileAttributes = e.isDir ? FILE_ATTRIBUTE_DIRECTORY
                                 : FILE_ATTRIBUTE_ARCHIVE | (e.readOnly ? FILE_ATTRIBUTE_READONLY : 0);
    FILETIME ft = FileTimeFrom(e.mtimeSec, e.mtimeNsec);
    d.ftCreationTime = d.ftLastAccessTime = d.ftLastWriteTime = ft;
    if (!e.isDir) {
        d.nFileSizeHigh = static_cast<DWORD>(e.size >> 32);
        d.nFileSizeLow = static_cast<DWORD>(e.size);
    }
    std::strncpy(d.cFileName, e.name.c_str(), sizeof d.cFileName - 1);
    std::strncpy(d.cAlternateFileName, e.alias.c_str(), sizeof d.cAlternateFileName - 1);
    return d;
}

}  // namespace

HANDLE MachineFiles::FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) {
    auto full = ResolveName(pattern, true);
    if (!full) return INVALID_HANDLE_VALUE;
    const std::string& w = full->windows;
    if (w.back() == '\\') {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::size_t slash = w.rfind('\\');
    std::string dirPath = w.substr(0, slash + 1);
    std::string namePattern = w.substr(slash + 1);
    DWORD error = 0;
    auto dir = prefix_.Resolve(dirPath, &error);
    if (!dir || !dir->isDir) {
        SetLastError(dir ? ERROR_PATH_NOT_FOUND : error);
        return INVALID_HANDLE_VALUE;
    }
    auto entries = ListHostDir(dir->host);
    if (!entries) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::sort(entries->begin(), entries->end(),
              [](const HostEntry& a, const HostEntry& b) { return CompareNoCase(a.name, b.name) < 0; });
    FindState state;
    // Every directory but a drive's root lists "." and ".." first.
    if (dirPath.size() > 3) {
        for (const char* dot : {".", ".."}) {
            if (!WildcardMatch(namePattern, dot)) continue;
            HostEntry e;
            e.name = dot;
            e.isDir = true;
            state.items.push_back(DataOf(e));
        }
    }
    for (const auto& e : *entries)
        if (WildcardMatch(namePattern, e.name) || (!e.alias.empty() && WildcardMatch(namePattern, e.alias)))
            state.items.push_back(DataOf(e));
    if (state.items.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    if (data) *data = state.items[0];
    state.next = 1;
    HANDLE h = NewHandle();
    finds_[reinterpret_cast<std::uintptr_t>(h)] = std::move(state);
    return h;
}

BOOL MachineFiles::FindNextFileA(HANDLE find, WIN32_FIND_DATAA* data) {
    auto it = finds_.find(reinterpret_cast<std::uintptr_t>(find));
    if (it == finds_.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    FindState& s = it->second;
    if (s.next >= s.items.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    if (data) *data = s.items[s.next];
    ++s.next;
    return TRUE;
}

BOOL MachineFiles::FindClose(HANDLE find) {
    if (!finds_.erase(reinterpret_cast<std::uintptr_t>(find))) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

}  // namespace platform
