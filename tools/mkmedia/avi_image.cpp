#include "mkmedia/avi_image.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace mkmedia {

namespace {

// Palette indices of the picture.
enum : std::uint8_t { kFace, kBlack, kWhite, kGrey, kYellow, kDarkYellow, kSilver, kBlue, kCyan, kColours };
constexpr std::uint8_t kPalette[kColours][3] = {{192, 192, 192}, {0, 0, 0},     {255, 255, 255},
                                                {128, 128, 128}, {255, 208, 0}, {160, 120, 0},
                                                {208, 208, 224}, {0, 0, 128},   {0, 192, 192}};
constexpr std::uint32_t kMicroSecondsPerFrame = 100000;

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

struct Canvas {
    std::vector<std::uint8_t> px = std::vector<std::uint8_t>(kAviWidth * kAviHeight, kFace);
    void Set(int x, int y, std::uint8_t c) {
        if (x >= 0 && y >= 0 && x < kAviWidth && y < kAviHeight) px[y * kAviWidth + x] = c;
    }
    void Fill(int x0, int y0, int w, int h, std::uint8_t c) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x)
                Set(x, y, c);
    }
    void Frame(int x0, int y0, int w, int h, std::uint8_t c) {
        Fill(x0, y0, w, 1, c);
        Fill(x0, y0 + h - 1, w, 1, c);
        Fill(x0, y0, 1, h, c);
        Fill(x0 + w - 1, y0, 1, h, c);
    }
};

// Frame `f` of `n`: the disc turns (its bright sector moves round), the sheet falls from the disc into
// the folder.
std::vector<std::uint8_t> DrawFrame(int f, int n) {
    Canvas c;
    const double pi = 3.14159265358979;
    const int cx = 53, cy = 32, r = 26;
    double sector = 2 * pi * f / n;
    for (int y = cy - r; y <= cy + r; ++y)
        for (int x = cx - r; x <= cx + r; ++x) {
            double dx = x - cx, dy = y - cy, d = std::sqrt(dx * dx + dy * dy);
            if (d > r) continue;
            double a = std::atan2(dy, dx) - sector;
            a = std::fmod(a + 4 * pi, 2 * pi);
            std::uint8_t colour = d > r - 1.2 ? kGrey
                                  : d < 5     ? kFace
                                  : d < 8     ? kWhite
                                  : a < 0.6   ? kCyan
                                              : kSilver;
            c.Set(x, y, colour);
        }
    // The folder: back, tab and front.
    c.Fill(20, 104, 66, 30, kDarkYellow);
    c.Fill(20, 100, 24, 5, kDarkYellow);
    // The sheet, drawn before the folder's front so that it sinks into it.
    int sheetY = 40 + (f * 76) / (n > 1 ? n - 1 : 1);
    int sheetX = 45 + static_cast<int>(std::lround(8 * std::sin(pi * f / (n > 1 ? n - 1 : 1))));
    c.Fill(sheetX, sheetY, 17, 22, kWhite);
    c.Frame(sheetX, sheetY, 17, 22, kBlack);
    for (int line = 0; line < 5; ++line)
        c.Fill(sheetX + 3, sheetY + 4 + line * 3, line == 4 ? 6 : 11, 1, kBlue);
    c.Fill(16, 112, 74, 26, kYellow);
    c.Frame(16, 112, 74, 26, kBlack);
    return c.px;
}

}  // namespace

std::vector<std::uint8_t> EncodeRle8(const std::vector<std::uint8_t>& indices, int width, int height) {
    std::vector<std::uint8_t> out;
    for (int y = height - 1; y >= 0; --y) {
        const std::uint8_t* row =
            indices.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
        for (int x = 0; x < width;) {
            int run = 1;
            while (x + run < width && run < 255 && row[x + run] == row[x])
                ++run;
            out.push_back(static_cast<std::uint8_t>(run));
            out.push_back(row[x]);
            x += run;
        }
        out.push_back(0);
        out.push_back(y == 0 ? 1 : 0);  // end of line, or end of bitmap after the top row
    }
    return out;
}

std::vector<std::uint8_t> MakeAviImage(int frames) {
    std::vector<std::vector<std::uint8_t>> data;
    std::uint32_t largest = 0;
    for (int f = 0; f < frames; ++f) {
        data.push_back(EncodeRle8(DrawFrame(f, frames), kAviWidth, kAviHeight));
        largest = std::max(largest, static_cast<std::uint32_t>(data.back().size()));
    }
    const auto w = static_cast<std::uint32_t>(kAviWidth), h = static_cast<std::uint32_t>(kAviHeight);
    Writer out;
    std::size_t riff = out.Open("RIFF", "AVI ");
    std::size_t hdrl = out.Open("LIST", "hdrl");
    std::size_t avih = out.Open("avih");
    for (std::uint32_t v : {kMicroSecondsPerFrame, largest * 10, 0u, 0x10u /* AVIF_HASINDEX */,
                            static_cast<std::uint32_t>(frames), 0u, 1u, largest, w, h, 0u, 0u, 0u, 0u})
        out.U32(v);
    out.Close(avih);
    std::size_t strl = out.Open("LIST", "strl");
    std::size_t strh = out.Open("strh");
    out.Tag("vids");
    out.Tag("MRLE");
    // flags, priority+language, initial frames, scale, rate, start, length, buffer, quality, sample
    for (std::uint32_t v :
         {0u, 0u, 0u, 1u, 10u, 0u, static_cast<std::uint32_t>(frames), largest, 0xFFFFFFFFu, 0u})
        out.U32(v);
    out.U16(0);
    out.U16(0);
    out.U16(w);
    out.U16(h);
    out.Close(strh);
    std::size_t strf = out.Open("strf");
    // BITMAPINFOHEADER: size, width, height, planes, bits, BI_RLE8, image size, resolution, colours.
    for (std::uint32_t v : {40u, w, h})
        out.U32(v);
    out.U16(1);
    out.U16(8);
    for (std::uint32_t v : {1u, w * h, 0u, 0u, static_cast<std::uint32_t>(kColours), 0u})
        out.U32(v);
    for (const auto& rgb : kPalette) {  // RGBQUAD: blue, green, red, reserved
        out.d.push_back(rgb[2]);
        out.d.push_back(rgb[1]);
        out.d.push_back(rgb[0]);
        out.d.push_back(0);
    }
    out.Close(strf);
    out.Close(strl);
    out.Close(hdrl);

    std::size_t movi = out.Open("LIST", "movi");
    std::vector<std::uint32_t> offsets;
    for (const auto& frame : data) {
        offsets.push_back(static_cast<std::uint32_t>(out.d.size() - (movi + 4)));
        std::size_t chunk = out.Open("00dc");
        out.d.insert(out.d.end(), frame.begin(), frame.end());
        out.Close(chunk);
    }
    out.Close(movi);
    std::size_t idx = out.Open("idx1");
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        out.Tag("00dc");
        out.U32(0x10);  // AVIIF_KEYFRAME
        out.U32(offsets[i]);
        out.U32(static_cast<std::uint32_t>(data[i].size()));
    }
    out.Close(idx);
    out.Close(riff);
    return out.d;
}

}  // namespace mkmedia
