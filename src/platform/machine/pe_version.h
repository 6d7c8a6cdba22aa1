// Finding the version resource (RT_VERSION) of a PE32 or PE32+ image held in memory.
//
//   offset 0x3C of the MZ header      file offset of the "PE\0\0" signature
//   COFF header (20 bytes)            NumberOfSections at +2, SizeOfOptionalHeader at +16
//   optional header                   Magic 0x10B (PE32) or 0x20B (PE32+); the data directories
//                                     start at +96 / +112, NumberOfRvaAndSizes just before them;
//                                     directory 2 is the resource directory (RVA, size)
//   section table (40 bytes each)     VirtualSize +8, VirtualAddress +12, SizeOfRawData +16,
//                                     PointerToRawData +20: maps an RVA to a file offset
//   resource directory                16-byte header (named entries at +12, id entries at +14), then
//                                     8-byte entries (name or id, offset; high bit set: a subdirectory)
//                                     three levels deep: type (16 = RT_VERSION), name, language;
//                                     a leaf is a data entry (RVA, size, code page, reserved)
//
// Like the system's loader, the first name and the first language under RT_VERSION are taken. Every
// offset is checked against the image: a truncated or damaged file yields "no version", never a read
// outside the buffer.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace platform {

struct ResourceSpan {
    std::size_t offset = 0;  // file offset of the VS_VERSIONINFO block
    std::size_t size = 0;    // its size in bytes as the resource entry gives it
};

// The version resource of `image`, or nothing when it is not a PE image or has none.
std::optional<ResourceSpan> FindVersionResource(std::span<const std::uint8_t> image);

}  // namespace platform
