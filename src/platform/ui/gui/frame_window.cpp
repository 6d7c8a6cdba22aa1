#include "platform/ui/gui/frame_window.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include "platform/ui/gui/win_widgets.h"

namespace platform::gui {

namespace {

constexpr int kCloseW = 16, kCloseH = 14;

}  // namespace

void DrawCaptionBar(const char* caption, int x, int y, int w, int h, bool active) {
    fl_color(active ? fl_rgb_color(0, 0, 128) : BtnShadow());
    fl_rectf(x, y, w, h - 1);
    fl_color(BtnFace());
    fl_xyline(x, y + h - 1, x + w - 1);
    if (!caption || !*caption) return;
    fl_color(active ? FL_WHITE : BtnFace());
    fl_font(FL_HELVETICA_BOLD, kDialogFontSize);
    fl_push_clip(x, y, w, h - 1);
    fl_draw(caption, x + 4, y, w - 8, h - 1, FL_ALIGN_LEFT | FL_ALIGN_INSIDE, nullptr, 0);
    fl_pop_clip();
}

FrameWindow::FrameWindow(Fl_Window* client, const Rect& clientRect, bool closeBox)
    : Fl_Double_Window(OuterOf(clientRect).x, OuterOf(clientRect).y, OuterOf(clientRect).w,
                       OuterOf(clientRect).h),
      client_(client),
      closeBox_(closeBox) {
    end();
    color(BtnFace());
    // A child window is never modal on its own: the front end keeps the input on the top frame.
    client_->clear_modal_states();
    // Escape and the close box reach the frame: the client decides, as its own close box would.
    callback([](Fl_Widget*, void* data) { static_cast<FrameWindow*>(data)->client_->do_callback(); }, this);
    add(client_);
    client_->position(kFrame, kFrame + kCaption);
}

FrameWindow::~FrameWindow() {
    if (client_->shown()) client_->hide();
    remove(client_);
}

void FrameWindow::Activate(bool active) {
    if (active_ != active) {
        active_ = active;
        redraw();
    }
}

bool FrameWindow::InCloseBox(int x, int y) const {
    int cx = w() - kFrame - 2 - kCloseW, cy = kFrame + 2;
    return closeBox_ && x >= cx && x < cx + kCloseW && y >= cy && y < cy + kCloseH;
}

void FrameWindow::draw() {
    if (!(damage() & ~FL_DAMAGE_CHILD)) return;
    int W = w(), H = h();
    fl_color(BtnFace());
    fl_rectf(0, 0, W, H);
    fl_color(BtnHighlight());
    fl_xyline(1, 1, W - 3);
    fl_yxline(1, 1, H - 3);
    fl_color(WindowText());
    fl_xyline(0, H - 1, W - 1);
    fl_yxline(W - 1, 0, H - 1);
    fl_color(BtnShadow());
    fl_xyline(1, H - 2, W - 2);
    fl_yxline(W - 2, 1, H - 2);
    DrawCaptionBar(client_->label(), kFrame, kFrame, W - 2 * kFrame, kCaption, active_);
    if (closeBox_) {
        int cx = W - kFrame - 2 - kCloseW, cy = kFrame + 2;
        fl_color(BtnFace());
        fl_rectf(cx, cy, kCloseW, kCloseH);
        fl_color(BtnHighlight());
        fl_xyline(cx, cy, cx + kCloseW - 2);
        fl_yxline(cx, cy, cy + kCloseH - 2);
        fl_color(WindowText());
        fl_xyline(cx, cy + kCloseH - 1, cx + kCloseW - 1);
        fl_yxline(cx + kCloseW - 1, cy, cy + kCloseH - 1);
        fl_line(cx + 4, cy + 3, cx + kCloseW - 6, cy + kCloseH - 5);
        fl_line(cx + kCloseW - 6, cy + 3, cx + 4, cy + kCloseH - 5);
        fl_line(cx + 5, cy + 3, cx + kCloseW - 5, cy + kCloseH - 5);
        fl_line(cx + kCloseW - 5, cy + 3, cx + 5, cy + kCloseH - 5);
    }
}

int FrameWindow::handle(int event) {
    switch (event) {
        case FL_FOCUS:
        case FL_KEYBOARD:
        case FL_KEYUP:
        case FL_SHORTCUT:
            // A window under the top one is disabled: no keys, no focus, no mnemonics.
            if (!active_) return 0;
            if (event == FL_SHORTCUT && Fl::event_key() == FL_Escape) {
                client_->do_callback();
                return 1;
            }
            break;
        case FL_PUSH:
            if (InCloseBox(Fl::event_x(), Fl::event_y())) {
                // As the system menu's Close: the client decides (a page hears IDCANCEL).
                client_->do_callback();
                return 1;
            }
            if (Fl::event_y() < kFrame + kCaption) {
                dragging_ = true;
                dragX_ = Fl::event_x_root() - x();
                dragY_ = Fl::event_y_root() - y();
                return 1;
            }
            break;
        case FL_DRAG:
            if (dragging_) {
                position(Fl::event_x_root() - dragX_, Fl::event_y_root() - dragY_);
                return 1;
            }
            break;
        case FL_RELEASE:
            if (dragging_) {
                dragging_ = false;
                return 1;
            }
            break;
        default:
            break;
    }
    return Fl_Double_Window::handle(event);
}

}  // namespace platform::gui
