#include "platform/ui/gui/text_viewer.h"

#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Display.H>

#include <cstdlib>

#include "platform/ui/gui/text_convert.h"

namespace platform::gui {

TextViewerWindow::TextViewerWindow(const std::string& ansiTitle, const std::string& ansiText)
    : Fl_Double_Window(560, 400), buffer_(new Fl_Text_Buffer()) {
    copy_label(AnsiToUtf8(ansiTitle).c_str());
    std::string text;
    for (char c : ansiText)
        if (c != '\r' && c != '\x1A') text += c;  // CR LF lines and the old end-of-file mark
    buffer_->text(AnsiToUtf8(text).c_str());
    begin();
    auto* display = new Fl_Text_Display(0, 0, w(), h());
    display->buffer(buffer_);
    display->textfont(FL_COURIER);
    display->textsize(12);
    display->wrap_mode(Fl_Text_Display::WRAP_AT_BOUNDS, 0);
    resizable(display);
    end();
}

std::string TextViewerWindow::text() const {
    char* copy = buffer_->text();
    std::string shown = copy ? copy : "";
    free(copy);
    return shown;
}

TextViewerWindow::~TextViewerWindow() {
    // The display goes first (with the window's children), then its buffer.
    clear();
    delete buffer_;
}

}  // namespace platform::gui
