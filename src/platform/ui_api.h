// The user-interface half of the platform: message boxes, modal pages, help, the shell's viewer.
// Three backends implement it: the FLTK windows, the terminal, and the scripted (headless) one.
#pragma once

#include <string>

#include "platform/dialog.h"
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
    // Runs a dialog modally: SetupWindow, then the user's actions, until the dialog ends; the result of
    // EndDialog.
    virtual int DialogBoxModal(HWND owner, Dialog& dialog) = 0;
    // A modeless dialog (the progress window): shown once, redrawn after every change, then destroyed.
    virtual void ModelessShow(Dialog& dialog) = 0;
    virtual void ModelessUpdate(Dialog& dialog) = 0;
    virtual void ModelessDestroy(Dialog& dialog) = 0;
    // SHBrowseForFolderA with BIF_RETURNONLYFSDIRS and SHGetPathFromIDListA: false when cancelled.
    virtual bool BrowseForFolder(HWND owner, const std::string& title, std::string& path) = 0;
    // ShellExecuteA(owner, NULL, file, NULL, NULL, SW_SHOWDEFAULT): above 32 on success.
    virtual std::intptr_t ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                        LPCSTR directory, int showCommand) = 0;
    // One line of the run's transcript that is not a window: an install decision, a system call.
    virtual void Trace(const std::string& line) = 0;
};

}  // namespace platform
