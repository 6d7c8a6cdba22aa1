#include "support/wine_user.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace testing_support {

namespace {
constexpr const char* kUser = "ovratest";
}

std::string ShellQuote(const std::string& text) {
    std::string out = "'";
    for (char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

std::string Capture(const std::string& command, int* status) {
    std::string out;
    int result = -1;
    if (FILE* p = popen((command + " 2>&1").c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, p)) > 0)
            out.append(buffer, n);
        int raw = pclose(p);
        result = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    if (status) *status = result;
    return out;
}

std::optional<WineUser> WineUser::Get(std::string& why) {
    if (std::system("command -v wine >/dev/null 2>&1") != 0) {
        why = "Wine is not installed";
        return std::nullopt;
    }
    WineUser user;
    user.root_ = geteuid() == 0;
    if (user.root_ &&
        std::system("id ovratest >/dev/null 2>&1 || useradd -m ovratest >/dev/null 2>&1") != 0) {
        why = "no unprivileged user for Wine (useradd ovratest failed)";
        return std::nullopt;
    }
    return user;
}

std::string WineUser::Run(const std::string& environment, const std::string& command, int* status) const {
    std::string line = "env " + environment + " sh -c " + ShellQuote(command);
    if (root_) line = std::string("runuser -u ") + kUser + " -- " + line;
    return Capture(line, status);
}

std::string WineUser::Name() const {
    if (root_) return kUser;
    std::string name = Capture("id -un");
    while (!name.empty() && (name.back() == '\n' || name.back() == '\r'))
        name.pop_back();
    return name;
}

void WineUser::Own(const std::string& path) const {
    if (!root_) return;
    std::system(("chown -R " + std::string(kUser) + ": " + ShellQuote(path)).c_str());
    // The temporary directories of the tests are private to root: let the user reach its own.
    std::string parent = path.substr(0, path.rfind('/'));
    std::system(("chmod o+x " + ShellQuote(parent)).c_str());
}

}  // namespace testing_support
