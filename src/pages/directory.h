// The destination page, where the user confirms, types or browses for the installation directory, and
// the source-location prompt that the install engine raises when it cannot find the next media.
#pragma once

#include <string>

#include "pages/option_dialog.h"

// A path that names no more than a drive: empty, "\\", "C:", "C:\\".
bool IsDriveRoot(const std::string& dir);
// Whether every name of a path after its drive is a valid short (8.3) name: at most eight characters, an
// optional extension of one to three, letters, digits and the punctuation short names allow.
bool IsEightDotThreeName(const std::string& name);
bool IsEightDotThreePath(const std::string& path);

class WVexaDirectory : public InstallOptionDialog {
  public:
    WVexaDirectory(HWND parent, std::int32_t* pageIndex, std::int32_t* step);
    void SetupPage() override;
    bool CanLeave() override;
    void CmHelp() override { ShowHelp(7); }
    void CmBrowse();

    static constexpr int kDirectoryEdit = 206;
    static constexpr int kBrowseButton = 106;

  protected:
    bool OnCommand(int id) override;
};

class WVexaSetupDir : public InstallOptionDialog {
  public:
    // `location` is the caller's buffer of the media location; after OK it holds the new location,
    // ending with a backslash.
    WVexaSetupDir(HWND parent, std::int32_t* pageIndex, std::int32_t* step, const std::string& prompt,
                  std::string& location);
    void SetupPage() override;
    int ForwardCommand() const override { return IDOK; }

    static constexpr int kLocationEdit = 215;
    static constexpr int kPromptText = 216;

  protected:
    bool OnCommand(int id) override;

  private:
    std::string prompt_;
    std::string& location_;
};
