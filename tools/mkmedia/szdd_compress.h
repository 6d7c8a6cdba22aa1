// SZDD compression, the inverse of LZ32's expansion (see src/platform/machine/szdd.h for the layout):
// LZSS over a 4096-byte ring that starts filled with blanks (0x20), writing from position 4096 - 16;
// each group of eight items is preceded by a flag byte (bit set: a literal byte; bit clear: a two-byte
// reference, low 8 bits of the ring position, then its high 4 bits and the length - 3 in the low 4
// bits, lengths 3 to 18).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace mkmedia {

// The whole compressed file: header (magic, mode 'A', `missingChar`, length) and data.
std::vector<std::uint8_t> CompressSzdd(std::span<const std::uint8_t> data, char missingChar);

}  // namespace mkmedia
