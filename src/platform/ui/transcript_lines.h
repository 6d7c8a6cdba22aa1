// The lines every front end writes to the transcript for the same events, so that runs through
// different front ends can be compared line by line.
#pragma once

#include <string>

#include "platform/dialog.h"
#include "platform/ui/transcript.h"

namespace platform {

// Every visible control of a dialog, one line each.
void RecordDialog(Transcript& transcript, const Dialog& dialog);
// "press ID "caption"": the command about to be sent to the dialog.
void RecordPress(Transcript& transcript, const Dialog& dialog, int command);

enum class BoxOwner { Nobody, Main, Page };
std::string MessageBoxLine(int messageId, BoxOwner owner, const char* caption, const char* text, UINT type,
                           int answer);
std::string HelpLine(const char* helpFile, UINT command, DWORD data);
std::string BrowseLine(const std::string& title, const std::string* chosen);  // null: cancelled
std::string ShellExecuteLine(const char* operation, const std::string& file, bool opened);
std::string BackgroundTitleLine(const std::string& title, UINT drawTextFormat);
// What the progress window shows, as its transcript lines give it.
std::string ModelessState(const Dialog& dialog);

}  // namespace platform
