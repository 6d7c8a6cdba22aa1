#include "pages/user_info.h"

#include "app/message_box.h"
#include "app/setup_record.h"
#include "resources/dialog_templates.h"

WVexaUserInfo::WVexaUserInfo(HWND parent, std::int32_t* pageIndex, std::int32_t* step)
    : InstallOptionDialog(parent, resources::kUserInfoDialog, pageIndex, step) {}

void WVexaUserInfo::SetupPage() {
    caption = LoadMessage(1039);
    SetDlgItemText(kNameEdit, Setup().userName);
    SetDlgItemText(kCompanyEdit, Setup().company);
    focusId = kNameEdit;
    SetDlgItemText(110, LoadMessage(1040));
    SetDlgItemText(111, LoadMessage(1041));
    SetDlgItemText(112, LoadMessage(1042));
    SetNavigationCaptions();
}

bool WVexaUserInfo::CanLeave() {
    Setup().userName = GetDlgItemText(kNameEdit, 254);
    Setup().company = GetDlgItemText(kCompanyEdit, 254);
    return true;
}

void WVexaUserInfo::CmNext() {
    InstallOptionDialog::CmNext();
    focusId = kNameEdit;
}
