// The tag test: every decision that depends on the product flavour asks it.
#pragma once

// True when the named tag (compared without regard to case) is set in the flavour words.
bool HasTag(const char* tag);
// The kit flavours that install the IDE itself: "OVRA", "OVRAST6", "OVRAPHILIPS" or "OVRAINFINEON".
bool IsOvraFamily();
