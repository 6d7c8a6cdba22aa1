#include "platform/machine/szdd.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/temp_prefix.h"

namespace platform {
namespace {

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> Input(const std::string& name) {
    return ReadBytes(std::string(OVRA_CONFORMANCE_DIR) + "/inputs/" + name);
}

TEST(Szdd, ExpandsTheConformanceInputsToTheirOriginals) {
    struct Row {
        const char* compressed;
        const char* original;
        char missing;
    } rows[] = {
        {"v6102.dl_", "v6102.dll", 'l'}, {"v6102nc.dl_", "v6102.dll", 0}, {"v600.dl_", "v600.dll", 'l'}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.compressed);
        auto image = Input(row.compressed);
        ASSERT_TRUE(IsSzdd(image));
        EXPECT_EQ(SzddMissingChar(image), row.missing);
        std::vector<std::uint8_t> out;
        ASSERT_EQ(ExpandSzdd(image, out), SzddResult::kOk);
        EXPECT_EQ(out, Input(row.original));
    }
}

TEST(Szdd, PlainAndDamagedImagesFailCleanly) {
    std::vector<std::uint8_t> out;
    auto plain = Input("plain.txt");
    EXPECT_FALSE(IsSzdd(plain));
    EXPECT_EQ(ExpandSzdd(plain, out), SzddResult::kNotSzdd);
    EXPECT_EQ(ExpandSzdd(std::span<const std::uint8_t>(), out), SzddResult::kNotSzdd);

    auto image = Input("v6102.dl_");
    // A header cut short, and every truncation of the data: no crash, never more than the
    // header promises.
    for (std::size_t n = 0; n < image.size(); n += 5) {
        std::vector<std::uint8_t> cut(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(n));
        SzddResult r = ExpandSzdd(cut, out);
        // A cut image is never taken for a whole one.
        EXPECT_NE(r, SzddResult::kOk) << n;
        EXPECT_LE(out.size(), 5120u);
    }
}

TEST(Szdd, WriteFailuresAreReportedAsSuch) {
    class FullDisk : public MemoryStream {
      public:
        FullDisk() : MemoryStream(&sink_) {}
        int Write(const void*, int) override { return -1; }

      private:
        std::vector<std::uint8_t> sink_;
    } full;
    auto image = Input("v600.dl_");
    MemoryStream in(image);
    EXPECT_EQ(ExpandSzdd(in, full), SzddResult::kWriteError);
}

// The expander produces a byte at a time; the destination sees them gathered, and a disk that fills up
// half way through is still reported.
TEST(Szdd, DestinationReceivesChunksAndAPartialWriteFails) {
    class Counting : public MemoryStream {
      public:
        explicit Counting(std::size_t room) : MemoryStream(&sink), room_(room) {}
        int Write(const void* buffer, int bytes) override {
            ++calls;
            int n = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(bytes), room_));
            room_ -= static_cast<std::size_t>(n);
            return n ? MemoryStream::Write(buffer, n) : -1;
        }
        std::vector<std::uint8_t> sink;
        int calls = 0;

      private:
        std::size_t room_;
    };
    auto image = Input("v600.dl_");
    std::vector<std::uint8_t> whole;
    ASSERT_EQ(ExpandSzdd(image, whole), SzddResult::kOk);
    ASSERT_GT(whole.size(), 2048u);

    MemoryStream in(image);
    Counting roomy(whole.size());
    ASSERT_EQ(ExpandSzdd(in, roomy), SzddResult::kOk);
    EXPECT_EQ(roomy.sink, whole);
    EXPECT_LE(roomy.calls, static_cast<int>(whole.size() / 1024 + 1));

    MemoryStream again(image);
    Counting cramped(whole.size() - 1);
    EXPECT_EQ(ExpandSzdd(again, cramped), SzddResult::kWriteError);
}

TEST(Szdd, FilesCompressedByMscompressExpandByteForByte) {
    if (std::system("command -v mscompress >/dev/null 2>&1") != 0) GTEST_SKIP() << "mscompress not installed";
    testing_support::TempDir dir;
    // Runs, repeats and all byte values: literals, window references and the window wrapping.
    std::string data;
    for (int i = 0; i < 20000; ++i)
        data.push_back(static_cast<char>((i * 7) ^ (i >> 5)));
    data += std::string(9000, 'A') + "tail";
    for (int i = 0; i < 3000; ++i)
        data.push_back(static_cast<char>(i & 0xFF));
    const std::string path = dir.path() + "/sample.bin";
    testing_support::WriteHostFile(path, data);
    ASSERT_EQ(std::system(("cd '" + dir.path() + "' && mscompress sample.bin >/dev/null 2>&1").c_str()), 0);
    auto image = ReadBytes(path + "_");
    ASSERT_TRUE(IsSzdd(image));
    std::vector<std::uint8_t> out;
    ASSERT_EQ(ExpandSzdd(image, out), SzddResult::kOk);
    EXPECT_EQ(std::string(out.begin(), out.end()), data);
}

TEST(Szdd, ExpandedAndCompressedNames) {
    struct Row {
        const char* name;
        char missing;
        const char* expanded;
    } rows[] = {
        {"C:\\probe\\in\\v6102.dl_", 'l', "C:\\probe\\in\\v6102.dll"},
        {"C:\\probe\\in\\v6102nc.dl_", 0, "C:\\probe\\in\\v6102nc.dl"},
        {"C:\\MEDIA\\OVRA.EX_", 'e', "C:\\MEDIA\\OVRA.EXE"},
        {"c:\\media\\OVRA.EX_", 'E', "c:\\media\\OVRA.EXE"},
        {"C:\\MEDIA\\Readme.tx_", 'T', "C:\\MEDIA\\Readme.txt"},
        {"C:\\probe\\in\\v6102.dll", 'l', "C:\\probe\\in\\v6102.dll"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ExpandedName(row.name, row.missing), row.expanded) << row.name;

    EXPECT_EQ(CompressedName("C:\\probe\\conly\\v600.dll"), "C:\\probe\\conly\\v600.dl_");
    EXPECT_EQ(CompressedName("C:\\x.d"), "C:\\x.d_");
    EXPECT_EQ(CompressedName("C:\\dir.d\\noext"), "C:\\dir.d\\noext._");
}

}  // namespace
}  // namespace platform
