#include "engine/file_transfer.h"

#include <cstdio>

#include "app/message_box.h"
#include "app/setup_record.h"
#include "app/text.h"
#include "engine/install_list.h"
#include "engine/install_session.h"
#include "engine/progress.h"
#include "engine/setup_ini.h"
#include "platform/win32.h"

namespace {

int g_sharedDlls = 0;

std::string Hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
    return text;
}

void Trace(const std::string& line) {
    if (platform::UiApi* ui = platform::Current().ui) ui->Trace(line);
}

std::string WithoutTrailingBackslash(std::string path) {
    if (!path.empty() && path.back() == '\\') path.pop_back();
    return path;
}

void ClearReadOnly(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_READONLY)) return;
    attributes &= ~FILE_ATTRIBUTE_READONLY;
    SetFileAttributesA(path.c_str(), attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
}

int Ask(int id, const std::string& text, UINT buttons) {
    int answer = ShowFormattedMessage(MainWindowHandle(), id, text, buttons | MB_ICONEXCLAMATION);
    Trace("question " + std::to_string(id) + " answer=" + std::to_string(answer));
    return answer;
}

std::string Format1(int id, const std::string& a) {
    return FormatText(LoadMessage(id).c_str(), a.c_str());
}

// A name part longer than 8 characters or an extension (dot included) longer than 4.
bool IsLongName(const std::string& name) {
    install_list::PathParts parts = install_list::SplitPath(name);
    return parts.name.size() > 8 || parts.ext.size() > 4;
}

// One VerInstallFileA call with a fresh temporary-name buffer that keeps the previous call's name, as
// the retry with VIFF_FORCEINSTALL expects.
struct Installer {
    std::string srcDir;
    std::string curDir;
    char tmp[MAX_PATH] = {};

    DWORD Install(DWORD flags, const std::string& destName, const std::string& destDir) {
        UINT tmpLen = MAX_PATH;
        DWORD v = VerInstallFileA(flags, kTempFileName, destName.c_str(), srcDir.c_str(), destDir.c_str(),
                                  curDir.c_str(), tmp, &tmpLen);
        Trace("verinstall " + destName + " flags=" + Hex(flags) + " dest=" + destDir + " result=" + Hex(v));
        return v;
    }
    // A declined or failed replacement leaves the expanded copy under its temporary name (VIF_TEMPFILE):
    // nothing will install it any more.
    void DropTemporary(DWORD v, const std::string& destDir) {
        if (!(v & VIF_TEMPFILE) || !tmp[0]) return;
        std::string name(tmp);
        while (!name.empty() && name.front() == '\\')
            name.erase(0, 1);
        if (!name.empty()) DeleteFileA((WithoutTrailingBackslash(destDir) + "\\" + name).c_str());
        tmp[0] = '\0';
    }
};

// Asks 1072 when the source is older; Yes installs over it. Returns the final result.
DWORD ConfirmOlderSource(Installer& installer, DWORD v, const std::string& ne, const std::string& destDir) {
    if (!(v & VIF_SRCOLD)) return v;
    if (Ask(1072, Format1(1072, ne), MB_YESNO) == IDYES)
        return installer.Install(VIFF_FORCEINSTALL, ne, destDir);
    installer.DropTemporary(v, destDir);
    return v;
}

constexpr DWORD kCopyErrors = VIF_OUTOFSPACE | VIF_SHARINGVIOLATION | VIF_ACCESSVIOLATION;

// Messages 1070 and 1073; true when an error bit was set.
bool ReportErrors(DWORD v) {
    if (v & kCopyErrors) {
        ShowMessage(MainWindowHandle(), 1070, MB_OK | MB_ICONEXCLAMATION);
        return true;
    }
    if (v & VIF_OUTOFMEMORY) {
        ShowMessage(MainWindowHandle(), 1073, MB_OK | MB_ICONEXCLAMATION);
        return true;
    }
    return false;
}

