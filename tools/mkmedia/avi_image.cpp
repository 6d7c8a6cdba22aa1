#include "mkmedia/avi_image.h"

#include <string>

namespace mkmedia {

namespace {

constexpr int kSide = 16;
constexpr std::uint32_t kFrameBytes = kSide * kSide * 3;

struct Writer {
    std::vector<std::uint8_t> d;
    void U16(std::uint32_t v) {
        d.push_back(static_cast<std::uint8_t>(v));
        d.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Tag(const char* t) { d.insert(d.end(), t, t + 4); }
    // Starts a chunk ("RIFF"/"LIST" with a form type, or a plain chunk); returns where its size goes.
    std::size_t Open(const char* id, const char* form = nullptr) {
        Tag(id);
        std::size_t at = d.size();
        U32(0);
        if (form) Tag(form);
        return at;
    }
    void Close(std::size_t at) {
        std::uint32_t size = static_cast<std::uint32_t>(d.size() - at - 4);
        for (int i = 0; i < 4; ++i)
            d[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(size >> (8 * i));
        if (d.size() % 2) d.push_back(0);
    }
};

}  // namespace

std::vector<std::uint8_t> MakeAviImage(int frames) {
    Writer w;
    std::size_t riff = w.Open("RIFF", "AVI ");
    std::size_t hdrl = w.Open("LIST", "hdrl");
    std::size_t avih = w.Open("avih");
    for (std::uint32_t v :
         {100000u, kFrameBytes * 10, 0u, 0x10u /* AVIF_HASINDEX */, static_cast<std::uint32_t>(frames), 0u,
          1u, kFrameBytes, static_cast<std::uint32_t>(kSide), static_cast<std::uint32_t>(kSide), 0u, 0u, 0u,
          0u})
        w.U32(v);
    w.Close(avih);
    std::size_t strl = w.Open("LIST", "strl");
    std::size_t strh = w.Open("strh");
    w.Tag("vids");
    w.Tag("DIB ");
    for (std::uint32_t v :
         {0u, 0u, 0u, 1u, 10u, 0u, static_cast<std::uint32_t>(frames), kFrameBytes, 0xFFFFFFFFu, 0u})
        w.U32(v);  // flags, priority+language, initial frames, scale, rate, start, length, buffer, quality,
                   // sample
    w.U16(0);
    w.U16(0);
    w.U16(kSide);
    w.U16(kSide);
    w.Close(strh);
    std::size_t strf = w.Open("strf");
    for (std::uint32_t v : {40u, static_cast<std::uint32_t>(kSide), static_cast<std::uint32_t>(kSide)})
        w.U32(v);
    w.U16(1);
    w.U16(24);
    for (std::uint32_t v : {0u, kFrameBytes, 0u, 0u, 0u, 0u})
        w.U32(v);
    w.Close(strf);
    w.Close(strl);
    w.Close(hdrl);

    std::size_t movi = w.Open("LIST", "movi");
    std::vector<std::uint32_t> offsets;
    for (int f = 0; f < frames; ++f) {
        offsets.push_back(static_cast<std::uint32_t>(w.d.size() - (movi + 4)));
        std::size_t chunk = w.Open("00db");
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x) {
                bool lit = (x + f * 4) % kSide < 4;  // a bar moving across
                w.d.push_back(lit ? 0x20 : 0xC0);
                w.d.push_back(lit ? 0x60 : 0xC0);
                w.d.push_back(lit ? 0xE0 : 0xC0);
            }
        w.Close(chunk);
    }
    w.Close(movi);
    std::size_t idx = w.Open("idx1");
    for (auto offset : offsets) {
        w.Tag("00db");
        w.U32(0x10);  // AVIIF_KEYFRAME
        w.U32(offset);
        w.U32(kFrameBytes);
    }
    w.Close(idx);
    w.Close(riff);
    return w.d;
}

}  // namespace mkmedia
