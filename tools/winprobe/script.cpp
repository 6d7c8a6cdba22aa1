#include "script.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/last_error.h"

namespace winprobe {

namespace {
constexpr std::size_t kMaxTokens = 16;

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

bool Tokenize(const std::string& line, Tokens& out) {
    out.clear();
    std::size_t i = 0, n = line.size();
    for (;;) {
        while (i < n && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        if (i >= n || line[i] == '\r' || line[i] == '\n') break;
        if (out.size() == kMaxTokens) return false;
        Token t;
        if (line[i] == '\'') {
            ++i;
            while (i < n && line[i] != '\'')
                t.s += line[i++];
            if (i >= n) return false;
            ++i;
        } else if (line[i] == '"') {
            ++i;
            while (i < n && line[i] != '"') {
                if (line[i] == '\\' && i + 1 < n) {
                    char e = line[++i];
                    switch (e) {
                        case 'n':
                            t.s += '\n';
                            break;
                        case 'r':
                            t.s += '\r';
                            break;
                        case 't':
                            t.s += '\t';
                            break;
                        case '0':
                            t.s += '\0';
                            break;
                        case 'x': {
                            int v = 0;
                            for (int k = 0; k < 2 && i + 1 < n && HexDigit(line[i + 1]) >= 0; ++k)
                                v = v * 16 + HexDigit(line[++i]);
                            t.s += static_cast<char>(v);
                            break;
                        }
                        default:
                            t.s += e;
                            break;
                    }
                    ++i;
                } else {
                    t.s += line[i++];
                }
            }
            if (i >= n) return false;
            ++i;
        } else {
            while (i < n && line[i] != ' ' && line[i] != '\t' && line[i] != '\r' && line[i] != '\n')
                t.s += line[i++];
            t.isNull = t.s == "<null>";
        }
        out.push_back(std::move(t));
    }
    return true;
}

void Print(const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    std::vprintf(format, ap);
    va_end(ap);
}

void PrintEscaped(const char* p, std::size_t n) {
    std::putchar('"');
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(p[i]);
        switch (c) {
            case '\\':
                std::fputs("\\\\", stdout);
                break;
            case '"':
                std::fputs("\\\"", stdout);
                break;
            case '\n':
                std::fputs("\\n", stdout);
                break;
            case '\r':
                std::fputs("\\r", stdout);
                break;
            case '\t':
                std::fputs("\\t", stdout);
                break;
            case '\0':
                std::fputs("\\0", stdout);
                break;
            default:
                if (c < 0x20 || c >= 0x7f)
                    std::printf("\\x%02X", c);
                else
                    std::putchar(c);
        }
    }
    std::putchar('"');
}

void PrintString(const char* s) {
    if (!s)
        std::fputs("<null>", stdout);
    else
        PrintEscaped(s, std::strlen(s));
}

void ResetError() {
    SetLastError(kErrorSentinel);
}

void PrintError() {
    DWORD e = GetLastError();
    if (e == kErrorSentinel)
        std::fputs(" err=unchanged", stdout);
    else
        std::printf(" err=%lu", static_cast<unsigned long>(e));
}

int WrittenLength(const char* buffer, int size) {
    int n = size;
    while (n > 0 && static_cast<unsigned char>(buffer[n - 1]) == kFillByte)
        --n;
    return n;
}

unsigned long ParseNumber(const std::string& s) {
    return std::strtoul(s.c_str(), nullptr, 0);
}

}  // namespace winprobe
