// The terminal front end: every page, message box, progress window, folder browser and readme is drawn
// as text, and the user answers by typing a line: a button's mnemonic letter or number, Enter for the
// default button, a number to edit a field or pick a radio button. Everything goes to the transcript in
// the lines the headless front end writes, plus one line for each action of the user.
//
// The end of the input is the user walking away: a page is left with its Exit button (Cancel where it
// has none) and the confirmation that follows is accepted; any other message box gets Cancel, else No,
// else Abort, else OK. A run whose input has ended therefore always comes to its end.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/ui/text_files.h"
#include "platform/ui/text_terminal.h"
#include "platform/ui/transcript.h"
#include "platform/ui_api.h"

namespace platform {

// Thrown when the input has ended and a dialog cannot be left by Exit or Cancel (or the dialogs keep
// coming back): the run stops instead of going round for ever.
class TextInputEnded : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class TextUi : public UiApi {
  public:
    TextUi(int inputFd, int outputFd, Transcript& transcript, TextFiles files = {});

    HWND MainWindow() override;
    void CreateMainWindow(const std::string& caption) override;
    void SetBackgroundTitle(const std::string& title, UINT drawTextFormat) override;
    int MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD languageId) override;
    void NoteMessageId(int messageId) override { nextMessageId_ = messageId; }
    BOOL WinHelpA(HWND owner, LPCSTR helpFile, UINT command, DWORD data) override;
    int DialogBoxModal(HWND owner, Dialog& dialog) override;
    void ModelessShow(Dialog& dialog) override;
    void ModelessUpdate(Dialog& dialog) override;
    void ModelessDestroy(Dialog& dialog) override;
    bool BrowseForFolder(HWND owner, const std::string& title, std::string& path) override;
    std::intptr_t ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                LPCSTR directory, int showCommand) override;
    void Trace(const std::string& line) override;

  private:
    // Pages (text_page.cpp).
    void DrawPage(const Dialog& dialog, std::size_t listTop);
    // False when the input ended while reading a follow-up line.
    bool HandlePageInput(Dialog& dialog, const std::string& input, std::size_t& listTop, bool& redraw);
    void Press(Dialog& dialog, int id);
    void EditField(Dialog& dialog, int id, const std::string& text);
    void LeaveAtEnd(Dialog& dialog);
    std::size_t ListPageSize() const;

    // Message boxes (text_message_box.cpp).
    int AskButton(const std::string& caption, const std::string& text, UINT type, WORD languageId);

    // Folder browser and readme viewer (text_browser.cpp).
    bool Browse(const std::string& title, std::string& path);
    void ShowFile(const std::string& name, const std::string& contents);

    // Progress window (text_progress.cpp).
    void DrawProgress(const Dialog& dialog);
    void EndProgressLine();

    void DrawHeader();

    TextTerminal terminal_;
    Transcript& transcript_;
    TextFiles files_;
    std::string windowCaption_;
    std::string backgroundTitle_;
    bool haveMainWindow_ = false;
    int nextMessageId_ = -1;
    bool leavingAtEnd_ = false;  // inside the command sent because the input ended
    int dialogsAfterEnd_ = 0;    // dialogs shown after the input ended
    bool progressLineOpen_ = false;
    std::map<const Dialog*, std::string> modelessState_;
};

// "&Next" -> 'N' (the byte after a single '&'), 0 for none.
char MnemonicOf(const std::string& caption);
// "&Next" -> "[N]ext", "A && B" -> "A & B".
std::string ShowMnemonic(const std::string& caption);
// Windows-1252 letters without regard to case (ASCII and the accented letters).
bool SameLetter(char a, char b);
// Two texts that differ at most in the case of their letters.
bool SameWord(const std::string& a, const std::string& b);

}  // namespace platform
