// Running programs under Wine for the tests of the native build: always as an unprivileged user (the
// user "ovratest", created when missing, when the tests run as root), in prefixes made for the test run,
// with Wine's console noise and its offers to install Mono and Gecko turned off.
#pragma once

#include <string>
#include <vector>

namespace wine_support {

struct Result {
    int exitCode = -1;
    std::string output;  // standard output and error
};

// Why the Wine tests cannot run here (no Wine, no native build), or empty when they can.
std::string SkipReason();

// The directory of `make windows` (SETUP.EXE, winprobe.exe, unit_tests.exe).
std::string WindowsBuild();

// `path` where the Wine user can read it: the path itself, or a copy staged for the test run when the
// build tree is out of its reach.
std::string Reachable(const std::string& path);

// A working directory for one test below the build tree, owned by the user Wine runs as; removed with
// everything in it on destruction.
class WorkDir {
  public:
    explicit WorkDir(const std::string& name);
    ~WorkDir();
    WorkDir(const WorkDir&) = delete;
    WorkDir& operator=(const WorkDir&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// A copy of the test run's base prefix (made once by wineboot, shared by every test) at `dir`.
bool CopyBasePrefix(const std::string& dir, std::string& error);

// Runs `command` (a shell command line) as the Wine user with WINEPREFIX=prefix, HOME set to the
// prefix's parent, WINEDEBUG=-all and WINEDLLOVERRIDES for Mono, Gecko and the menu builder. With
// `display`, under a virtual X server of its own (Wine's Program Manager service lives in its desktop
// process, which needs one). Waits until the prefix's server has ended, so the registry is on disk.
Result RunInPrefix(const std::string& prefix, const std::string& command, bool display = false);

// The environment RunInPrefix gives Wine, for a program of ours that must see the same one.
std::string WineEnvironment(const std::string& prefix);

// Runs a shell command line as the Wine user (no Wine environment).
Result RunAsWineUser(const std::string& command);

std::string ShellQuote(const std::string& text);
std::string ReadFile(const std::string& path);  // empty when missing
void WriteFile(const std::string& path, const std::string& data);

}  // namespace wine_support
