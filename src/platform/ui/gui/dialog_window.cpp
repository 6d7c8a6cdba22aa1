#include "platform/ui/gui/dialog_window.h"

#include <FL/Fl.H>
#include <FL/Fl_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Round_Button.H>
#include <FL/fl_draw.H>

#include "platform/ui/gui/dialog_layout.h"
#include "platform/ui/gui/progress_widgets.h"
#include "platform/ui/gui/text_convert.h"
#include "platform/ui/gui/win_widgets.h"

namespace platform::gui {

namespace {

struct CallbackData {
    DialogWindow* window;
    int id;
};

Fl_Widget* MakeWidget(const Control& c) {
    int x = DuToPixelsX(c.x), y = DuToPixelsY(c.y), w = DuToPixelsX(c.cx), h = DuToPixelsY(c.cy);
    switch (c.cls) {
        case ControlClass::Button:
            if (c.IsButton(BS_GROUPBOX)) return new GroupBox(x, y, w, h);
            if (c.IsButton(BS_AUTORADIOBUTTON)) {
                auto* radio = new Fl_Round_Button(x, y, w, h);
                radio->down_box(FL_ROUND_DOWN_BOX);
                radio->selection_color(WindowText());
                return radio;
            }
            {
                auto* button = new PushButton(x, y, w, h);
                button->isDefault = c.IsButton(BS_DEFPUSHBUTTON);
                return button;
            }
        case ControlClass::Static: {
            auto* text = new StaticText(x, y, w, h);
            Fl_Align horizontal = (c.style & 0x3) == SS_CENTER  ? FL_ALIGN_TOP
                                  : (c.style & 0x3) == SS_RIGHT ? FL_ALIGN_TOP_RIGHT
                                                                : FL_ALIGN_TOP_LEFT;
            text->align(horizontal | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
            return text;
        }
        case ControlClass::Edit: {
            auto* input = new Fl_Input(x, y, w, h);
            input->box(FL_DOWN_BOX);
            input->textsize(kDialogFontSize);
            if (c.textLimit > 0) input->maximum_size(c.textLimit - 1);
            if (c.style & ES_READONLY) input->readonly(1);
            input->when(FL_WHEN_CHANGED);
            return input;
        }
        case ControlClass::ListBox: {
            auto* list = new Fl_Browser(x, y, w, h);  // FL_NORMAL_BROWSER: nothing can be selected
            list->box(FL_DOWN_BOX);
            list->color(FL_WHITE);
            list->textsize(kDialogFontSize);
            list->format_char('\x01');  // list lines are shown as they are
            list->has_scrollbar((c.style & LBS_DISABLENOSCROLL) ? Fl_Browser_::VERTICAL_ALWAYS
                                                                : Fl_Browser_::VERTICAL);
            return list;
        }
        case ControlClass::Gauge:
            return new SegmentedGauge(x, y, w, h);
        case ControlClass::Animation:
            return new AnimationBox(x, y, w, h);
    }
    return new StaticText(x, y, w, h);
}

}  // namespace

DialogWindow::DialogWindow(Dialog& dialog, Look look, std::function<void(int)> onCommand)
    : Fl_Double_Window(DuToPixelsX(dialog.Template().cx), DuToPixelsY(dialog.Template().cy)),
      dialog_(dialog),
      look_(look),
      onCommand_(std::move(onCommand)) {
    if (look_ == Look::Page && dialog.PictureId() != 0) picture_ = RenderPagePicture(dialog.PictureId());
    color(BtnFace());
    begin();
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
        const Control& c = dialog.controls[i];
        Fl_Widget* w = MakeWidget(c);
        w->labelsize(kDialogFontSize);
        w->labelfont(FL_HELVETICA);
        w->visible_focus((c.style & WS_TABSTOP) != 0);
        bool clickable = c.cls == ControlClass::Button && !c.IsButton(BS_GROUPBOX);
        if (clickable || c.cls == ControlClass::Edit)
            w->callback(ControlCallback, new CallbackData{this, c.id});
        controlOf_[w] = i;
        if (c.id != -1) widgets_[c.id] = w;
    }
    end();
    callback(WindowCallback, this);
    if (look_ == Look::Page) set_modal();  // the progress window is modeless
    Refresh();
}

DialogWindow::~DialogWindow() {
    for (auto& [widget, index] : controlOf_) {
        (void)index;
        delete static_cast<CallbackData*>(widget->user_data());
    }
}

Fl_Widget* DialogWindow::WidgetFor(int id) const {
    auto it = widgets_.find(id);
    return it == widgets_.end() ? nullptr : it->second;
}

void DialogWindow::Refresh() {
    if (caption_ != dialog_.caption) {
        caption_ = dialog_.caption;
        copy_label(AnsiToUtf8(caption_).c_str());
        if (Fl_Window* frame = window()) frame->redraw();  // the caption bar drawn around us
    }
    for (auto& [widget, index] : controlOf_) {
        const Control& c = dialog_.controls[index];
        switch (c.cls) {
            case ControlClass::Edit: {
                auto* input = static_cast<Fl_Input*>(widget);
                if (Utf8ToAnsi(input->value()) != c.text) input->value(AnsiToUtf8(c.text).c_str());
                input->color(c.enabled && !(c.style & ES_READONLY) ? FL_WHITE : BtnFace());
                input->textcolor(c.enabled ? WindowText() : BtnShadow());
                break;
            }
            case ControlClass::ListBox: {
                auto* list = static_cast<Fl_Browser*>(widget);
                if (list->size() != static_cast<int>(c.items.size())) {
                    list->clear();
                    for (const auto& item : c.items)
                        list->add(AnsiToUtf8(item).c_str());
                }
                break;
            }
            case ControlClass::Gauge:
                static_cast<SegmentedGauge*>(widget)->value(c.value);
                break;
            case ControlClass::Animation:
                break;
            default: {
                std::string label = widget->label() ? widget->label() : "";
                SetLabel(widget, c.text);
                if (label != (widget->label() ? widget->label() : "")) widget->redraw();
                if (c.IsButton(BS_AUTORADIOBUTTON)) static_cast<Fl_Button*>(widget)->value(c.checked ? 1 : 0);
            }
        }
        if (c.visible && !widget->visible()) widget->show();
        if (!c.visible && widget->visible()) widget->hide();
        if (c.enabled && !widget->active()) widget->activate();
        if (!c.enabled && widget->active()) widget->deactivate();
    }
    redraw();
}

void DialogWindow::Place(int screenW, int screenH) {
    Rect r = CentredClient(w(), h(), screenW, screenH);
    position(r.x, r.y);
}

void DialogWindow::FocusInitial() {
    Fl_Widget* target = dialog_.focusId ? WidgetFor(dialog_.focusId) : nullptr;
    if (!target)
        for (int i = 0; i < children(); ++i) {
            Fl_Widget* w = child(i);
            if (w->visible_focus() && w->visible() && w->active()) {
                target = w;
                break;
            }
        }
    if (target) target->take_focus();
}

void DialogWindow::TypeInto(int id, const std::string& ansi) {
    auto* input = dynamic_cast<Fl_Input*>(WidgetFor(id));
    if (!input) {
        dialog_.UserEdit(id, ansi);
        return;
    }
    input->take_focus();
    input->value(AnsiToUtf8(ansi).c_str());
    input->do_callback();
}

void DialogWindow::ClickRadio(int id) {
    auto* radio = dynamic_cast<Fl_Round_Button*>(WidgetFor(id));
    if (!radio) {
        dialog_.UserClickRadio(id);
        return;
    }
    radio->value(1);
    radio->do_callback();
}

void DialogWindow::Click(int id) {
    Fl_Widget* w = WidgetFor(id);
    if (w && dynamic_cast<PushButton*>(w))
        w->do_callback();
    else
        onCommand_(id);
}

void DialogWindow::SetMovie(int id, std::optional<AviMovie> movie) {
    if (auto* box = dynamic_cast<AnimationBox*>(WidgetFor(id))) box->movie(std::move(movie));
}

void DialogWindow::NextFrame() {
    for (auto& [id, widget] : widgets_) {
        (void)id;
        if (auto* box = dynamic_cast<AnimationBox*>(widget)) box->next();
    }
}

double DialogWindow::FrameInterval() const {
    for (const auto& [id, widget] : widgets_) {
        (void)id;
        if (auto* box = dynamic_cast<AnimationBox*>(widget)) return box->intervalMs() / 1000.0;
    }
    return 0.1;
}

void DialogWindow::ControlCallback(Fl_Widget* w, void* data) {
    auto* d = static_cast<CallbackData*>(data);
    d->window->OnControl(w, d->id);
}

void DialogWindow::OnControl(Fl_Widget* w, int id) {
    const Control& c = dialog_.controls[controlOf_[w]];
    if (c.cls == ControlClass::Edit) {
        dialog_.UserEdit(id, Utf8ToAnsi(static_cast<Fl_Input*>(w)->value()));
        return;
    }
    if (c.IsButton(BS_AUTORADIOBUTTON)) {
        dialog_.UserClickRadio(id);
        Refresh();
        return;
    }
    onCommand_(id);
}

void DialogWindow::WindowCallback(Fl_Widget*, void* data) {
    // The close box and Escape send IDCANCEL, as the dialog manager does; the dialog decides.
    static_cast<DialogWindow*>(data)->onCommand_(IDCANCEL);
}

int DialogWindow::handle(int event) {
    if (event == FL_SHORTCUT && (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)) {
        // Enter presses the focused push button, else the visible, enabled default button.
        if (auto* focused = dynamic_cast<PushButton*>(Fl::focus()); focused && focused->window() == this) {
            focused->do_callback();
            return 1;
        }
        for (const Control& c : dialog_.controls)
            if (c.IsButton(BS_DEFPUSHBUTTON) && c.visible && c.enabled) {
                Click(c.id);
                return 1;
            }
        return 1;
    }
    return Fl_Double_Window::handle(event);
}

void DialogWindow::draw() {
    // When only controls changed (typing, a caret, a gauge), they redraw themselves: painting the client
    // here would wipe every other control from the buffer.
    if (!(damage() & ~FL_DAMAGE_CHILD)) {
        draw_children();
        return;
    }
    int W = w(), H = h();
    fl_color(BtnFace());
    fl_rectf(0, 0, W, H);
    if (look_ == Look::Page) {
        int BW = picture_ ? picture_->width + 10 : 0, BH = picture_ ? picture_->height + 14 : 0;
        fl_color(BtnShadow());
        fl_rectf(1, H - 1, W - 1, 1);
        fl_rectf(W - 1, 1, 1, H - 2);
        if (picture_) {
            fl_rectf(15, 20, BW, 1);
            fl_rectf(15, 20, 1, BH - 1);
        }
        fl_rectf(3, H - 60, W - 1, 1);
        fl_color(BtnHighlight());
        fl_rectf(0, 0, W, 1);
        fl_rectf(0, 1, 1, H - 1);
        if (picture_) {
            fl_rectf(16, BH + 19, BW - 1, 1);
            fl_rectf(BW + 14, 20, 1, BH - 1);
        }
        fl_rectf(3, H - 59, W - 1, 1);
        if (picture_) fl_draw_image(picture_->rgb.data(), 20, 27, picture_->width, picture_->height, 3);
    }
    draw_children();
}

}  // namespace platform::gui
