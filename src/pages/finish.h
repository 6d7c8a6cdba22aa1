// The finish page after the install phase: only Exit is visible.
#pragma once

#include "pages/option_dialog.h"

class WVexaTerminate : public InstallOptionDialog {
  public:
    WVexaTerminate(HWND parent, std::int32_t* pageIndex, std::int32_t* step);
    void SetupPage() override;
    int ForwardCommand() const override { return kExitButton; }
};
