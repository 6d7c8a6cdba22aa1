#include "platform/ui/text_terminal.h"

#ifdef _WIN32
// The C runtime's descriptors of the console; the window size comes from COLUMNS and LINES there.
#include <io.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdlib>

#include "platform/ui/cp1252.h"

namespace platform {

namespace {

int EnvironmentSize(const char* name, int fallback) {
    if (const char* v = std::getenv(name)) {
        int n = std::atoi(v);
        if (n > 0) return n;
    }
    return fallback;
}

}  // namespace

TextTerminal::TextTerminal(int inputFd, int outputFd)
    : inputFd_(inputFd), outputFd_(outputFd), isTerminal_(isatty(outputFd) == 1) {}

int TextTerminal::Width() const {
    int width = EnvironmentSize("COLUMNS", 80);
#ifndef _WIN32
    winsize size{};
    if (isTerminal_ && ioctl(outputFd_, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) width = size.ws_col;
#endif
    if (width < 20) width = 20;
    if (width > 200) width = 200;
    return width;
}

int TextTerminal::Height() const {
    int height = EnvironmentSize("LINES", 24);
#ifndef _WIN32
    winsize size{};
    if (isTerminal_ && ioctl(outputFd_, TIOCGWINSZ, &size) == 0 && size.ws_row > 0) height = size.ws_row;
#endif
    return height < 8 ? 8 : height;
}

bool TextTerminal::ReadLine(std::string& line) {
    if (atEnd_) return false;
    for (;;) {
        std::size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string raw = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            if (!raw.empty() && raw.back() == '\r') raw.pop_back();
            std::string refused;
            if (auto typed = Utf8ToCp1252Exactly(raw, refused)) {
                line = *typed;
                return true;
            }
            // A stand-in '?' would go unseen into a name or a path: the line is typed again instead.
            Write("\nThat line cannot be used: " + Utf8ToCp1252(refused) + ".\nType it again: ");
            continue;
        }
        char buffer[256];
        ssize_t n = read(inputFd_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            // A last line without its line end still counts; the end of input comes after it.
            if (!pending_.empty()) {
                pending_ += '\n';
                continue;
            }
            atEnd_ = true;
            return false;
        }
        pending_.append(buffer, static_cast<std::size_t>(n));
    }
}

void TextTerminal::Write(std::string_view text) {
    std::string clean(text);
    for (char& c : clean) {
        auto b = static_cast<unsigned char>(c);
        if ((b < 0x20 && c != '\n' && c != '\t') || b == 0x7F) c = '?';
    }
    WriteRaw(Cp1252ToUtf8(clean));
}

void TextTerminal::WriteRaw(std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = write(outputFd_, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // the reader has gone: nothing more can be shown
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

std::vector<std::string> WrapText(std::string_view text, int width) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    auto limit = static_cast<std::size_t>(width < 1 ? 1 : width);
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find('\n', start);
        std::string_view paragraph =
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
        std::string line;
        std::size_t i = 0;
        bool any = false;
        while (i < paragraph.size()) {
            std::size_t wordEnd = paragraph.find(' ', i);
            if (wordEnd == std::string_view::npos) wordEnd = paragraph.size();
            std::string_view word = paragraph.substr(i, wordEnd - i);
            i = wordEnd + 1;
            if (word.empty()) {
                if (!line.empty() && line.size() < limit) line += ' ';
                continue;
            }
            std::size_t needed = line.empty() || line.back() == ' ' ? word.size() : word.size() + 1;
            if (!line.empty() && line.size() + needed > limit) {
                while (!line.empty() && line.back() == ' ')
                    line.pop_back();
                lines.push_back(line);
                any = true;
                line.clear();
            }
            if (!line.empty() && line.back() != ' ') line += ' ';
            while (word.size() > limit - line.size()) {
                std::size_t room = limit - line.size();
                line += word.substr(0, room);
                word.remove_prefix(room);
                lines.push_back(line);
                any = true;
                line.clear();
            }
            line += word;
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        if (!line.empty() || !any) lines.push_back(line);
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return lines;
}

}  // namespace platform
