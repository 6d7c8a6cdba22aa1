// The main frame with its painted background, and the dialogs built from in-memory templates: pages run
// modally by the dialog manager, the progress window as a modeless dialog with its gauge and animation.
#include <windows.h>
// windows.h first: the common controls and the shell need its types.
#include <commctrl.h>

#include <cstring>
#include <exception>
#include <map>
#include <memory>

#include "platform/ui/gui/page_pictures.h"
#include "platform/ui/win32/desktop.h"
#include "platform/ui/win32/desktop_internal.h"

namespace platform::winui {

namespace {

constexpr char kFrameClass[] = "OvraSetupFrame";
constexpr char kClientClass[] = "OvraSetupClient";
constexpr UINT kShownMessage = WM_APP + 1;
constexpr int kAnimationControl = 300;
constexpr int kMainIcon = 401;

// The background's title, drawn by the client window's paint.
struct Background {
    std::string title;
    UINT format = DT_CENTER;
};
Background g_background;

// A dialog's window and what it needs from its model.
struct DialogContext {
    DialogEvents* events = nullptr;  // null for the progress window, which sends no commands
    DialogView view;                 // the state shown last
    bool page = false;               // the wizard look: 3D edges, separator, picture frame
    bool syncing = false;            // our own changes to the controls are not the user's
    std::vector<std::uint8_t> pictureBits;
    BITMAPINFO pictureInfo{};
    int pictureWidth = 0;
    int pictureHeight = 0;
    // An exception of the model never unwinds through the dialog manager: the dialog ends, and the
    // exception goes on from where the dialog was started.
    std::exception_ptr error;
};

HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

HWND AsWindow(Handle h) {
    return reinterpret_cast<HWND>(h);
}

Handle AsHandle(HWND w) {
    return reinterpret_cast<Handle>(w);
}

void PaintBackground(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    int W = client.right, H = client.bottom;
    // Every brush of the band table has the same colour: one brush paints the H / 3 bands of 3 rows.
    HBRUSH band = CreateSolidBrush(RGB(150, 0, 0));
    for (int i = 0; i < H / 3; ++i) {
        RECT r{0, 3 * i, W, 3 * i + 3};
        FillRect(dc, &r, band);
    }
    DeleteObject(band);
    SetBkMode(dc, TRANSPARENT);
    HFONT font = CreateFontA(-(GetDeviceCaps(dc, LOGPIXELSY) * 50 / 72), 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, 0,
                             "Times New Roman");
    if (font) {
        HGDIOBJ old = SelectObject(dc, font);
        RECT text{10, 10, W + 10, H + 10};
        SetTextColor(dc, RGB(255, 255, 255));
        if (!g_background.title.empty())
            DrawTextA(dc, g_background.title.c_str(), -1, &text, g_background.format);
        SelectObject(dc, old);
        DeleteObject(font);
    }
    EndPaint(window, &ps);
}

LRESULT CALLBACK ClientProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PaintBackground(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (HWND client = GetWindow(window, GW_CHILD))
                MoveWindow(client, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_CLOSE:
            // The wizard decides when the program ends; closing the frame between two pages would leave
            // the next page without its owner.
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

void RegisterClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSA frame{};
    frame.lpfnWndProc = FrameProc;
    frame.hInstance = Instance();
    frame.hIcon = LoadIconA(Instance(), MAKEINTRESOURCEA(kMainIcon));
    if (!frame.hIcon) frame.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    frame.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    frame.hbrBackground = CreateSolidBrush(RGB(0, 128, 128));
    frame.lpszClassName = kFrameClass;
    RegisterClassA(&frame);
    WNDCLASSA client{};
    client.lpfnWndProc = ClientProc;
    client.hInstance = Instance();
    client.hCursor = frame.hCursor;
    // The rows below the last band keep the frame's colour.
    client.hbrBackground = frame.hbrBackground;
    client.lpszClassName = kClientClass;
    RegisterClassA(&client);
}

// Centres a window on the screen without changing its size, z-order or activation.
void Centre(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    SetWindowPos(window, nullptr, x, y, w, h,
                 SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

std::string WindowText(HWND window) {
    int n = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    n = GetWindowTextA(window, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
    return text;
}

const ControlView* ViewOf(const DialogContext& ctx, int id) {
    for (const auto& c : ctx.view.controls)
        if (c.id == id) return &c;
    return nullptr;
}

// Model to window: caption, texts, list lines, gauge, checks, visibility and enabled state.
void Show(HWND dialog, DialogContext& ctx, DialogView view) {
    ctx.syncing = true;
    if (WindowText(dialog) != view.caption) SetWindowTextA(dialog, view.caption.c_str());
    for (const ControlView& c : view.controls) {
        if (c.id == -1) continue;  // the unnamed statics never change
        HWND item = GetDlgItem(dialog, c.id);
        if (!item) continue;
        switch (c.kind) {
            case Kind::ListBox:
                if (SendMessageA(item, LB_GETCOUNT, 0, 0) != static_cast<LRESULT>(c.items.size())) {
                    SendMessageA(item, LB_RESETCONTENT, 0, 0);
                    for (const auto& line : c.items)
                        SendMessageA(item, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
                }
                break;
            case Kind::Gauge:
                if (SendMessageA(item, PBM_GETPOS, 0, 0) != c.value)
                    SendMessageA(item, PBM_SETPOS, c.value, 0);
                break;
            case Kind::Animation:
                break;
            default:
                if (WindowText(item) != c.text) SetWindowTextA(item, c.text.c_str());
                if (c.radio) SendMessageA(item, BM_SETCHECK, c.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        bool visible = (GetWindowLongA(item, GWL_STYLE) & WS_VISIBLE) != 0;
        if (visible != c.visible) ShowWindow(item, c.visible ? SW_SHOWNA : SW_HIDE);
        if ((IsWindowEnabled(item) != FALSE) != c.enabled) EnableWindow(item, c.enabled);
    }
    ctx.view = std::move(view);
    ctx.syncing = false;
}

void PreparePicture(DialogContext& ctx, int pictureId) {
    auto picture = platform::gui::RenderPagePicture(pictureId);
    if (!picture) return;
    int stride = (picture->width * 3 + 3) & ~3;
    ctx.pictureBits.assign(static_cast<std::size_t>(stride) * picture->height, 0);
    for (int y = 0; y < picture->height; ++y)
        for (int x = 0; x < picture->width; ++x) {
            const std::uint8_t* rgb = &picture->rgb[(static_cast<std::size_t>(y) * picture->width + x) * 3];
            std::uint8_t* bgr = &ctx.pictureBits[static_cast<std::size_t>(y) * stride + x * 3];
            bgr[0] = rgb[2];
            bgr[1] = rgb[1];
            bgr[2] = rgb[0];
        }
    BITMAPINFOHEADER& h = ctx.pictureInfo.bmiHeader;
    h.biSize = sizeof h;
    h.biWidth = picture->width;
    h.biHeight = -picture->height;  // top row first
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biCompression = BI_RGB;
    ctx.pictureWidth = picture->width;
    ctx.pictureHeight = picture->height;
}

void Line(HDC dc, HBRUSH brush, int x, int y, int w, int h) {
    RECT r{x, y, x + w, y + h};
    FillRect(dc, &r, brush);
}

// The page look: button face, 3D edges, the sunken picture frame and the etched separator above the
// buttons, then the picture.
void EraseDialog(HWND dialog, HDC dc, const DialogContext& ctx) {
    RECT client;
    GetClientRect(dialog, &client);
    int W = client.right, H = client.bottom;
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (!ctx.page) return;
    bool picture = ctx.pictureWidth > 0;
    int BW = ctx.pictureWidth + 10, BH = ctx.pictureHeight + 14;
    HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW), light = GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    Line(dc, shadow, 1, H - 1, W - 1, 1);
    Line(dc, shadow, W - 1, 1, 1, H - 2);
    if (picture) {
        Line(dc, shadow, 15, 20, BW, 1);
        Line(dc, shadow, 15, 20, 1, BH - 1);
    }
    Line(dc, shadow, 3, H - 60, W - 1, 1);
    Line(dc, light, 0, 0, W, 1);
    Line(dc, light, 0, 1, 1, H - 1);
    if (picture) {
        Line(dc, light, 16, BH + 19, BW - 1, 1);
        Line(dc, light, BW + 14, 20, 1, BH - 1);
    }
    Line(dc, light, 3, H - 59, W - 1, 1);
    if (picture)
        SetDIBitsToDevice(
            dc, 20, 27, static_cast<DWORD>(ctx.pictureWidth), static_cast<DWORD>(ctx.pictureHeight), 0, 0, 0,
            static_cast<UINT>(ctx.pictureHeight), ctx.pictureBits.data(), &ctx.pictureInfo, DIB_RGB_COLORS);
}

void Initialise(HWND dialog, DialogContext& ctx) {
    DialogView view = ctx.events ? ctx.events->Initialise(AsHandle(dialog)) : ctx.view;
    if (ctx.page && view.pictureId) PreparePicture(ctx, view.pictureId);
    for (const ControlView& c : view.controls)
        if (c.kind == Kind::Edit && c.textLimit > 0)
            SendDlgItemMessageA(dialog, c.id, EM_LIMITTEXT, static_cast<WPARAM>(c.textLimit - 1), 0);
    Show(dialog, ctx, std::move(view));
    Centre(dialog);
}

void OnCommand(HWND dialog, DialogContext& ctx, int id, int code) {
    if (ctx.syncing || !ctx.events) return;
    const ControlView* control = ViewOf(ctx, id);
    if (control && control->kind == Kind::Edit) {
        if (code == EN_CHANGE) ctx.events->Edited(id, WindowText(GetDlgItem(dialog, id)));
        return;
    }
    if (code != BN_CLICKED) return;
    if (control && control->radio) {
        ctx.events->RadioClicked(id);
        Show(dialog, ctx, ctx.events->State());
        return;
    }
    int result = 0;
    if (ctx.events->Command(id, result))
        EndDialog(dialog, result);
    else
        Show(dialog, ctx, ctx.events->State());
}

INT_PTR HandleMessage(HWND dialog, DialogContext* ctx, UINT message, WPARAM wParam) {
    switch (message) {
        case WM_INITDIALOG:
            Initialise(dialog, *ctx);
            if (ctx->events) PostMessageA(dialog, kShownMessage, 0, 0);
            if (HWND focus = ctx->view.focusId ? GetDlgItem(dialog, ctx->view.focusId) : nullptr) {
                SetFocus(focus);
                return FALSE;
            }
            return TRUE;
        case kShownMessage:
            if (ctx && ctx->events) {
                RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                ctx->events->Shown(AsHandle(dialog));
            }
            return TRUE;
        case WM_COMMAND:
            if (ctx) OnCommand(dialog, *ctx, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_ERASEBKGND:
            if (!ctx) return FALSE;
            EraseDialog(dialog, reinterpret_cast<HDC>(wParam), *ctx);
            SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
            // Statics and buttons blend with the page.
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    auto* ctx = reinterpret_cast<DialogContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (ctx && ctx->error) return message == WM_INITDIALOG ? TRUE : FALSE;
    try {
        return HandleMessage(dialog, ctx, message, wParam);
    } catch (...) {
        if (!ctx) return FALSE;  // nothing of the model runs before WM_INITDIALOG
        ctx->error = std::current_exception();
        if (ctx->events) EndDialog(dialog, -1);
        return TRUE;
    }
}

}  // namespace

Desktop::Desktop(DesktopOptions options) : options_(std::move(options)) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS | ICC_ANIMATE_CLASS};
    InitCommonControlsEx(&controls);
    InitialiseShell();
}

Desktop::~Desktop() {
    if (main_) DestroyWindow(AsWindow(main_));
}

bool Desktop::DisplayAvailable() {
    HWND probe =
        CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, Instance(), nullptr);
    if (!probe) return false;
    DestroyWindow(probe);
    return true;
}

void Desktop::CreateMainWindow(const std::string& caption) {
    RegisterClasses();
    HWND frame =
        CreateWindowExA(0, kFrameClass, caption.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, Instance(), nullptr);
    if (!frame) return;
    RECT r;
    GetClientRect(frame, &r);
    HWND client = CreateWindowExA(0, kClientClass, "", WS_CHILD | WS_VISIBLE, 0, 0, r.right, r.bottom, frame,
                                  nullptr, Instance(), nullptr);
    main_ = AsHandle(frame);
    client_ = AsHandle(client);
    // The first ShowWindow of a program may be given the show command of its start-up instead; the frame
    // opens maximised whatever that said.
    ShowWindow(frame, SW_SHOWMAXIMIZED);
    if (!IsZoomed(frame)) ShowWindow(frame, SW_SHOWMAXIMIZED);
    UpdateWindow(frame);
    Pump();
}

void Desktop::SetBackgroundTitle(const std::string& title, unsigned drawTextFormat) {
    g_background.title = title;
    g_background.format = drawTextFormat;
    if (client_) {
        InvalidateRect(AsWindow(client_), nullptr, TRUE);
        UpdateWindow(AsWindow(client_));
    }
}

int Desktop::RunModal(Handle owner, const std::vector<std::uint8_t>& dialogTemplate, DialogEvents& events) {
    DialogContext ctx;
    ctx.events = &events;
    ctx.page = true;
    INT_PTR result =
        DialogBoxIndirectParamA(Instance(), reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()),
                                AsWindow(owner), DialogProc, reinterpret_cast<LPARAM>(&ctx));
    return static_cast<int>(result);
}

void Desktop::TypeInto(Handle dialog, int id, const std::string& text) {
    HWND window = AsWindow(dialog);
    SetDlgItemTextA(window, id, text.c_str());
    // Typing stops at the edit's limit; the text set here did not, so show what the model kept.
    auto* ctx = reinterpret_cast<DialogContext*>(GetWindowLongPtrA(window, DWLP_USER));
    if (ctx && ctx->events) Show(window, *ctx, ctx->events->State());
}

void Desktop::ClickRadio(Handle dialog, int id) {
    if (HWND item = GetDlgItem(AsWindow(dialog), id))
        SendMessageA(item, BM_CLICK, 0, 0);
    else
        SendCommand(dialog, id);
}

void Desktop::SendCommand(Handle dialog, int id) {
    HWND item = GetDlgItem(AsWindow(dialog), id);
    SendMessageA(AsWindow(dialog), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(item));
}

Handle Desktop::CreateModeless(Handle owner, const std::vector<std::uint8_t>& dialogTemplate,
                               const DialogView& view, const std::string& aviPath) {
    auto ctx = std::make_unique<DialogContext>();
    ctx->view = view;
    HWND dialog =
        CreateDialogIndirectParamA(Instance(), reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()),
                                   AsWindow(owner), DialogProc, reinterpret_cast<LPARAM>(ctx.get()));
    if (!dialog) return 0;
    ctx.release();  // owned by the window until DestroyModeless
    if (!aviPath.empty()) {
        // A file the control cannot play leaves it empty, and nothing is said about it.
        HWND animation = GetDlgItem(dialog, kAnimationControl);
        if (SendMessageA(animation, ACM_OPENA, 0, reinterpret_cast<LPARAM>(aviPath.c_str())))
            SendMessageA(animation, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, 0xFFFF));
    }
    ShowWindow(dialog, SW_SHOWNA);
    UpdateWindow(dialog);
    Pump();
    return AsHandle(dialog);
}

void Desktop::UpdateModeless(Handle dialog, const DialogView& view) {
    HWND window = AsWindow(dialog);
    auto* ctx = reinterpret_cast<DialogContext*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!ctx) return;
    Show(window, *ctx, view);
    // A message box answered meanwhile gives the activation back to the main window; the window stays
    // above it, as an owned window does (Wine's X11 stacking of windows without a window manager loses
    // that order otherwise).
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateWindow(window);
    Pump();
}

void Desktop::DestroyModeless(Handle dialog) {
    HWND window = AsWindow(dialog);
    auto* ctx = reinterpret_cast<DialogContext*>(GetWindowLongPtrA(window, DWLP_USER));
    SendDlgItemMessageA(window, kAnimationControl, ACM_STOP, 0, 0);
    DestroyWindow(window);
    delete ctx;
    Pump();
}

void Desktop::Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The wizard's end: leave it for the program's own loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace platform::winui
