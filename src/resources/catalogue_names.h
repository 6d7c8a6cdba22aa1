// Internal to the catalogue: the name comparison its look-ups use.
#pragma once

namespace catalogue::detail {

// lstrcmpiA's equality for the ASCII names of the catalogue.
inline bool SameName(const char* a, const char* b) {
    for (;; ++a, ++b) {
        char x = (*a >= 'a' && *a <= 'z') ? static_cast<char>(*a - 32) : *a;
        char y = (*b >= 'a' && *b <= 'z') ? static_cast<char>(*b - 32) : *b;
        if (x != y) return false;
        if (!x) return true;
    }
}

}  // namespace catalogue::detail
