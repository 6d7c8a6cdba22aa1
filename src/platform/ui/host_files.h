// What the windowed front end needs from the simulated machine's files, by Windows path: the animation
// and readme bytes, the folders under a directory for the folder browser, the drives, and the host file
// the host's viewer should open.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class FileApi;
class Prefix;

struct HostFiles {
    std::function<std::optional<std::string>(const std::string&)> readFile;
    std::function<bool(const std::string&)> fileExists;
    // The folder names directly below a directory ("C:\" ...), sorted without regard to case.
    std::function<std::vector<std::string>(const std::string&)> listFolders;
    std::function<std::vector<std::string>()> drives;  // "C:\" ...
    std::function<std::optional<std::string>(const std::string&)> hostPath;
};

// The file services of the machine through its FileApi; host paths through the prefix.
HostFiles MakeHostFiles(FileApi& files, const Prefix& prefix);

}  // namespace platform
