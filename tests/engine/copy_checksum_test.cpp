// The C option of a copy line: the CRC-32 of the expanded file that our media builder records and the
// engine checks, written so that a reader without the option installs the media as before.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/install_list.h"

namespace {

using namespace install_list;

std::span<const std::uint8_t> BytesOf(const char* text) {
    return {reinterpret_cast<const std::uint8_t*>(text), std::strlen(text)};
}

TEST(CopyChecksum, Crc32IsZlibs) {
    EXPECT_EQ(Crc32(BytesOf("")), 0u);
    EXPECT_EQ(Crc32(BytesOf("123456789")), 0xCBF43926u);
    // In pieces, as the engine reads the expanded file.
    EXPECT_EQ(Crc32(BytesOf("6789"), Crc32(BytesOf("12345"))), 0xCBF43926u);
}

TEST(CopyChecksum, OnlyAWellFormedTokenGivesAChecksum) {
    struct Case {
        const char* token;
        std::optional<std::uint32_t> checksum;
    } cases[] = {
        {"CBF43926", std::nullopt},  // the letter is C, not a hex digit of the value
        {"CCBF43926", 0xCBF43926u},  {"Ccbf43926", 0xCBF43926u},   {"C00000000", 0u},
        {"C1234567", std::nullopt},  {"C123456789", std::nullopt}, {"C1234567G", std::nullopt},
        {"c12345678", std::nullopt},  // options are case-sensitive: only upper-case C
    };
    for (const auto& c : cases) {
        Line line = Tokenize(std::string("copy a.tx_ bin 50 L3 P0 ") + c.token + "\n");
        EXPECT_EQ(ParseCopyOptions(line).checksum, c.checksum) << c.token;
    }
}

// What the reader made of the line before the option existed must not change with it.
TEST(CopyChecksum, TheTokenChangesNothingElseOfTheLine) {
    CopyLineSpec entry;
    entry.storedName = "OVRA.EX_";
    entry.subdir = "bin";
    entry.gauge = 40;
    entry.length = 1234;
    entry.offset = 99;
    entry.longName = "Ovra.exe";
    entry.flags = {"VERSION", "SHARED"};
    std::string without = FormatCopyLine(entry);
    entry.checksum = 0x0BADF00Du;
    std::string with = FormatCopyLine(entry);
    EXPECT_EQ(with, without + " C0BADF00D");

    CopyOptions a = ParseCopyOptions(Tokenize(without)), b = ParseCopyOptions(Tokenize(with));
    EXPECT_EQ(a.gauge, b.gauge);
    EXPECT_EQ(a.length, b.length);
    EXPECT_EQ(a.offset, b.offset);
    EXPECT_EQ(a.longName, b.longName);
    EXPECT_EQ(b.checksum, 0x0BADF00Du);
    CopyFlags fa = ParseCopyFlags(Tokenize(without)), fb = ParseCopyFlags(Tokenize(with));
    EXPECT_EQ(fa.version, fb.version);
    EXPECT_EQ(fa.shared, fb.shared);
    EXPECT_FALSE(fb.v16Only || fb.v32Only);
}

TEST(CopyChecksum, LeftOutWhereItWouldBeDropped) {
    CopyLineSpec entry;
    entry.storedName = "A.DL_";
    entry.subdir = "bin";
    entry.gauge = 10;
    entry.longName = "a.dll";
    entry.flags = {"VERSION", "SHARED", "V16ONLY"};  // ten tokens already
    entry.checksum = 1;
    std::string line = FormatCopyLine(entry);
    EXPECT_EQ(Tokenize(line).count, kMaxTokens);
    EXPECT_EQ(line.find(" C0"), std::string::npos) << line;
}

}  // namespace
