#ifdef OVRA_HAVE_GUI
#include "platform/gui/display.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

extern char** environ;

namespace testing_support {

namespace {

pid_t g_server = 0;
bool g_known = false;

std::string FindXvfb() {
    for (const char* dir : {"/usr/bin", "/usr/local/bin", "/bin"}) {
        std::string p = std::string(dir) + "/Xvfb";
        if (access(p.c_str(), X_OK) == 0) return p;
    }
    return std::string();
}

void StopServer() {
    if (g_server > 0) {
        kill(g_server, SIGTERM);
        waitpid(g_server, nullptr, 0);
        g_server = 0;
    }
}

bool CanOpen(const std::string& name) {
    Display* d = XOpenDisplay(name.c_str());
    if (!d) return false;
    XCloseDisplay(d);
    return true;
}

bool StartXvfb() {
    std::string xvfb = FindXvfb();
    if (xvfb.empty()) return false;
    // -noreset: the server would otherwise restart (and refuse connections for a moment) each time its
    // last client leaves. The server picks a free display number itself and writes it to the pipe
    // (-displayfd), so test processes started side by side never share or fight over a number.
    int fds[2];
    if (pipe(fds) != 0) return false;
    std::string fd = std::to_string(fds[1]);
    char* argv[] = {const_cast<char*>("Xvfb"),
                    const_cast<char*>("-displayfd"),
                    fd.data(),
                    const_cast<char*>("-screen"),
                    const_cast<char*>("0"),
                    const_cast<char*>("1024x768x24"),
                    const_cast<char*>("-noreset"),
                    const_cast<char*>("-nolisten"),
                    const_cast<char*>("tcp"),
                    nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    int rc = posix_spawn(&pid, xvfb.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return false;
    }
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    while (number.find('\n') == std::string::npos && poll(&p, 1, 10000) > 0) {
        char buffer[16];
        ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0) break;
        number.append(buffer, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    while (!number.empty() && (number.back() == '\n' || number.back() == ' '))
        number.pop_back();
    std::string name = ":" + number;
    if (number.empty() || !CanOpen(name)) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        return false;
    }
    g_server = pid;
    std::atexit(StopServer);
    setenv("DISPLAY", name.c_str(), 1);
    return true;
}

}  // namespace

bool EnsureDisplay() {
    static const bool ready = [] {
        const char* display = std::getenv("DISPLAY");
        if (display && *display) return CanOpen(display);
        g_known = StartXvfb();
        return g_known;
    }();
    return ready;
}

bool HaveKnownScreen() {
    return EnsureDisplay() && g_known;
}

}  // namespace testing_support
#endif  // OVRA_HAVE_GUI
