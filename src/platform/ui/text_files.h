// What the text front end needs of the Windows file system: the folders of a folder (for the folder
// browser) and the bytes of a file (for the readme viewer). Taken from the FileApi in a run; a test may
// supply its own.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class FileApi;

struct TextFiles {
    // The names of the sub-folders of a Windows folder ("C:\\" or "C:\\OVRA"), sorted without regard to
    // case; nullopt when the folder cannot be listed.
    std::function<std::optional<std::vector<std::string>>(const std::string& folder)> listFolders;
    // The whole contents of a Windows file; nullopt when it cannot be opened.
    std::function<std::optional<std::string>(const std::string& path)> readFile;
};

// FindFirstFileA / FindNextFileA and CreateFileA / ReadFile of the given file services.
TextFiles TextFilesOver(FileApi& files);

}  // namespace platform
