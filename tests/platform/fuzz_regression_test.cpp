// Inputs the fuzz drivers (fuzz/) found faults with, kept so the faults stay fixed. Each case runs the
// reader on the input and checks the property the driver checks.
#include <gtest/gtest.h>

#include <string>

#include "platform/machine/hive_format.h"

namespace {

using platform::ReadHive;
using platform::RegNode;
using platform::WriteHive;

struct HiveCase {
    const char* name;
    std::string text;
};

void PrintTo(const HiveCase& c, std::ostream* os) {
    *os << c.name << " (" << c.text.size() << " bytes of hive text)";
}

// Whatever we write must read back without a problem and write the same text again.
class HiveRoundTrip : public ::testing::TestWithParam<HiveCase> {};

TEST_P(HiveRoundTrip, RewritesTheSameText) {
    RegNode root(u"");
    platform::HiveReadResult first = ReadHive(GetParam().text, root);
    std::string written = WriteHive(root, "\\\\Machine", first.arch);
    RegNode again(u"");
    platform::HiveReadResult second = ReadHive(written, again);
    EXPECT_EQ(second.error, "");
    EXPECT_EQ(WriteHive(again, "\\\\Machine", second.arch), written);
}

INSTANTIATE_TEST_SUITE_P(
    FuzzFindings, HiveRoundTrip,
    ::testing::Values(
        // An empty file: the root key was written with time 0, and "#time=000000000" was then
        // ignored in favour of the key line's (wrapped) seconds, so each rewrite changed the time.
        HiveCase{"EmptyFile", ""},
        HiveCase{"KeyTimeZero", "WINE REGISTRY Version 2\n\n[A] 0\n#time=0\n\"v\"=\"1\"\n"},
        HiveCase{"PathKeysTakeTheExactTime",
                 "WINE REGISTRY Version 2\n\n[A\\\\B\\\\C] 1700000000\n#time=1d9f0c2a1b2c3d4\n@=\"x\"\n"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
