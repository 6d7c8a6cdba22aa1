#include "pages/option_dialog.h"

#include "app/message_box.h"
#include "app/setup_record.h"
#include "platform/win32.h"
#include "resources/dialog_templates.h"

InstallOptionDialog::InstallOptionDialog(HWND parent, int resourceId, std::int32_t* pageIndex,
                                         std::int32_t* step)
    : platform::Dialog(resources::DialogTemplateFor(resourceId)),
      pageIndex_(pageIndex),
      step_(step),
      parent_(parent),
      pictureId_(*pageIndex == -1 ? 0 : resources::PictureFor(resourceId).id) {}

void InstallOptionDialog::Command(int id) {
    switch (id) {
        case kNextButton:
            CmNext();
            break;
        case kBackButton:
            CmBack();
            break;
        case kExitButton:
            CmExit();
            break;
        case kHelpButton:
            CmHelp();
            break;
        default:
            if (!OnCommand(id)) platform::Dialog::Command(id);
    }
}

void InstallOptionDialog::CmNext() {
    if (CanLeave()) {
        ++*pageIndex_;
        *step_ = 1;
        EndDialog(IDOK);
    } else {
        ShowMessage(Handle(), 1062, MB_ICONEXCLAMATION);
    }
}

void InstallOptionDialog::CmBack() {
    --*pageIndex_;
    *step_ = -1;
    EndDialog(IDCANCEL);
}

void InstallOptionDialog::CmExit() {
    // Before the install phase has finished, leaving means an incomplete setup: ask first.
    if (*pageIndex_ < 10 && ShowMessage(Handle(), 1063, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDCANCEL) return;
    *pageIndex_ = -1;
    *step_ = 1;
    EndDialog(IDOK);
}

void InstallOptionDialog::SetNavigationCaptions() {
    SetDlgItemText(kBackButton, LoadMessage(1026));
    SetDlgItemText(kNextButton, LoadMessage(1027));
    SetDlgItemText(kExitButton, LoadMessage(1028));
    SetDlgItemText(kHelpButton, LoadMessage(1213));
}

void InstallOptionDialog::ShowHelp(DWORD context) {
    WinHelpA(MainWindowHandle(), Setup().helpFile.c_str(), HELP_CONTEXT, context);
}

int RunPage(platform::Dialog& page) {
    return platform::Current().ui->DialogBoxModal(MainWindowHandle(), page);
}
