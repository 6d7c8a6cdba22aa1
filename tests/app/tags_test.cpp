#include "app/tags.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/setup_record.h"
#include "resources/catalogue.h"

namespace {

using catalogue::Word;

class TagTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetSetupRecord(); }
    void TearDown() override { ResetSetupRecord(); }
};

TEST_F(TagTest, RecognisesSeventyFourNames) {
    EXPECT_EQ(catalogue::DistinctTagCount(), 74u);
}

TEST_F(TagTest, EveryTagAnswersToItsOwnBitAndNoOther) {
    for (const auto& row : catalogue::TagTable()) {
        if (row.word == Word::W80251) continue;
        SCOPED_TRACE(row.name);
        ResetSetupRecord();
        EXPECT_FALSE(HasTag(row.name));
        std::uint32_t* field = &FlavourWordOf(row.word);
        if (row.bit < 0) {
            *field = 0x80000000u;  // any bit sets a family tag
            EXPECT_TRUE(HasTag(row.name));
            continue;
        }
        *field = ~(1u << row.bit);
        // Every other bit of the word is set, yet a member tag needs its own bit; names shared with
        // another word (the LPC members) must not leak from here either.
        bool sharedElsewhere = false;
        for (const auto& other : catalogue::TagTable())
            if (&other != &row && std::string(other.name) == row.name && other.word != row.word)
                sharedElsewhere = true;
        if (!sharedElsewhere) {
            EXPECT_FALSE(HasTag(row.name));
        }
        *field = 1u << row.bit;
        EXPECT_TRUE(HasTag(row.name));
    }
}

TEST_F(TagTest, NamesMatchWithoutRegardToCase) {
    ::Setup().productWord = 1;
    EXPECT_TRUE(HasTag("ovra"));
    EXPECT_TRUE(HasTag("Ovra"));
    EXPECT_FALSE(HasTag("OVRA "));
    EXPECT_FALSE(HasTag("OVR"));
    EXPECT_FALSE(HasTag(""));
    EXPECT_FALSE(HasTag(nullptr));
    EXPECT_FALSE(HasTag("no-such-tag"));
}

TEST_F(TagTest, LpcMembersShareTheEightyFiftyOneNames) {
    using namespace catalogue;
    ::Setup().lpcWord = 0x1;
    EXPECT_TRUE(HasTag(kAsm51));
    EXPECT_FALSE(HasTag(k8051Tools));
    EXPECT_TRUE(HasTag(kLpcTools));
    ::Setup().lpcWord = 0x8;  // bit 3 of the LPC word has no member
    EXPECT_FALSE(HasTag(kIce51));
    EXPECT_FALSE(HasTag(kAsm51));
    ::Setup().lpcWord = 0x10;
    EXPECT_TRUE(HasTag(kRtk51));
    ::Setup().lpcWord = 0;
    ::Setup().word8051 = 0x4;
    EXPECT_TRUE(HasTag(kLink51));
    EXPECT_FALSE(HasTag(kLpcTools));
}

TEST_F(TagTest, XeFamilyAnswersToBothNames) {
    ::Setup().xeWord = 1u << 17;
    EXPECT_TRUE(HasTag(catalogue::kXeTools));
    EXPECT_TRUE(HasTag(catalogue::kXe8000));
    EXPECT_TRUE(HasTag(catalogue::kXeCompressor));
    EXPECT_FALSE(HasTag(catalogue::kXeGcc));
}

TEST_F(TagTest, EightyTwoFiftyOneTagsAreAlwaysFalse) {
    SetupRecord& s = ::Setup();
    s.productWord = s.word8051 = s.lpcWord = s.xaWord = s.st6Word = s.st5Word = s.addOnWord = s.mxWord =
        s.xeWord = 0xFFFFFFFFu;
    for (const char* tag :
         {catalogue::k80251Tools, catalogue::kAsm251, catalogue::kC251, catalogue::kLink251})
        EXPECT_FALSE(HasTag(tag)) << tag;
}

TEST_F(TagTest, OvraFamilyIsAnyOfTheFourKitTags) {
    const std::uint32_t cases[][2] = {{0x01, 1}, {0x02, 1}, {0x04, 1}, {0x80, 1},
                                      {0x08, 0}, {0x10, 0}, {0x20, 0}, {0x40, 0}};
    for (const auto& c : cases) {
        ::Setup().productWord = c[0];
        EXPECT_EQ(IsOvraFamily(), c[1] == 1) << std::hex << c[0];
    }
}

}  // namespace
