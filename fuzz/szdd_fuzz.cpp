// SZDD images: the header readers and the expansion over memory.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/machine/szdd.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> image(data, size);
    if (size >= 8) (void)platform::IsSzdd(image);
    if (size >= platform::kSzddHeaderSize) {
        char missing = platform::SzddMissingChar(image);
        (void)platform::ExpandedName("FILE.DL_", missing);
    }
    std::vector<std::uint8_t> out;
    platform::SzddResult result = platform::ExpandSzdd(image, out);
    if (result == platform::SzddResult::kNotSzdd) FUZZ_CHECK(out.empty());
    // Nine bytes of output per two of input is the most LZSS can produce (plus the literal runs).
    FUZZ_CHECK(out.size() <= size * 9 + 64);
    return 0;
}
