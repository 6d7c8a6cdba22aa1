// The readme in a window of its own, for hosts without a viewer of their own.
#pragma once

#include <FL/Fl_Double_Window.H>

#include <string>

class Fl_Text_Buffer;

namespace platform::gui {

class TextViewerWindow : public Fl_Double_Window {
  public:
    TextViewerWindow(const std::string& ansiTitle, const std::string& ansiText);
    ~TextViewerWindow() override;
    // What it shows (UTF-8).
    std::string text() const;

  private:
    Fl_Text_Buffer* buffer_;
};

}  // namespace platform::gui
