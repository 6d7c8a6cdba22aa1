#include "platform/machine/text_util.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(TextUtil, ComparesAsciiWithoutRegardToCase) {
    EXPECT_TRUE(EqualNoCase("C:\\OVRA\\BIN", "c:\\ovra\\bin"));
    EXPECT_FALSE(EqualNoCase("OVRA", "OVRA2"));
    EXPECT_LT(CompareNoCase("abc", "ABD"), 0);
    EXPECT_GT(CompareNoCase("b", "A"), 0);
    EXPECT_LT(CompareNoCase("ab", "ABC"), 0);
    // Bytes above 0x7F are compared as they are, never folded.
    EXPECT_FALSE(EqualNoCase("\xE9", "\xC9"));
}

}  // namespace
}  // namespace platform
