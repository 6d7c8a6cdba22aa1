#include "platform/host/prefix_guard.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace platform {

namespace {

// "server-DEV-INODE" of a prefix directory, as Wine's server names its directory.
std::string ServerDirName(const struct stat& st) {
    char name[64];
    std::snprintf(name, sizeof name, "server-%llx-%llx", static_cast<unsigned long long>(st.st_dev),
                  static_cast<unsigned long long>(st.st_ino));
    return name;
}

std::string UserName(uid_t uid) {
    if (passwd* pw = getpwuid(uid); pw && pw->pw_name) return pw->pw_name;
    return "uid " + std::to_string(uid);
}

bool Listening(const std::string& socketPath) {
    sockaddr_un address{};
    if (socketPath.size() >= sizeof address.sun_path || access(socketPath.c_str(), F_OK) != 0) return false;
    int s = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (s < 0) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    bool listening = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(s);
    return listening;
}

}  // namespace

PrefixGuard::~PrefixGuard() {
    if (fd_ >= 0) close(fd_);
}

std::string PrefixGuard::WineServerSocket(const std::string& prefixDir) {
    struct stat st;
    if (stat(prefixDir.c_str(), &st) != 0) return std::string();
    // The server runs as the prefix's owner (Wine runs nowhere else), so its directory carries that uid.
    return "/tmp/.wine-" + std::to_string(st.st_uid) + "/" + ServerDirName(st) + "/socket";
}

std::vector<std::string> PrefixGuard::WineServerSockets(const std::string& prefixDir) {
    std::vector<std::string> sockets;
    struct stat st;
    if (stat(prefixDir.c_str(), &st) != 0) return sockets;
    sockets.push_back(WineServerSocket(prefixDir));
    std::ifstream in(prefixDir + "/wineserver");
    std::string name;
    if (!std::getline(in, name)) return sockets;
    while (!name.empty() && (name.back() == '\r' || name.back() == ' '))
        name.pop_back();
    // Only a name of the form the server writes: never a path that leads elsewhere.
    if (name.rfind("wine-", 0) != 0 || name.find('/') != std::string::npos ||
        name.find("..") != std::string::npos)
        return sockets;
    std::vector<std::string> tempDirs = {"/tmp"};
    if (const char* t = std::getenv("TMPDIR"); t && *t && std::string(t) != "/tmp") tempDirs.push_back(t);
    for (const auto& temp : tempDirs)
        sockets.push_back(temp + "/" + name + "/" + ServerDirName(st) + "/socket");
    return sockets;
}

bool PrefixGuard::WineServerRunning(const std::string& prefixDir) {
    for (const auto& socketPath : WineServerSockets(prefixDir))
        if (Listening(socketPath)) return true;
    return false;
}

std::string PrefixGuard::OwnerProblem(const std::string& prefixDir) {
    struct stat st;
    if (stat(prefixDir.c_str(), &st) != 0) return std::string();
    if (st.st_uid == geteuid()) return std::string();
    return "'" + prefixDir + "' is not owned by you but by " + UserName(st.st_uid) +
           "; Wine refuses it too: run the setup as " + UserName(st.st_uid);
}

std::string PrefixGuard::LayoutProblem(const std::string& prefixDir) {
    struct stat st;
    if (lstat(prefixDir.c_str(), &st) != 0) return std::string();
    if (stat(prefixDir.c_str(), &st) != 0) return "the prefix " + prefixDir + " is a link that leads nowhere";
    if (!S_ISDIR(st.st_mode)) return "the prefix " + prefixDir + " is not a directory";
    for (const char* name : {"drive_c", "dosdevices"}) {
        std::string path = prefixDir + "/" + name;
        if (lstat(path.c_str(), &st) != 0) continue;
        if (stat(path.c_str(), &st) != 0) {
            std::error_code ec;
            std::string target = std::filesystem::read_symlink(path, ec).string();
            return "the prefix is damaged: " + path + " is a link to " + target + ", which does not exist";
        }
        if (!S_ISDIR(st.st_mode)) return "the prefix is damaged: " + path + " is not a directory";
    }
    if (access(prefixDir.c_str(), W_OK | X_OK) != 0)
        return "the prefix " + prefixDir + " cannot be written: " + std::strerror(errno);
    return std::string();
}

bool PrefixGuard::Refuse(Refusal refusal) {
    refusal_ = refusal;
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    return false;
}

bool PrefixGuard::Acquire(const std::string& prefixDir, std::string& why) {
    refusal_ = Refusal::None;
    if (why = OwnerProblem(prefixDir); !why.empty()) return Refuse(Refusal::NotOwned);
    if (why = LayoutProblem(prefixDir); !why.empty()) return Refuse(Refusal::Malformed);
    std::error_code ec;
    std::filesystem::create_directories(prefixDir, ec);
    std::string lockPath = prefixDir + "/.ovra-setup.lock";
    fd_ = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd_ < 0) {
        why = "the prefix " + prefixDir + " cannot be written: cannot open " + lockPath + ": " +
              std::strerror(errno);
        return Refuse(Refusal::Malformed);
    }
    if (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        why = "another setup is already installing into " + prefixDir + "; wait until it has finished";
        return Refuse(Refusal::InUse);
    }
    if (WineServerRunning(prefixDir)) {
        why =
            "Wine is running on " + prefixDir +
            " and would write its registry over the setup's when it ends; close its programs (wineserver -k) "
            "and start the setup again";
        return Refuse(Refusal::InUse);
    }
    return true;
}

}  // namespace platform
