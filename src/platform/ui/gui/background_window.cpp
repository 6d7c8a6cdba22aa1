#include "platform/ui/gui/background_window.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cmath>

#include "platform/ui/gui/dialog_layout.h"
#include "platform/ui/gui/text_convert.h"

namespace platform::gui {

namespace {

int ScreenDpiY() {
    float h = 0, v = 0;
    Fl::screen_dpi(h, v);
    int dpi = static_cast<int>(std::lround(v));
    // Headless servers report whatever their millimetre size implies; the system's logical 96 is the
    // resolution the dialogs are laid out for.
    return dpi >= 72 && dpi <= 240 ? dpi : 96;
}

}  // namespace

BackgroundWindow::BackgroundWindow(int x, int y, int w, int h, const std::string& caption)
    : Fl_Double_Window(x, y, w, h) {
    copy_label(AnsiToUtf8(caption).c_str());
    color(FrameColour());
    end();
}

Fl_Color BackgroundWindow::BandColour() {
    return fl_rgb_color(150, 0, 0);
}
Fl_Color BackgroundWindow::FrameColour() {
    return fl_rgb_color(0, 128, 128);
}

void BackgroundWindow::SetTitle(const std::string& ansiTitle, UINT drawTextFormat) {
    title_ = AnsiToUtf8(ansiTitle);
    format_ = drawTextFormat;
    redraw();
}

void BackgroundWindow::draw() {
    int W = w(), H = h();
    fl_color(FrameColour());
    fl_rectf(0, 0, W, H);
    // Every brush of the band table has the same colour, so the bands make one area of H / 3 * 3 rows.
    fl_color(BandColour());
    fl_rectf(0, 0, W, H / 3 * 3);
    if (title_.empty()) return;
    fl_font(FL_TIMES_BOLD_ITALIC, TitleFontPixels(ScreenDpiY()));
    fl_color(FL_WHITE);
    Fl_Align align = FL_ALIGN_TOP | FL_ALIGN_INSIDE;
    if (format_ & DT_WORDBREAK) align |= FL_ALIGN_WRAP;
    if (!(format_ & DT_CENTER)) align |= FL_ALIGN_LEFT;
    fl_push_clip(0, 0, W, H);
    fl_draw(title_.c_str(), 10, 10, W, H, align, nullptr, 0);
    fl_pop_clip();
    draw_children();
}

}  // namespace platform::gui
