#include "platform/ui/gui/folder_browser.h"

#include <FL/Fl_Box.H>
#include <FL/Fl_Tree.H>

#include "platform/ui/gui/dialog_layout.h"
#include "platform/ui/gui/text_convert.h"
#include "platform/ui/gui/win_widgets.h"

namespace platform::gui {

namespace {
constexpr const char* kPlaceholder = "...";  // an unopened folder's stand-in child
}

FolderBrowserWindow::FolderBrowserWindow(const std::string& ansiTitle, const HostFiles& files)
    : Fl_Double_Window(320, 330), files_(files) {
    copy_label("Browse for Folder");
    color(BtnFace());
    begin();
    auto* prompt = new StaticText(12, 10, 296, 30);
    SetLabel(prompt, ansiTitle);
    tree_ = new Fl_Tree(12, 44, 296, 236);
    tree_->showroot(0);
    tree_->selectmode(FL_TREE_SELECT_SINGLE);
    tree_->item_labelsize(kDialogFontSize);
    tree_->callback(TreeCallback, this);
    tree_->sortorder(FL_TREE_SORT_NONE);
    if (files_.drives)
        for (const std::string& drive : files_.drives()) {
            std::string name = drive.substr(0, 2);
            Fl_Tree_Item* item = tree_->add(AnsiToUtf8(name).c_str());
            if (item) {
                tree_->add(item, kPlaceholder);
                item->close();
            }
        }
    auto* ok = new PushButton(152, 292, 75, 23);
    ok->copy_label("OK");
    ok->isDefault = true;
    ok->callback(
        [](Fl_Widget*, void* data) {
            auto* self = static_cast<FolderBrowserWindow*>(data);
            Fl_Tree_Item* item = self->tree_->first_selected_item();
            if (item) self->Finish(self->PathOf(item));
        },
        this);
    auto* cancel = new PushButton(233, 292, 75, 23);
    cancel->copy_label("Cancel");
    cancel->callback(
        [](Fl_Widget*, void* data) { static_cast<FolderBrowserWindow*>(data)->Finish(std::nullopt); }, this);
    end();
    set_modal();
    callback([](Fl_Widget*, void* data) { static_cast<FolderBrowserWindow*>(data)->Finish(std::nullopt); },
             this);
}

void FolderBrowserWindow::Finish(std::optional<std::string> folder) {
    chosen_ = std::move(folder);
    done_ = true;
}

std::string FolderBrowserWindow::PathOf(Fl_Tree_Item* item) const {
    std::string path;
    for (Fl_Tree_Item* i = item; i && i != tree_->root(); i = i->parent()) {
        std::string part = Utf8ToAnsi(i->label() ? i->label() : "");
        path = path.empty() ? part : part + "\\" + path;
    }
    if (path.size() == 2 && path[1] == ':') path += '\\';
    return path;
}

void FolderBrowserWindow::Fill(Fl_Tree_Item* item) {
    if (item->children() != 1 || std::string(item->child(0)->label()) != kPlaceholder) return;
    tree_->remove(item->child(0));
    if (!files_.listFolders) return;
    std::string dir = PathOf(item);
    for (const std::string& name : files_.listFolders(dir)) {
        Fl_Tree_Item* child = tree_->add(item, AnsiToUtf8(name).c_str());
        if (!child) continue;
        tree_->add(child, kPlaceholder);
        child->close();
    }
}

void FolderBrowserWindow::TreeCallback(Fl_Widget*, void* data) {
    auto* self = static_cast<FolderBrowserWindow*>(data);
    if (self->tree_->callback_reason() == FL_TREE_REASON_OPENED) self->Fill(self->tree_->callback_item());
}

}  // namespace platform::gui
