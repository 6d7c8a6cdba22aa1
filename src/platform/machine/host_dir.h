// Directories of the host seen as Windows sees them: entries in creation order with their 8.3 aliases,
// and names matched without regard to case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct HostEntry {
    std::string name;
    std::string alias;  // "" when the name is itself a valid 8.3 name
    bool isDir = false;
    bool readOnly = false;  // no owner write permission
    std::uint64_t size = 0;
    std::int64_t mtimeSec = 0;
    std::int64_t mtimeNsec = 0;
};

// The entries of a host directory (without "." and ".."), in creation order, each with its alias.
// nullopt when the directory cannot be read.
std::optional<std::vector<HostEntry>> ListHostDir(const std::string& dir);

// The name of the entry of `dir` that `component` names: the same name, else one equal without regard
// to case, else one whose 8.3 alias it is. nullopt when none does.
std::optional<std::string> MatchHostName(const std::string& dir, const std::string& component);

// Host path helpers.
std::string JoinHost(const std::string& dir, const std::string& name);
bool HostIsDir(const std::string& path);
bool HostExists(const std::string& path);

}  // namespace platform
