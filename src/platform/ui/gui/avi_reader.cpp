#include "platform/ui/gui/avi_reader.h"

#include <cstring>

namespace platform::gui {

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr int kMaxSide = 4096;

std::uint32_t Le32(const std::string& b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}
std::uint16_t Le16(const std::string& b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      static_cast<unsigned char>(b[at + 1]) << 8);
}

struct Format {
    int width = 0, height = 0;
    bool topDown = false;
    std::uint32_t compression = 0;
    std::uint8_t palette[256][3] = {};
};

class Reader {
  public:
    Reader(const std::string& bytes, std::string& error) : b_(bytes), error_(error) {}

    std::optional<AviMovie> Read() {
        if (b_.size() < 12 || b_.compare(0, 4, "RIFF") != 0 || b_.compare(8, 4, "AVI ") != 0)
            return Fail("not a RIFF AVI file");
        std::size_t end = std::min<std::size_t>(b_.size(), 8 + static_cast<std::size_t>(Le32(b_, 4)));
        if (!Walk(12, end)) return std::nullopt;
        if (!haveFormat_) return Fail("no video format (strf) found");
        if (movie_.frames.empty()) return Fail("no video frames found");
        return std::move(movie_);
    }

  private:
    std::optional<AviMovie> Fail(const std::string& why) {
        error_ = why;
        return std::nullopt;
    }

    bool Bad(const std::string& why) {
        error_ = why;
        return false;
    }

    bool Walk(std::size_t at, std::size_t end) {
        while (at + 8 <= end) {
            std::string id = b_.substr(at, 4);
            std::size_t size = Le32(b_, at + 4);
            std::size_t body = at + 8;
            if (size > end - body) return Bad("chunk " + id + " runs past its list");
            if (id == "LIST") {
                if (size < 4) return Bad("LIST chunk too short");
                if (!Walk(body + 4, body + size)) return false;
            } else if (!Chunk(id, body, size)) {
                return false;
            }
            at = body + size + (size & 1);
        }
        return true;
    }

    bool Chunk(const std::string& id, std::size_t at, std::size_t size) {
        if (id == "avih" && size >= 4) {
            movie_.microSecondsPerFrame = static_cast<int>(std::min<std::uint32_t>(Le32(b_, at), 10000000));
        } else if (id == "strh" && size >= 4) {
            inVideo_ = b_.compare(at, 4, "vids") == 0;
        } else if (id == "strf" && inVideo_ && !haveFormat_) {
            return ReadFormat(at, size);
        } else if (id.size() == 4 && (id.compare(2, 2, "db") == 0 || id.compare(2, 2, "dc") == 0) &&
                   haveFormat_) {
            return ReadFrame(at, size);
        }
        return true;
    }

    bool ReadFormat(std::size_t at, std::size_t size) {
        if (size < 40) return Bad("video format too short");
        std::uint32_t headerSize = Le32(b_, at);
        auto width = static_cast<std::int32_t>(Le32(b_, at + 4));
        auto height = static_cast<std::int32_t>(Le32(b_, at + 8));
        std::uint16_t bits = Le16(b_, at + 14);
        f_.compression = Le32(b_, at + 16);
        std::uint32_t used = Le32(b_, at + 32);
        if (bits != 8) return Bad("only 8-bit frames are played (found " + std::to_string(bits) + ")");
        if (f_.compression != kBiRgb && f_.compression != kBiRle8)
            return Bad("compression " + std::to_string(f_.compression) + " is not BI_RGB or BI_RLE8");
        if (height < 0 && f_.compression == kBiRle8) return Bad("top-down RLE8 frames");
        f_.topDown = height < 0;
        f_.width = width;
        f_.height = height < 0 ? -height : height;
        if (f_.width <= 0 || f_.height <= 0 || f_.width > kMaxSide || f_.height > kMaxSide)
            return Bad("frame size out of range");
        if (used == 0 || used > 256) used = 256;
        if (headerSize < 40 || headerSize > size) return Bad("bad format header size");
        std::size_t colours = std::min<std::size_t>(used, (size - headerSize) / 4);
        for (std::size_t i = 0; i < colours; ++i) {
            std::size_t p = at + headerSize + 4 * i;  // RGBQUAD: blue, green, red, reserved
            f_.palette[i][0] = static_cast<std::uint8_t>(b_[p + 2]);
            f_.palette[i][1] = static_cast<std::uint8_t>(b_[p + 1]);
            f_.palette[i][2] = static_cast<std::uint8_t>(b_[p]);
        }
        movie_.width = f_.width;
        movie_.height = f_.height;
        indices_.assign(static_cast<std::size_t>(f_.width) * static_cast<std::size_t>(f_.height), 0);
        haveFormat_ = true;
        return true;
    }

