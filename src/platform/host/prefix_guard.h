// Keeping a prefix to one writer: a second setup on the same prefix is refused, and so is a prefix whose
// Wine server is running (it would write its own copy of the registry over ours when it exits).
#pragma once

#include <string>

namespace platform {

class PrefixGuard {
  public:
    PrefixGuard() = default;
    ~PrefixGuard();
    PrefixGuard(const PrefixGuard&) = delete;
    PrefixGuard& operator=(const PrefixGuard&) = delete;

    // Takes the prefix's setup lock (the prefix directory is created when missing). False with `why` set
    // when another setup holds it or when Wine's server is running on the prefix.
    bool Acquire(const std::string& prefixDir, std::string& why);

    // The socket path of Wine's server for a prefix directory: /tmp/.wine-UID/server-DEV-INODE/socket.
    static std::string WineServerSocket(const std::string& prefixDir);
    // Whether something listens on that socket.
    static bool WineServerRunning(const std::string& prefixDir);

  private:
    int fd_ = -1;
};

}  // namespace platform
