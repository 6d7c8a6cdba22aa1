// The host-free parts of the windowed front end: PNG encoding, the AVI reader, text conversion, dialog
// geometry and the page pictures.
#ifdef OVRA_HAVE_GUI
#include <gtest/gtest.h>
#include <zlib.h>

#include <set>

#include "platform/gui/avi_test_data.h"
#include "platform/ui/gui/avi_reader.h"
#include "platform/ui/gui/dialog_layout.h"
#include "platform/ui/gui/page_pictures.h"
#include "platform/ui/gui/png_writer.h"
#include "platform/ui/gui/text_convert.h"

namespace platform::gui {
namespace {

using testing_support::AviFrame;
using testing_support::MakeAvi;

std::uint32_t Be32(const std::string& s, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 2])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 3]));
}

TEST(PngWriter, ChunksCarryValidCrcsAndTheRowsDecompressWithFilterBytes) {
    std::vector<std::uint8_t> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30};  // 2 x 2
    std::string png = EncodePng(2, 2, rgb);
    ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::size_t at = 8;
    std::string idat;
    std::vector<std::string> types;
    while (at + 12 <= png.size()) {
        std::uint32_t len = Be32(png, at);
        std::string type = png.substr(at + 4, 4);
        std::string body = png.substr(at + 8, len);
        std::uint32_t crc = Be32(png, at + 8 + len);
        std::string covered = type + body;
        EXPECT_EQ(crc,
                  crc32(0, reinterpret_cast<const Bytef*>(covered.data()), static_cast<uInt>(covered.size())))
            << type;
        if (type == "IHDR") {
            EXPECT_EQ(Be32(body, 0), 2u);
            EXPECT_EQ(Be32(body, 4), 2u);
            EXPECT_EQ(body[8], 8);  // bit depth
            EXPECT_EQ(body[9], 2);  // truecolour
        }
        if (type == "IDAT") idat += body;
        types.push_back(type);
        at += 12 + len;
    }
    EXPECT_EQ(at, png.size());
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    std::vector<std::uint8_t> raw(2 * 7);
    uLongf rawSize = raw.size();
    ASSERT_EQ(uncompress(raw.data(), &rawSize, reinterpret_cast<const Bytef*>(idat.data()), idat.size()),
              Z_OK);
    EXPECT_EQ(rawSize, 14u);
    EXPECT_EQ(raw, (std::vector<std::uint8_t>{0, 255, 0, 0, 0, 255, 0, 0, 0, 0, 255, 10, 20, 30}));
}

TEST(PngWriter, RefusesAnImageWhosePixelsDoNotMatchItsSize) {
    EXPECT_TRUE(EncodePng(2, 2, std::vector<std::uint8_t>(11)).empty());
    EXPECT_TRUE(EncodePng(0, 2, {}).empty());
}

const std::vector<std::uint8_t> kPalette = {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255};

std::vector<std::uint8_t> Pixel(const AviMovie& m, std::size_t frame, int x, int y) {
    const auto& f = m.frames[frame];
    std::size_t at = (static_cast<std::size_t>(y) * m.width + x) * 3;
    return {f[at], f[at + 1], f[at + 2]};
}
const std::vector<std::uint8_t> kBlack = {0, 0, 0}, kRed = {255, 0, 0}, kGreen = {0, 255, 0},
                                kBlue = {0, 0, 255};

TEST(AviReader, UncompressedFramesAreBottomUpRowsPaddedToFourBytes) {
    // 3 x 2: stored bottom row first, each row padded to 4 bytes.
    std::string frame = std::string("\x01\x02\x03\x00", 4) + std::string("\x00\x01\x00\x00", 4);
    std::string avi = MakeAvi(3, 2, kPalette, {{false, frame}}, false, 66666);
    std::string error;
    auto movie = ReadAvi(avi, &error);
    ASSERT_TRUE(movie) << error;
    EXPECT_EQ(movie->width, 3);
    EXPECT_EQ(movie->height, 2);
    EXPECT_EQ(movie->microSecondsPerFrame, 66666);
    ASSERT_EQ(movie->frames.size(), 1u);
    EXPECT_EQ(Pixel(*movie, 0, 0, 0), kBlack);  // top row = second stored row
    EXPECT_EQ(Pixel(*movie, 0, 1, 0), kRed);
    EXPECT_EQ(Pixel(*movie, 0, 0, 1), kRed);  // bottom row = first stored row
    EXPECT_EQ(Pixel(*movie, 0, 1, 1), kGreen);
    EXPECT_EQ(Pixel(*movie, 0, 2, 1), kBlue);
}

TEST(AviReader, Rle8FramesDrawOverThePreviousFrame) {
    // Frame 1: both rows filled with runs. Frame 2: a delta skips to (2,1) and paints one absolute pixel.
    std::string first = std::string("\x04\x01\x00\x00\x04\x02\x00\x01", 8);
    std::string second = std::string("\x00\x02\x02\x01\x00\x03\x03\x03\x03\x00\x00\x01", 12);
    std::string avi = MakeAvi(4, 2, kPalette, {{true, first}, {true, second}}, true);
    std::string error;
    auto movie = ReadAvi(avi, &error);
    ASSERT_TRUE(movie) << error;
    ASSERT_EQ(movie->frames.size(), 2u);
    EXPECT_EQ(Pixel(*movie, 0, 0, 1), kRed);    // bottom row: index 1
    EXPECT_EQ(Pixel(*movie, 0, 3, 0), kGreen);  // top row: index 2
    // The delta moved 2 right and 1 up (to the top row), then three pixels of index 3 ran off the edge.
    EXPECT_EQ(Pixel(*movie, 1, 0, 1), kRed);
    EXPECT_EQ(Pixel(*movie, 1, 1, 0), kGreen);
    EXPECT_EQ(Pixel(*movie, 1, 2, 0), kBlue);
    EXPECT_EQ(Pixel(*movie, 1, 3, 0), kBlue);
}

