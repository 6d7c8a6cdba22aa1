#include "platform/ui/gui/text_convert.h"

#include "platform/machine/ansi_codepage.h"

namespace platform::gui {

std::string AnsiToUtf8(const std::string& ansi) {
    return platform::AnsiToUtf8(std::string_view(ansi));
}

std::string Utf8ToAnsi(const std::string& utf8) {
    std::string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        std::size_t extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 0;
        char32_t code = extra == 0 ? c : extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        bool valid = c < 0x80 || extra > 0;
        for (std::size_t k = 1; k <= extra; ++k) {
            if (i + k >= utf8.size() || (static_cast<unsigned char>(utf8[i + k]) & 0xC0) != 0x80) {
                valid = false;
                extra = k - 1;
                break;
            }
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        i += extra + 1;
        if (!valid || code > 0xFFFF) {
            out += '?';
            continue;
        }
        out += static_cast<char>(WideToAnsi(static_cast<char16_t>(code)));
    }
    return out;
}

std::string LabelText(const std::string& ansi) {
    std::string utf8 = AnsiToUtf8(ansi);
    std::string out;
    for (char c : utf8) {
        out += c;
        if (c == '@') out += '@';
    }
    return out;
}

std::string StripMnemonics(const std::string& ansi) {
    std::string out;
    for (std::size_t i = 0; i < ansi.size(); ++i) {
        if (ansi[i] == '&' && i + 1 < ansi.size()) ++i;
        out += ansi[i];
    }
    return out;
}

}  // namespace platform::gui
