#include "support/line_align.h"

#include <gtest/gtest.h>

namespace testing_support {
namespace {

std::vector<std::string> Split(const std::string& letters) {
    std::vector<std::string> out;
    for (char c : letters)
        out.emplace_back(1, c);
    return out;
}

// Each difference as "LINE:want>got", an inserted one as "LINE+:>got", a missing one as "LINE:want>".
std::string Describe(const std::vector<LineDifference>& diffs) {
    std::string out;
    for (const auto& d : diffs) {
        if (!out.empty()) out += ' ';
        out += std::to_string(d.line) + (d.inserted ? "+" : "") + ":" +
               (d.want == "<missing>" ? "" : d.want) + ">" + (d.got == "<missing>" ? "" : d.got);
    }
    return out;
}

TEST(AlignLines, ReportsOnlyTheLinesThatDiffer) {
    struct Row {
        const char* expected;
        const char* actual;
        const char* differences;
    } rows[] = {
        {"abcde", "abcde", ""},
        {"abcde", "abXde", "3:c>X"},
        {"abcde", "abXcde", "2+:>X"},       // inserted after line 2: the rest still matches
        {"abcde", "Xabcde", "0+:>X"},       // before the first line
        {"abcde", "abcdeX", "5+:>X"},       // after the last line
        {"abcde", "abde", "3:c>"},          // missing
        {"abcde", "bcde", "1:a>"},          // the first line missing
        {"abcde", "abcd", "5:e>"},          // the last line missing
        {"abcde", "aXYde", "2:b>X 3:c>Y"},  // a changed run pairs line by line
        {"abcde", "aXYZe", "2:b>X 3:c>Y 4:d>Z"},
        {"abcde", "aXe", "2:b>X 3:c> 4:d>"},
        {"abe", "aXYZe", "2:b>X 2+:>Y 2+:>Z"},
        {"", "ab", "0+:>a 0+:>b"},
        {"ab", "", "1:a> 2:b>"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(Describe(AlignLines(Split(r.expected), Split(r.actual))), r.differences)
            << r.expected << " / " << r.actual;
}

}  // namespace
}  // namespace testing_support
