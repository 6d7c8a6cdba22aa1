// The user's name and company.
#pragma once

#include "pages/option_dialog.h"

class WVexaUserInfo : public InstallOptionDialog {
  public:
    WVexaUserInfo(HWND parent, std::int32_t* pageIndex, std::int32_t* step);
    void SetupPage() override;
    bool CanLeave() override;
    void CmNext() override;
    void CmHelp() override { ShowHelp(6); }

    static constexpr int kNameEdit = 201;
    static constexpr int kCompanyEdit = 202;
};
