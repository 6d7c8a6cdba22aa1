// End-to-end support: runs build/setup on a media directory into a prefix and reads the transcript.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

struct SetupRun {
    int exitCode = -1;
    std::string transcript;
    std::string output;  // stdout and stderr of the program
    std::vector<std::string> Lines() const;
    // Lines of the transcript that start with `prefix`.
    std::vector<std::string> LinesStartingWith(const std::string& prefix) const;
};

// Runs `[environment] build/setup --ui script --prefix PREFIX --media MEDIA [--answers FILE] --transcript T
// extra...`.
SetupRun RunSetup(const std::string& prefix, const std::string& media, const std::string& answers = "",
                  const std::vector<std::string>& extra = {}, const std::string& environment = "");

}  // namespace testing_support
