// How the profile read calls fill their buffers: truncation, terminators and return values.
//
// Windows implements the ANSI calls over the wide ones, and each layer has its own buffer rules that
// callers can see (a truncated string returns size-1; a truncated list of names ends in two NULs and
// returns size-2; an exactly full section listing counts as truncated). The rules are reproduced here
// in the same two layers so that each one stays small: the "wide" functions fill a scratch string as
// the wide call fills its buffer of `size` characters, and the ANSI functions copy what the caller sees.
// A document pointer of nullptr means the file could not be opened.
#pragma once

#include <string>
#include <string_view>

#include "platform/machine/ini_document.h"
#include "platform/win_types.h"

namespace platform::profile_buffers {

// lstrcpyn of `value` into `size` characters, after dropping one pair of matching quotes around it.
void CopyEntry(std::string& out, std::string_view value, DWORD size);

// The wide layer. `out` receives exactly the characters the call writes, from the start of the buffer.
DWORD SectionNamesW(const IniDocument* doc, std::string& out, DWORD size);
DWORD SectionW(const IniDocument* doc, std::string_view section, std::string& out, DWORD size,
               bool withValues);
// GetPrivateProfileStringW with a non-null buffer and non-zero size. Null pointers as the call has them.
DWORD StringW(const IniDocument* doc, const char* section, const char* key, const char* defaultText,
              std::string& out, DWORD size);

// The ANSI layer: writes into the caller's buffer of `size` bytes, never past it.
DWORD StringA(const IniDocument* doc, const char* section, const char* key, const char* defaultText,
              char* buffer, DWORD size);
// `insufficient` is set when the listing overflowed (the call then reports ERROR_INSUFFICIENT_BUFFER).
DWORD SectionA(const IniDocument* doc, std::string_view section, char* buffer, DWORD size,
               bool& insufficient);
DWORD SectionNamesA(const IniDocument* doc, char* buffer, DWORD size);
// GetPrivateProfileIntA's reading of the string found (the wide call with a 30-character buffer).
UINT IntFromString(const IniDocument* doc, const char* section, const char* key, int defaultValue);

}  // namespace platform::profile_buffers
