// The application object: owns the wizard's state and runs the wizard from its instance initialisation.
#pragma once

#include <cstdint>
#include <memory>

class InstallDetailDialog;

class WVexaInstApp {
  public:
    WVexaInstApp();
    ~WVexaInstApp();

    // The framework's run: window set-up, instance initialisation (which runs the whole wizard), then the
    // message loop, which ends at once because the wizard has posted the quit message. Returns the exit code.
    int Run();

    std::int32_t pageIndex = 0;
    std::int32_t stepDirection = 1;
    std::uint8_t ideInstalled = 0;
    std::uint8_t completeSetup = 1;
    std::uint8_t englishFiles = 1;
    // Set once the setup-type page has been left: its language radios then show the English-files flag.
    std::uint8_t languageChosen = 0;

    // The progress window: created by the first file set, destroyed at the end of the install phase or
    // when the user cancels the source prompt.
    std::unique_ptr<InstallDetailDialog> progress;
    InstallDetailDialog& EnsureProgressWindow();
    void DestroyProgressWindow();

  private:
    void InitMainWindow();
    void InitInstance();
};
