// Pictures of the screen while the run goes on: the whole screen as PNG, with the frames and captions
// of our windows drawn in when no window manager draws them (a bare X server under test).
#pragma once

#include <FL/Fl_Window.H>

#include <cstdint>
#include <string>
#include <vector>

namespace platform::gui {

struct ScreenImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // rows of R, G, B, top row first
};

// A top-level window and the decoration the system would give it (frame width, caption height).
struct DecoratedWindow {
    Fl_Window* window;
    int frame;
    int caption;
};

// Whether a window manager runs on the display (and so decorates and places windows itself).
bool HaveWindowManager();

// The screen as it is now, after every pending redraw; `stack` lists our windows bottom first.
ScreenImage CaptureScreen(const std::vector<DecoratedWindow>& stack);

class Screenshots {
  public:
    explicit Screenshots(std::string dir) : dir_(std::move(dir)) {}
    bool enabled() const { return !dir_.empty(); }
    // Saves DIR/NNN-name.png; returns the host path written, empty when disabled or on failure.
    std::string Take(const std::string& name, const std::vector<DecoratedWindow>& stack);

  private:
    std::string dir_;
    int count_ = 0;
};

}  // namespace platform::gui
