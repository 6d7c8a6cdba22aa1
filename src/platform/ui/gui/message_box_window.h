// A message box as the system draws one: icon, text, and the buttons of its style, the default one
// answering Enter, Escape answering Cancel where there is a Cancel (or OK when OK is the only button).
#pragma once

#include <FL/Fl_Double_Window.H>

#include <string>
#include <vector>

#include "platform/win_types.h"

namespace platform::gui {

class PushButton;

class MessageBoxWindow : public Fl_Double_Window {
  public:
    MessageBoxWindow(const std::string& ansiText, const std::string& ansiCaption, UINT type);
    ~MessageBoxWindow() override;

    // The buttons of a style, in order (IDOK, IDCANCEL ...), and the one Enter presses.
    static std::vector<int> ButtonsOf(UINT type);
    static int DefaultOf(UINT type);

    // 0 until a button has been pressed.
    int answer() const { return answer_; }
    // Presses the button of that answer (as a click would); false when the box has no such button.
    bool Press(int answer);
    // Gives the keyboard to the default button; call once the box is shown.
    void FocusDefault();

  protected:
    void draw() override;
    int handle(int event) override;

  private:
    static void ButtonCallback(Fl_Widget* w, void* data);

    UINT type_;
    std::string text_;  // UTF-8
    int textX_ = 0, textY_ = 0, textW_ = 0, textH_ = 0;
    std::vector<std::pair<PushButton*, int>> buttons_;
    int answer_ = 0;
};

}  // namespace platform::gui
