#include "platform/machine/faults.h"

#include "platform/machine/text_util.h"

namespace platform {

bool Faults::IsInUse(const std::string& windowsPath) const {
    for (const auto& p : inUse)
        if (EqualNoCase(p, windowsPath)) return true;
    return false;
}

bool Faults::IsDenied(const std::string& windowsPath) const {
    for (const auto& p : denied) {
        if (windowsPath.size() < p.size() || !EqualNoCase(windowsPath.substr(0, p.size()), p)) continue;
        if (windowsPath.size() == p.size() || windowsPath[p.size()] == '\\' || p.back() == '\\') return true;
    }
    return false;
}

bool Faults::IsKeyRefused(const std::string& keyPath) const {
    for (const auto& k : refusedKeys)
        if (EqualNoCase(k, keyPath)) return true;
    return false;
}

std::uint64_t Faults::Consume(std::uint64_t wanted) {
    if (!diskSpaceLeft) return wanted;
    std::uint64_t granted = wanted < *diskSpaceLeft ? wanted : *diskSpaceLeft;
    *diskSpaceLeft -= granted;
    return granted;
}

}  // namespace platform
