#include "platform/ui/cp1252.h"

#include <cstdint>
#include <cstdio>

namespace platform {

namespace {

// U+ code points of bytes 0x80..0x9F; 0 where Windows-1252 defines none.
constexpr char32_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char FromCodePoint(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] != 0 && kHigh[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char b : text) {
        char32_t c = b;
        if (b >= 0x80 && b < 0xA0) c = kHigh[b - 0x80] ? kHigh[b - 0x80] : 0xFFFD;
        AppendUtf8(out, c);
    }
    return out;
}

namespace {

// The code point of the UTF-8 sequence at `text[i]` and its length; length 0 for a byte that starts no
// well-formed sequence (a stray continuation byte, a cut-off or overlong form, a value past U+10FFFF).
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& c) {
    auto b = static_cast<unsigned char>(text[i]);
    int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || (extra > 0 && i + static_cast<std::size_t>(extra) >= text.size())) return 0;
    c = extra == 0 ? b : (b & (0x3F >> extra));
    for (int k = 1; k <= extra; ++k) {
        auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((next & 0xC0) != 0x80) return 0;
        c = (c << 6) | (next & 0x3F);
    }
    // Overlong forms would smuggle in bytes a shorter form spells differently: refuse them.
    static constexpr char32_t kMinimum[4] = {0, 0x80, 0x800, 0x10000};
    if (c < kMinimum[extra] || c > 0x10FFFF) return 0;
    return static_cast<std::size_t>(extra) + 1;
}

}  // namespace

std::string Utf8ToCp1252(std::string_view text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t c = 0;
        std::size_t length = DecodeUtf8(text, i, c);
        out += length ? FromCodePoint(c) : '?';
        i += length ? length : 1;
    }
    return out;
}

std::optional<std::string> Utf8ToCp1252Exactly(std::string_view text, std::string& refused) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t c = 0;
        std::size_t length = DecodeUtf8(text, i, c);
        if (length == 0) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(text[i]));
            refused = "byte 0x" + std::string(hex) + " at column " + std::to_string(i + 1) + " is not UTF-8";
            return std::nullopt;
        }
        char byte = FromCodePoint(c);
        if (byte == '?' && c != U'?') {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
            refused = "the character " + std::string(code) + " \"" + std::string(text.substr(i, length)) +
                      "\" has no byte in the ANSI code page (Windows-1252)";
            return std::nullopt;
        }
        out += byte;
        i += length;
    }
    return out;
}

}  // namespace platform
