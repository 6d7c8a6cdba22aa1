// The transcript lines every front end writes for the same events, so that a run driven through the
// terminal and an unattended run can be compared line by line.
//
//   page 7 caption="..."                 then one line per visible control:
//     edit 206 "C:\\OVRA" default disabled checked   (the flags that apply)
//     list 105 items=76 first="..."
//   press 102 "&Next"                      a command sent to a page
//   edit 206 "C:\\KIT"                     text typed into an edit by the user
//   click 106 "English"                    a radio button clicked by the user
//   progress show title="..." text="..." gauge=0     then "progress title=..." on change, "progress close"
//   browse title="..." result="C:\\KIT"    or result=cancel
//   shellexecute verb="" file="..." opened            or not-found
#pragma once

#include <optional>
#include <string>

#include "platform/dialog.h"
#include "platform/ui/transcript.h"

namespace platform {

// The handle every front end gives its main window (the owner of message boxes and pages).
HWND FrontEndMainWindow();

std::string WindowLine(const std::string& caption);
std::string BackgroundLine(const std::string& title, UINT drawTextFormat);
// `messageId` below 1 is left out (a box the message table did not supply).
std::string MessageBoxLine(int messageId, HWND owner, HWND mainWindow, const char* caption, const char* text,
                           UINT type, int answer);
std::string HelpLine(const char* helpFile, UINT command, DWORD data);
std::string PressLine(const Dialog& dialog, int command);
std::string EditLine(int id, const std::string& text);
std::string ClickLine(const Dialog& dialog, int id);
std::string BrowseLine(const std::string& title, const std::optional<std::string>& chosen);
std::string ShellExecuteLine(const char* operation, const std::string& file, bool opened);

// Every visible control of a dialog, one line each.
void RecordDialog(Transcript& transcript, const Dialog& dialog);
// The title, the text lines and the gauge of a modeless window, for "progress" lines.
std::string ModelessState(const Dialog& dialog);

}  // namespace platform
