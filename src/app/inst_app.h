// The application object: owns the wizard's state and runs the wizard from its instance initialisation.
#pragma once

#include "app/wizard_state.h"

class WVexaInstApp : public WizardState {
  public:
    WVexaInstApp();
    ~WVexaInstApp();

    // The framework's run: window set-up, instance initialisation (which runs the whole wizard), then the
    // message loop, which ends at once because the wizard has posted the quit message. Returns the exit code.
    int Run();

  private:
    void InitMainWindow();
    void InitInstance();
};
