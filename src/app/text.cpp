#include "app/text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
}  // namespace

int lstrcmpiA(const char* a, const char* b) {
    if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
    for (;; ++a, ++b) {
        unsigned char x = static_cast<unsigned char>(Lower(*a));
        unsigned char y = static_cast<unsigned char>(Lower(*b));
        if (x != y) return x < y ? -1 : 1;
        if (!x) return 0;
    }
}

std::string FormatText(const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    va_list copy;
    va_copy(copy, ap);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, ap);
        out.assign(buffer.data(), static_cast<std::size_t>(n));
    }
    va_end(ap);
    return out;
}

std::string ToUpper(std::string s) {
    for (char& c : s)
        c = Upper(c);
    return s;
}

std::string ToLower(std::string s) {
    for (char& c : s)
        c = Lower(c);
    return s;
}

std::string FromBuffer(const char* text, std::size_t size) {
    return std::string(text, strnlen(text, size));
}