TEST(AviReader, RefusesWhatTheControlCannotPlayWithoutCrashing) {
    std::string good = MakeAvi(2, 2, kPalette, {{false, std::string(8, '\1')}}, false);
    struct Case {
        const char* what;
        std::string bytes;
    };
    std::vector<Case> cases = {
        {"empty", ""},
        {"not RIFF", "RIFX" + good.substr(4)},
        {"no frames", MakeAvi(2, 2, kPalette, {}, false)},
        {"short frame", MakeAvi(2, 2, kPalette, {{false, std::string(3, '\1')}}, false)},
    };
    std::string wide = good;
    wide[wide.find("strf") + 8 + 14] = 24;  // biBitCount
    cases.push_back({"24-bit", wide});
    for (std::size_t cut = 1; cut < good.size(); cut += 7)
        cases.push_back({"truncated", good.substr(0, cut)});
    std::string huge = good;
    huge[huge.find("strf") + 8 + 4 + 2] = 0x7F;  // width in the millions
    cases.push_back({"huge", huge});
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(ReadAvi(c.bytes, &error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
}

TEST(TextConvert, Cp1252TextsRoundTripThroughUtf8) {
    EXPECT_EQ(AnsiToUtf8("Pr\xE9"
                         "c\xE9"
                         "dent"),
              "Pr\xC3\xA9"
              "c\xC3\xA9"
              "dent");
    EXPECT_EQ(AnsiToUtf8("\x80"), "\xE2\x82\xAC");  // the euro sign
    EXPECT_EQ(Utf8ToAnsi("Fran\xC3\xA7"
                         "ais \xE2\x82\xAC"),
              "Fran\xE7"
              "ais \x80");
    EXPECT_EQ(Utf8ToAnsi("\xE4\xB8\xAD"), "?");  // no 1252 byte for it
    EXPECT_EQ(Utf8ToAnsi("a\xC3"), "a?");        // cut short
    EXPECT_EQ(LabelText("mail@kit & co"), "mail@@kit & co");
    EXPECT_EQ(StripMnemonics("I &accept && go"), "I accept & go");
}

TEST(DialogLayout, DialogUnitsUseTheDialogFontAndPagesAreCentredWithTheirFrame) {
    EXPECT_EQ(DuToPixelsX(299), 449);  // 299 * 6 / 4 = 448.5, rounded
    EXPECT_EQ(DuToPixelsY(145), 236);  // 145 * 13 / 8 = 235.6
    EXPECT_EQ(DuToPixelsX(40), 60);
    EXPECT_EQ(DuToPixelsY(14), 23);
    Rect r = CentredClient(449, 236, 1024, 768);
    Rect outer = OuterOf(r);
    EXPECT_EQ(outer.w, 455);
    EXPECT_EQ(outer.h, 260);
    EXPECT_EQ(outer.x, (1024 - 455) / 2);
    EXPECT_EQ(outer.y, (768 - 260) / 2);
    EXPECT_EQ(TitleFontPixels(96), 66);
    EXPECT_EQ(TitleFontPixels(120), 83);
}

TEST(PagePictures, SizesFollowTheBitmapTableAndOnlyThe16ColoursAreUsed) {
    struct Row {
        int id, w, h;
    };
    for (Row row : {Row{1, 109, 137}, Row{2, 109, 137}, Row{3, 117, 156}, Row{5, 130, 160}, Row{6, 130, 160},
                    Row{7, 117, 149}, Row{8, 130, 160}, Row{12, 109, 137}}) {
        auto picture = RenderPagePicture(row.id);
        ASSERT_TRUE(picture) << row.id;
        EXPECT_EQ(picture->width, row.w) << row.id;
        EXPECT_EQ(picture->height, row.h) << row.id;
        ASSERT_EQ(picture->rgb.size(), static_cast<std::size_t>(row.w * row.h * 3));
        std::set<std::uint32_t> palette, used;
        for (const auto& c : kPalette16)
            palette.insert(static_cast<std::uint32_t>(c[0] << 16 | c[1] << 8 | c[2]));
        for (std::size_t i = 0; i < picture->rgb.size(); i += 3)
            used.insert(static_cast<std::uint32_t>(picture->rgb[i] << 16 | picture->rgb[i + 1] << 8 |
                                                   picture->rgb[i + 2]));
        for (auto c : used)
            EXPECT_TRUE(palette.count(c)) << row.id << " uses " << std::hex << c;
        EXPECT_GE(used.size(), 5u) << row.id;
    }
    for (int none : {0, 4, 10, 14, 15})
        EXPECT_FALSE(RenderPagePicture(none)) << none;
    EXPECT_NE(RenderPagePicture(1)->rgb, RenderPagePicture(2)->rgb);  // each page its own picture
}

}  // namespace
}  // namespace platform::gui
#endif  // OVRA_HAVE_GUI
