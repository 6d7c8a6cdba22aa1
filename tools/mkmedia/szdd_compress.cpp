#include "mkmedia/szdd_compress.h"

#include <algorithm>

namespace mkmedia {

namespace {

constexpr int kWindow = 4096;
constexpr int kStart = kWindow - 16;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 18;
constexpr int kMaxChain = 128;
constexpr int kHashSize = 1 << 15;

}  // namespace

std::vector<std::uint8_t> CompressSzdd(std::span<const std::uint8_t> data, char missingChar) {
    std::vector<std::uint8_t> out = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A'};
    out.push_back(static_cast<std::uint8_t>(missingChar));
    std::uint32_t size = static_cast<std::uint32_t>(data.size());
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(size >> (8 * i)));

    // The text seen by the expander: the blank-filled ring, then the data. A reference reaches back at
    // most one ring length; a reference into the blanks is as good as one into data.
    std::vector<std::uint8_t> text(static_cast<std::size_t>(kWindow) + data.size(), 0x20);
    std::copy(data.begin(), data.end(), text.begin() + kWindow);
    const int total = static_cast<int>(text.size());

    std::vector<int> head(kHashSize, -1), prev(text.size(), -1);
    auto hash = [&](int p) {
        return ((text[static_cast<std::size_t>(p)] << 10) ^ (text[static_cast<std::size_t>(p) + 1] << 5) ^
                text[static_cast<std::size_t>(p) + 2]) &
               (kHashSize - 1);
    };
    auto insert = [&](int p) {
        if (p + 2 >= total) return;
        int h = hash(p);
        prev[static_cast<std::size_t>(p)] = head[static_cast<std::size_t>(h)];
        head[static_cast<std::size_t>(h)] = p;
    };
    // Only the last stretch of blanks can be referenced; seeding it keeps the chains short.
    for (int p = kWindow - kMaxMatch - 2; p < kWindow; ++p)
        insert(p);

    std::size_t flagAt = 0;
    int items = 8;
    int pos = kWindow;
    while (pos < total) {
        if (items == 8) {
            flagAt = out.size();
            out.push_back(0);
            items = 0;
        }
        int bestLength = 0, bestFrom = 0;
        if (pos + kMinMatch <= total) {
            int limit = std::min(kMaxMatch, total - pos);
            int chain = 0;
            for (int cand = head[static_cast<std::size_t>(hash(pos))]; cand >= 0 && chain < kMaxChain;
                 cand = prev[static_cast<std::size_t>(cand)], ++chain) {
                if (pos - cand > kWindow) break;
                int length = 0;
                while (length < limit && text[static_cast<std::size_t>(cand + length)] ==
                                             text[static_cast<std::size_t>(pos + length)])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestFrom = cand;
                    if (length == limit) break;
                }
            }
        }
        if (bestLength >= kMinMatch) {
            int ring = (kStart + (bestFrom - kWindow)) & (kWindow - 1);
            out.push_back(static_cast<std::uint8_t>(ring & 0xFF));
            out.push_back(static_cast<std::uint8_t>(((ring >> 4) & 0xF0) | (bestLength - kMinMatch)));
            for (int i = 0; i < bestLength; ++i)
                insert(pos + i);
            pos += bestLength;
        } else {
            out[flagAt] |= static_cast<std::uint8_t>(1 << items);
            out.push_back(text[static_cast<std::size_t>(pos)]);
            insert(pos);
            ++pos;
        }
        ++items;
    }
    return out;
}

}  // namespace mkmedia
