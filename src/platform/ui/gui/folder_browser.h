// The shell's folder browser as the program asks for it (file-system folders only, no root): a tree of
// the machine's fixed drives whose folders are listed when a branch is opened.
#pragma once

#include <FL/Fl_Double_Window.H>

#include <optional>
#include <string>

#include "platform/ui/host_files.h"

class Fl_Tree;
class Fl_Tree_Item;

namespace platform::gui {

class FolderBrowserWindow : public Fl_Double_Window {
  public:
    FolderBrowserWindow(const std::string& ansiTitle, const HostFiles& files);

    bool done() const { return done_; }
    // The folder chosen with OK (a Windows path such as "C:\Tools"); nullopt when cancelled.
    const std::optional<std::string>& chosen() const { return chosen_; }
    // What the buttons do, also for a scripted run.
    void Finish(std::optional<std::string> folder);
    // The Windows path of a tree item ("C:\" for a drive).
    std::string PathOf(Fl_Tree_Item* item) const;

  private:
    void Fill(Fl_Tree_Item* item);
    static void TreeCallback(Fl_Widget* w, void* data);

    const HostFiles& files_;
    Fl_Tree* tree_;
    std::optional<std::string> chosen_;
    bool done_ = false;
};

}  // namespace platform::gui
