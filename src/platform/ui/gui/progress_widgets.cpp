#include "platform/ui/gui/progress_widgets.h"

#include <FL/fl_draw.H>

#include <algorithm>

#include "platform/ui/gui/win_widgets.h"

namespace platform::gui {

void SegmentedGauge::value(int v) {
    v = std::clamp(v, 0, 100);
    if (v != value_) {
        value_ = v;
        redraw();
    }
}

void SegmentedGauge::draw() {
    fl_color(BtnFace());
    fl_rectf(x(), y(), w(), h());
    fl_color(BtnShadow());
    fl_xyline(x(), y(), x() + w() - 1);
    fl_yxline(x(), y(), y() + h() - 1);
    fl_color(BtnHighlight());
    fl_xyline(x(), y() + h() - 1, x() + w() - 1);
    fl_yxline(x() + w() - 1, y(), y() + h() - 1);
    int ix = x() + 2, iy = y() + 2, iw = w() - 4, ih = h() - 4;
    if (iw <= 0 || ih <= 0) return;
    fl_color(fl_rgb_color(0, 0, 128));
    for (int k = 0; (k + 1) * kSpacing <= value_; ++k) {
        int left = ix + iw * k * kSpacing / 100;
        int step = ix + iw * (k + 1) * kSpacing / 100 - left;
        fl_rectf(left, iy, std::max(1, step * kThicknessPercent / 100), ih);
    }
}

void AnimationBox::movie(std::optional<AviMovie> m) {
    movie_ = std::move(m);
    frame_ = 0;
    redraw();
}

void AnimationBox::next() {
    if (!playing()) return;
    frame_ = (frame_ + 1) % static_cast<int>(movie_->frames.size());
    redraw();
}

int AnimationBox::intervalMs() const {
    int us = movie_ ? movie_->microSecondsPerFrame : 0;
    return us > 0 ? std::clamp(us / 1000, 20, 2000) : 100;
}

void AnimationBox::draw() {
    fl_color(BtnFace());
    fl_rectf(x(), y(), w(), h());
    fl_color(WindowText());
    fl_rect(x(), y(), w(), h());
    if (!playing()) return;
    int fw = std::min(movie_->width, w() - 2), fh = std::min(movie_->height, h() - 2);
    int fx = x() + (w() - fw) / 2, fy = y() + (h() - fh) / 2;
    const auto& pixels = movie_->frames[static_cast<std::size_t>(frame_)];
    // A frame larger than the box is clipped around its centre.
    int sx = (movie_->width - fw) / 2, sy = (movie_->height - fh) / 2;
    fl_draw_image(pixels.data() + (static_cast<std::size_t>(sy) * movie_->width + sx) * 3, fx, fy, fw, fh, 3,
                  movie_->width * 3);
}

}  // namespace platform::gui
