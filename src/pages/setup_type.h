// The setup type (always Complete) and, for kits that carry both languages, the language of the files.
#pragma once

#include "pages/option_dialog.h"

class WizardState;

class WVexaFullOrCustom : public InstallOptionDialog {
  public:
    WVexaFullOrCustom(HWND parent, WizardState& app);
    void SetupPage() override;
    bool CanLeave() override;
    void CmHelp() override { ShowHelp(4); }

  private:
    WizardState& app_;
};
