// Texts from the message table and the message boxes that show them.
#pragma once

#include <string>

#include "platform/win_types.h"

// The text of base id + the language offset of the setup record (at most 254 characters; "" if none).
std::string LoadMessage(int baseId);
// The application's main window (owner of most boxes); nullptr before it exists.
HWND MainWindowHandle();
// MessageBoxExA with the caption message and the text of `baseId`; returns the button pressed.
int ShowMessage(HWND owner, int baseId, UINT style);
// The same with a text already formatted from message `baseId` and its arguments.
int ShowFormattedMessage(HWND owner, int baseId, const std::string& text, UINT style);
