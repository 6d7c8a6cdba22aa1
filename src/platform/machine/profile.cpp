#include "platform/machine/profile.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/last_error.h"
#include "platform/machine/ini_document.h"
#include "platform/machine/profile_buffers.h"

namespace platform {

namespace {

constexpr const char* kWinIni = "win.ini";
// A profile larger than this is read only up to here: an INI file is never that big, and a huge file
// must not exhaust memory.
constexpr DWORD kMaxProfileBytes = 64u << 20;

bool IsBareName(const std::string& name) {
    if (name.find_first_of("\\/") != std::string::npos) return false;
    return !(name.size() >= 2 && name[1] == ':');
}

}  // namespace

struct MachineProfile::Opened {
    std::string path;
    bool existed = false;
    IniDocument doc;
};

std::string MachineProfile::ResolvePath(LPCSTR file) {
    std::string name = file ? file : kWinIni;
    if (IsBareName(name)) {
        char windir[MAX_PATH] = {};
        UINT n = files_.GetWindowsDirectoryA(windir, MAX_PATH);
        if (n > 0 && n < MAX_PATH) return std::string(windir) + "\\" + name;
        return "C:\\windows\\" + name;
    }
    std::vector<char> full(MAX_PATH * 4);
    DWORD n = files_.GetFullPathNameA(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n > 0 && n < full.size()) return std::string(full.data(), n);
    return name;
}

bool MachineProfile::Open(const std::string& path, bool forWrite, Opened& out) {
    out.path = path;
    DWORD access = GENERIC_READ | (forWrite ? GENERIC_WRITE : 0);
    HANDLE h =
        files_.CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) return false;
        out.existed = false;
        out.doc = IniDocument();
        SetLastError(ERROR_FILE_NOT_FOUND);
        return true;
    }
    std::string bytes;
    DWORD size = files_.GetFileSize(h, nullptr);
    if (size != INVALID_FILE_SIZE) {
        if (size > kMaxProfileBytes) size = kMaxProfileBytes;
        bytes.resize(size);
        DWORD got = 0;
        if (size > 0 && !files_.ReadFile(h, bytes.data(), size, &got, nullptr)) got = 0;
        bytes.resize(got);
    }
    files_.CloseHandle(h);
    out.existed = true;
    out.doc = IniDocument::Parse(bytes);
    SetLastError(0);
    return true;
}

std::string MachineProfile::TempNameIn(const std::string& directory) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "~prf%04X.tmp", (++tempCounter_) & 0xFFFF);
        std::string candidate = directory + "\\" + name;
        if (files_.GetFileAttributesA(candidate.c_str()) == INVALID_FILE_ATTRIBUTES) return candidate;
    }
    return directory + "\\~prf.tmp";
}

bool MachineProfile::ReplaceWith(const std::string& path, const std::string& bytes, bool existed) {
    std::size_t slash = path.find_last_of('\\');
    std::string directory = slash == std::string::npos ? "." : path.substr(0, slash);
    std::string temp = TempNameIn(directory);

    HANDLE h = files_.CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                  nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = bytes.empty() ||
              files_.WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    DWORD error = GetLastError();
    if (ok && written != bytes.size()) {
        ok = FALSE;
        error = ERROR_DISK_FULL;
    }
    if (!files_.CloseHandle(h) && ok) {
        ok = FALSE;
        error = GetLastError();
    }
    if (!ok) {
        files_.DeleteFileA(temp.c_str());
        SetLastError(error ? error : ERROR_CANTWRITE);
        return false;
    }

    if (!existed) {
        if (files_.MoveFileA(temp.c_str(), path.c_str())) return true;
        error = GetLastError();
        files_.DeleteFileA(temp.c_str());
        SetLastError(error);
        return false;
    }
    // The new file takes the old one's name as it is spelled on disk, not as the caller spelled it.
    std::string target = path;
    WIN32_FIND_DATAA found;
    HANDLE find = files_.FindFirstFileA(path.c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        target = directory + "\\" + found.cFileName;
        files_.FindClose(find);
    }
    // The new file takes the old one's place in one step: at no moment is the profile missing or moved
    // aside, whenever the setup is stopped. When that fails, the old file is left as it was.
    DWORD attributes = files_.GetFileAttributesA(path.c_str());
    if (!files_.MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        error = GetLastError();
        files_.DeleteFileA(temp.c_str());
        SetLastError(error);
        return false;
    }
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kKept))
        files_.SetFileAttributesA(target.c_str(), attributes & ~FILE_ATTRIBUTE_DIRECTORY);
    return true;
}

