// A tiny uncompressed AVI for the progress window's animation: RIFF "AVI " with the main header, one
// video stream of 16 by 16 pixels in 24-bit BI_RGB ("DIB " handler), a few frames in "movi" as "00db"
// chunks, and the "idx1" index.
#pragma once

#include <cstdint>
#include <vector>

namespace mkmedia {

std::vector<std::uint8_t> MakeAviImage(int frames = 4);

}  // namespace mkmedia
