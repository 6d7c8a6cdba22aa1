#include "support/line_align.h"

#include <algorithm>
#include <cstdint>

namespace testing_support {

std::vector<LineDifference> AlignLines(const std::vector<std::string>& expected,
                                       const std::vector<std::string>& actual) {
    const std::size_t n = expected.size(), m = actual.size();
    // common[i][j]: length of the longest common subsequence of expected[i..] and actual[j..].
    std::vector<std::uint32_t> common((n + 1) * (m + 1), 0);
    auto at = [m](std::size_t i, std::size_t j) { return i * (m + 1) + j; };
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            common[at(i, j)] = expected[i] == actual[j]
                                   ? common[at(i + 1, j + 1)] + 1
                                   : std::max(common[at(i + 1, j)], common[at(i, j + 1)]);

    std::vector<LineDifference> out;
    std::vector<std::size_t> gapExpected, gapActual;
    auto flush = [&](std::size_t followsLine) {
        const std::size_t paired = std::min(gapExpected.size(), gapActual.size());
        for (std::size_t k = 0; k < paired; ++k)
            out.push_back({gapExpected[k] + 1, false, expected[gapExpected[k]], actual[gapActual[k]]});
        for (std::size_t k = paired; k < gapExpected.size(); ++k)
            out.push_back({gapExpected[k] + 1, false, expected[gapExpected[k]], "<missing>"});
        // Lines only we have come after the last expected line before the next match.
        for (std::size_t k = paired; k < gapActual.size(); ++k)
            out.push_back({followsLine, true, "<missing>", actual[gapActual[k]]});
        gapExpected.clear();
        gapActual.clear();
    };
    std::size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && expected[i] == actual[j]) {
            flush(i);
            ++i;
            ++j;
        } else if (j == m || (i < n && common[at(i + 1, j)] >= common[at(i, j + 1)])) {
            gapExpected.push_back(i++);
        } else {
            gapActual.push_back(j++);
        }
    }
    flush(n);
    return out;
}

}  // namespace testing_support
