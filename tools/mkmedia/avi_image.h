// The progress window's animation, INSTALL.AVI: RIFF "AVI " with the main header, one video stream of
// 8-bit palettised frames run-length encoded (BI_RLE8, "MRLE" handler, "00dc" chunks, each frame
// complete), and the "idx1" index. The frames fill the animation box of the progress window (72 by 90
// dialog units, less its border): a sheet leaves a spinning disc and drops into a folder.
#pragma once

#include <cstdint>
#include <vector>

namespace mkmedia {

inline constexpr int kAviWidth = 106;
inline constexpr int kAviHeight = 144;

std::vector<std::uint8_t> MakeAviImage(int frames = 12);

// One frame of palette indices (rows top first) as BI_RLE8 data: rows bottom first, runs of at most 255
// pixels, an end-of-line mark after each row and the end-of-bitmap mark.
std::vector<std::uint8_t> EncodeRle8(const std::vector<std::uint8_t>& indices, int width, int height);

}  // namespace mkmedia
