#include "platform/machine/ansi_codepage.h"

namespace platform {

namespace {

// 0x80..0x9F of code page 1252; the rest of the page is Latin-1.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

char16_t AnsiToWide(unsigned char c) {
    if (c >= 0x80 && c < 0xA0) return kHighControls[c - 0x80];
    return c;
}

unsigned char WideToAnsi(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<unsigned char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == c) return static_cast<unsigned char>(0x80 + i);
    return '?';
}

std::u16string AnsiToWide(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (char c : s)
        out.push_back(AnsiToWide(static_cast<unsigned char>(c)));
    return out;
}

std::string WideToAnsi(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char16_t c : s)
        out.push_back(static_cast<char>(WideToAnsi(c)));
    return out;
}

char16_t UpperWide(char16_t c) {
    if (c >= u'a' && c <= u'z') return c - 0x20;
    if (c < 0xE0) return c;
    if (c <= 0xFE) return c == 0xF7 ? c : c - 0x20;
    if (c == 0xFF) return 0x178;
    if (c == 0x153 || c == 0x161 || c == 0x17E) return c - 1;
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    return c;
}

std::string AnsiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (unsigned char c : ansi) {
        char16_t w = AnsiToWide(c);
        if (w < 0x80) {
            out += static_cast<char>(w);
        } else if (w < 0x800) {
            out += static_cast<char>(0xC0 | (w >> 6));
            out += static_cast<char>(0x80 | (w & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (w >> 12));
            out += static_cast<char>(0x80 | ((w >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (w & 0x3F));
        }
    }
    return out;
}

}  // namespace platform
