// The ANSI code page of the simulated machine (1252, Western European, as Wine uses for the English and
// French locales) and its mapping to the UTF-16 that Wine keeps registry names and strings in.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// One ANSI byte to its UTF-16 unit (every byte maps; the five holes of 1252 map to themselves, as
// Wine's table does).
char16_t AnsiToWide(unsigned char c);
// One UTF-16 unit to its ANSI byte; '?' when 1252 has no such character (Wine's default character).
unsigned char WideToAnsi(char16_t c);

std::u16string AnsiToWide(std::string_view s);
std::string WideToAnsi(std::u16string_view s);
// ANSI text as the UTF-8 the host keeps its files and windows in.
std::string AnsiToUtf8(std::string_view ansi);

// Upper case of a UTF-16 unit for name comparison: ASCII, Latin-1, the 1252 extras, Greek and Cyrillic.
char16_t UpperWide(char16_t c);

}  // namespace platform