bool MachineProfile::Save(const Opened& opened) {
    if (!ReplaceWith(opened.path, opened.doc.Serialize(), opened.existed)) return false;
    DWORD error = opened.existed ? ERROR_ALREADY_EXISTS : 0;
    if (opened.doc.HasEmptyNamelessSection()) error = ERROR_INVALID_PARAMETER;
    SetLastError(error);
    return true;
}

DWORD MachineProfile::GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultText, LPSTR buffer,
                                               DWORD size, LPCSTR file) {
    if (!buffer || size == 0) return 0;
    Opened opened;
    bool ok = Open(ResolvePath(file), false, opened);
    return profile_buffers::StringA(ok ? &opened.doc : nullptr, section, key, defaultText, buffer, size);
}

UINT MachineProfile::GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR file) {
    Opened opened;
    bool ok = Open(ResolvePath(file), false, opened);
    return profile_buffers::IntFromString(ok ? &opened.doc : nullptr, section, key, defaultValue);
}

DWORD MachineProfile::GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR file) {
    if (!section || !buffer) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Opened opened;
    bool ok = Open(ResolvePath(file), false, opened);
    bool insufficient = false;
    DWORD ret = profile_buffers::SectionA(ok ? &opened.doc : nullptr, section, buffer, size, insufficient);
    if (insufficient) SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return ret;
}

DWORD MachineProfile::GetPrivateProfileSectionNamesA(LPSTR buffer, DWORD size, LPCSTR file) {
    Opened opened;
    bool ok = Open(ResolvePath(file), false, opened);
    if (!buffer) return 0;
    return profile_buffers::SectionNamesA(ok ? &opened.doc : nullptr, buffer, size);
}

BOOL MachineProfile::WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
    Opened opened;
    if (!section && !key && !value) {
        // The documented "flush the cache" call: nothing is cached here, but it still fails as it does
        // on Windows, after looking at the file.
        if (file) Open(ResolvePath(file), true, opened);
        return FALSE;
    }
    if (!Open(ResolvePath(file), true, opened)) return FALSE;
    bool changed = false;
    if (!key) {
        changed = section && opened.doc.DeleteSection(section);
    } else if (!section) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    } else if (!value) {
        changed = opened.doc.DeleteEntry(section, key);
    } else {
        changed = opened.doc.SetValue(section, key, value);
    }
    if (!changed) return TRUE;
    return Save(opened) ? TRUE : FALSE;
}

BOOL MachineProfile::WritePrivateProfileSectionA(LPCSTR section, LPCSTR data, LPCSTR file) {
    Opened opened;
    if (!section && !data) {
        if (file) Open(ResolvePath(file), true, opened);
        return FALSE;
    }
    if (!Open(ResolvePath(file), true, opened)) return FALSE;
    bool changed = false;
    if (!data) {
        changed = section && opened.doc.DeleteSection(section);
    } else if (!section) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    } else {
        std::vector<std::string> items;
        for (const char* p = data; *p; p += std::strlen(p) + 1)
            items.emplace_back(p);
        changed = opened.doc.ReplaceSection(section, items);
    }
    if (!changed) return TRUE;
    return Save(opened) ? TRUE : FALSE;
}

DWORD MachineProfile::GetProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultText, LPSTR buffer,
                                        DWORD size) {
    return GetPrivateProfileStringA(section, key, defaultText, buffer, size, kWinIni);
}

BOOL MachineProfile::WriteProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value) {
    return WritePrivateProfileStringA(section, key, value, kWinIni);
}

}  // namespace platform
