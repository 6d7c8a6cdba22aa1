#include "mkmedia/manifest.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>

#include "engine/install_list.h"
#include "mkmedia/avi_image.h"
#include "mkmedia/pe_image.h"
#include "mkmedia/szdd_compress.h"
#ifdef OVRA_HAVE_GUI
#include "platform/ui/gui/avi_reader.h"
#include "platform/ui/gui/dialog_layout.h"
#endif
#include "platform/machine/pe_version.h"
#include "platform/machine/szdd.h"
#include "platform/machine/version_block.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::ReadHostFile;
using testing_support::TempDir;
using testing_support::WriteHostFile;

std::vector<std::uint8_t> Bytes(const std::string& s) {
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

// Inputs that exercise the compressor: empty, blanks that match the ring's fill, runs, overlapping
// references, text, noise, and sizes around the window.
std::vector<std::string> Samples() {
    std::mt19937 rng(7);
    std::string noise, text;
    for (int i = 0; i < 70000; ++i)
        noise += static_cast<char>(rng() % 256);
    for (int i = 0; i < 3000; ++i)
        text += "line " + std::to_string(i % 97) + " of the sample text\r\n";
    return {"",
            "a",
            "ab",
            "   ",
            std::string(5000, ' '),
            std::string(10000, 'x'),
            "abcabcabcabcabcabcabcabcabcabcabc",
            text,
            noise,
            std::string(4096, 'q') + "tail",
            mkmedia::GeneratedText(200000, "seed")};
}

TEST(SzddCompress, HeaderFields) {
    auto image = mkmedia::CompressSzdd(Bytes("hello"), 'L');
    ASSERT_GE(image.size(), 14u);
    EXPECT_EQ(std::string(image.begin(), image.begin() + 8), std::string("SZDD\x88\xF0\x27\x33", 8));
    EXPECT_EQ(image[8], 'A');
    EXPECT_EQ(image[9], 'L');
    EXPECT_EQ(image[10], 5);
    EXPECT_EQ(image[11] | image[12] | image[13], 0);
}

TEST(SzddCompress, ExpandsByteForByteThroughLibmspack) {
    for (const auto& sample : Samples()) {
        auto image = mkmedia::CompressSzdd(Bytes(sample), 'X');
        std::vector<std::uint8_t> out;
        ASSERT_EQ(platform::ExpandSzdd(image, out), platform::SzddResult::kOk) << sample.size();
        EXPECT_EQ(out, Bytes(sample)) << sample.size();
    }
    // It does compress.
    auto text = mkmedia::GeneratedText(100000, "x");
    EXPECT_LT(mkmedia::CompressSzdd(Bytes(text), 0).size(), text.size() / 2);
}

TEST(SzddCompress, ExpandsByteForByteThroughMsexpand) {
    if (std::system("command -v msexpand >/dev/null 2>&1") != 0) GTEST_SKIP() << "msexpand is not installed";
    TempDir dir;
    int index = 0;
    for (const auto& sample : Samples()) {
        std::string packed = dir.path() + "/s" + std::to_string(index) + ".tx_";
        std::string plain = dir.path() + "/s" + std::to_string(index++) + ".out";
        auto image = mkmedia::CompressSzdd(Bytes(sample), 't');
        WriteHostFile(packed, std::string(image.begin(), image.end()));
        ASSERT_EQ(std::system(("msexpand < '" + packed + "' > '" + plain + "'").c_str()), 0);
        EXPECT_EQ(ReadHostFile(plain), sample) << sample.size();
    }
}

TEST(PeImage, CarriesTheVersionResource) {
    std::array<std::uint16_t, 4> parts;
    ASSERT_TRUE(mkmedia::ParseVersion("6.10.2", parts));
    EXPECT_EQ(parts, (std::array<std::uint16_t, 4>{6, 10, 2, 0}));
    EXPECT_FALSE(mkmedia::ParseVersion("6.x", parts));
    EXPECT_FALSE(mkmedia::ParseVersion("", parts));
    EXPECT_FALSE(mkmedia::ParseVersion("70000", parts));

    mkmedia::ParseVersion("6.10.2", parts);
    auto image = mkmedia::MakePeImage(parts, "6.10.2", false);
    auto span = platform::FindVersionResource(image);
    ASSERT_TRUE(span);
    std::span<const std::uint8_t> block(image.data() + span->offset, span->size);
    platform::VersionFacts facts = platform::ReadVersionFacts(block);
    ASSERT_TRUE(facts.hasFixed);
    EXPECT_EQ(facts.fixed.dwFileVersionMS, 0x0006000Au);
    EXPECT_EQ(facts.fixed.dwFileVersionLS, 0x00020000u);
    EXPECT_EQ(facts.fixed.dwFileType, 1u);
    EXPECT_TRUE(facts.hasTranslation);
    EXPECT_EQ(facts.language, 0x0409);
    auto fileVersion = platform::FindVersionValue(block, "\\StringFileInfo\\040904E4\\FileVersion");
    ASSERT_TRUE(fileVersion);
    EXPECT_TRUE(fileVersion->text);
    EXPECT_EQ(fileVersion->length, 7u);  // "6.10.2" and its NUL
}

// A program's version resource is rewritten in place: the image made for the longest version text
// takes a shorter one, never the other way round; the compiled programs (PE32+) take the kit's version.
TEST(PeImage, ProgramsTakeTheirVersionInPlace) {
    auto check = [](std::vector<std::uint8_t> image, const char* version, std::uint32_t ms,
                    std::uint32_t ls) {
        std::array<std::uint16_t, 4> parts;
        ASSERT_TRUE(mkmedia::ParseVersion(version, parts));
        std::string error;
        ASSERT_TRUE(mkmedia::SetProgramVersion(image, parts, version, false, error)) << error;
        auto span = platform::FindVersionResource(image);
        ASSERT_TRUE(span);
        std::span<const std::uint8_t> block(image.data() + span->offset, span->size);
        platform::VersionFacts facts = platform::ReadVersionFacts(block);
        ASSERT_TRUE(facts.hasFixed);
        EXPECT_EQ(facts.fixed.dwFileVersionMS, ms);
        EXPECT_EQ(facts.fixed.dwFileVersionLS, ls);
        auto fileVersion = platform::FindVersionValue(block, "\\StringFileInfo\\040904E4\\FileVersion");
        ASSERT_TRUE(fileVersion);
        EXPECT_EQ(fileVersion->length, std::string(version).size() + 1);
    };
    std::array<std::uint16_t, 4> longest{65535, 65535, 65535, 65535}, shortest{1, 0, 0, 0};
    check(mkmedia::MakePeImage(longest, "65535.65535.65535.65535", false), "6.10.2", 0x0006000Au,
          0x00020000u);

    auto small = mkmedia::MakePeImage(shortest, "1", false);
    const auto before = small;
    std::array<std::uint16_t, 4> parts{6, 10, 2, 0};
    std::string error;
    EXPECT_FALSE(mkmedia::SetProgramVersion(small, parts, "6.10.2", false, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(small, before) << "a block that does not fit changes nothing";
    std::vector<std::uint8_t> notPe(512, 0);
    EXPECT_FALSE(mkmedia::SetProgramVersion(notPe, parts, "6.10.2", false, error));

    for (const char* program : {"Ovra.exe", "tool.exe"}) {
        std::string bytes =
            testing_support::ReadHostFile(std::string(OVRA_BINARY_DIR) + "/kitprograms/" + program);
        if (bytes.empty()) GTEST_SKIP() << "the kit's programs were not cross-built";
        check(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), "6.10.2", 0x0006000Au, 0x00020000u);
    }
}

TEST(AviImage, RunsAreCutAt255PixelsAndRowsGoBottomFirst) {
    struct Row {
        std::vector<std::uint8_t> indices;
        int width, height;
        std::vector<std::uint8_t> rle;
    };
    for (const Row& row : {Row{std::vector<std::uint8_t>(300, 7), 300, 1, {255, 7, 45, 7, 0, 1}},
                           Row{{1, 1, 2, 3, 3, 3}, 3, 2, {3, 3, 0, 0, 2, 1, 1, 2, 0, 1}}})
        EXPECT_EQ(mkmedia::EncodeRle8(row.indices, row.width, row.height), row.rle) << row.width;
}

#ifdef OVRA_HAVE_GUI
TEST(AviImage, ThePlayerReadsEveryFrameAtTheSizeOfTheAnimationBox) {
    auto avi = mkmedia::MakeAviImage(12);
    std::string s(avi.begin(), avi.end());
    std::uint32_t riffSize = avi[4] | avi[5] << 8 | avi[6] << 16 | static_cast<std::uint32_t>(avi[7]) << 24;
    EXPECT_EQ(riffSize + 8, avi.size());
    std::string error;
    auto movie = platform::gui::ReadAvi(s, &error);
    ASSERT_TRUE(movie) << error;
    // The box of the progress window (72 by 90 dialog units) less its one-pixel border.
    EXPECT_EQ(movie->width, platform::gui::DuToPixelsX(72) - 2);
    EXPECT_EQ(movie->height, platform::gui::DuToPixelsY(90) - 2);
    EXPECT_EQ(movie->microSecondsPerFrame, 100000);
    ASSERT_EQ(movie->frames.size(), 12u);
    for (std::size_t i = 0; i < movie->frames.size(); ++i) {
        EXPECT_NE(movie->frames[i], movie->frames[(i + 1) % movie->frames.size()]) << "frame " << i;
        std::set<std::uint32_t> colours;
        for (std::size_t p = 0; p + 2 < movie->frames[i].size(); p += 3)
            colours.insert(movie->frames[i][p] << 16 | movie->frames[i][p + 1] << 8 |
                           movie->frames[i][p + 2]);
        EXPECT_GE(colours.size(), 6u) << "frame " << i;
    }
}
#endif

TEST(Manifest, BuildsListsDataFilesAndTexts) {
    TempDir dir;
    WriteHostFile(dir.path() + "/payload.bin", "host payload");
    std::string error;
    ASSERT_TRUE(mkmedia::BuildMedia(R"(
# comment
ini INSTOVRA.INI INSTALL CODE=11
ini INSTOVRA.INI OTHER A=1
text license.txt "two\nlines"
text readme.txt <<EOF
first
second
EOF
generate big.txt 100
avi INSTALL.AVI
pe bin/x.dll 1.2
set Both lang=English,French folder
  md BIN
  file bin a.dll from=payload.bin gauge=10 SHARED
  file bin b.txt text="plain" plain long=LongerName.txt
end
)",
                                    dir.path(), dir.path() + "/out", error))
        << error;
    const std::string out = dir.path() + "/out/";
    EXPECT_EQ(ReadHostFile(out + "INSTOVRA.INI"), "[INSTALL]\r\nCODE=11\r\n[OTHER]\r\nA=1\r\n");
    EXPECT_EQ(ReadHostFile(out + "license.txt"), "two\r\nlines");
    EXPECT_EQ(ReadHostFile(out + "readme.txt"), "first\r\nsecond\r\n");
    EXPECT_EQ(ReadHostFile(out + "big.txt").size(), 100u);
    EXPECT_EQ(ReadHostFile(out + "English/Both/Both.INS"), ReadHostFile(out + "French/Both/Both.INS"));

    auto lines = install_list::ParseInstallList(ReadHostFile(out + "English/Both/Both.INS"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0][0], "md");
    std::string dat = ReadHostFile(out + "English/Both/Both.DAT");
    auto dataBytes = Bytes(dat);
    auto a = install_list::ParseCopyOptions(lines[1]);
    EXPECT_EQ(lines[1][1], "a.dl_");
    EXPECT_EQ(a.gauge, 10);
    EXPECT_TRUE(install_list::ParseCopyFlags(lines[1]).shared);
    ASSERT_TRUE(a.offset);
    EXPECT_EQ(install_list::CheckRecordName(std::span(dataBytes).subspan(static_cast<std::size_t>(*a.offset)),
                                            "a.dl_"),
              install_list::RecordCheck::kOk);
    std::vector<std::uint8_t> expanded;
    std::span<const std::uint8_t> image(dataBytes.data() + *a.offset + 6, static_cast<std::size_t>(a.length));
    ASSERT_EQ(platform::ExpandSzdd(image, expanded), platform::SzddResult::kOk);
    EXPECT_EQ(std::string(expanded.begin(), expanded.end()), "host payload");
    EXPECT_EQ(image[9], 'l');  // the replaced last character
    auto b = install_list::ParseCopyOptions(lines[2]);
    EXPECT_EQ(lines[2][1], "b.txt");
    EXPECT_EQ(b.longName, "LongerName.txt");
    EXPECT_EQ(dat.substr(static_cast<std::size_t>(*b.offset) + 6, static_cast<std::size_t>(b.length)),
              "plain");

    // Building again gives the same media (INI sections are not appended twice).
    ASSERT_TRUE(
        mkmedia::BuildMedia("ini INSTOVRA.INI INSTALL CODE=1\n", dir.path(), dir.path() + "/out", error));
    EXPECT_EQ(ReadHostFile(out + "INSTOVRA.INI"), "[INSTALL]\r\nCODE=1\r\n");
}

TEST(Manifest, ErrorsNameTheLine) {
    TempDir dir;
    struct Case {
        const char* manifest;
        const char* error;
    } cases[] = {
        {"bogus x", "line 1: unknown directive bogus"},
        {"\nset A\n  file bin a.dll\nend", "line 3: file needs SUBDIR NAME SOURCE"},
        {"set A\n  file bin a.dll size=1", "has no end"},
        {"text ../escape \"x\"", "inside the output directory"},
        {"set A\n  file bin a.dll nosource=1\nend", "has no source"},
        {"set A\n  md \"with blank\"\nend", "cannot hold blanks"},
        {"pe x.exe 1.x", "not a version"},
        {"set A lang=German\nend", "unknown language folder"},
        {"text a.txt <<END\nno end", "no line END"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(mkmedia::BuildMedia(c.manifest, dir.path(), dir.path() + "/out", error)) << c.manifest;
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
}

}  // namespace
