// The user-interface half of the platform: message boxes, modal pages, help, the shell's viewer.
// Three backends implement it: the FLTK windows, the terminal, and the scripted (headless) one.
#pragma once

#include <string>

#include "platform/win_types.h"

namespace platform {

class UiApi {
  public:
    virtual ~UiApi() = default;
    // The main window exists from the application's window set-up on; its handle owns message boxes.
    virtual HWND MainWindow() = 0;
    virtual void CreateMainWindow(const std::string& caption) = 0;
    // Called when the flavour is known, so the background can repaint its title.
    virtual void SetBackgroundTitle(const std::string& title, UINT drawTextFormat) = 0;
    virtual int MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD languageId) = 0;
    // The message-table id of the box about to be shown, so a scripted answer can be found by id.
    virtual void NoteMessageId(int messageId) { (void)messageId; }
    virtual BOOL WinHelpA(HWND owner, LPCSTR helpFile, UINT command, DWORD data) = 0;
    // One line of the run's transcript that is not a window: an install decision, a system call.
    virtual void Trace(const std::string& line) = 0;
};

}  // namespace platform
