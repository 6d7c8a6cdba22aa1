// The readme page: Next opens the media's readme in the shell's viewer and stays; Skip goes on.
#pragma once

#include "pages/option_dialog.h"

class WVexaReadme : public InstallOptionDialog {
  public:
    WVexaReadme(HWND parent, std::int32_t* pageIndex, std::int32_t* step);
    void SetupPage() override;
    void CmNext() override;
    void CmHelp() override { ShowHelp(2); }
    int ForwardCommand() const override { return kSkipButton; }

    static constexpr int kSkipButton = 105;

  protected:
    bool OnCommand(int id) override;
};
