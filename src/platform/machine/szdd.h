// LZ-compressed (SZDD) images, as COMPRESS.EXE -r and mscompress write them and LZ32/VerInstallFileA
// expand them:
//
//   offset  size  field
//   0       8     magic "SZDD" 0x88 0xF0 0x27 0x33
//   8       1     compression mode, 'A' (LZSS with a 4096-byte window)
//   9       1     the last character of the original name, which the stored name replaced by "_"
//                 (0 when the compressor did not record it)
//   10      4     length of the expanded data, little endian
//   14      ...   LZSS data: a flag byte, then eight items, each a literal byte (flag bit 1) or a
//                 two-byte window reference (flag bit 0)
//
// The expansion itself is libmspack's; this file supplies it with streams of our own, so that it reads
// and writes through the Windows file service (and the faults injected there) rather than host paths.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr std::size_t kSzddHeaderSize = 14;

// True when `head` (at least the first 8 bytes of a file) starts with the SZDD magic.
bool IsSzdd(std::span<const std::uint8_t> head);
// The stored last character of the original name (0 when none was recorded); needs the full header.
char SzddMissingChar(std::span<const std::uint8_t> header);

// GetExpandedNameA's rule for a compressed file: the trailing "_" of `name` becomes the stored
// character, in upper case when the name part holds no lower-case letter; without a stored character
// the "_" is dropped. A name that does not end in "_" is returned as it is.
std::string ExpandedName(std::string_view name, char missingChar);

// LZOpenFileA's second guess when a file is missing: the name its compressed image would carry
// ("X.DLL" -> "X.DL_", "X.D" -> "X.D_", "X" -> "X._").
std::string CompressedName(std::string_view name);

// A byte stream the expander reads from or writes to.
class ByteStream {
  public:
    virtual ~ByteStream() = default;
    // Bytes transferred, or -1 on an error.
    virtual int Read(void* buffer, int bytes) = 0;
    virtual int Write(const void* buffer, int bytes) = 0;
    // origin: 0 from the start, 1 from the current position, 2 from the end; false on an error.
    virtual bool Seek(std::int64_t offset, int origin) = 0;
    virtual std::int64_t Tell() = 0;
};

// A stream over bytes in memory: reads from `data`, appends writes to `out` (either may be null).
class MemoryStream : public ByteStream {
  public:
    explicit MemoryStream(std::span<const std::uint8_t> data) : data_(data) {}
    explicit MemoryStream(std::vector<std::uint8_t>* out) : out_(out) {}
    int Read(void* buffer, int bytes) override;
    int Write(const void* buffer, int bytes) override;
    bool Seek(std::int64_t offset, int origin) override;
    std::int64_t Tell() override;

  private:
    std::span<const std::uint8_t> data_;
    std::vector<std::uint8_t>* out_ = nullptr;
    std::size_t pos_ = 0;
};

enum class SzddResult {
    kOk,
    kNotSzdd,     // no SZDD signature
    kReadError,   // the source could not be read
    kWriteError,  // the destination refused a write
    kBadData,     // a damaged image
    kNoMemory,    // the expander's memory could not be allocated
};

// Expands the SZDD image read from `in` into `out`.
SzddResult ExpandSzdd(ByteStream& in, ByteStream& out);
// Convenience over memory: the expanded bytes or the failure.
SzddResult ExpandSzdd(std::span<const std::uint8_t> image, std::vector<std::uint8_t>& out);

}  // namespace platform
