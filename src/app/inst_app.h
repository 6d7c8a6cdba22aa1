// The application object: owns the wizard's state and runs the wizard from its instance initialisation.
#pragma once

#include <cstdint>

class WVexaInstApp {
  public:
    WVexaInstApp();

    // The framework's run: window set-up, instance initialisation (which runs the whole wizard), then the
    // message loop, which ends at once because the wizard has posted the quit message. Returns the exit code.
    int Run();

    std::int32_t pageIndex = 0;
    std::int32_t stepDirection = 1;
    std::uint8_t ideInstalled = 0;
    std::uint8_t completeSetup = 1;
    std::uint8_t englishFiles = 1;

  private:
    void InitMainWindow();
    void InitInstance();
};
