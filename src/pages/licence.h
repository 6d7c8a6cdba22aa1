// The licence agreement: the media's license.txt, or the built-in agreement when it cannot be opened.
#pragma once

#include "pages/option_dialog.h"

class WVexaLicence : public InstallOptionDialog {
  public:
    WVexaLicence(HWND parent, std::int32_t* pageIndex, std::int32_t* step);
    void SetupPage() override;
};
