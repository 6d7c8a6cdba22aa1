// Small text helpers of the machine backend: the ASCII case rules Windows applies to names.
#pragma once

#include <string>
#include <string_view>

namespace platform {

char UpperAscii(char c);
char LowerAscii(char c);
std::string ToUpperAscii(std::string_view s);
std::string ToLowerAscii(std::string_view s);
bool EqualNoCase(std::string_view a, std::string_view b);
// Three-way comparison without regard to case (as lstrcmpiA for ASCII names).
int CompareNoCase(std::string_view a, std::string_view b);

}  // namespace platform
