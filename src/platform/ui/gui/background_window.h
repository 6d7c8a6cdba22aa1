// The maximised main frame: its client is painted red in 3-pixel bands with the product title in white
// 50-point bold italic serif, centred, 10 pixels right and down of the client's corner.
#pragma once

#include <FL/Fl_Double_Window.H>

#include <string>

#include "platform/win_types.h"

namespace platform::gui {

class BackgroundWindow : public Fl_Double_Window {
  public:
    BackgroundWindow(int x, int y, int w, int h, const std::string& caption);
    // DrawText's DT_CENTER and DT_WORDBREAK are honoured; the title is redrawn at once.
    void SetTitle(const std::string& ansiTitle, UINT drawTextFormat);
    const std::string& title() const { return title_; }

    static Fl_Color BandColour();
    static Fl_Color FrameColour();

  protected:
    void draw() override;

  private:
    std::string title_;  // UTF-8
    UINT format_ = DT_CENTER;
};

}  // namespace platform::gui
