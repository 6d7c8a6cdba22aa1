#include "resources/licence_text.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace resources {
namespace {

struct Copy {
    const char* name;
    bool french;
    std::size_t items;
};

void PrintTo(const Copy& c, std::ostream* os) {
    *os << c.name << " licence, " << c.items << " items";
}

class BuiltInLicenceTest : public testing::TestWithParam<Copy> {};

TEST_P(BuiltInLicenceTest, HasTheItemCountTheListBoxExpects) {
    EXPECT_EQ(BuiltInLicence(GetParam().french).size(), GetParam().items);
}

TEST_P(BuiltInLicenceTest, TenParagraphsSeparatedBySingleEmptyItems) {
    const auto lines = BuiltInLicence(GetParam().french);
    ASSERT_FALSE(lines.empty());
    EXPECT_STRNE(lines.front(), "");
    EXPECT_STRNE(lines.back(), "");
    std::size_t empty = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_NE(lines[i], nullptr) << "item " << i;
        if (*lines[i] != '\0') continue;
        ++empty;
        if (i > 0) {
            EXPECT_STRNE(lines[i - 1], "") << "two empty items in a row at " << i;
        }
    }
    EXPECT_EQ(empty, 9u);
}

TEST_P(BuiltInLicenceTest, ItemsFitTheListBoxAndNeedNoStripping) {
    const auto lines = BuiltInLicence(GetParam().french);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        EXPECT_LE(line.size(), 80u) << "item " << i << ": " << line;
        if (line.empty()) continue;
        EXPECT_NE(line.front(), ' ') << "item " << i;
        EXPECT_NE(line.front(), '\t') << "item " << i;
        EXPECT_NE(line.back(), ' ') << "item " << i;
        for (const char c : line) {
            EXPECT_GE(static_cast<unsigned char>(c), 0x20u) << "control character in item " << i;
        }
    }
}

TEST_P(BuiltInLicenceTest, FirstLineNamesTheProduct) {
    EXPECT_NE(std::string_view(BuiltInLicence(GetParam().french).front()).find("Vexa"),
              std::string_view::npos);
}

INSTANTIATE_TEST_SUITE_P(Languages, BuiltInLicenceTest,
                         testing::Values(Copy{"English", false, 76}, Copy{"French", true, 81}),
                         [](const testing::TestParamInfo<Copy>& info) {
                             return std::string(info.param.name);
                         });

TEST(BuiltInLicence, EnglishCopyIsPlainAscii) {
    for (const char* line : BuiltInLicence(false)) {
        for (const char c : std::string_view(line))
            EXPECT_LT(static_cast<unsigned char>(c), 0x80u) << line;
    }
}

// The list box is ANSI: accented letters must be single Windows-1252 bytes. UTF-8 would show as "Ã©".
TEST(BuiltInLicence, FrenchCopyIsWindows1252) {
    bool accented = false;
    for (const char* line : BuiltInLicence(true)) {
        const std::string_view text(line);
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (byte >= 0x80) accented = true;
            // Positions that Windows-1252 leaves undefined.
            EXPECT_TRUE(byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D) << line;
            if (byte == 0xC3 && i + 1 < text.size()) {
                const auto next = static_cast<unsigned char>(text[i + 1]);
                EXPECT_FALSE(next >= 0x80 && next <= 0xBF) << "UTF-8 sequence in: " << line;
            }
        }
    }
    EXPECT_TRUE(accented) << "the French copy has no accented letter at all";
}

TEST(BuiltInLicence, CopiesDifferByLanguage) {
    EXPECT_STRNE(BuiltInLicence(false).front(), BuiltInLicence(true).front());
}

}  // namespace
}  // namespace resources
