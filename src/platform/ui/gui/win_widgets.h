// Controls drawn the way the system draws its dialog controls: button-face colours, the default button's
// black frame, etched group boxes, statics that wrap and underline their mnemonics.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Widget.H>

#include <string>

namespace platform::gui {

Fl_Color BtnFace();
Fl_Color BtnShadow();
Fl_Color BtnHighlight();
Fl_Color WindowText();
// FLTK's defaults set to the system's dialog look (button face background, the dialog font, the
// title font).
void UseSystemLook();
// The font of the background's title: a bold italic serif with the metrics of the original's face.
inline constexpr Fl_Font kTitleFont = FL_FREE_FONT;
// The dialog font's base units in pixels (average character width, height), measured on the display.
void DialogBaseUnits(int& x, int& y);

// A push button; the default one has the extra dark frame and answers Enter.
class PushButton : public Fl_Button {
  public:
    PushButton(int x, int y, int w, int h) : Fl_Button(x, y, w, h) {}
    bool isDefault = false;

  protected:
    void draw() override;
    int handle(int event) override;
};

// A static text: wraps at its width, aligned as its style says, "&x" underlines x.
class StaticText : public Fl_Box {
  public:
    StaticText(int x, int y, int w, int h);

  protected:
    // The whole rectangle holds the text (FLTK would keep 3 pixels free on each side).
    void draw() override;
};

// An etched frame with its caption on the top line.
class GroupBox : public Fl_Box {
  public:
    GroupBox(int x, int y, int w, int h) : Fl_Box(x, y, w, h) {}

  protected:
    void draw() override;
};

// Sets a widget's label from program (ANSI) text; FLTK keeps its own copy.
void SetLabel(Fl_Widget* w, const std::string& ansi);

}  // namespace platform::gui