    bool ReadFrame(std::size_t at, std::size_t size) {
        if (size == 0) {  // a repeated frame
            if (!movie_.frames.empty()) movie_.frames.push_back(movie_.frames.back());
            return true;
        }
        bool ok = f_.compression == kBiRgb ? Uncompressed(at, size) : Rle8(at, size);
        if (!ok) return false;
        std::vector<std::uint8_t> rgb(indices_.size() * 3);
        for (std::size_t i = 0; i < indices_.size(); ++i)
            std::memcpy(&rgb[3 * i], f_.palette[indices_[i]], 3);
        movie_.frames.push_back(std::move(rgb));
        return true;
    }

    // Row y of the picture (0 = bottom row in DIB order) as an offset into the top-first index buffer.
    std::size_t RowStart(int dibRow) const {
        int top = f_.topDown ? dibRow : f_.height - 1 - dibRow;
        return static_cast<std::size_t>(top) * static_cast<std::size_t>(f_.width);
    }

    bool Uncompressed(std::size_t at, std::size_t size) {
        std::size_t stride = (static_cast<std::size_t>(f_.width) + 3) & ~std::size_t{3};
        if (size < stride * static_cast<std::size_t>(f_.height - 1) + static_cast<std::size_t>(f_.width))
            return Bad("uncompressed frame too short");
        for (int y = 0; y < f_.height; ++y)
            std::memcpy(&indices_[RowStart(y)], b_.data() + at + stride * static_cast<std::size_t>(y),
                        static_cast<std::size_t>(f_.width));
        return true;
    }

    bool Rle8(std::size_t at, std::size_t size) {
        std::size_t p = at, end = at + size;
        int x = 0, y = 0;
        auto put = [&](std::uint8_t index) {
            if (x < f_.width && y < f_.height) indices_[RowStart(y) + static_cast<std::size_t>(x)] = index;
            ++x;
        };
        while (p + 2 <= end) {
            auto count = static_cast<std::uint8_t>(b_[p]);
            auto value = static_cast<std::uint8_t>(b_[p + 1]);
            p += 2;
            if (count > 0) {
                for (int i = 0; i < count; ++i)
                    put(value);
            } else if (value == 0) {
                x = 0;
                ++y;
            } else if (value == 1) {
                return true;
            } else if (value == 2) {
                if (p + 2 > end) break;
                x += static_cast<std::uint8_t>(b_[p]);
                y += static_cast<std::uint8_t>(b_[p + 1]);
                p += 2;
            } else {
                if (p + value > end) break;
                for (int i = 0; i < value; ++i)
                    put(static_cast<std::uint8_t>(b_[p + static_cast<std::size_t>(i)]));
                p += value + (value & 1);
            }
            if (y >= f_.height) return true;
        }
        if (p < end) return Bad("RLE8 frame cut short");
        return true;  // a frame may end without the end-of-bitmap code
    }

    const std::string& b_;
    std::string& error_;
    AviMovie movie_;
    Format f_;
    bool inVideo_ = false;
    bool haveFormat_ = false;
    std::vector<std::uint8_t> indices_;  // the current frame's palette indices, top row first
};

}  // namespace

std::optional<AviMovie> ReadAvi(const std::string& bytes, std::string* error) {
    std::string ignored;
    return Reader(bytes, error ? *error : ignored).Read();
}

}  // namespace platform::gui
