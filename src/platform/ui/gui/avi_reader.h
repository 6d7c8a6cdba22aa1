// The animations the system animation control plays: RIFF "AVI " files whose video stream holds
// 8-bit palettised frames, uncompressed (BI_RGB, "xxdb" chunks) or run-length encoded (BI_RLE8,
// "xxdc" chunks, each drawn over the previous frame). Anything else is refused, never guessed at.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform::gui {

struct AviMovie {
    int width = 0;
    int height = 0;
    int microSecondsPerFrame = 0;
    // Each frame as rows of R, G, B bytes, top row first.
    std::vector<std::vector<std::uint8_t>> frames;
};

// The decoded movie; nullopt (with `error` naming what is wrong) for a file the control cannot play.
std::optional<AviMovie> ReadAvi(const std::string& bytes, std::string* error = nullptr);

}  // namespace platform::gui
