// Registry steps every configuring part takes the same way.
#pragma once

#include <string>

#include "platform/win_types.h"

// RegCreateKeyExA(parent, subKey, 0, no class, REG_OPTION_NON_VOLATILE, access) with a security
// descriptor without access list (full access for every user) and an inheritable handle; nullptr when
// the key cannot be created.
HKEY CreateKeyForEveryone(HKEY parent, const std::string& subKey, REGSAM access = KEY_ALL_ACCESS,
                          DWORD* disposition = nullptr);
// The same under HKEY_LOCAL_MACHINE with KEY_ALL_ACCESS.
HKEY CreateOpenKey(const std::string& subKey, DWORD* disposition = nullptr);
// REG_SZ with the terminating zero counted.
LONG SetStringValue(HKEY key, const char* name, const std::string& value);

// The exit status of a run whose registry could not be written to disk.
inline constexpr int kExitRegistryNotSaved = 8;

// Writes both hives to disk now (RegFlushKey of HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER). When one
// cannot be written (a full disk, no permission) the user sees the system's text for the error, the run
// is marked failed with kExitRegistryNotSaved, and false is returned.
bool SaveRegistry();
