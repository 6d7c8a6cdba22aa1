#include "platform/ui/gui/screenshot.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <X11/Xutil.h>

#include <cstdio>

#include "platform/ui/gui/dialog_layout.h"
#include "platform/ui/gui/png_writer.h"
#include "platform/ui/gui/win_widgets.h"

namespace platform::gui {

namespace {

int Shift(unsigned long mask) {
    int s = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++s;
    }
    return s;
}

std::uint8_t Channel(unsigned long pixel, unsigned long mask) {
    if (!mask) return 0;
    unsigned long v = (pixel & mask) >> Shift(mask);
    unsigned long max = mask >> Shift(mask);
    return static_cast<std::uint8_t>(v * 255 / max);
}

bool ReadDrawable(Drawable d, int w, int h, std::vector<std::uint8_t>& rgb) {
    XImage* image = XGetImage(fl_display, d, 0, 0, static_cast<unsigned>(w), static_cast<unsigned>(h),
                              AllPlanes, ZPixmap);
    if (!image) return false;
    // Images of pixmaps carry no colour masks; the screen's visual has them.
    Visual* visual = DefaultVisual(fl_display, fl_screen);
    unsigned long red = image->red_mask ? image->red_mask : visual->red_mask;
    unsigned long green = image->green_mask ? image->green_mask : visual->green_mask;
    unsigned long blue = image->blue_mask ? image->blue_mask : visual->blue_mask;
    rgb.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 3);
    std::uint8_t* out = rgb.data();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned long p = XGetPixel(image, x, y);
            *out++ = Channel(p, red);
            *out++ = Channel(p, green);
            *out++ = Channel(p, blue);
        }
    XDestroyImage(image);
    return true;
}

void DrawDecoration(const DecoratedWindow& d, bool active) {
    Fl_Window* w = d.window;
    int ox = w->x() - d.frame, oy = w->y() - d.frame - d.caption;
    int ow = w->w() + 2 * d.frame, oh = w->h() + 2 * d.frame + d.caption;
    if (d.frame >= 2) {
        fl_color(BtnFace());
        fl_rectf(ox, oy, ow, oh - w->h() - d.frame);
        fl_rectf(ox, oy, d.frame, oh);
        fl_rectf(ox + ow - d.frame, oy, d.frame, oh);
        fl_rectf(ox, oy + oh - d.frame, ow, d.frame);
        fl_color(BtnHighlight());
        fl_xyline(ox + 1, oy + 1, ox + ow - 3);
        fl_yxline(ox + 1, oy + 1, oy + oh - 3);
        fl_color(WindowText());
        fl_xyline(ox, oy + oh - 1, ox + ow - 1);
        fl_yxline(ox + ow - 1, oy, oy + oh - 1);
        fl_color(BtnShadow());
        fl_xyline(ox + 1, oy + oh - 2, ox + ow - 2);
        fl_yxline(ox + ow - 2, oy + 1, oy + oh - 2);
    }
    int cx = ox + d.frame, cy = oy + d.frame, cw = ow - 2 * d.frame;
    fl_color(active ? fl_rgb_color(0, 0, 128) : BtnShadow());
    fl_rectf(cx, cy, cw, d.caption - 1);
    fl_color(active ? FL_WHITE : BtnFace());
    fl_font(FL_HELVETICA_BOLD, kDialogFontSize);
    if (w->label()) {
        fl_push_clip(cx, cy, cw, d.caption - 1);
        fl_draw(w->label(), cx + 4, cy, cw - 8, d.caption - 1, FL_ALIGN_LEFT | FL_ALIGN_INSIDE, nullptr, 0);
        fl_pop_clip();
    }
}

}  // namespace

bool HaveWindowManager() {
    fl_open_display();
    char name[32];
    std::snprintf(name, sizeof name, "WM_S%d", fl_screen);
    Atom selection = XInternAtom(fl_display, name, False);
    return XGetSelectionOwner(fl_display, selection) != None;
}

ScreenImage CaptureScreen(const std::vector<DecoratedWindow>& stack) {
    fl_open_display();
    Fl::flush();
    XSync(fl_display, False);
    ScreenImage shot;
    Window root = RootWindow(fl_display, fl_screen);
    shot.width = DisplayWidth(fl_display, fl_screen);
    shot.height = DisplayHeight(fl_display, fl_screen);
    if (!ReadDrawable(root, shot.width, shot.height, shot.rgb)) return ScreenImage{};
    if (HaveWindowManager() || stack.empty()) return shot;

    // Draw the frames and captions bottom window first; each window above keeps its own pixels.
    Fl_Offscreen off = fl_create_offscreen(shot.width, shot.height);
    fl_begin_offscreen(off);
    fl_draw_image(shot.rgb.data(), 0, 0, shot.width, shot.height, 3);
    const std::vector<std::uint8_t> original = shot.rgb;
    for (std::size_t i = 0; i < stack.size(); ++i) {
        if (!stack[i].window->shown() || !stack[i].window->visible()) continue;
        DrawDecoration(stack[i], i + 1 == stack.size());
        for (std::size_t j = i + 1; j < stack.size(); ++j) {
            Fl_Window* above = stack[j].window;
            if (!above->shown() || !above->visible()) continue;
            int x = std::max(0, above->x()), y = std::max(0, above->y());
            int w = std::min(shot.width, above->x() + above->w()) - x;
            int h = std::min(shot.height, above->y() + above->h()) - y;
            if (w > 0 && h > 0)
                fl_draw_image(original.data() + (static_cast<std::size_t>(y) * shot.width + x) * 3, x, y, w,
                              h, 3, shot.width * 3);
        }
    }
    XSync(fl_display, False);
    ReadDrawable(off, shot.width, shot.height, shot.rgb);
    fl_end_offscreen();
    fl_delete_offscreen(off);
    return shot;
}

std::string Screenshots::Take(const std::string& name, const std::vector<DecoratedWindow>& stack) {
    if (!enabled()) return std::string();
    ScreenImage shot = CaptureScreen(stack);
    char number[16];
    std::snprintf(number, sizeof number, "%03d-", ++count_);
    std::string path = dir_ + "/" + number + name + ".png";
    if (shot.width == 0 || !WritePng(path, shot.width, shot.height, shot.rgb)) {
        std::fprintf(stderr, "setup: screenshot %s could not be written\n", path.c_str());
        return std::string();
    }
    return path;
}

}  // namespace platform::gui
