#include "platform/ui/gui/page_pictures.h"

#include <cstring>

namespace platform::gui {

const std::uint8_t kPalette16[16][3] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

namespace {

enum : std::uint8_t {
    kBlack = 0,
    kMaroon,
    kGreen,
    kOlive,
    kNavy,
    kPurple,
    kTeal,
    kSilver,
    kGrey,
    kRed,
    kLime,
    kYellow,
    kBlue,
    kFuchsia,
    kAqua,
    kWhite
};

class Canvas {
  public:
    Canvas(int w, int h)
        : w_(w), h_(h), px_(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), kGreen) {}

    void Set(int x, int y, std::uint8_t c) {
        if (x >= 0 && y >= 0 && x < w_ && y < h_) px_[static_cast<std::size_t>(y) * w_ + x] = c;
    }
    void Rect(int x, int y, int w, int h, std::uint8_t c) {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i)
                Set(i, j, c);
    }
    void HLine(int x0, int x1, int y, std::uint8_t c) {
        for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x)
            Set(x, y, c);
    }
    void VLine(int x, int y0, int y1, std::uint8_t c) {
        for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
            Set(x, y, c);
    }
    void Pad(int x, int y) {
        Rect(x - 2, y - 2, 5, 5, kYellow);
        Set(x, y, kBlack);
    }

    PagePicture Finish() const {
        PagePicture p{w_, h_, std::vector<std::uint8_t>(px_.size() * 3)};
        for (std::size_t i = 0; i < px_.size(); ++i)
            std::memcpy(&p.rgb[3 * i], kPalette16[px_[i]], 3);
        return p;
    }
    int w() const { return w_; }
    int h() const { return h_; }

  private:
    int w_, h_;
    std::vector<std::uint8_t> px_;
};

// A small deterministic generator, so every page keeps its own picture from run to run.
struct Lcg {
    std::uint32_t state;
    int Next(int range) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) % static_cast<std::uint32_t>(range));
    }
};

void Draw(Canvas& c, int id) {
    Lcg rng{static_cast<std::uint32_t>(id) * 7919u + 17u};
    // The board: green with a fine dotted grid.
    for (int y = 0; y < c.h(); y += 6)
        for (int x = (y / 6) % 2 * 3; x < c.w(); x += 6)
            c.Set(x, y, kOlive);
    // The chip, placed a little differently on each page.
    int cw = c.w() / 2, ch = c.h() / 3;
    int cx = (c.w() - cw) / 2 + rng.Next(11) - 5;
    int cy = c.h() / 3 + rng.Next(15) - 7;
    // Traces from the pins out to pads near the edges.
    for (int i = 0; i < 5; ++i) {
        int px = cx + 6 + i * (cw - 12) / 4;
        int top = 6 + rng.Next(c.h() / 5);
        c.VLine(px, top, cy - 4, kYellow);
        c.Pad(px, top);
        int bend = cy + ch + 6 + rng.Next(c.h() - cy - ch - 20 > 0 ? c.h() - cy - ch - 20 : 1);
        c.VLine(px, cy + ch + 4, bend, kYellow);
        int side = i < 2 ? 4 : (i > 2 ? c.w() - 5 : px);
        c.HLine(px, side, bend, kYellow);
        c.Pad(side, bend);
    }
    for (int i = 0; i < 3; ++i) {
        int py = cy + 6 + i * (ch - 12) / 2;
        c.HLine(4 + rng.Next(8), cx - 4, py, kYellow);
        c.HLine(cx + cw + 4, c.w() - 5 - rng.Next(8), py, kYellow);
    }
    // Pins, then the package with its bevel and notch.
    for (int i = 0; i < 5; ++i) {
        int px = cx + 6 + i * (cw - 12) / 4;
        c.Rect(px - 1, cy - 4, 3, 4, kSilver);
        c.Rect(px - 1, cy + ch, 3, 4, kSilver);
    }
    for (int i = 0; i < 3; ++i) {
        int py = cy + 6 + i * (ch - 12) / 2;
        c.Rect(cx - 4, py - 1, 4, 3, kSilver);
        c.Rect(cx + cw, py - 1, 4, 3, kSilver);
    }
    c.Rect(cx, cy, cw, ch, kGrey);
    c.Rect(cx + 1, cy + 1, cw - 2, ch - 2, kBlack);
    c.HLine(cx, cx + cw - 1, cy, kSilver);
    c.VLine(cx, cy, cy + ch - 1, kSilver);
    c.Rect(cx + 3, cy + 3, 3, 3, kGrey);
    // A label on the chip: a lit bar whose colour follows the page.
    static const std::uint8_t kLabel[] = {kRed, kAqua, kLime, kFuchsia, kWhite, kBlue};
    c.Rect(cx + 8, cy + ch / 2 - 2, cw - 16, 4, kLabel[id % 6]);
    // Two small parts: a capacitor and a resistor.
    int rx = 8 + rng.Next(c.w() / 3), ry = c.h() - 18 - rng.Next(10);
    c.Rect(rx, ry, 14, 5, kTeal);
    c.Rect(rx + 3, ry, 2, 5, kMaroon);
    c.Rect(rx + 7, ry, 2, 5, kPurple);
    int qx = c.w() - 22 - rng.Next(c.w() / 4), qy = 10 + rng.Next(c.h() / 6);
    c.Rect(qx, qy, 8, 8, kNavy);
    c.Rect(qx + 1, qy + 1, 6, 2, kBlue);
}

}  // namespace

PictureSize PagePictureSize(int id) {
    switch (id) {
        case 1:
        case 2:
        case 12:
            return {109, 137};
        case 3:
            return {117, 156};
        case 5:
        case 6:
        case 8:
            return {130, 160};
        case 7:
            return {117, 149};
        default:
            return {0, 0};
    }
}

std::optional<PagePicture> RenderPagePicture(int id) {
    PictureSize size = PagePictureSize(id);
    if (size.width == 0) return std::nullopt;
    Canvas canvas(size.width, size.height);
    Draw(canvas, id);
    return canvas.Finish();
}

}  // namespace platform::gui
