#include "platform/ui/gui/background_window.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include "platform/ui/gui/dialog_layout.h"
#include "platform/ui/gui/frame_window.h"
#include "platform/ui/gui/text_convert.h"
#include "platform/ui/gui/win_widgets.h"

namespace platform::gui {

BackgroundWindow::BackgroundWindow(int x, int y, int w, int h, const std::string& caption)
    : Fl_Double_Window(x, y, w, h) {
    UseSystemLook();  // the title and caption fonts
    copy_label(AnsiToUtf8(caption).c_str());
    color(FrameColour());
    border(0);
    // The main frame never closes on its own (Escape on it would hide the whole setup).
    callback([](Fl_Widget*, void*) {});
    end();
}

int BackgroundWindow::clientTop() const {
    return kCaption;
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
    // Only the frames inside changed: their own windows draw them.
    if (!(damage() & ~FL_DAMAGE_CHILD)) return;
    int W = w(), top = clientTop(), H = h() - top;
    DrawCaptionBar(label(), 0, 0, W, top, true);
    fl_color(FrameColour());
    fl_rectf(0, top, W, H);
    // Every brush of the band table has the same colour, so the bands make one area of H / 3 * 3 rows.
    fl_color(BandColour());
    fl_rectf(0, top, W, H / 3 * 3);
    if (title_.empty()) return;
    fl_font(kTitleFont, TitleFontPixels(kLogicalDpi));
    fl_color(FL_WHITE);
    Fl_Align align = FL_ALIGN_TOP | FL_ALIGN_INSIDE;
    if (format_ & DT_WORDBREAK) align |= FL_ALIGN_WRAP;
    if (!(format_ & DT_CENTER)) align |= FL_ALIGN_LEFT;
    fl_push_clip(0, top, W, H);
    fl_draw(title_.c_str(), 10, top + 10, W, H, align, nullptr, 0);
    fl_pop_clip();
}

}  // namespace platform::gui
