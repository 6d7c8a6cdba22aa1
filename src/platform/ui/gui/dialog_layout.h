// Where a dialog's windows go on the screen: dialog units to pixels with the metrics of the 8-point
// sans-serif dialog font, the frame a captioned dialog adds, and centring on the screen.
#pragma once

namespace platform::gui {

// Average character width and height of "MS Sans Serif" 8 at 96 dots per inch.
inline constexpr int kBaseUnitX = 6;
inline constexpr int kBaseUnitY = 13;
// A modal-frame window: a 3-pixel dialog frame and an 18-pixel caption.
inline constexpr int kFrame = 3;
inline constexpr int kCaption = 18;
// The dialog font's pixel size: 8 points at the 96 dots per inch the layout is made for, whatever
// resolution the X server reports.
inline constexpr int kDialogFontSize = 11;
inline constexpr int kLogicalDpi = 96;

// MulDiv with rounding, as the dialog manager converts.
inline int DuToPixelsX(int du) {
    return (du * kBaseUnitX + (du >= 0 ? 2 : -2)) / 4;
}
inline int DuToPixelsY(int du) {
    return (du * kBaseUnitY + (du >= 0 ? 4 : -4)) / 8;
}

struct Rect {
    int x, y, w, h;
};

// The client rectangle of a captioned dialog of client size w x h centred on a screen of sw x sh, as
// SetWindowPos places the whole window: ((sw - window width) / 2, (sh - window height) / 2).
inline Rect CentredClient(int w, int h, int sw, int sh) {
    int ww = w + 2 * kFrame, wh = h + 2 * kFrame + kCaption;
    return {(sw - ww) / 2 + kFrame, (sh - wh) / 2 + kFrame + kCaption, w, h};
}
// The whole window around a client rectangle.
inline Rect OuterOf(const Rect& client) {
    return {client.x - kFrame, client.y - kFrame - kCaption, client.w + 2 * kFrame,
            client.h + 2 * kFrame + kCaption};
}

// The 50-point title font height for a vertical resolution, as the background computes it (the
// background passes kLogicalDpi).
inline int TitleFontPixels(int dpiY) {
    return dpiY * 50 / 72;
}

}  // namespace platform::gui
