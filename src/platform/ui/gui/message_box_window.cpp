#include "platform/ui/gui/message_box_window.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "platform/ui/gui/dialog_layout.h"
#include "platform/ui/gui/text_convert.h"
#include "platform/ui/gui/win_widgets.h"

namespace platform::gui {

namespace {

constexpr int kButtonW = 75, kButtonH = 23, kGap = 6, kMargin = 12, kIcon = 32, kMaxText = 420;

const char* ButtonText(int id) {
    switch (id) {
        case IDOK:
            return "OK";
        case IDCANCEL:
            return "Cancel";
        case IDABORT:
            return "&Abort";
        case IDRETRY:
            return "&Retry";
        case IDIGNORE:
            return "&Ignore";
        case IDYES:
            return "&Yes";
        case IDNO:
            return "&No";
        default:
            return "?";
    }
}

void DrawIcon(UINT icon, int x, int y) {
    switch (icon) {
        case MB_ICONHAND:  // a red disc with a white cross
            fl_color(fl_rgb_color(255, 0, 0));
            fl_pie(x, y, kIcon, kIcon, 0, 360);
            fl_color(FL_WHITE);
            fl_line_style(FL_SOLID, 4);
            fl_line(x + 10, y + 10, x + 22, y + 22);
            fl_line(x + 22, y + 10, x + 10, y + 22);
            fl_line_style(FL_SOLID);
            break;
        case MB_ICONQUESTION:  // a white balloon with a blue question mark
        case MB_ICONINFORMATION:
            fl_color(FL_WHITE);
            fl_pie(x, y, kIcon, kIcon - 4, 0, 360);
            fl_color(FL_BLACK);
            fl_arc(x, y, kIcon, kIcon - 4, 0, 360);
            fl_color(fl_rgb_color(0, 0, 255));
            fl_font(FL_TIMES_BOLD, 22);
            fl_draw(icon == MB_ICONQUESTION ? "?" : "i", x, y, kIcon, kIcon - 4, FL_ALIGN_CENTER);
            break;
        case MB_ICONEXCLAMATION:  // a yellow triangle with a black exclamation mark
            fl_color(fl_rgb_color(255, 255, 0));
            fl_polygon(x + kIcon / 2, y, x + kIcon - 1, y + kIcon - 2, x, y + kIcon - 2);
            fl_color(FL_BLACK);
            fl_loop(x + kIcon / 2, y, x + kIcon - 1, y + kIcon - 2, x, y + kIcon - 2);
            fl_rectf(x + kIcon / 2 - 2, y + 9, 4, 12);
            fl_rectf(x + kIcon / 2 - 2, y + 24, 4, 4);
            break;
        default:
            break;
    }
}

}  // namespace

std::vector<int> MessageBoxWindow::ButtonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {IDOK, IDCANCEL};
        case MB_ABORTRETRYIGNORE:
            return {IDABORT, IDRETRY, IDIGNORE};
        case MB_YESNOCANCEL:
            return {IDYES, IDNO, IDCANCEL};
        case MB_YESNO:
            return {IDYES, IDNO};
        case MB_RETRYCANCEL:
            return {IDRETRY, IDCANCEL};
        default:
            return {IDOK};
    }
}

int MessageBoxWindow::DefaultOf(UINT type) {
    std::vector<int> buttons = ButtonsOf(type);
    std::size_t index = (type >> 8) & 0xF;
    return buttons[index < buttons.size() ? index : 0];
}

MessageBoxWindow::MessageBoxWindow(const std::string& ansiText, const std::string& ansiCaption, UINT type)
    : Fl_Double_Window(100, 100), type_(type) {
    for (char c : AnsiToUtf8(ansiText))
        if (c != '\r') text_ += c;
    copy_label(AnsiToUtf8(ansiCaption).c_str());
    color(BtnFace());

    fl_font(FL_HELVETICA, kDialogFontSize);
    int tw = kMaxText, th = 0;
    fl_measure(text_.c_str(), tw, th, 0);
    if (tw > kMaxText) {
        tw = kMaxText;
        fl_measure(text_.c_str(), tw, th, 0);
    }
    bool icon = (type & MB_ICONMASK) != 0;
    textX_ = kMargin + (icon ? kIcon + kMargin : 0);
    textW_ = tw;
    textH_ = std::max(th, icon ? kIcon : 0);
    textY_ = kMargin;
    std::vector<int> ids = ButtonsOf(type);
    int rowW = static_cast<int>(ids.size()) * kButtonW + (static_cast<int>(ids.size()) - 1) * kGap;
    int W = std::max(textX_ + textW_ + kMargin, rowW + 2 * kMargin);
    // As the system's boxes, wide enough for their caption beside the close box.
    fl_font(FL_HELVETICA_BOLD, kDialogFontSize);
    W = std::max(W, static_cast<int>(fl_width(label())) + 36);
    int H = textY_ + textH_ + kMargin + kButtonH + kMargin;
    size(W, H);
    begin();
    int bx = (W - rowW) / 2, by = H - kMargin - kButtonH;
    int def = DefaultOf(type);
    for (int id : ids) {
        auto* b = new PushButton(bx, by, kButtonW, kButtonH);
        b->copy_label(ButtonText(id));
        b->labelsize(kDialogFontSize);
        b->isDefault = id == def;
        b->callback(ButtonCallback, this);
        buttons_.emplace_back(b, id);
        bx += kButtonW + kGap;
    }
    end();
    set_modal();
    callback(
        [](Fl_Widget*, void* data) {
            // Escape and the close box: Cancel where there is one, OK for a lone OK button.
            auto* box = static_cast<MessageBoxWindow*>(data);
            std::vector<int> ids = ButtonsOf(box->type_);
            if (std::find(ids.begin(), ids.end(), IDCANCEL) != ids.end())
                box->Press(IDCANCEL);
            else if (ids.size() == 1)
                box->Press(IDOK);
        },
        this);
}

void MessageBoxWindow::FocusDefault() {
    // Only once the box is shown inside its frame: focusing a control of a window not shown yet makes
    // FLTK create that window on its own, as a top-level window outside the frame.
    for (auto& [button, id] : buttons_)
        if (id == DefaultOf(type_)) button->take_focus();
}

MessageBoxWindow::~MessageBoxWindow() = default;

bool MessageBoxWindow::Press(int answer) {
    for (auto& [button, id] : buttons_)
        if (id == answer) {
            button->do_callback();
            return true;
        }
    return false;
}

void MessageBoxWindow::ButtonCallback(Fl_Widget* w, void* data) {
    auto* box = static_cast<MessageBoxWindow*>(data);
    for (auto& [button, id] : box->buttons_)
        if (button == w) box->answer_ = id;
}

int MessageBoxWindow::handle(int event) {
    if (event == FL_SHORTCUT && (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
        if (auto* focused = dynamic_cast<PushButton*>(Fl::focus()); focused && focused->window() == this)
            focused->do_callback();
        else
            Press(DefaultOf(type_));
        return 1;
    }
    return Fl_Double_Window::handle(event);
}

void MessageBoxWindow::draw() {
    if (!(damage() & ~FL_DAMAGE_CHILD)) {
        draw_children();
        return;
    }
    fl_color(BtnFace());
    fl_rectf(0, 0, w(), h());
    DrawIcon(type_ & MB_ICONMASK, kMargin, kMargin);
    fl_color(WindowText());
    fl_font(FL_HELVETICA, kDialogFontSize);
    fl_draw(text_.c_str(), textX_, textY_, textW_, textH_,
            FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP, nullptr, 0);
    draw_children();
}

}  // namespace platform::gui
