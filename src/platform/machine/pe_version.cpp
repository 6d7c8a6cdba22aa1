#include "platform/machine/pe_version.h"

#include <vector>

namespace platform {
namespace {

constexpr std::uint32_t kRtVersion = 16;
constexpr std::uint32_t kSubdirectory = 0x80000000u;
constexpr int kMaxEntries = 4096;  // a directory never holds more; bounds a damaged count

class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> d) : d_(d) {}
    bool Has(std::size_t off, std::size_t n) const { return off <= d_.size() && n <= d_.size() - off; }
    std::uint16_t U16(std::size_t off) const {
        return static_cast<std::uint16_t>(d_[off] | d_[off + 1] << 8);
    }
    std::uint32_t U32(std::size_t off) const {
        return static_cast<std::uint32_t>(U16(off)) | static_cast<std::uint32_t>(U16(off + 2)) << 16;
    }

  private:
    std::span<const std::uint8_t> d_;
};

struct Section {
    std::uint32_t va, size, raw, rawSize;
};

std::optional<std::size_t> RvaToOffset(const std::vector<Section>& sections, std::uint32_t rva) {
    for (const auto& s : sections) {
        std::uint32_t extent = s.size > s.rawSize ? s.size : s.rawSize;
        if (rva >= s.va && rva - s.va < extent) {
            std::uint32_t delta = rva - s.va;
            if (delta >= s.rawSize) return std::nullopt;  // in the zero-filled tail: not in the file
            return static_cast<std::size_t>(s.raw) + delta;
        }
    }
    return std::nullopt;
}

// The entry of directory `dir` (offset in the file) matching `id`, or its first entry when id is 0.
std::optional<std::uint32_t> FindEntry(const Reader& r, std::size_t dir, std::uint32_t id, bool first) {
    if (!r.Has(dir, 16)) return std::nullopt;
    int named = r.U16(dir + 12), ids = r.U16(dir + 14);
    int count = named + ids;
    if (count > kMaxEntries) return std::nullopt;
    for (int i = 0; i < count; ++i) {
        std::size_t e = dir + 16 + static_cast<std::size_t>(i) * 8;
        if (!r.Has(e, 8)) return std::nullopt;
        std::uint32_t name = r.U32(e);
        if (first || (!(name & kSubdirectory) && name == id)) return r.U32(e + 4);
    }
    return std::nullopt;
}

}  // namespace

std::optional<ResourceSpan> FindVersionResource(std::span<const std::uint8_t> image) {
    Reader r(image);
    if (!r.Has(0, 0x40) || image[0] != 'M' || image[1] != 'Z') return std::nullopt;
    std::size_t pe = r.U32(0x3C);
    if (!r.Has(pe, 24) || image[pe] != 'P' || image[pe + 1] != 'E' || image[pe + 2] || image[pe + 3])
        return std::nullopt;
    int sectionCount = r.U16(pe + 6);
    std::size_t optSize = r.U16(pe + 20);
    std::size_t opt = pe + 24;
    if (!r.Has(opt, 2)) return std::nullopt;
    std::uint16_t magic = r.U16(opt);
    std::size_t dirs;
    if (magic == 0x10B)
        dirs = opt + 96;
    else if (magic == 0x20B)
        dirs = opt + 112;
    else
        return std::nullopt;
    if (dirs - opt + 3 * 8 > optSize || !r.Has(dirs, 3 * 8) || r.U32(dirs - 4) < 3) return std::nullopt;
    std::uint32_t resRva = r.U32(dirs + 2 * 8);
    if (!resRva || !r.U32(dirs + 2 * 8 + 4)) return std::nullopt;

    std::vector<Section> sections;
    std::size_t table = opt + optSize;
    for (int i = 0; i < sectionCount; ++i) {
        std::size_t s = table + static_cast<std::size_t>(i) * 40;
        if (!r.Has(s, 40)) return std::nullopt;
        sections.push_back({r.U32(s + 12), r.U32(s + 8), r.U32(s + 20), r.U32(s + 16)});
    }
    auto base = RvaToOffset(sections, resRva);
    if (!base) return std::nullopt;

    // type -> name -> language, each a subdirectory but the last
    std::size_t dir = *base;
    for (int level = 0; level < 2; ++level) {
        auto entry = FindEntry(r, dir, kRtVersion, level != 0);
        if (!entry || !(*entry & kSubdirectory)) return std::nullopt;
        dir = *base + (*entry & ~kSubdirectory);
    }
    auto leaf = FindEntry(r, dir, 0, true);
    if (!leaf || (*leaf & kSubdirectory)) return std::nullopt;
    std::size_t data = *base + *leaf;
    if (!r.Has(data, 16)) return std::nullopt;
    auto offset = RvaToOffset(sections, r.U32(data));
    std::uint32_t size = r.U32(data + 4);
    if (!offset || !r.Has(*offset, size) || size == 0) return std::nullopt;
    return ResourceSpan{*offset, size};
}

}  // namespace platform
