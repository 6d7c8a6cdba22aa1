// A window of the setup drawn inside its full-screen background: the system's dialog frame and caption
// bar around a client window (a page, a message box, the progress window, a viewer). The setup draws the
// decoration itself, so the windows sit where the layout puts them and look the same with or without a
// window manager. The caption bar can be dragged; a close box, where the window has one, does what the
// client's close callback says.
#pragma once

#include <FL/Fl_Double_Window.H>

#include "platform/ui/gui/dialog_layout.h"

namespace platform::gui {

// Draws a caption bar (active: white on navy; inactive: face on grey) with its text at the left.
void DrawCaptionBar(const char* utf8Caption, int x, int y, int w, int h, bool active);

class FrameWindow : public Fl_Double_Window {
  public:
    // Takes `client` (not shown yet) as its child; `clientRect` is where the client goes, in the
    // coordinates of the window the frame is added to.
    FrameWindow(Fl_Window* client, const Rect& clientRect, bool closeBox);
    // Gives the client back to its owner: the client is never deleted with the frame.
    ~FrameWindow() override;

    Fl_Window* client() const { return client_; }
    void Activate(bool active);
    bool activeCaption() const { return active_; }

  protected:
    void draw() override;
    int handle(int event) override;

  private:
    bool InCloseBox(int x, int y) const;

    Fl_Window* client_;
    bool closeBox_;
    bool active_ = true;
    bool dragging_ = false;
    int dragX_ = 0, dragY_ = 0;
};

}  // namespace platform::gui
