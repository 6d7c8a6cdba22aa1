// The windows of the native front end, behind plain C++ types: the Windows headers and the program's
// own Windows types cannot meet in one translation unit, so the windowing code (desktop_*.cpp, which
// include <windows.h>) and the front end over the dialog models (win_ui.cpp) talk through this header.
// Window handles cross it as integers.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform::winui {

using Handle = std::uintptr_t;

// One control of a dialog as the window should show it. `kind` follows platform::ControlClass.
enum class Kind { Button, Static, Edit, ListBox, Gauge, Animation };
struct ControlView {
    int id = 0;
    Kind kind = Kind::Static;
    std::uint32_t style = 0;
    std::string text;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
    bool radio = false;
    int textLimit = 0;
    int value = 0;
    std::vector<std::string> items;
};

struct DialogView {
    std::string caption;
    int pictureId = 0;  // the page picture painted on the left, 0 for none
    int focusId = 0;    // the control that gets the keyboard first, 0 for the first tab stop
    std::vector<ControlView> controls;
};

// What a dialog's window reports to its model. Every call happens on the window's thread, inside the
// dialog manager's loop.
class DialogEvents {
  public:
    virtual ~DialogEvents() = default;
    // WM_INITDIALOG: the model sets itself up; the window then shows the returned state.
    virtual DialogView Initialise(Handle window) = 0;
    // The user changed an edit's text or clicked a radio button.
    virtual void Edited(int id, const std::string& text) = 0;
    virtual void RadioClicked(int id) = 0;
    // A command (a button, Enter, Escape). True when the dialog has ended, with its result.
    virtual bool Command(int id, int& result) = 0;
    // The state to show after a command that left the dialog open.
    virtual DialogView State() = 0;
    // The modal window is on the screen and painted (posted once after WM_INITDIALOG).
    virtual void Shown(Handle window) = 0;
};

struct DesktopOptions {
    std::string screenshotDir;  // the program's own captures (BMP), empty for none
    // An outside screen grabber's folder: before going on from a window, NAME.ready is written there
    // and the program waits (painting) until NAME.done appears. Empty for none.
    std::string liveCaptureDir;
};

class Desktop {
  public:
    explicit Desktop(DesktopOptions options);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // Whether windows can be shown at all (under Wine without an X display they cannot).
    static bool DisplayAvailable();

    // The maximised frame with its painted background; the title is drawn with DrawText's format.
    void CreateMainWindow(const std::string& caption);
    Handle MainWindow() const { return main_; }
    void SetBackgroundTitle(const std::string& title, unsigned drawTextFormat);

    // A page or prompt, modal over `owner`: returns the result given when the model ended it.
    int RunModal(Handle owner, const std::vector<std::uint8_t>& dialogTemplate, DialogEvents& events);
    // Actions on a shown dialog, as the user does them: the model hears of them through its events.
    void TypeInto(Handle dialog, int id, const std::string& text);
    void ClickRadio(Handle dialog, int id);
    void SendCommand(Handle dialog, int id);

    // The progress window: created from its template, centred, its animation opened from `aviPath`.
    Handle CreateModeless(Handle owner, const std::vector<std::uint8_t>& dialogTemplate,
                          const DialogView& view, const std::string& aviPath);
    void UpdateModeless(Handle dialog, const DialogView& view);
    void DestroyModeless(Handle dialog);

    // MessageBoxExA. With `autoAnswer`, the box is shown, captured and answered with it.
    int ShowMessageBox(Handle owner, const std::string& text, const std::string& caption, unsigned type,
                       unsigned short languageId, std::optional<int> autoAnswer,
                       const std::string& captureName);
    bool OpenHelp(Handle owner, const std::string& helpFile, unsigned command, unsigned long data);
    // SHBrowseForFolderA (BIF_RETURNONLYFSDIRS) and SHGetPathFromIDListA; nullopt when cancelled. With
    // `unattended`, the browser is shown and captured, then closed, and nullopt is returned.
    std::optional<std::string> BrowseForFolder(Handle owner, const std::string& title, bool unattended);
    std::intptr_t ShellOpen(Handle owner, const char* operation, const std::string& file,
                            const char* parameters, const char* directory, int showCommand);
    bool FileExists(const std::string& path) const;

    // Saves what the screen shows of `window` (own capture and/or the outside grabber's turn).
    void Capture(Handle window, const std::string& name);
    // Lets pending paint and timer messages through (the engine pumps none between files).
    static void Pump();

  private:
    DesktopOptions options_;
    Handle main_ = 0;
    Handle client_ = 0;
    int captures_ = 0;
};

}  // namespace platform::winui
