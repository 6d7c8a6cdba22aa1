#include "pages/directory.h"

#include "app/message_box.h"
#include "app/setup_record.h"
#include "app/tags.h"
#include "app/text.h"
#include "platform/win32.h"
#include "resources/catalogue.h"
#include "resources/dialog_templates.h"

WVexaDirectory::WVexaDirectory(HWND parent, std::int32_t* pageIndex, std::int32_t* step)
    : InstallOptionDialog(parent, resources::kDirectoryDialog, pageIndex, step) {}

void WVexaDirectory::SetupPage() {
    caption = LoadMessage(1033);
    SetDlgItemText(kDirectoryEdit, Setup().installDir);
    if (IsOvraFamily()) {
        SetDlgItemText(110, LoadMessage(1013));
        SetDlgItemText(111, LoadMessage(1015));
        SetDlgItemText(113, LoadMessage(1019));
        SetDlgItemText(112, LoadMessage(HasTag(catalogue::kXeTools) ? 1248 : 1017));
    } else {
        SetDlgItemText(110, LoadMessage(1014));
        SetDlgItemText(111, LoadMessage(1016));
        SetDlgItemText(112, LoadMessage(1018));
        SetDlgItemText(113, LoadMessage(1020));
    }
    SetNavigationCaptions();
}

bool WVexaDirectory::CanLeave() {
    std::string& dir = Setup().installDir;
    dir = GetDlgItemText(kDirectoryEdit, 258);
    if (dir.empty()) return false;
    if (dir.back() == '\\') dir.pop_back();
    if (!HasTag(catalogue::kXeTools)) return true;

    // The XE tool chain cannot live below a long name: the directory must read the same in 8.3 form.
    char shortPath[MAX_PATH];
    DWORD n = GetShortPathNameA(dir.c_str(), shortPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || lstrcmpiA(shortPath, dir.c_str()) == 0) return true;
    ShowMessage(Handle(), 1248, MB_OK);
    return false;
}

bool WVexaDirectory::OnCommand(int id) {
    if (id != kBrowseButton) return false;
    CmBrowse();
    return true;
}

void WVexaDirectory::CmBrowse() {
    std::string& dir = Setup().installDir;
    std::string kept = dir;
    std::string title = Setup().languageOffset != 0
                            ? "S\xE9lectionnez le r\xE9pertoire d'installation pour OVRA"
                            : "Select Setup Directory for OVRA";
    std::string chosen;
    if (!platform::Current().ui->BrowseForFolder(Handle(), title, chosen)) {
        dir = kept;
        return;
    }
    dir = (chosen + "\\OVRA").substr(0, MAX_PATH - 1);
    SetDlgItemText(kDirectoryEdit, dir);
}

WVexaSetupDir::WVexaSetupDir(HWND parent, std::int32_t* pageIndex, std::int32_t* step,
                             const std::string& prompt, std::string& location)
    : InstallOptionDialog(parent, resources::kSourcePromptDialog, pageIndex, step),
      prompt_(prompt),
      location_(location) {}

void WVexaSetupDir::SetupPage() {
    caption = LoadMessage(1060);
    SetDlgItemText(kPromptText, prompt_.substr(0, 249));
    SetDlgItemText(kLocationEdit, location_);
}

bool WVexaSetupDir::OnCommand(int id) {
    if (id == IDCANCEL) {
        EndDialog(IDCANCEL);
        return true;
    }
    if (id != IDOK) return false;
    std::string text = GetDlgItemText(kLocationEdit, MAX_PATH - 1);
    if (text.empty()) return true;
    if (text.back() != '\\') text += '\\';
    location_ = text;
    EndDialog(IDOK);
    return true;
}
