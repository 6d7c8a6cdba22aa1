// Registry keys of the IDE configuration: every machine-wide key is created with the same options and a
// security descriptor without access list, so that every user of the machine may change it.
#pragma once

#include <string>

#include "platform/win_types.h"

// The IDE's configuration root below HKEY_LOCAL_MACHINE.
inline constexpr const char* kOvraKey = "Software\\KESTRAVION\\Ovra\\6.1";

// RegCreateKeyExA(parent, subKey, 0, no class, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, the full-access
// security attributes); nullptr when the key cannot be created.
HKEY CreateConfigSubKey(HKEY parent, const std::string& subKey, DWORD* disposition = nullptr);
// A REG_DWORD value, four bytes little-endian.
LONG SetDwordValue(HKEY key, const char* name, DWORD value);
