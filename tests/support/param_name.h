// Readable names for the cases of parameterised tests: the test list shows what a case is about.
#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace testing_support {

// `text` as a test name part: letters and digits kept, every run of anything else one "_".
inline std::string ParamName(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            out += c;
        else if (!out.empty() && out.back() != '_')
            out += '_';
    }
    while (!out.empty() && out.back() == '_')
        out.pop_back();
    return out.empty() ? "Empty" : out;
}

}  // namespace testing_support
