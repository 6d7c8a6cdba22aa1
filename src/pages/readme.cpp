#include "pages/readme.h"

#include "app/message_box.h"
#include "app/setup_record.h"
#include "app/tags.h"
#include "platform/win32.h"
#include "resources/catalogue.h"
#include "resources/dialog_templates.h"

WVexaReadme::WVexaReadme(HWND parent, std::int32_t* pageIndex, std::int32_t* step)
    : InstallOptionDialog(parent, resources::kReadmeDialog, pageIndex, step) {}

void WVexaReadme::SetupPage() {
    caption = LoadMessage(1032);
    SetDlgItemText(110, LoadMessage(HasTag(catalogue::kOvraSt6) ? 1022 : 1021));
    SetDlgItemText(111, LoadMessage(1023));
    SetDlgItemText(113, LoadMessage(1024));
    SetDlgItemText(114, LoadMessage(1025));
    SetDlgItemText(kSkipButton, LoadMessage(1029));
    SetNavigationCaptions();
}

bool WVexaReadme::OnCommand(int id) {
    if (id != kSkipButton) return false;
    // Skip is the plain Next of the base: the page has no check to pass.
    InstallOptionDialog::CmNext();
    return true;
}

void WVexaReadme::CmNext() {
    const SetupRecord& s = Setup();
    if (s.sourceDir.rfind("\\\\", 0) == 0) {
        ShowMessage(Handle(), 1081, MB_ICONEXCLAMATION);
        return;
    }
    std::string path = s.sourceDir + (HasTag(catalogue::kOvraSt6) ? "readmewe.txt" : "readme.txt");
    if (ShellExecuteA(MainWindowHandle(), nullptr, path.c_str(), nullptr, nullptr, SW_SHOWDEFAULT) <= 32) {
        platform::Current().ui->NoteMessageId(0);
        MessageBoxExA(MainWindowHandle(), path.c_str(),
                      s.languageOffset != 0 ? "Impossible d'ouvrir le fichier" : "Unable to open file",
                      MB_ICONHAND, 0);
    }
    // The page stays open whatever happened: only Skip, Back or Exit leave it.
}
