#include "platform/ui/text_files.h"

#include <algorithm>

#include "platform/api.h"
#include "platform/machine/text_util.h"

namespace platform {

namespace {

std::optional<std::vector<std::string>> ListFolders(FileApi& files, const std::string& folder) {
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA data;
    HANDLE find = files.FindFirstFileA(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return std::nullopt;
    std::vector<std::string> names;
    do {
        std::string name = data.cFileName;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
            names.push_back(name);
    } while (files.FindNextFileA(find, &data));
    files.FindClose(find);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
    return names;
}

std::optional<std::string> ReadWholeFile(FileApi& files, const std::string& path) {
    HANDLE file = files.CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string data;
    char buffer[4096];
    DWORD read = 0;
    // A readme is a few kilobytes; the cap keeps a wrong file from filling the memory.
    constexpr std::size_t kLimit = 16u << 20;
    while (files.ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0 && data.size() < kLimit)
        data.append(buffer, read);
    files.CloseHandle(file);
    return data;
}

}  // namespace

TextFiles TextFilesOver(FileApi& files) {
    TextFiles out;
    out.listFolders = [&files](const std::string& folder) { return ListFolders(files, folder); };
    out.readFile = [&files](const std::string& path) { return ReadWholeFile(files, path); };
    return out;
}

}  // namespace platform
