#include "platform/machine/version_block.h"

#include <cstring>

namespace platform {
namespace {

constexpr std::size_t kHeader = 6;
constexpr DWORD kFixedSignature = 0xFEEF04BD;

std::size_t Align4(std::size_t v) {
    return (v + 3) & ~static_cast<std::size_t>(3);
}

struct Node {
    std::size_t offset = 0, end = 0;  // [offset, end) within the block
    std::size_t keyOffset = 0, keyChars = 0;
    std::size_t valueOffset = 0, valueBytes = 0;
    WORD valueLength = 0, type = 0;
    std::size_t children = 0;
};

WORD U16(std::span<const std::uint8_t> b, std::size_t off) {
    return static_cast<WORD>(b[off] | b[off + 1] << 8);
}

std::optional<Node> ReadNode(std::span<const std::uint8_t> b, std::size_t offset, std::size_t limit) {
    if (offset > limit || limit - offset < kHeader) return std::nullopt;
    std::size_t length = U16(b, offset);
    if (length < kHeader || length > limit - offset) return std::nullopt;
    Node n;
    n.offset = offset;
    n.end = offset + length;
    n.valueLength = U16(b, offset + 2);
    n.type = U16(b, offset + 4);
    n.keyOffset = offset + kHeader;
    std::size_t p = n.keyOffset;
    while (p + 2 <= n.end && U16(b, p) != 0)
        p += 2;
    if (p + 2 > n.end) return std::nullopt;  // key not terminated inside the node
    n.keyChars = (p - n.keyOffset) / 2;
    n.valueOffset = std::min(Align4(p + 2), n.end);
    n.valueBytes =
        std::min<std::size_t>(n.type == 1 ? n.valueLength * 2u : n.valueLength, n.end - n.valueOffset);
    n.children = std::min(Align4(n.valueOffset + n.valueBytes), n.end);
    return n;
}

char FoldAscii(unsigned c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

bool KeyIs(std::span<const std::uint8_t> b, const Node& n, std::string_view name) {
    if (n.keyChars != name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        unsigned c = U16(b, n.keyOffset + 2 * i);
        if (c > 0xFF || FoldAscii(c) != FoldAscii(static_cast<unsigned char>(name[i]))) return false;
    }
    return true;
}

std::optional<Node> FindChild(std::span<const std::uint8_t> b, const Node& parent, std::string_view name) {
    std::size_t c = parent.children;
    while (c < parent.end) {
        auto child = ReadNode(b, c, parent.end);
        if (!child) return std::nullopt;
        if (KeyIs(b, *child, name)) return child;
        c = Align4(child->end);
    }
    return std::nullopt;
}

}  // namespace

std::optional<VersionValue> FindVersionValue(std::span<const std::uint8_t> block, std::string_view subBlock) {
    auto node = ReadNode(block, 0, block.size());
    if (!node) return std::nullopt;
    while (!subBlock.empty()) {
        std::size_t sep = subBlock.find('\\');
        std::string_view part = subBlock.substr(0, sep);
        subBlock = sep == std::string_view::npos ? std::string_view() : subBlock.substr(sep + 1);
        if (part.empty()) continue;
        node = FindChild(block, *node, part);
        if (!node) return std::nullopt;
    }
    VersionValue v;
    v.offset = node->valueOffset;
    v.bytes = node->valueBytes;
    v.text = node->type == 1;
    v.length = static_cast<UINT>(v.text ? node->valueBytes / 2 : node->valueBytes);
    return v;
}

VersionFacts ReadVersionFacts(std::span<const std::uint8_t> block) {
    VersionFacts facts;
    if (auto root = FindVersionValue(block, "\\"); root && root->bytes >= sizeof(VS_FIXEDFILEINFO)) {
        std::memcpy(&facts.fixed, block.data() + root->offset, sizeof facts.fixed);
        facts.hasFixed = facts.fixed.dwSignature == kFixedSignature;
    }
    if (auto t = FindVersionValue(block, "\\VarFileInfo\\Translation"); t && t->bytes >= 4) {
        facts.hasTranslation = true;
        facts.language = U16(block, t->offset);
        facts.codePage = U16(block, t->offset + 2);
    }
    return facts;
}

DWORD CompareVersions(const VersionFacts* source, const VersionFacts* existing) {
    if (!existing || !existing->hasFixed) return 0;
    if (!source || !source->hasFixed) return VIF_MISMATCH | VIF_SRCOLD;
    DWORD bits = 0;
    const auto& s = source->fixed;
    const auto& d = existing->fixed;
    if (s.dwFileVersionMS < d.dwFileVersionMS ||
        (s.dwFileVersionMS == d.dwFileVersionMS && s.dwFileVersionLS < d.dwFileVersionLS))
        bits |= VIF_SRCOLD;
    if (s.dwFileType != d.dwFileType || s.dwFileSubtype != d.dwFileSubtype) bits |= VIF_DIFFTYPE;
    if (source->hasTranslation && existing->hasTranslation) {
        if (source->language != existing->language) bits |= VIF_DIFFLANG;
        if (source->codePage != existing->codePage) bits |= VIF_DIFFCODEPG;
    }
    return bits ? bits | VIF_MISMATCH : 0;
}

}  // namespace platform
