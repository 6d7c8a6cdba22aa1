#include "wine/wine_support.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace wine_support {

namespace {

constexpr const char* kWineUser = "ovratest";

Result Capture(const std::string& command) {
    Result result;
    if (FILE* p = popen((command + " </dev/null 2>&1").c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0)
            result.output.append(buffer, n);
        int status = pclose(p);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return result;
}

bool AsRoot() {
    return geteuid() == 0;
}

// Wine is never run as root here: root would also ignore the read-only attribute, and a prefix made by
// root is no prefix a user has.
bool EnsureWineUser(std::string& error) {
    if (!AsRoot() || getpwnam(kWineUser)) return true;
    Result made =
        Capture(std::string("useradd --system --no-create-home --shell /usr/sbin/nologin ") + kWineUser);
    if (made.exitCode != 0 || !getpwnam(kWineUser)) {
        error = "cannot create the user " + std::string(kWineUser) + ": " + made.output;
        return false;
    }
    return true;
}

// Makes a directory the Wine user owns.
bool MakeOwnedDir(const std::string& path) {
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) return false;
    if (AsRoot()) {
        passwd* pw = getpwnam(kWineUser);
        if (!pw || chown(path.c_str(), pw->pw_uid, pw->pw_gid) != 0) return false;
    }
    return true;
}

// Whether the Wine user can reach the build trees and the conformance cases where they are (a checkout
// below /root cannot be reached); when not, what the tests need is staged below a directory in /tmp.
bool TreesReachable() {
    // OVRA_WINE_STAGE=1 stages even so (to try the staging on a tree the user can reach).
    static const bool reachable =
        !AsRoot() ||
        (!std::getenv("OVRA_WINE_STAGE") &&
         RunAsWineUser("test -r " + ShellQuote(std::string(OVRA_BINARY_DIR) + "/media/full/INSTOVRA.INI") +
                       " && test -x " + ShellQuote(std::string(OVRA_BINARY_DIR) + "/setup") + " && test -r " +
                       ShellQuote(WindowsBuild() + "/SETUP.EXE") + " && test -r " +
                       ShellQuote(std::string(OVRA_CONFORMANCE_DIR) + "/cases"))
                 .exitCode == 0);
    return reachable;
}

std::string WineRoot() {
    if (TreesReachable()) return std::string(OVRA_BINARY_DIR) + "/wine";
    return "/tmp/ovra-wine-" + std::to_string(std::hash<std::string>{}(OVRA_BINARY_DIR) % 1000000);
}

// Holds an exclusive lock on a file below the Wine root while it lives.
class RootLock {
  public:
    explicit RootLock(const std::string& name)
        : fd_(open((WineRoot() + "/" + name).c_str(), O_CREAT | O_RDWR, 0644)) {
        if (fd_ >= 0) locked_ = flock(fd_, LOCK_EX) == 0;
    }
    ~RootLock() {
        if (fd_ < 0) return;
        if (locked_) flock(fd_, LOCK_UN);
        close(fd_);
    }
    bool locked() const { return locked_; }

  private:
    int fd_;
    bool locked_ = false;
};

std::string Parent(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace

std::string ShellQuote(const std::string& text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary) << data;
}

std::string WindowsBuild() {
    return OVRA_WINDOWS_BUILD;
}

std::string Reachable(const std::string& path) {
    if (TreesReachable()) return path;
    MakeOwnedDir(WineRoot());
    const std::string staged = WineRoot() + "/stage" + path;
    RootLock lock("stage.lock");
    // Refreshed from the build on every use: a later build must not be tested through an older copy.
    Capture("mkdir -p " + ShellQuote(Parent(staged)) + " && cp -a -u -T " + ShellQuote(path) + " " +
            ShellQuote(staged) + " && chown -R " + kWineUser + " " + ShellQuote(WineRoot() + "/stage"));
    return staged;
}

std::string SkipReason() {
    if (std::system("command -v wine >/dev/null 2>&1 && command -v wineserver >/dev/null 2>&1") != 0)
        return "Wine is not installed";
    if (access((WindowsBuild() + "/SETUP.EXE").c_str(), R_OK) != 0)
        return "the native program is not built (make windows)";
    if (AsRoot() && std::system("command -v runuser >/dev/null 2>&1") != 0)
        return "runuser is missing: Wine would have to run as root";
    std::string error;
    if (!EnsureWineUser(error)) return error;
    return "";
}

WorkDir::WorkDir(const std::string& name) {
    MakeOwnedDir(WineRoot());
    std::string pattern = WineRoot() + "/" + name + ".XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data())) {
        path_ = buffer.data();
        MakeOwnedDir(path_);
    }
}

WorkDir::~WorkDir() {
    if (!path_.empty() && std::getenv("OVRA_KEEP_WINE") == nullptr)
        std::system(("rm -rf " + ShellQuote(path_)).c_str());
}

std::string WineEnvironment(const std::string& prefix) {
    return "HOME=" + ShellQuote(Parent(prefix)) + " USER=" + kWineUser + " WINEPREFIX=" + ShellQuote(prefix) +
           " WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'";
}

Result RunAsWineUser(const std::string& command) {
    if (!AsRoot()) return Capture("sh -c " + ShellQuote(command));
    return Capture(std::string("runuser -u ") + kWineUser + " -- sh -c " + ShellQuote(command));
}

Result RunInPrefix(const std::string& prefix, const std::string& command, bool display) {
    // Wine's service processes outlive the program and keep the server up: end them, then wait for the
    // server, which writes the registry to the prefix as it goes.
    std::string script = command + "; status=$?; wineserver -k; wineserver -w; exit $status";
    std::string env = "env -u DISPLAY -u WAYLAND_DISPLAY " + WineEnvironment(prefix);
    // Each run looks for a free display from a number of its own, so that runs started together (and
    // other X tests of the suite) do not race for the same one.
    std::string xvfb = " xvfb-run -a -n " + std::to_string(100 + getpid() % 800) + " sh -c ";
    return RunAsWineUser(env + (display ? xvfb : " sh -c ") + ShellQuote(script));
}

bool CopyBasePrefix(const std::string& dir, std::string& error) {
    // One base prefix for the whole test run, made by the first test that needs it; the others wait on
    // the lock and copy it.
    MakeOwnedDir(WineRoot());
    const std::string base = WineRoot() + "/base";
    RootLock lock("base.lock");
    if (!lock.locked()) {
        error = "cannot lock the base prefix";
        return false;
    }
    if (access((base + "/system.reg").c_str(), R_OK) != 0) {
        std::system(("rm -rf " + ShellQuote(base)).c_str());
        MakeOwnedDir(base);
        Result boot = RunInPrefix(base, "wineboot -i");
        if (access((base + "/system.reg").c_str(), R_OK) != 0) {
            error = "wineboot did not make a prefix: " + boot.output;
            return false;
        }
    }
    Result copied = RunAsWineUser("cp -a " + ShellQuote(base) + " " + ShellQuote(dir));
    if (copied.exitCode != 0) {
        error = "cannot copy the base prefix: " + copied.output;
        return false;
    }
    return true;
}

}  // namespace wine_support
