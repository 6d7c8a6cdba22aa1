// The program's texts are Windows-1252 bytes; a terminal speaks UTF-8. These convert between the two.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Every byte becomes its character; the five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) become U+FFFD so that nothing reaches the terminal as a C1 control.
std::string Cp1252ToUtf8(std::string_view text);
// Characters without a Windows-1252 byte, and malformed UTF-8, become '?'.
std::string Utf8ToCp1252(std::string_view text);
// The same conversion for texts that must arrive unchanged (what an answers file types): nullopt, with
// `refused` saying which character or byte and why, when a character has no Windows-1252 byte or the
// text is not UTF-8.
std::optional<std::string> Utf8ToCp1252Exactly(std::string_view text, std::string& refused);

}  // namespace platform
