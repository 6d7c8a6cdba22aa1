#ifdef OVRA_HAVE_GUI
#include "platform/gui/display.h"

#include <X11/Xlib.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

extern char** environ;

namespace testing_support {

namespace {

pid_t g_server = 0;
bool g_known = false;

bool Exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

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
    for (int n = 90 + static_cast<int>(getpid() % 200); n < 400; ++n) {
        std::string number = std::to_string(n);
        if (Exists("/tmp/.X" + number + "-lock") || Exists("/tmp/.X11-unix/X" + number)) continue;
        std::string name = ":" + number;
        char* argv[] = {const_cast<char*>("Xvfb"),        name.data(),
                        const_cast<char*>("-screen"),     const_cast<char*>("0"),
                        const_cast<char*>("1024x768x24"), const_cast<char*>("-nolisten"),
                        const_cast<char*>("tcp"),         nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 0, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", 0, 0);
        pid_t pid = 0;
        int rc = posix_spawn(&pid, xvfb.c_str(), &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) return false;
        for (int i = 0; i < 100; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            if (waitpid(pid, nullptr, WNOHANG) == pid) break;  // it died: the number was taken after all
            if (CanOpen(name)) {
                g_server = pid;
                std::atexit(StopServer);
                setenv("DISPLAY", name.c_str(), 1);
                return true;
            }
        }
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
    return false;
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
