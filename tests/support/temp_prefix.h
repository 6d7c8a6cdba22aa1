// Test support: a fresh prefix in a temporary directory with the machine backend installed as the
// services in force, removed again at the end of the test.
#pragma once

#include <memory>
#include <string>

#include "platform/machine/machine.h"

namespace testing_support {

// A temporary host directory, removed with everything below it on destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// Host file helpers for tests.
std::string ReadHostFile(const std::string& path);  // empty when missing
void WriteHostFile(const std::string& path, const std::string& data);
bool HostExists(const std::string& path);
// A copy of `from` (a file or a whole directory) as `toDir`/its name, readable by every user and, for
// directories and executables, enterable and runnable by them: for the tests that run a program as
// another user, who may not reach the build tree (a fresh clone in a private folder). Returns the path.
std::string ReachableCopy(const std::string& from, const std::string& toDir);

class TempPrefix {
  public:
    explicit TempPrefix(platform::UiApi* ui = nullptr, const std::string& locale = "C");
    ~TempPrefix();

    platform::Machine& machine() { return *machine_; }
    const std::string& root() const { return dir_.path(); }
    // PREFIX/drive_c + the rest, for looking at the result from the host side.
    std::string DriveC(const std::string& relative = "") const;

  private:
    TempDir dir_;
    std::unique_ptr<platform::Machine> machine_;
    std::unique_ptr<platform::ScopedServices> scope_;
};

}  // namespace testing_support
