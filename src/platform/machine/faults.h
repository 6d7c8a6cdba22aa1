// Faults a test can cause on purpose: the machine backend consults this before acting, so every error
// path of the engine and of the configuration writer can be reached, also when the tests run as root.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

namespace platform {

struct Faults {
    // Full Windows paths (compared without regard to case) of files held open by another program:
    // opening them for writing, deleting or replacing them fails with ERROR_SHARING_VIOLATION.
    std::set<std::string> inUse;
    // Windows path prefixes (a directory or a file, compared without regard to case) below which
    // creating, writing, deleting and changing attributes fail with ERROR_ACCESS_DENIED.
    std::set<std::string> denied;
    // When set: the number of bytes that may still be written to files before writes fail with
    // ERROR_DISK_FULL (a partial write writes what fits). Counts down as files are written.
    std::optional<std::uint64_t> diskSpaceLeft;
    // When set: the bytes the hive files may still take; a hive save that needs more fails as on a full
    // disk (ERROR_DISK_FULL) and leaves the file on disk as it was. Counts down as hives are saved.
    std::optional<std::uint64_t> hiveSpaceLeft;
    // Registry key paths ("HKLM\Software\X", compared without regard to case) that cannot be created
    // or opened for writing: RegCreateKeyExA and write access to them fail with ERROR_ACCESS_DENIED.
    std::set<std::string> refusedKeys;
    // The Program Manager's DDE service is not running: DdeConnect finds no server.
    bool progmanAbsent = false;
    // Free space the drives report when set (bytes); otherwise the host's free space.
    std::optional<std::uint64_t> reportedFreeSpace;

    bool IsInUse(const std::string& windowsPath) const;
    bool IsDenied(const std::string& windowsPath) const;
    bool IsKeyRefused(const std::string& keyPath) const;
    // Takes up to `wanted` bytes from the remaining space; returns how many may be written.
    std::uint64_t Consume(std::uint64_t wanted);
};

}  // namespace platform
