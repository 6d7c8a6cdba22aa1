// Message boxes, help, the shell's folder browser and viewer, and the captures of the screen. An
// unattended run answers the system's own modal windows: a hook notes the window the call creates, and a
// thread timer, served by that window's modal loop, captures and closes it.
#include <windows.h>
// windows.h first: the shell headers need its types.
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/ui/win32/desktop.h"
#include "platform/ui/win32/desktop_internal.h"

namespace platform::winui {

namespace {

// The window an unattended call is waiting for, and what to do with it once it is on the screen.
struct AutoClose {
    Desktop* desktop = nullptr;
    HHOOK hook = nullptr;
    UINT_PTR timer = 0;
    HWND window = nullptr;
    int answer = IDCANCEL;
    std::string captureName;
    int ticks = 0;
};
AutoClose* g_auto = nullptr;

bool IsDialogClass(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return std::strcmp(name, "#32770") == 0;
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && g_auto && !g_auto->window) {
        HWND window = reinterpret_cast<HWND>(wParam);
        auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        if (!(create->lpcs->style & WS_CHILD) && IsDialogClass(window)) g_auto->window = window;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK AutoCloseTick(HWND, UINT, UINT_PTR, DWORD) {
    AutoClose* a = g_auto;
    if (!a || !a->window) return;
    // Wait until the window is shown and has painted once (a few ticks), then capture and answer.
    if (!IsWindowVisible(a->window) || ++a->ticks < 3) return;
    KillTimer(nullptr, a->timer);
    a->timer = 0;
    RedrawWindow(a->window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    a->desktop->Capture(reinterpret_cast<Handle>(a->window), a->captureName);
    PostMessageA(a->window, WM_COMMAND, MAKEWPARAM(a->answer, BN_CLICKED), 0);
}

// Arms the answer for the next top-level dialog this thread creates; disarms when it goes out of scope.
class AutoCloseScope {
  public:
    AutoCloseScope(Desktop* desktop, int answer, std::string captureName) : saved_(g_auto) {
        state_.desktop = desktop;
        state_.answer = answer;
        state_.captureName = std::move(captureName);
        g_auto = &state_;
        state_.hook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
        state_.timer = SetTimer(nullptr, 0, 100, AutoCloseTick);
    }
    ~AutoCloseScope() {
        if (state_.timer) KillTimer(nullptr, state_.timer);
        if (state_.hook) UnhookWindowsHookEx(state_.hook);
        g_auto = saved_;
    }
    AutoCloseScope(const AutoCloseScope&) = delete;
    AutoCloseScope& operator=(const AutoCloseScope&) = delete;

  private:
    AutoClose state_;
    AutoClose* saved_;
};

bool HostFileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The screen as a bottom-up 24-bit BMP file.
bool SaveScreen(const std::string& path) {
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    if (w <= 0 || h <= 0) return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, w, h, screen, 0, 0, SRCCOPY);
        GdiFlush();
        SelectObject(memory, old);
        DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u;
        DWORD imageSize = stride * static_cast<DWORD>(h);
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = sizeof file + sizeof info.bmiHeader;
        file.bfSize = file.bfOffBits + imageSize;
        info.bmiHeader.biSizeImage = imageSize;
        if (FILE* out = std::fopen(path.c_str(), "wb")) {
            ok = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                 std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                 std::fwrite(bits, imageSize, 1, out) == 1;
            ok = std::fclose(out) == 0 && ok;
        }
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

}  // namespace

void InitialiseShell() {
    static bool done = false;
    if (done) return;
    done = true;
    CoInitialize(nullptr);
}

int Desktop::ShowMessageBox(Handle owner, const std::string& text, const std::string& caption, unsigned type,
                            unsigned short languageId, std::optional<int> autoAnswer,
                            const std::string& captureName) {
    if (!autoAnswer)
        return MessageBoxExA(reinterpret_cast<HWND>(owner), text.c_str(), caption.c_str(), type, languageId);
    AutoCloseScope scope(this, *autoAnswer, captureName);
    return MessageBoxExA(reinterpret_cast<HWND>(owner), text.c_str(), caption.c_str(), type, languageId);
}

bool Desktop::OpenHelp(Handle owner, const std::string& helpFile, unsigned command, unsigned long data) {
    return WinHelpA(reinterpret_cast<HWND>(owner), helpFile.c_str(), command, data) != FALSE;
}

std::optional<std::string> Desktop::BrowseForFolder(Handle owner, const std::string& title, bool unattended) {
    InitialiseShell();
    char display[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = reinterpret_cast<HWND>(owner);
    info.pszDisplayName = display;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = nullptr;
    if (unattended) {
        AutoCloseScope scope(this, IDCANCEL, "browse");
        chosen = SHBrowseForFolderA(&info);
    } else {
        chosen = SHBrowseForFolderA(&info);
    }
    if (!chosen) return std::nullopt;
    char path[MAX_PATH] = {};
    BOOL ok = SHGetPathFromIDListA(chosen, path);
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(chosen);
        allocator->Release();
    }
    if (!ok) return std::nullopt;
    return std::string(path);
}

std::intptr_t Desktop::ShellOpen(Handle owner, const char* operation, const std::string& file,
                                 const char* parameters, const char* directory, int showCommand) {
    HINSTANCE result = ShellExecuteA(reinterpret_cast<HWND>(owner), operation, file.c_str(), parameters,
                                     directory, showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

bool Desktop::FileExists(const std::string& path) const {
    return HostFileExists(path);
}

void Desktop::Capture(Handle window, const std::string& name) {
    if (options_.screenshotDir.empty() && options_.liveCaptureDir.empty()) return;
    if (window)
        RedrawWindow(reinterpret_cast<HWND>(window), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    char number[8];
    std::snprintf(number, sizeof number, "%03d-", ++captures_);
    std::string base = number + name;
    if (!options_.screenshotDir.empty()) SaveScreen(options_.screenshotDir + "\\" + base + ".bmp");
    if (options_.liveCaptureDir.empty()) return;
    // The outside grabber's turn: say what is on the screen, then keep painting until it is done.
    std::string ready = options_.liveCaptureDir + "\\" + base + ".ready";
    std::string done = options_.liveCaptureDir + "\\" + base + ".done";
    if (FILE* out = std::fopen(ready.c_str(), "wb")) std::fclose(out);
    for (int waited = 0; waited < 60000 && !HostFileExists(done); waited += 50) {
        Pump();
        Sleep(50);
    }
}

}  // namespace platform::winui
