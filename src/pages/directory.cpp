#include "pages/directory.h"

#include "app/message_box.h"
#include "app/setup_record.h"
#include "app/tags.h"
#include "app/text.h"
#include "platform/win32.h"
#include "resources/catalogue.h"
#include "resources/dialog_templates.h"

bool IsDriveRoot(const std::string& dir) {
    std::size_t start = dir.size() >= 2 && dir[1] == ':' ? 2 : 0;
    return dir.find_first_not_of("\\/", start) == std::string::npos;
}

bool IsEightDotThreeName(const std::string& name) {
    // Letters, digits and the punctuation a short name may hold; no blank, no second dot.
    static const std::string kPunctuation = "!#$%&'()-@^_`{}~";
    std::size_t dot = name.find('.');
    std::string base = name.substr(0, dot);
    std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || ext.size() > 3) return false;
    if (dot != std::string::npos && ext.empty()) return false;
    for (const std::string& part : {base, ext})
        for (char c : part) {
            unsigned char u = static_cast<unsigned char>(c);
            bool alnum = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9');
            if (!alnum && kPunctuation.find(c) == std::string::npos) return false;
        }
    return true;
}

bool IsEightDotThreePath(const std::string& path) {
    std::size_t at = path.size() >= 2 && path[1] == ':' ? 2 : 0;
    if (at < path.size() && path[at] == '\\') ++at;
    if (at >= path.size()) return false;
    while (at <= path.size()) {
        std::size_t end = path.find('\\', at);
        if (end == std::string::npos) end = path.size();
        if (!IsEightDotThreeName(path.substr(at, end - at))) return false;
        at = end + 1;
    }
    return true;
}

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
    // Nothing left but a drive ("\", "C:\" typed alone) is as empty as an empty field: the kit never
    // goes into the root of a drive by accident.
    if (IsDriveRoot(dir)) return false;
    if (!HasTag(catalogue::kXeTools)) return true;

    // The XE tool chain cannot live below a long name: the directory must read the same in 8.3 form. A
    // directory that does not exist yet has no short form to ask for; each of its names must then be a
    // valid 8.3 name itself.
    char shortPath[MAX_PATH];
    DWORD n = GetShortPathNameA(dir.c_str(), shortPath, MAX_PATH);
    bool fits = n == 0 ? IsEightDotThreePath(dir) : n >= MAX_PATH || lstrcmpiA(shortPath, dir.c_str()) == 0;
    if (fits) return true;
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
    // A drive root comes back with its backslash ("C:\\"); it takes no second one.
    if (chosen.empty() || chosen.back() != '\\') chosen += '\\';
    dir = (chosen + "OVRA").substr(0, MAX_PATH - 1);
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
