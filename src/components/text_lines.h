// Reading text files line by line without a length limit, so a long line in a file the user owns comes
// back out whole.
#pragma once

#include <string>

#include "platform/win32.h"

// One line without its "\n" (text mode has already turned CR LF into LF); false at the end of the file.
bool ReadWholeLine(crt::FILE* file, std::string& line);
