// End-to-end support: small distribution media written straight from a test, and an installed kit
// planted in a prefix before a run.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

class MediaDir {
  public:
    explicit MediaDir(std::string hostDir);
    const std::string& path() const { return dir_; }
    // A flavour file: [INSTALL] with the given key=value lines.
    MediaDir& Flavour(const std::string& file, const std::vector<std::string>& lines);
    MediaDir& File(const std::string& relative, const std::string& contents);
    // An empty install list and data file for every file set the media check can ask for, in the
    // language folders and in the set folders, so the check passes whatever the flavour selects.
    MediaDir& EmptyFileSets();

  private:
    std::string dir_;
};

// Writes into the prefix what an earlier kit installation leaves: the installation directory in the
// registry, the IDE program (a copy of a version-resource test input) and the build number.
void PlantInstalledKit(const std::string& prefixDir, const std::string& windowsDir,
                       const std::string& hostSubdir, const char* programInput,
                       const std::string& buildNumber);

// The lines of a transcript that start with "page " (which pages were shown, in order).
std::vector<std::string> PagesShown(const std::string& transcript);

}  // namespace testing_support
