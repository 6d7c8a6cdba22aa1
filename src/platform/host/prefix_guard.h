// Keeping a prefix to one writer, and to its owner: a second setup on the same prefix is refused, and so
// is a prefix whose Wine server is running (it would write its own copy of the registry over ours when it
// exits), a prefix that belongs to another user (Wine refuses those too) and a prefix whose layout is
// broken (drive_c or dosdevices not a directory, a dangling drive_c link, a prefix we cannot write in).
#pragma once

#include <string>
#include <vector>

namespace platform {

class PrefixGuard {
  public:
    // Why Acquire refused the prefix.
    enum class Refusal { None, InUse, NotOwned, Malformed };

    PrefixGuard() = default;
    ~PrefixGuard();
    PrefixGuard(const PrefixGuard&) = delete;
    PrefixGuard& operator=(const PrefixGuard&) = delete;

    // Checks the prefix's owner and layout, then takes its setup lock (the prefix directory is created
    // when missing). False with `why` set, and refusal() telling which, when the prefix belongs to
    // another user, is malformed, another setup holds it or Wine's server is running on it. Nothing is
    // created in a prefix that is refused for its owner or its layout.
    bool Acquire(const std::string& prefixDir, std::string& why);
    Refusal refusal() const { return refusal_; }

    // The socket path of Wine's server for a prefix directory, as upstream Wine lays it out:
    // /tmp/.wine-UID/server-DEV-INODE/socket (DEV and INODE of the prefix directory, in hex).
    static std::string WineServerSocket(const std::string& prefixDir);
    // Every place a server of the prefix may listen: the upstream layout above, and Debian's, where the
    // prefix's file "wineserver" names a private directory below the temporary directory
    // (/tmp/wine-XXXXXX/server-DEV-INODE/socket).
    static std::vector<std::string> WineServerSockets(const std::string& prefixDir);
    // Whether something listens on one of those sockets.
    static bool WineServerRunning(const std::string& prefixDir);

    // Why an existing prefix is not the running user's (naming its owner); empty when it is, or when
    // there is no prefix yet.
    static std::string OwnerProblem(const std::string& prefixDir);
    // What is broken in an existing prefix's layout; empty when nothing is, or when there is no prefix.
    static std::string LayoutProblem(const std::string& prefixDir);

  private:
    bool Refuse(Refusal refusal);

    int fd_ = -1;
    Refusal refusal_ = Refusal::None;
};

}  // namespace platform
