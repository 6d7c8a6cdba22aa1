// Test support: sets product tags by name in the setup record's flavour words.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>

#include "app/setup_record.h"
#include "resources/catalogue.h"

namespace testing_support {

inline std::uint32_t& FlavourWord(catalogue::Word word) {
    SetupRecord& s = ::Setup();
    switch (word) {
        case catalogue::Word::Product:
            return s.productWord;
        case catalogue::Word::W8051:
            return s.word8051;
        case catalogue::Word::Lpc:
            return s.lpcWord;
        case catalogue::Word::Xa:
            return s.xaWord;
        case catalogue::Word::St6:
            return s.st6Word;
        case catalogue::Word::St5:
            return s.st5Word;
        case catalogue::Word::AddOn:
            return s.addOnWord;
        case catalogue::Word::Patch:
            return s.patchWord;
        case catalogue::Word::Mx:
            return s.mxWord;
        case catalogue::Word::Xe:
            return s.xeWord;
        case catalogue::Word::W80251:
            return s.word80251;
    }
    throw std::logic_error("no such word");
}

// A family tag (true when its word is not 0) is set through a bit no member tag uses.
inline void SetTags(std::initializer_list<const char*> tags) {
    for (const char* tag : tags) {
        bool found = false;
        for (const auto& row : catalogue::TagTable()) {
            if (std::string(row.name) != tag) continue;
            FlavourWord(row.word) |= row.bit < 0 ? (1u << 30) : (1u << row.bit);
            found = true;
            break;
        }
        if (!found) throw std::logic_error(std::string("unknown tag ") + tag);
    }
}

}  // namespace testing_support
