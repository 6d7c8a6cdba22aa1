// The terminal (or the pipes) the text front end talks through: whole lines in, Windows-1252 texts out
// as UTF-8, and the width to wrap to.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

class TextTerminal {
  public:
    TextTerminal(int inputFd, int outputFd);

    // Whether the output is a terminal (then a progress line is redrawn in place).
    bool IsTerminal() const { return isTerminal_; }
    int Width() const;
    int Height() const;

    // One line typed by the user, without its line end, converted to Windows-1252; a line with a
    // character Windows-1252 lacks (or that is not UTF-8) is refused with a message and read again. False
    // at the end of the input, and from then on always: a closed input never comes back.
    bool ReadLine(std::string& line);
    bool AtEnd() const { return atEnd_; }

    // A Windows-1252 text; control bytes other than newline and tab are shown as '?', so a text read
    // from a file cannot send escape sequences to the terminal.
    void Write(std::string_view text);
    // Bytes that go out as they are (the carriage return and erase of the progress line).
    void WriteRaw(std::string_view bytes);

  private:
    int inputFd_;
    int outputFd_;
    bool isTerminal_;
    bool atEnd_ = false;
    std::string pending_;  // input read past the last line end
};

// A text broken into lines of at most `width` characters: at the text's own "\n", then between words;
// a word longer than a line is cut. An empty text gives no lines; an empty paragraph gives an empty line.
std::vector<std::string> WrapText(std::string_view text, int width);

}  // namespace platform
