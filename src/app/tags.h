// The tag test: every decision that depends on the product flavour asks it.
#pragma once

#include <cstdint>

#include "resources/catalogue.h"

// True when the named tag (compared without regard to case) is set in the flavour words.
bool HasTag(const char* tag);
// The kit flavours that install the IDE itself: "OVRA", "OVRAST6", "OVRAPHILIPS" or "OVRAINFINEON".
bool IsOvraFamily();

// The setup record's word that a tag row reads.
std::uint32_t& FlavourWordOf(catalogue::Word word);
