// Drives the text front end through a pipe of typed lines; what it writes goes to a file (a pipe could
// fill up while the test is not reading), and so does the transcript.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/ui/text_ui.h"
#include "platform/ui/transcript.h"
#include "support/temp_prefix.h"

namespace testing_support {

class TextUiHarness {
  public:
    // `keys` is everything the user types; the input ends after it.
    explicit TextUiHarness(const std::string& keys, platform::TextFiles files = {}) {
        int fds[2];
        if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
        // Small enough for the pipe's buffer: written in full before the front end reads.
        if (write(fds[1], keys.data(), keys.size()) != static_cast<ssize_t>(keys.size()))
            throw std::runtime_error("write to pipe failed");
        close(fds[1]);
        input_ = fds[0];
        outputPath_ = dir_.path() + "/screen.txt";
        output_ = std::fopen(outputPath_.c_str(), "wb");
        if (!output_) throw std::runtime_error("cannot create " + outputPath_);
        transcript_.Open(dir_.path() + "/transcript.txt");
        ui_ = std::make_unique<platform::TextUi>(input_, fileno(output_), transcript_, std::move(files));
    }
    ~TextUiHarness() {
        close(input_);
        std::fclose(output_);
    }

    platform::TextUi& ui() { return *ui_; }
    std::string Screen() const { return ReadHostFile(outputPath_); }
    std::vector<std::string> Transcript() const {
        std::vector<std::string> lines;
        std::istringstream in(ReadHostFile(dir_.path() + "/transcript.txt"));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    // Transcript lines that start with `prefix`.
    std::vector<std::string> Lines(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& line : Transcript())
            if (line.rfind(prefix, 0) == 0) out.push_back(line);
        return out;
    }

  private:
    TempDir dir_;
    int input_ = -1;
    std::string outputPath_;
    std::FILE* output_ = nullptr;
    platform::Transcript transcript_;
    std::unique_ptr<platform::TextUi> ui_;
};

}  // namespace testing_support
