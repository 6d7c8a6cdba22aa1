#include "platform/ui/host_files.h"

#include <algorithm>

#include "platform/api.h"
#include "platform/machine/prefix.h"
#include "platform/machine/text_util.h"

namespace platform {

HostFiles MakeHostFiles(FileApi& files, const Prefix& prefix) {
    HostFiles host;
    host.readFile = [&files](const std::string& path) -> std::optional<std::string> {
        HANDLE h = files.CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return std::nullopt;
        std::string data;
        char buffer[65536];
        DWORD got = 0;
        while (files.ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0)
            data.append(buffer, got);
        files.CloseHandle(h);
        return data;
    };
    host.fileExists = [&files](const std::string& path) {
        DWORD a = files.GetFileAttributesA(path.c_str());
        return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
    };
    host.listFolders = [&files](const std::string& dir) {
        std::vector<std::string> names;
        std::string pattern = dir;
        if (!pattern.empty() && pattern.back() != '\\') pattern += '\\';
        pattern += "*";
        WIN32_FIND_DATAA data;
        HANDLE find = files.FindFirstFileA(pattern.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            std::string name = data.cFileName;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
                names.push_back(name);
        } while (files.FindNextFileA(find, &data));
        files.FindClose(find);
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
            return ToLowerAscii(a) < ToLowerAscii(b);
        });
        return names;
    };
    host.drives = [&files]() {
        std::vector<std::string> drives;
        DWORD mask = files.GetLogicalDrives();
        for (int i = 0; i < 26; ++i)
            if (mask & (1u << i)) {
                std::string root = std::string(1, static_cast<char>('A' + i)) + ":\\";
                if (files.GetDriveTypeA(root.c_str()) == DRIVE_FIXED) drives.push_back(root);
            }
        return drives;
    };
    host.hostPath = [&prefix](const std::string& path) -> std::optional<std::string> {
        DWORD error = 0;
        auto r = prefix.Resolve(path, &error);
        if (!r || !r->exists) return std::nullopt;
        return r->host;
    };
    return host;
}

}  // namespace platform
