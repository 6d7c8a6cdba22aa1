#include "support/temp_prefix.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ovra-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string ReachableCopy(const std::string& from, const std::string& toDir) {
    namespace fs = std::filesystem;
    using fs::perms;
    fs::create_directories(toDir);
    const fs::path to = fs::path(toDir) / fs::path(from).filename();
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    const perms readable = perms::owner_read | perms::owner_write | perms::group_read | perms::others_read;
    const perms runnable = readable | perms::owner_exec | perms::group_exec | perms::others_exec;
    auto open = [&](const fs::path& path) {
        bool run =
            fs::is_directory(path) || (fs::status(path).permissions() & perms::owner_exec) != perms::none;
        fs::permissions(path, run ? runnable : readable);
    };
    open(to);
    if (fs::is_directory(to))
        for (const auto& entry : fs::recursive_directory_iterator(to))
            if (!entry.is_symlink()) open(entry.path());
    // The folders on the way, as far up as the temporary directory (and no further), let others pass.
    const std::string temp = fs::temp_directory_path().string();
    for (fs::path dir = toDir; dir.string().size() > temp.size() && dir.string().rfind(temp, 0) == 0;
         dir = dir.parent_path())
        fs::permissions(dir, perms::others_exec | perms::group_exec, fs::perm_options::add);
    return to.string();
}

std::string ReadHostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteHostFile(const std::string& path, const std::string& data) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << data;
}

bool HostExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

TempPrefix::TempPrefix(platform::UiApi* ui, const std::string& locale)
    : machine_(
          std::make_unique<platform::Machine>(platform::Machine::Options{dir_.path() + "/prefix", locale})),
      scope_(std::make_unique<platform::ScopedServices>(machine_->ServicesWith(ui))) {}

TempPrefix::~TempPrefix() {
    scope_.reset();
    machine_.reset();
}

std::string TempPrefix::DriveC(const std::string& relative) const {
    return dir_.path() + "/prefix/drive_c" + (relative.empty() ? "" : "/" + relative);
}

}  // namespace testing_support
