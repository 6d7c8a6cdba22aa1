#ifdef OVRA_HAVE_GUI
#include "platform/gui/avi_test_data.h"

namespace testing_support {

namespace {

std::string Le32(std::uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
    return s;
}
std::string Le16(std::uint16_t v) {
    return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
std::string Chunk(const std::string& id, const std::string& body) {
    std::string out = id + Le32(static_cast<std::uint32_t>(body.size())) + body;
    if (body.size() & 1) out += '\0';
    return out;
}
std::string List(const std::string& type, const std::string& body) {
    return Chunk("LIST", type + body);
}

}  // namespace

std::string MakeAvi(int width, int height, const std::vector<std::uint8_t>& paletteRgb,
                    const std::vector<AviFrame>& frames, bool rleFormat, int microSecondsPerFrame) {
    std::string avih = Le32(static_cast<std::uint32_t>(microSecondsPerFrame)) + std::string(28, '\0') +
                       Le32(static_cast<std::uint32_t>(width)) + Le32(static_cast<std::uint32_t>(height)) +
                       std::string(16, '\0');
    std::string strh = "vids" + std::string(rleFormat ? "mrle" : "DIB ") + std::string(48, '\0');
    std::size_t colours = paletteRgb.size() / 3;
    std::string strf = Le32(40) + Le32(static_cast<std::uint32_t>(width)) +
                       Le32(static_cast<std::uint32_t>(height)) + Le16(1) + Le16(8) +
                       Le32(rleFormat ? 1 : 0) + Le32(0) + Le32(0) + Le32(0) +
                       Le32(static_cast<std::uint32_t>(colours)) + Le32(0);
    for (std::size_t i = 0; i < colours; ++i)
        strf +=
            std::string{static_cast<char>(paletteRgb[3 * i + 2]), static_cast<char>(paletteRgb[3 * i + 1]),
                        static_cast<char>(paletteRgb[3 * i]), '\0'};
    std::string hdrl = Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf));
    std::string movi;
    for (const auto& f : frames)
        movi += Chunk(f.rle ? "00dc" : "00db", f.data);
    std::string body = "AVI " + List("hdrl", hdrl) + List("movi", movi);
    return "RIFF" + Le32(static_cast<std::uint32_t>(body.size())) + body;
}

}  // namespace testing_support
#endif  // OVRA_HAVE_GUI
