// PE version resources: the resource directory walk of the image, then the VerQueryValue walk of the
// block it finds (and of the whole input read as a block, as GetFileVersionInfo's copy would be).
#include <cstdint>
#include <span>

#include "fuzz_check.h"
#include "platform/machine/pe_version.h"
#include "platform/machine/version_block.h"

namespace {

const char* const kPaths[] = {
    "\\",
    "",
    "\\VarFileInfo\\Translation",
    "\\StringFileInfo\\040904b0\\FileVersion",
    "\\StringFileInfo\\040904E4\\ProductVersion",
    "StringFileInfo\\\\040904b0\\\\CompanyName",
    "\\StringFileInfo",
};

void WalkBlock(std::span<const std::uint8_t> block) {
    for (const char* path : kPaths) {
        auto value = platform::FindVersionValue(block, path);
        if (!value) continue;
        FUZZ_CHECK(value->offset <= block.size());
        FUZZ_CHECK(value->bytes <= block.size() - value->offset);
        // Touch every byte VerQueryValue would hand out, so ASan sees any read past the block.
        volatile std::uint8_t sink = 0;
        for (std::size_t i = 0; i < value->bytes; ++i)
            sink = sink ^ block[value->offset + i];
        (void)sink;
    }
    platform::VersionFacts facts = platform::ReadVersionFacts(block);
    (void)platform::CompareVersions(&facts, &facts);
    (void)platform::CompareVersions(&facts, nullptr);
    (void)platform::CompareVersions(nullptr, &facts);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> image(data, size);
    if (auto resource = platform::FindVersionResource(image)) {
        FUZZ_CHECK(resource->offset <= size);
        std::size_t bytes = resource->size;
        if (bytes > size - resource->offset) bytes = size - resource->offset;
        WalkBlock(image.subspan(resource->offset, bytes));
    }
    WalkBlock(image);
    return 0;
}
