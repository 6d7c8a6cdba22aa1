// The maximised main frame, drawn by the setup itself over the whole screen: its caption bar along the
// top, and below it the client painted red in 3-pixel bands with the product title in white 50-point
// bold italic serif, centred, 10 pixels right and down of the client's corner. Every other window of the
// setup is a child of this one (a FrameWindow), so nothing depends on a window manager.
#pragma once

#include <FL/Fl_Double_Window.H>

#include <string>

#include "platform/win_types.h"

namespace platform::gui {

class BackgroundWindow : public Fl_Double_Window {
  public:
    // The whole window (caption bar included) at x, y, w, h.
    BackgroundWindow(int x, int y, int w, int h, const std::string& caption);
    // DrawText's DT_CENTER and DT_WORDBREAK are honoured; the title is redrawn at once.
    void SetTitle(const std::string& ansiTitle, UINT drawTextFormat);
    const std::string& title() const { return title_; }
    // Where the client starts below the caption bar.
    int clientTop() const;

    static Fl_Color BandColour();
    static Fl_Color FrameColour();

  protected:
    void draw() override;

  private:
    std::string title_;  // UTF-8
    UINT format_ = DT_CENTER;
};

}  // namespace platform::gui
