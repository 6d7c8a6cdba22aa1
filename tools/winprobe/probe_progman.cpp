// The progman probe: Program Manager commands over one DDE conversation, the Programs folders, and the
// fields of the shortcuts the service wrote, printed as the oracle prints them.
//   dde TEXT               one XTYP_EXECUTE (CF_TEXT with its terminating zero) on a PROGMAN/PROGMAN
//                          conversation opened on first use: conv=0|1 [ok=0|1 err=DMLERR]
//   folder user|common     SHGetFolderPathA(CSIDL_PROGRAMS | CSIDL_COMMON_PROGRAMS): path="..."
//   lnk user|common REL    the shortcut REL below that folder: path= args= dir= desc= show= icon=
//                          index=, or found=0
#include <string>

#include "platform/machine/shell_link.h"
#include "platform/win32.h"
#include "script.h"

namespace winprobe {

namespace {

DWORD g_instance;
HCONV g_conversation;
bool g_tried;

HDDEDATA Callback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, std::uintptr_t, std::uintptr_t) {
    return nullptr;
}

void OpenConversation() {
    if (g_tried) return;
    g_tried = true;
    if (DdeInitializeA(&g_instance, &Callback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return;
    HSZ name = DdeCreateStringHandleA(g_instance, "PROGMAN", CP_WINANSI);
    if (name) g_conversation = DdeConnect(g_instance, name, name, nullptr);
}

bool FolderOf(const std::string& which, std::string& out) {
    char path[MAX_PATH];
    int csidl = which == "common" ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS;
    if (SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return false;
    out = path;
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char buf[4096];
    DWORD got = 0;
    bytes.clear();
    while (ReadFile(file, buf, sizeof buf, &got, nullptr) && got)
        bytes.append(buf, got);
    CloseHandle(file);
    return true;
}

void PrintText(const char* key, const std::string& text) {
    Print("%s", key);
    PrintEscaped(text.data(), text.size());
}

void Link(const std::string& which, const std::string& relative) {
    std::string folder, bytes;
    platform::ShellLink link;
    if (!FolderOf(which, folder) || !ReadWholeFile(folder + "\\" + relative, bytes) ||
        !platform::DecodeShellLink(bytes, link)) {
        Print("  found=0\n");
        return;
    }
    PrintText("  path=", link.target);
    PrintText(" args=", link.arguments);
    PrintText(" dir=", link.workingDir);
    PrintText(" desc=", link.name);
    Print(" show=%lu", static_cast<unsigned long>(link.showCommand));
    PrintText(" icon=", link.iconLocation);
    Print(" index=%ld\n", static_cast<long>(link.iconIndex));
}

}  // namespace

bool ProgmanCommand(const Tokens& t) {
    const std::string& c = t[0].s;
    if (c == "dde" && t.size() == 2) {
        OpenConversation();
        Print("  conv=%d", g_conversation ? 1 : 0);
        if (g_conversation) {
            HDDEDATA r = DdeClientTransaction(reinterpret_cast<const BYTE*>(t[1].s.c_str()),
                                              static_cast<DWORD>(t[1].s.size() + 1), g_conversation, nullptr,
                                              CF_TEXT, XTYP_EXECUTE, 1000, nullptr);
            Print(" ok=%d err=%u", r ? 1 : 0, r ? 0u : DdeGetLastError(g_instance));
        }
        Print("\n");
        return true;
    }
    if (c == "folder" && t.size() == 2) {
        std::string path;
        if (!FolderOf(t[1].s, path)) path.clear();
        PrintText("  path=", path);
        Print("\n");
        return true;
    }
    if (c == "lnk" && t.size() == 3) {
        Link(t[1].s, t[2].s);
        return true;
    }
    return false;
}

void EndProgman() {
    if (g_conversation) DdeDisconnect(g_conversation);
    if (g_instance) DdeUninitialize(g_instance);
    g_conversation = nullptr;
    g_instance = 0;
}

}  // namespace winprobe
