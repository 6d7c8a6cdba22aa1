// Text helpers with the behaviour of the Windows calls the program used.
#pragma once

#include <string>

// lstrcmpiA for the ASCII names the program compares (tags, file names, keywords).
int lstrcmpiA(const char* a, const char* b);
// printf-style formatting of a message text with its arguments (texts hold %s, %.0f, %lu).
std::string FormatText(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string ToUpper(std::string s);
std::string ToLower(std::string s);
// The part of `text` before the first NUL within `size` bytes (a buffer a Windows call filled).
std::string FromBuffer(const char* text, std::size_t size);
