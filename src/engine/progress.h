// The progress window: which file set is being installed (title), what is done right now (one line),
// how far the set has come (a gauge from 0 to 100) and a looping animation from the media. Modeless:
// the front end shows it once and redraws it after every change.
#pragma once

#include <string>

#include "platform/dialog.h"

class InstallDetailDialog : public platform::Dialog {
  public:
    static constexpr int kAnimation = 300;
    static constexpr int kText = 104;
    static constexpr int kGauge = 209;

    explicit InstallDetailDialog(HWND parent);
    ~InstallDetailDialog() override;

    // Gauge at 0, the animation file named in the animation control, the window centred.
    void SetupWindow() override;
    // Shows the window through the front end (once).
    void Create();
    void SetTitle(const std::string& title);
    // Which file set of how many this is; shown with the next title.
    void SetStage(int setNumber, int setCount);
    // The text always; the gauge only when `position` is not -1, at most 100.
    void SetTextAndGauge(const std::string& text, int position);
    int GaugeValue() const { return gauge_; }

    HWND Parent() const { return parent_; }
    // Screen position in pixels, centred when the window was set up.
    int left = 0;
    int top = 0;

  private:
    void Redraw();

    HWND parent_;
    int gauge_ = 0;
    bool shown_ = false;
};

// Rewrites a path for the progress text: drive + "\...\" + name when it is longer than `width`, doubled
// backslashes collapsed, upper case. A text that has no drive or no directory is left as it is.
void ShortenPathForDisplay(std::string& path, std::size_t width);
