#include "platform/host/prefix_guard.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace platform {

PrefixGuard::~PrefixGuard() {
    if (fd_ >= 0) close(fd_);
}

std::string PrefixGuard::WineServerSocket(const std::string& prefixDir) {
    struct stat st;
    if (stat(prefixDir.c_str(), &st) != 0) return std::string();
    char path[256];
    std::snprintf(path, sizeof path, "/tmp/.wine-%u/server-%llx-%llx/socket", static_cast<unsigned>(getuid()),
                  static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino));
    return path;
}

bool PrefixGuard::WineServerRunning(const std::string& prefixDir) {
    std::string socketPath = WineServerSocket(prefixDir);
    if (socketPath.empty() || access(socketPath.c_str(), F_OK) != 0) return false;
    int s = socket(AF_UNIX, SOCK_STREAM, 0);
    if (s < 0) return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    bool listening = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(s);
    return listening;
}

bool PrefixGuard::Acquire(const std::string& prefixDir, std::string& why) {
    std::error_code ec;
    std::filesystem::create_directories(prefixDir, ec);
    std::string lockPath = prefixDir + "/.ovra-setup.lock";
    fd_ = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        why = "cannot open " + lockPath + ": " + std::strerror(errno);
        return false;
    }
    if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        why = "another setup is already installing into " + prefixDir + "; wait until it has finished";
        close(fd_);
        fd_ = -1;
        return false;
    }
    if (WineServerRunning(prefixDir)) {
        why =
            "Wine is running on " + prefixDir +
            " and would write its registry over the setup's when it ends; close its programs (wineserver -k) "
            "and start the setup again";
        close(fd_);
        fd_ = -1;
        return false;
    }
    return true;
}

}  // namespace platform
