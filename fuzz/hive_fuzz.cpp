// Hive files: whatever a damaged system.reg holds, what we write of the tree read from it must read
// back without a problem and write the same text again.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/machine/hive_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    platform::RegNode root(u"");
    platform::HiveReadResult first = platform::ReadHive(text, root);
    std::string written = platform::WriteHive(root, "\\\\Machine", first.arch);

    platform::RegNode again(u"");
    platform::HiveReadResult second = platform::ReadHive(written, again);
    if (!second.error.empty()) std::fprintf(stderr, "re-read: %s\n", second.error.c_str());
    FUZZ_CHECK(second.error.empty());
    FUZZ_CHECK(platform::WriteHive(again, "\\\\Machine", second.arch) == written);
    return 0;
}
