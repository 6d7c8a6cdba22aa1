#include "platform/dialog.h"

namespace platform {

Dialog::Dialog(const DialogTemplate& tmpl) : caption(tmpl.caption ? tmpl.caption : ""), template_(&tmpl) {
    for (const auto& c : tmpl.controls) {
        Control control{c.id,
                        c.cls,
                        c.style,
                        c.x,
                        c.y,
                        c.cx,
                        c.cy,
                        c.text ? c.text : "",
                        (c.style & WS_VISIBLE) != 0,
                        (c.style & WS_DISABLED) == 0,
                        false,
                        c.textLimit,
                        0,
                        {}};
        controls.push_back(std::move(control));
    }
}

void Dialog::Command(int id) {
    if (id == IDOK || id == IDCANCEL) EndDialog(id);
}

void Dialog::EndDialog(int result) {
    ended_ = true;
    result_ = result;
}

Control* Dialog::Find(int id) {
    for (auto& c : controls)
        if (c.id == id) return &c;
    return nullptr;
}

const Control* Dialog::Find(int id) const {
    for (const auto& c : controls)
        if (c.id == id) return &c;
    return nullptr;
}

void Dialog::SetDlgItemText(int id, const std::string& text) {
    if (Control* c = Find(id)) c->text = text;
}

std::string Dialog::GetDlgItemText(int id, std::size_t maxChars) const {
    const Control* c = Find(id);
    if (!c) return std::string();
    return c->text.substr(0, maxChars);
}

void Dialog::ShowItem(int id, bool show) {
    if (Control* c = Find(id)) c->visible = show;
}

void Dialog::EnableItem(int id, bool enable) {
    if (Control* c = Find(id)) c->enabled = enable;
}

void Dialog::CheckDlgButton(int id, bool checked) {
    if (Control* c = Find(id)) c->checked = checked;
}

bool Dialog::IsDlgButtonChecked(int id) const {
    const Control* c = Find(id);
    return c && c->checked;
}

void Dialog::AddListItem(int id, const std::string& text) {
    if (Control* c = Find(id)) c->items.push_back(text);
}

void Dialog::UserEdit(int id, const std::string& text) {
    Control* c = Find(id);
    if (!c || c->cls != ControlClass::Edit || !c->enabled || (c->style & ES_READONLY)) return;
    c->text = (c->textLimit > 0 && text.size() > static_cast<std::size_t>(c->textLimit - 1))
                  ? text.substr(0, static_cast<std::size_t>(c->textLimit - 1))
                  : text;
}

void Dialog::UserClickRadio(int id) {
    Control* clicked = Find(id);
    if (!clicked || !clicked->IsButton(BS_AUTORADIOBUTTON) || !clicked->enabled || !clicked->visible) return;
    // The group runs from the nearest radio with WS_GROUP (or the first radio) to the next WS_GROUP.
    std::size_t index = static_cast<std::size_t>(clicked - controls.data());
    std::size_t first = index;
    while (first > 0 && !(controls[first].style & WS_GROUP) &&
           controls[first - 1].IsButton(BS_AUTORADIOBUTTON))
        --first;
    for (std::size_t i = first; i < controls.size() && controls[i].IsButton(BS_AUTORADIOBUTTON); ++i) {
        if (i != first && (controls[i].style & WS_GROUP)) break;
        controls[i].checked = i == index;
    }
}

std::string WithoutMnemonic(const std::string& caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        out += caption[i];
    }
    return out;
}

}  // namespace platform
