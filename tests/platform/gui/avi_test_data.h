// Builds small AVI files for the tests: 8-bit frames, uncompressed or RLE8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

struct AviFrame {
    bool rle = false;
    std::string data;  // the frame chunk's body as stored
};

// A RIFF AVI with one video stream of width x height 8-bit frames and the given palette (RGB triples).
std::string MakeAvi(int width, int height, const std::vector<std::uint8_t>& paletteRgb,
                    const std::vector<AviFrame>& frames, bool rleFormat, int microSecondsPerFrame = 100000);

}  // namespace testing_support
