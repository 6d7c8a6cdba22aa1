// A dialog's window, built from its template: one widget per control placed in dialog units, kept in
// step with the model both ways (the user's typing and radio clicks go into the model at once; after every
// command the widgets show the model again). Pages get the wizard look: 3D edges, separator, picture frame
// and picture.
#pragma once

#include <FL/Fl_Double_Window.H>

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/dialog.h"
#include "platform/ui/gui/avi_reader.h"
#include "platform/ui/gui/page_pictures.h"

namespace platform::gui {

class DialogWindow : public Fl_Double_Window {
  public:
    enum class Look { Page, Plain };
    // `onCommand` receives the id of every button clicked, Enter (the default button), Escape and the
    // close box (IDCANCEL).
    DialogWindow(Dialog& dialog, Look look, std::function<void(int)> onCommand);
    ~DialogWindow() override;

    // Model to widgets: caption, texts, visibility, enabled state, checks, list items, gauge.
    void Refresh();
    // Centres the window on the screen (as the dialog's set-up does on every visit) and gives the
    // keyboard focus to the dialog's focus control or the first tab stop.
    void Place(int screenW, int screenH);
    void FocusInitial();

    // What the user does, done on the real widgets: type a text into an edit, click a radio button, click
    // a button (or send a command that has no button, as the keyboard does).
    void TypeInto(int id, const std::string& ansi);
    void ClickRadio(int id);
    void Click(int id);

    Fl_Widget* WidgetFor(int id) const;
    // The animation the control shows (control 300 of the progress window).
    void SetMovie(int id, std::optional<AviMovie> movie);
    void NextFrame();
    // Seconds to the next animation frame.
    double FrameInterval() const;
    Dialog& dialog() { return dialog_; }

  protected:
    void draw() override;
    int handle(int event) override;

  private:
    static void ControlCallback(Fl_Widget* w, void* data);
    static void WindowCallback(Fl_Widget* w, void* data);
    void OnControl(Fl_Widget* w, int id);

    Dialog& dialog_;
    Look look_;
    std::function<void(int)> onCommand_;
    std::map<int, Fl_Widget*> widgets_;            // by control id; unnamed statics are not listed
    std::map<Fl_Widget*, std::size_t> controlOf_;  // widget -> index into dialog.controls
    std::optional<PagePicture> picture_;
    std::string caption_;
};

}  // namespace platform::gui
