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
