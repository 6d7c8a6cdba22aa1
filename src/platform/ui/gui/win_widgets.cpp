#include "platform/ui/gui/win_widgets.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include "platform/ui/gui/dialog_layout.h"
#include "platform/ui/gui/text_convert.h"

namespace platform::gui {

Fl_Color BtnFace() {
    return fl_rgb_color(192, 192, 192);
}
Fl_Color BtnShadow() {
    return fl_rgb_color(128, 128, 128);
}
Fl_Color BtnHighlight() {
    return fl_rgb_color(255, 255, 255);
}
Fl_Color WindowText() {
    return fl_rgb_color(0, 0, 0);
}

void UseSystemLook() {
    Fl::scheme("none");
    Fl::background(192, 192, 192);
    Fl::background2(255, 255, 255);
    Fl::foreground(0, 0, 0);
    Fl::visible_focus(1);
    FL_NORMAL_SIZE = kDialogFontSize;
    // The dialog units are the dialog font's average character size (6 x 13 pixels); Liberation Sans at
    // 11 pixels has exactly that size, so every label keeps the room its template gives it. FLTK's
    // Xft names: a leading ' ' is the plain face, 'B' bold, 'P' bold italic.
    Fl::set_font(FL_HELVETICA, " Liberation Sans");
    Fl::set_font(FL_HELVETICA_BOLD, "BLiberation Sans");
    Fl::set_font(kTitleFont, "PLiberation Serif");
}

void DialogBaseUnits(int& x, int& y) {
    fl_font(FL_HELVETICA, kDialogFontSize);
    // As the dialog manager measures its font: the 52 letters' width, averaged and rounded.
    int cx = static_cast<int>(fl_width("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    x = (cx / 26 + 1) / 2;
    y = fl_height();
}

int PushButton::handle(int event) {
    // A push button's mnemonic clicks it and leaves the keyboard where it was, as in the system's
    // dialogs: the control the user was typing in keeps the focus (FLTK would move it to the button,
    // and the next letters typed would press buttons).
    if (event == FL_SHORTCUT && active_r() && visible_r() &&
        (shortcut() ? Fl::test_shortcut(shortcut()) : test_shortcut())) {
        do_callback();
        return 1;
    }
    return Fl_Button::handle(event);
}

void PushButton::draw() {
    int bx = x(), by = y(), bw = w(), bh = h();
    if (isDefault) {
        fl_color(WindowText());
        fl_rect(bx, by, bw, bh);
        ++bx, ++by, bw -= 2, bh -= 2;
    }
    bool down = value() != 0;
    fl_color(BtnFace());
    fl_rectf(bx, by, bw, bh);
    // Raised: white top-left, black bottom-right with a grey inner shade; pressed: a flat dark frame.
    if (down) {
        fl_color(BtnShadow());
        fl_rect(bx, by, bw, bh);
    } else {
        fl_color(BtnHighlight());
        fl_xyline(bx, by, bx + bw - 2);
        fl_yxline(bx, by, by + bh - 2);
        fl_color(WindowText());
        fl_xyline(bx, by + bh - 1, bx + bw - 1);
        fl_yxline(bx + bw - 1, by, by + bh - 1);
        fl_color(BtnShadow());
        fl_xyline(bx + 1, by + bh - 2, bx + bw - 2);
        fl_yxline(bx + bw - 2, by + 1, by + bh - 2);
    }
    int shift = down ? 1 : 0;
    Fl_Color saved = labelcolor();
    if (!active_r()) labelcolor(BtnShadow());
    draw_label(bx + shift, by + shift, bw, bh);
    labelcolor(saved);
    if (Fl::focus() == this) {
        fl_color(WindowText());
        fl_line_style(FL_DOT);
        fl_rect(bx + 3, by + 3, bw - 6, bh - 6);
        fl_line_style(FL_SOLID);
    }
}

StaticText::StaticText(int x, int y, int w, int h) : Fl_Box(x, y, w, h) {
    set_flag(SHORTCUT_LABEL);
    box(FL_NO_BOX);
    align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
    labelsize(kDialogFontSize);
}

void StaticText::draw() {
    Fl_Color saved = labelcolor();
    if (!active_r()) labelcolor(BtnShadow());
    draw_label(x(), y(), w(), h(), align());
    labelcolor(saved);
}

void GroupBox::draw() {
    fl_font(labelfont(), labelsize());
    int top = y() + fl_height() / 2;
    fl_color(BtnShadow());
    fl_rect(x(), top, w() - 1, h() - (top - y()) - 1);
    fl_color(BtnHighlight());
    fl_rect(x() + 1, top + 1, w() - 1, h() - (top - y()) - 1);
    if (label() && *label()) {
        int lw = 0, lh = 0;
        measure_label(lw, lh);
        fl_color(BtnFace());
        fl_rectf(x() + 7, y(), lw + 4, fl_height());
        Fl_Color saved = labelcolor();
        if (!active_r()) labelcolor(BtnShadow());
        draw_label(x() + 9, y(), lw, fl_height(), FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
        labelcolor(saved);
    }
}

void SetLabel(Fl_Widget* w, const std::string& ansi) {
    std::string text;
    for (char c : ansi)
        if (c != '\r') text += c;
    w->copy_label(LabelText(text).c_str());
}

}  // namespace platform::gui
