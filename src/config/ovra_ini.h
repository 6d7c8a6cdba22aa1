// Reading the staged configuration back: OVRA.ini in the Windows directory, default "x" for absent.
#pragma once

#include <string>

#include "platform/win_types.h"

// The value of section/key into at most `size` characters; false when absent (or literally "x").
bool ReadOvraIni(const std::string& section, const char* key, std::string& value, DWORD size = MAX_PATH);
