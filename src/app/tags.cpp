#include "app/tags.h"

#include <cstdint>

#include "app/setup_record.h"
#include "app/text.h"
#include "resources/catalogue.h"

std::uint32_t& FlavourWordOf(catalogue::Word word) {
    SetupRecord& s = Setup();
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
            break;
    }
    return s.word80251;
}

bool HasTag(const char* tag) {
    if (!tag) return false;
    for (const auto& row : catalogue::TagTable()) {
        if (lstrcmpiA(row.name, tag) != 0) continue;
        std::uint32_t word = FlavourWordOf(row.word);
        bool set = row.bit < 0 ? word != 0 : ((word >> row.bit) & 1u) != 0;
        if (set) return true;
    }
    return false;
}

bool IsOvraFamily() {
    return HasTag(catalogue::kOvra) || HasTag(catalogue::kOvraSt6) || HasTag(catalogue::kOvraPhilips) ||
           HasTag(catalogue::kOvraInfineon);
}
