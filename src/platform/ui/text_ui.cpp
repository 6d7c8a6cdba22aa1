#include "platform/ui/text_ui.h"

#include <algorithm>

#include "platform/ui/transcript_lines.h"
#include "resources/catalogue_help.h"

namespace platform {

namespace {

unsigned char FoldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    switch (c) {
        case 0x8A:  // Š
        case 0x8C:  // Œ
        case 0x8E:  // Ž
            return static_cast<unsigned char>(c + 0x10);
        case 0x9F:  // Ÿ
            return 0xFF;
        default:
            return c;
    }
}

}  // namespace

char MnemonicOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return caption[i + 1];
        ++i;
    }
    return 0;
}

std::string ShowMnemonic(const std::string& caption) {
    std::string out;
    bool marked = false;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
            if (caption[i] == '&' || marked) {
                out += caption[i];
            } else {
                out += '[';
                out += caption[i];
                out += ']';
                marked = true;
            }
            continue;
        }
        out += caption[i];
    }
    return out;
}

bool SameLetter(char a, char b) {
    return FoldCase(static_cast<unsigned char>(a)) == FoldCase(static_cast<unsigned char>(b));
}

bool SameWord(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!SameLetter(a[i], b[i])) return false;
    return true;
}

TextUi::TextUi(int inputFd, int outputFd, Transcript& transcript, TextFiles files)
    : terminal_(inputFd, outputFd), transcript_(transcript), files_(std::move(files)) {}

HWND TextUi::MainWindow() {
    return haveMainWindow_ ? FrontEndMainWindow() : nullptr;
}

void TextUi::CreateMainWindow(const std::string& caption) {
    haveMainWindow_ = true;
    windowCaption_ = caption;
    transcript_.Line(WindowLine(caption));
    DrawHeader();
}

void TextUi::SetBackgroundTitle(const std::string& title, UINT drawTextFormat) {
    transcript_.Line(BackgroundLine(title, drawTextFormat));
    if (title == backgroundTitle_) return;
    backgroundTitle_ = title;
    DrawHeader();
}

void TextUi::DrawHeader() {
    EndProgressLine();
    std::string header = windowCaption_;
    std::string title = backgroundTitle_;
    for (char& c : title)
        if (c == '\n' || c == '\r') c = ' ';
    if (!title.empty()) header += header.empty() ? title : " - " + title;
    if (header.empty()) return;
    auto width = static_cast<std::size_t>(terminal_.Width());
    terminal_.Write("\n" + header + "\n" + std::string(std::min(header.size(), width), '=') + "\n");
}

BOOL TextUi::WinHelpA(HWND, LPCSTR helpFile, UINT command, DWORD data) {
    transcript_.Line(HelpLine(helpFile, command, data));
    EndProgressLine();
    if (command != HELP_CONTEXT) return TRUE;
    // The page's own topic, in the help file's language; never the help file's path.
    auto topic = catalogue::FindHelpTopic(data, catalogue::IsFrenchHelpFile(helpFile ? helpFile : ""));
    if (!topic) return FALSE;
    terminal_.Write(std::string("\nHelp: ") + topic->title + "\n" + topic->text + "\n");
    return TRUE;
}

void TextUi::Trace(const std::string& line) {
    transcript_.Line("trace " + line);
}

}  // namespace platform
