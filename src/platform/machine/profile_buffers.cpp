#include "platform/machine/profile_buffers.h"

#include <algorithm>
#include <cstring>

namespace platform::profile_buffers {

namespace {

// Writes `c` at index `at` of the scratch buffer, growing what has been written so far.
void Put(std::string& out, std::size_t at, char c) {
    if (out.size() <= at) out.resize(at + 1, '\0');
    out[at] = c;
}

// lstrcpyn(out + at, s, n): at most n-1 characters and a NUL; returns the characters copied.
std::size_t CopyN(std::string& out, std::size_t at, std::string_view s, std::size_t n) {
    if (n == 0) return 0;
    std::size_t count = std::min(s.size(), n - 1);
    for (std::size_t i = 0; i < count; ++i)
        Put(out, at + i, s[i]);
    Put(out, at + count, '\0');
    return count;
}

std::size_t CLength(const std::string& out, std::size_t from = 0) {
    std::size_t n = out.find('\0', from);
    return (n == std::string::npos ? out.size() : n) - from;
}

bool IsComment(const IniDocument::Entry& e) {
    return !e.name.empty() && e.name[0] == ';';
}

}  // namespace

void CopyEntry(std::string& out, std::string_view value, DWORD size) {
    char quote = '\0';
    if (!value.empty() && (value[0] == '\'' || value[0] == '"') && value.size() > 1 &&
        value.back() == value[0]) {
        quote = value[0];
        value.remove_prefix(1);
    }
    CopyN(out, 0, value, size);
    // The closing quote only goes when the whole value fitted, so a truncated value keeps its last
    // character instead: callers have always seen it that way.
    if (quote && size >= value.size()) {
        std::size_t n = CLength(out);
        if (n > 0) Put(out, n - 1, '\0');
    }
}

DWORD SectionNamesW(const IniDocument* doc, std::string& out, DWORD size) {
    if (!doc || size == 0) return 0;
    if (size == 1) {
        Put(out, 0, '\0');
        return 0;
    }
    std::size_t left = size - 1;
    std::size_t pos = 0;
    for (const IniDocument::Section& s : doc->sections()) {
        if (s.name.empty()) continue;
        std::size_t need = s.name.size() + 1;
        if (need >= left) {
            for (std::size_t i = 0; i + 1 < left; ++i)
                Put(out, pos++, s.name[i]);
            Put(out, pos++, '\0');
            Put(out, pos, '\0');
            return size - 2;
        }
        for (char c : s.name)
            Put(out, pos++, c);
        Put(out, pos++, '\0');
        left -= need;
    }
    Put(out, pos, '\0');
    return static_cast<DWORD>(pos);
}

DWORD SectionW(const IniDocument* doc, std::string_view section, std::string& out, DWORD size,
               bool withValues) {
    if (size == 0) return 0;
    if (!doc) {
        Put(out, 0, '\0');
        return 0;
    }
    std::string wanted(section.substr(0, section.find('\0')));
    for (const IniDocument::Section& s : doc->sections()) {
        if (!IniDocument::EqualNames(s.name, wanted)) continue;
        std::size_t left = size;
        std::size_t pos = 0;
        for (const IniDocument::Entry& e : s.entries) {
            if (left <= 2) break;
            if (e.name.empty() && !e.value) continue;
            if (IsComment(e)) continue;
            if (!withValues && !e.value) continue;
            std::size_t n = CopyN(out, pos, e.name, left - 1);
            left -= n + 1;
            pos += n + 1;
            if (left < 2) break;
            if (withValues && e.value) {
                Put(out, pos - 1, '=');
                n = CopyN(out, pos, *e.value, left - 1);
                left -= n + 1;
                pos += n + 1;
            }
        }
        Put(out, pos, '\0');
        if (left <= 1) {
            if (pos > 0) Put(out, pos - 1, '\0');
            return size - 2;
        }
        return static_cast<DWORD>(size - left);
    }
    Put(out, 0, '\0');
    if (size > 1) Put(out, 1, '\0');
    return 0;
}

DWORD StringW(const IniDocument* doc, const char* section, const char* key, const char* defaultText,
              std::string& out, DWORD size) {
    std::string_view def = defaultText ? defaultText : "";
    if (!section) return SectionNamesW(doc, out, size);
    if (!key) {
        DWORD ret = SectionW(doc, section, out, size, false);
        if (out.empty() || out[0] == '\0') {
            out.clear();
            CopyEntry(out, def, size);
            ret = static_cast<DWORD>(CLength(out));
        }
        return ret;
    }
    // Trailing spaces of the default are not part of it, but a default of spaces alone keeps one.
    std::size_t n = def.size();
    while (n > 1 && def[n - 1] == ' ')
        --n;
    def = def.substr(0, n);

    if (!doc) {
        CopyN(out, 0, def, size);
        return static_cast<DWORD>(CLength(out));
    }
    const IniDocument::Entry* e = doc->FindEntry(section, key);
    CopyEntry(out, (e && e->value) ? std::string_view(*e->value) : def, size);
    return static_cast<DWORD>(CLength(out));
}

DWORD StringA(const IniDocument* doc, const char* section, const char* key, const char* defaultText,
              char* buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    std::string wide;
    DWORD ret = StringW(doc, section, key, defaultText, wide, size);
    ret = std::min<DWORD>(ret, size - 1);
    for (DWORD i = 0; i < ret; ++i)
        buffer[i] = i < wide.size() ? wide[i] : '\0';
    buffer[ret] = '\0';
    return ret;
}

DWORD SectionA(const IniDocument* doc, std::string_view section, char* buffer, DWORD size,
               bool& insufficient) {
    insufficient = false;
    if (!buffer || size == 0) return 0;
    // The ANSI call lists into a wide buffer of twice the size, then converts into the caller's.
    std::string wide;
    DWORD wideSize = size > 0x7FFFFFFF ? 0xFFFFFFFF : size * 2;
    DWORD retW = SectionW(doc, section, wide, wideSize, true);
    if (retW == 0) {
        buffer[0] = '\0';
        if (size > 1) buffer[1] = '\0';
        return 0;
    }
    if (retW == wideSize - 2) ++retW;
    std::size_t count = std::size_t{retW} + 1;  // the listing and its final NUL
    std::size_t copied = std::min<std::size_t>(count, size);
    for (std::size_t i = 0; i < copied; ++i)
        buffer[i] = i < wide.size() ? wide[i] : '\0';
    if (count > size) insufficient = true;
    if (count >= size) {
        if (size >= 2) buffer[size - 2] = '\0';
        buffer[size - 1] = '\0';
        return size >= 2 ? size - 2 : 0;
    }
    return static_cast<DWORD>(count - 1);
}

DWORD SectionNamesA(const IniDocument* doc, char* buffer, DWORD size) {
    if (!buffer || size == 0) return 0;
    std::string wide;
    DWORD retW = SectionNamesW(doc, wide, size);
    if (retW == 0) {
        buffer[0] = '\0';
        return 0;
    }
    // The wide listing never exceeds size-1 characters with its final NUL, so the conversion fits.
    std::size_t count = std::min<std::size_t>(std::size_t{retW} + 1, size - 1);
    for (std::size_t i = 0; i < count; ++i)
        buffer[i] = i < wide.size() ? wide[i] : '\0';
    return static_cast<DWORD>(count - 1);
}

UINT IntFromString(const IniDocument* doc, const char* section, const char* key, int defaultValue) {
    constexpr DWORD kDigits = 30;
    std::string wide;
    if (StringW(doc, section, key, "", wide, kDigits) == 0) return static_cast<UINT>(defaultValue);
    std::string text = wide.substr(0, CLength(wide));
    if (text.empty()) return static_cast<UINT>(defaultValue);

    // Blanks (any control character) first, then a sign, then a 0x / 0o / 0b base prefix, then digits
    // up to the first character that is not one; no digits at all reads as 0.
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        if (text[i + 1] == 'x') base = 16;
        if (text[i + 1] == 'o') base = 8;
        if (text[i + 1] == 'b') base = 2;
        if (base != 10) i += 2;
    }
    UINT total = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (c >= 'A' && c <= 'Z') digit = c - 'A' + 10;
        if (c >= 'a' && c <= 'z') digit = c - 'a' + 10;
        if (digit < 0 || static_cast<unsigned>(digit) >= base) break;
        total = total * base + static_cast<UINT>(digit);
    }
    return negative ? 0u - total : total;
}

}  // namespace platform::profile_buffers
