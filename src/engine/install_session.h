// What the install engine needs of the running setup: the language of the file sets and the progress
// window, which lives from the first file set to the end of the install phase.
#pragma once

#include <cstdint>
#include <memory>

class InstallDetailDialog;

class InstallSession {
  public:
    InstallSession();
    ~InstallSession();
    InstallSession(const InstallSession&) = delete;
    InstallSession& operator=(const InstallSession&) = delete;

    std::uint8_t englishFiles = 1;
    // File sets the install phase expects to install, and how many it has started: the progress window
    // shows "set k of n".
    int fileSetCount = 0;
    int fileSetsStarted = 0;

    // The progress window: created by the first file set, destroyed at the end of the install phase or
    // when the user cancels the source prompt.
    std::unique_ptr<InstallDetailDialog> progress;
    InstallDetailDialog& EnsureProgressWindow();
    void DestroyProgressWindow();
};
