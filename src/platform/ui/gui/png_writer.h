// A minimal PNG encoder for the screenshots: 8-bit RGB, one IDAT, no filtering.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform::gui {

// The PNG file of a width x height image given as rows of R, G, B bytes (top row first).
std::string EncodePng(int width, int height, const std::vector<std::uint8_t>& rgb);
// Writes it to a host file; false when the image is malformed or the file cannot be written.
bool WritePng(const std::string& hostPath, int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace platform::gui
