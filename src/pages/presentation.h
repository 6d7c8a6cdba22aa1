// The first page: what this distribution installs, the disk space it needs, and a word of advice.
#pragma once

#include "pages/option_dialog.h"

class WVexaPresentation : public InstallOptionDialog {
  public:
    WVexaPresentation(HWND parent, std::int32_t* pageIndex, std::int32_t* step);
    void SetupPage() override;
    void CmHelp() override { ShowHelp(1); }
};

// The sentence ids of statics 110, 111 and 113 for the flavour (0: the static is cleared).
struct PresentationTexts {
    int what;
    int space;
    int advice;
};
PresentationTexts ChoosePresentationTexts();
