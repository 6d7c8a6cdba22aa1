// Registry steps every configuring part takes the same way.
#pragma once

#include <string>

#include "platform/win_types.h"

// RegCreateKeyExA under HKEY_LOCAL_MACHINE, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, with a security
// descriptor without access list (full access for every user) and an inheritable handle; nullptr when
// the key cannot be created.
HKEY CreateOpenKey(const std::string& subKey, DWORD* disposition = nullptr);
// REG_SZ with the terminating zero counted.
LONG SetStringValue(HKEY key, const char* name, const std::string& value);
