#include "platform/machine/short_names.h"

#include <cstdint>

#include "platform/machine/ansi_codepage.h"
#include "platform/machine/text_util.h"

namespace platform {

namespace {

// Characters no 8.3 name may hold; the alias also replaces '~' and '.' (its own separators).
constexpr std::string_view kInvalidDosChars = "*?<>|\"+=,;[] ";

bool NeedsReplacing(char16_t c) {
    if (c > 0x7F) return true;
    if (c == u'~' || c == u'.') return true;
    return kInvalidDosChars.find(static_cast<char>(c)) != std::string_view::npos;
}

char16_t LowerWide(char16_t c) {
    if (c >= u'A' && c <= u'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    if (c == 0x152 || c == 0x160 || c == 0x17D) return c + 1;
    if (c == 0x178) return 0xFF;
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    return c;
}

// The UTF-16 of a host name: UTF-8 when the bytes are well-formed UTF-8, else code page 1252.
std::u16string WideName(std::string_view name) {
    std::u16string out;
    for (std::size_t i = 0; i < name.size();) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        int extra = c < 0x80             ? 0
                    : (c & 0xE0) == 0xC0 ? 1
                    : (c & 0xF0) == 0xE0 ? 2
                    : (c & 0xF8) == 0xF0 ? 3
                                         : -1;
        if (extra < 0 || i + static_cast<std::size_t>(extra) >= name.size()) return AnsiToWide(name);
        std::uint32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            unsigned char cc = static_cast<unsigned char>(name[i + k]);
            if ((cc & 0xC0) != 0x80) return AnsiToWide(name);
            cp = (cp << 6) | (cc & 0x3F);
        }
        static constexpr std::uint32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return AnsiToWide(name);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

char AliasChar(char16_t c) {
    return NeedsReplacing(c) ? '_' : UpperAscii(static_cast<char>(c));
}

}  // namespace

bool IsValidShortName(std::string_view name) {
    if (name == "." || name == "..") return true;
    if (name.empty() || name.size() > 12 || name[0] == '.') return false;
    std::size_t dot = std::string_view::npos;
    for (std::size_t i = 0; i < name.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(name[i]);
        if (c > 0x7F || c < 0x20 || std::string_view(":/\\").find(name[i]) != std::string_view::npos ||
            kInvalidDosChars.find(name[i]) != std::string_view::npos)
            return false;
        if (c == '.') {
            if (dot != std::string_view::npos) return false;
            dot = i;
        }
    }
    if (dot == std::string_view::npos) return name.size() <= 8;
    std::size_t ext = name.size() - dot - 1;
    return dot <= 8 && ext >= 1 && ext <= 3;
}

std::string MakeShortName(std::string_view hostName) {
    if (IsValidShortName(hostName)) return "";
    const std::u16string name = WideName(hostName);
    if (name.empty()) return "";

    // Wine's hash: every character with the next one in the high byte, lower-cased, then the last.
    std::uint16_t hash = 0xBEEF;
    for (std::size_t i = 0; i + 1 < name.size(); ++i)
        hash = static_cast<std::uint16_t>((hash << 3) ^ (hash >> 5) ^ LowerWide(name[i]) ^
                                          (LowerWide(name[i + 1]) << 8));
    hash = static_cast<std::uint16_t>((hash << 3) ^ (hash >> 5) ^ LowerWide(name.back()));

    // The extension starts at the last dot that is neither the first nor the last character.
    std::size_t ext = std::u16string::npos;
    for (std::size_t i = 1; i + 1 < name.size(); ++i)
        if (name[i] == u'.') ext = i;

    std::string alias;
    for (std::size_t i = 0; i < 4 && i < name.size() && i != ext; ++i)
        alias += AliasChar(name[i]);
    alias.append(5 - alias.size(), '~');
    static constexpr char kHashChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    alias += kHashChars[(hash >> 10) & 0x1F];
    alias += kHashChars[(hash >> 5) & 0x1F];
    alias += kHashChars[hash & 0x1F];
    if (ext != std::u16string::npos) {
        alias += '.';
        for (std::size_t i = ext + 1; i < name.size() && i <= ext + 3; ++i)
            alias += AliasChar(name[i]);
    }
    return alias;
}

}  // namespace platform
