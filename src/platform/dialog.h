// A modal dialog as a model: its template, its controls by id (text, visibility, enabled state, check
// state, edit contents, list items) and the commands its buttons send. A UI backend builds the window from
// the template, shows the model's state, turns the user's actions into edits and commands, and returns
// when the dialog has ended.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win_types.h"

namespace platform {

// Window and control styles of the templates (winuser.h values).
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_DISABLED = 0x08000000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_GROUP = 0x00020000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;
inline constexpr DWORD DS_MODALFRAME = 0x80;
inline constexpr DWORD DS_SETFONT = 0x40;
inline constexpr DWORD BS_PUSHBUTTON = 0x0;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
inline constexpr DWORD BS_AUTORADIOBUTTON = 0x9;
inline constexpr DWORD BS_GROUPBOX = 0x7;
inline constexpr DWORD BS_TYPEMASK = 0xF;
inline constexpr DWORD SS_LEFT = 0x0;
inline constexpr DWORD SS_CENTER = 0x1;
inline constexpr DWORD SS_RIGHT = 0x2;
inline constexpr DWORD ES_AUTOHSCROLL = 0x80;
inline constexpr DWORD ES_READONLY = 0x800;
inline constexpr DWORD ES_WANTRETURN = 0x1000;
inline constexpr DWORD LBS_NOSEL = 0x4000;
inline constexpr DWORD LBS_DISABLENOSCROLL = 0x1000;

enum class ControlClass { Button, Static, Edit, ListBox, Gauge, Animation };

struct ControlTemplate {
    int id;  // -1 for the unnamed statics
    ControlClass cls;
    DWORD style;
    int x, y, cx, cy;  // dialog units
    const char* text;
    int textLimit = 0;  // edits: EM_LIMITTEXT value (characters + 1), 0 for none
};

struct DialogTemplate {
    int id;
    int x, y, cx, cy;  // dialog units
    DWORD style;
    const char* caption;
    const char* font;
    int pointSize;
    std::vector<ControlTemplate> controls;
};

struct Control {
    int id;
    ControlClass cls;
    DWORD style;
    int x, y, cx, cy;
    std::string text;
    bool visible;
    bool enabled;
    bool checked = false;
    int textLimit = 0;
    int value = 0;                   // gauge position
    std::vector<std::string> items;  // list box lines

    bool IsButton(DWORD kind) const { return cls == ControlClass::Button && (style & BS_TYPEMASK) == kind; }
};

// A control's caption as read aloud: "&Next" -> "Next", "A && B" -> "A & B".
std::string WithoutMnemonic(const std::string& caption);

class Dialog {
  public:
    explicit Dialog(const DialogTemplate& tmpl);
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Called once by the backend before the dialog is shown (the framework's SetupWindow).
    virtual void SetupWindow() {}
    // A button or menu command (WM_COMMAND with the control id).
    virtual void Command(int id);

    // The button that moves an unattended run forward on this dialog (Next, accept, Skip, OK...).
    virtual int ForwardCommand() const { return 102; }
    // The picture painted on the left (its bitmap number), 0 for none.
    virtual int PictureId() const { return 0; }

    const DialogTemplate& Template() const { return *template_; }
    int TemplateId() const { return template_->id; }
    HWND Handle() const { return reinterpret_cast<HWND>(const_cast<Dialog*>(this)); }
    bool Ended() const { return ended_; }
    int Result() const { return result_; }
    void EndDialog(int result);

    std::string caption;
    std::vector<Control> controls;
    int focusId = 0;
    // A progress window's place in the whole task: stage `stage` of `stageCount` (0 of 0 when it does not
    // say). Front ends that cannot show the window itself say it in words.
    int stage = 0;
    int stageCount = 0;

    // The control calls of the framework, by control id; an unknown id is ignored.
    Control* Find(int id);
    const Control* Find(int id) const;
    void SetDlgItemText(int id, const std::string& text);
    std::string GetDlgItemText(int id, std::size_t maxChars = 0xFFFF) const;
    void ShowItem(int id, bool show);
    void EnableItem(int id, bool enable);
    void CheckDlgButton(int id, bool checked);
    bool IsDlgButtonChecked(int id) const;
    void AddListItem(int id, const std::string& text);
    // What the user does in the window: type into an edit (the backend enforces the text limit) or click
    // a radio button (which unchecks the others of its group).
    void UserEdit(int id, const std::string& text);
    void UserClickRadio(int id);

  private:
    const DialogTemplate* template_;
    bool ended_ = false;
    int result_ = 0;
};

}  // namespace platform
