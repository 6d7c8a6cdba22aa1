// The program's texts are ANSI (code page 1252) bytes; FLTK draws and edits UTF-8.
#pragma once

#include <string>

namespace platform::gui {

std::string AnsiToUtf8(const std::string& ansi);
// Characters 1252 has no byte for become '?', as the system's conversion does.
std::string Utf8ToAnsi(const std::string& utf8);
// A label for FLTK: UTF-8 with '@' doubled (FLTK reads "@x" as a symbol); "&" keeps its mnemonic role.
std::string LabelText(const std::string& ansi);
// The same text for a widget that draws it without label processing: "&x" becomes "x", "&&" becomes "&".
std::string StripMnemonics(const std::string& ansi);

}  // namespace platform::gui