TransferOutcome NormalInstallation(Installer& installer, const std::string& ne, const std::string& dest) {
    const bool longName = IsLongName(ne);
    const std::string first = longName ? kLongNameStandIn : ne;
    DWORD v = installer.Install(VIFF_DONTDELETEOLD, first, dest);
    // The forced retry names the file itself, even for a long name.
    v = ConfirmOlderSource(installer, v, ne, dest);
    if (ReportErrors(v)) {
        // A copy the service expanded but could not put in place is of no use to anyone.
        installer.DropTemporary(v, dest);
        return (v & VIF_OUTOFSPACE) ? TransferOutcome::kEndSet : TransferOutcome::kContinue;
    }
    const std::string dir = WithoutTrailingBackslash(dest);
    if (longName) {
        const std::string standIn = dir + "\\" + kLongNameStandIn;
        ClearReadOnly(standIn);
        CopyFileA(standIn.c_str(), (dir + "\\" + ne).c_str(), FALSE);
        DeleteFileA(standIn.c_str());
    }
    ClearReadOnly(dir + "\\" + ne);
    return TransferOutcome::kContinue;
}

void OtherCopy(Installer& installer, std::string& ne, const std::string& dest, const FileTransfer& file) {
    DWORD v = installer.Install(VIFF_DONTDELETEOLD, ne, dest);
    v = ConfirmOlderSource(installer, v, ne, dest);
    if (ReportErrors(v))
        installer.DropTemporary(v, dest);
    else
        ClearReadOnly(WithoutTrailingBackslash(dest) + "\\" + ne);
    const std::string& current = installer.curDir;
    if (!file.shared && !PathsDiffer(current, file.appDir)) return;
    ne = ToLower(ne);
    std::string text = FormatText(LoadMessage(1074).c_str(), ne.c_str(), current.c_str());
    if (Ask(1074, text, MB_YESNO) == IDYES) installer.Install(VIFF_FORCEINSTALL, ne, current);
}

}  // namespace

TransferOutcome InstallTransferredFile(InstallSession& app, const FileTransfer& file) {
    const std::string& installDir = Setup().installDir;
    std::string ne = file.destName;

    char windows[MAX_PATH] = {}, system[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    GetSystemDirectoryA(system, MAX_PATH);

    char cur[MAX_PATH], dest[MAX_PATH];
    DWORD r = 0;
    for (;;) {
        UINT curLen = MAX_PATH, destLen = MAX_PATH;
        cur[0] = dest[0] = '\0';
        r = VerFindFileA(file.shared ? VFFF_ISSHAREDFILE : 0, ne.c_str(), windows, file.appDir.c_str(), cur,
                         &curLen, dest, &destLen);
        Trace("verfind " + ne + " result=" + Hex(r) + " cur=" + cur + " dest=" + dest);
        // A file of our own never goes into the Windows or System directory.
        if (dest[0] && !file.shared && (lstrcmpiA(dest, windows) == 0 || lstrcmpiA(dest, system) == 0)) {
            std::string app = WithoutTrailingBackslash(file.appDir);
            std::snprintf(dest, sizeof dest, "%s", app.c_str());
        }
        if (!(r & VFF_FILEINUSE)) break;
        if (Ask(1071, Format1(1071, ne), MB_OKCANCEL) != IDOK) break;
    }

    Installer installer;
    installer.srcDir = installDir + "\\";
    installer.curDir = cur;
    std::string target = dest;
    TransferOutcome outcome = TransferOutcome::kContinue;
    if (file.version && (r & VFF_CURNEDEST) && cur[0])
        OtherCopy(installer, ne, target, file);
    else
        outcome = NormalInstallation(installer, ne, target);

    target = WithoutTrailingBackslash(target);
    std::string shown = target + "\\" + ne;
    ShortenPathForDisplay(shown, 34);
    if (app.progress) app.progress->SetTextAndGauge(Format1(1075, shown), file.gauge);

    install_list::PathParts parts = install_list::SplitPath(ne);
    if (file.shared && lstrcmpiA(parts.ext.c_str(), ".dll") == 0) {
        std::string key = "Shared" + std::to_string(g_sharedDlls);
        WriteIdeIni(key.c_str(), "Shared Dlls", (target + "\\" + ne).c_str());
        ++g_sharedDlls;
    }
    return outcome;
}

bool PathsDiffer(const std::string& a, const std::string& b) {
    install_list::PathParts x = install_list::SplitPath(a), y = install_list::SplitPath(b);
    if (!x.drive.empty() && !y.drive.empty() && lstrcmpiA(x.drive.c_str(), y.drive.c_str()) != 0) return true;
    if (!x.dir.empty() && !y.dir.empty()) return lstrcmpiA(x.dir.c_str(), y.dir.c_str()) != 0;
    return x.dir.empty() != y.dir.empty();
}

int SharedDllCount() {
    return g_sharedDlls;
}

void ResetSharedDllCounter() {
    g_sharedDlls = 0;
}
