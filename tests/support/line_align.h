// Lines of two transcripts paired up so that one inserted or missing line does not make every line
// after it differ: the longest run of lines the two have in common, in order, is matched, and what is
// left between two matches is a difference.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace testing_support {

struct LineDifference {
    // The expected line (1-based) this difference concerns. A line only the actual transcript has is
    // reported after the expected line it follows (0 before the first) with `inserted` set.
    std::size_t line = 0;
    bool inserted = false;
    std::string want;  // "<missing>" when the expected transcript has no such line
    std::string got;   // "<missing>" when the actual transcript has no such line
};

// The differences between `expected` and `actual`. Between two matched lines, the lines left on both
// sides are paired in order (a changed line); what remains on one side is missing or inserted.
std::vector<LineDifference> AlignLines(const std::vector<std::string>& expected,
                                       const std::vector<std::string>& actual);

}  // namespace testing_support
