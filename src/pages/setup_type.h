// The setup type (always Complete) and, for kits that carry both languages, the language of the files.
#pragma once

#include "pages/option_dialog.h"

class WVexaInstApp;

class WVexaFullOrCustom : public InstallOptionDialog {
  public:
    WVexaFullOrCustom(HWND parent, WVexaInstApp& app);
    void SetupPage() override;
    bool CanLeave() override;
    void CmHelp() override { ShowHelp(4); }

  private:
    WVexaInstApp& app_;
};
