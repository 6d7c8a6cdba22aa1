#include "pages/finish.h"

#include "app/message_box.h"
#include "app/tags.h"
#include "resources/catalogue.h"
#include "resources/dialog_templates.h"

WVexaTerminate::WVexaTerminate(HWND parent, std::int32_t* pageIndex, std::int32_t* step)
    : InstallOptionDialog(parent, resources::kFinishDialog, pageIndex, step) {}

void WVexaTerminate::SetupPage() {
    caption = LoadMessage(1053);
    if (HasTag(catalogue::kXeTools)) {
        SetDlgItemText(110, LoadMessage(1054));
        SetDlgItemText(111, LoadMessage(1055));
    } else {
        ShowItem(110, false);
        SetDlgItemText(111, LoadMessage(1054));
    }
    ShowItem(112, false);
    SetDlgItemText(kBackButton, LoadMessage(1026));
    SetDlgItemText(kNextButton, LoadMessage(1057));
    SetDlgItemText(kExitButton, LoadMessage(1028));
}
