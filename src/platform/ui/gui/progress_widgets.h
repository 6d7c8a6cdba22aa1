// The progress window's two system controls: the segmented gauge and the animation player.
#pragma once

#include <FL/Fl_Widget.H>

#include <optional>

#include "platform/ui/gui/avi_reader.h"

namespace platform::gui {

// A sunken bar filled with blocks: 25 segments for 0..100 (spacing 4), each 80 percent of its step.
class SegmentedGauge : public Fl_Widget {
  public:
    SegmentedGauge(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {}
    void value(int v);
    int value() const { return value_; }

    static constexpr int kSpacing = 4;
    static constexpr int kThicknessPercent = 80;

  protected:
    void draw() override;

  private:
    int value_ = 0;
};

// Plays an animation centred in a bordered box; without one the box stays empty.
class AnimationBox : public Fl_Widget {
  public:
    AnimationBox(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {}
    void movie(std::optional<AviMovie> m);
    bool playing() const { return movie_ && !movie_->frames.empty(); }
    void next();
    int frame() const { return frame_; }
    int intervalMs() const;

  protected:
    void draw() override;

  private:
    std::optional<AviMovie> movie_;
    int frame_ = 0;
};

}  // namespace platform::gui
