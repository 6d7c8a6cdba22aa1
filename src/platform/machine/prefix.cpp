#include "platform/machine/prefix.h"

namespace platform {

// Placeholder until path resolution lands.
Prefix::Prefix(std::string hostDir) : root_(std::move(hostDir)) {}

std::string Prefix::HivePath(std::string_view name) const {
    return root_ + "/" + std::string(name);
}

std::optional<std::string> Prefix::ToHost(std::string_view) const {
    return std::nullopt;
}

std::optional<std::string> Prefix::ToWindows(std::string_view, bool) {
    return std::nullopt;
}

std::vector<char> Prefix::Drives() const {
    return {};
}

}  // namespace platform
