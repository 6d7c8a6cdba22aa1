// Test support: sets product tags by name in the setup record's flavour words.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>

#include "app/setup_record.h"
#include "app/tags.h"
#include "resources/catalogue.h"

namespace testing_support {

// A family tag (true when its word is not 0) is set through a bit no member tag uses.
inline void SetTags(std::initializer_list<const char*> tags) {
    for (const char* tag : tags) {
        bool found = false;
        for (const auto& row : catalogue::TagTable()) {
            if (std::string(row.name) != tag) continue;
            FlavourWordOf(row.word) |= row.bit < 0 ? (1u << 30) : (1u << row.bit);
            found = true;
            break;
        }
        if (!found) throw std::logic_error(std::string("unknown tag ") + tag);
    }
}

}  // namespace testing_support
