// Test support: Wine runs only as an unprivileged user, in a prefix made for the test and owned by that
// user. When the tests run as root (as CI does) that user is "ovratest", made when missing; otherwise it
// is the user running the tests.
#pragma once

#include <optional>
#include <string>

namespace testing_support {

class WineUser {
  public:
    // nullopt with `why` when Wine is not installed or no unprivileged user can be had.
    static std::optional<WineUser> Get(std::string& why);

    // `command` (a shell command line) run as the user with `environment` ("NAME=VALUE ..."); its
    // standard output and error, and the exit status in `status`.
    std::string Run(const std::string& environment, const std::string& command, int* status = nullptr) const;
    // Makes the user own `path` and everything below it (and lets it reach `path`).
    void Own(const std::string& path) const;
    // The user's login name: the one Wine names the profile folder (C:\users\NAME) after.
    std::string Name() const;

  private:
    bool root_ = false;
};

// The output of a shell command run as the current user.
std::string Capture(const std::string& command, int* status = nullptr);
std::string ShellQuote(const std::string& text);

}  // namespace testing_support
