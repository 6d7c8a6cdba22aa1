// mkmanifest: the sample media of the kit described as flavours, and the manifest text mkmedia builds
// each from. The file sets and the names inside them come from the catalogue, so an installed sample
// kit holds the very files that OVRA.ini and the registry point at.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace mkmanifest {

struct Flavour {
    std::string name;
    std::string title;  // the first comment line of the manifest
    // Flavour files with their CODE word ("INSTOVRA.INI", 0x11).
    std::vector<std::pair<std::string, std::uint32_t>> words;
    std::string addonVersion;  // INSTADON.INI ADDON, empty: none
    // PATCH.INI: the build number the patch fits and its set; patchWord 0: no patch.
    std::uint32_t patchWord = 0;
    std::string patchFits, patchSet = "Patch", patchDesc, patchDir;
    std::string buildNumber, buildDate;
    std::string toolVersion;  // VERSION of every build component the media carries
};

// The sample media: full, philips, infineon, st6, lpc, xe, mx, release, addon, patch, patch2.
const std::vector<Flavour>& SampleFlavours();
const Flavour* FindFlavour(const std::string& name);

// The manifest of `flavour` (see tools/mkmedia/manifest.h).
std::string ManifestText(const Flavour& flavour);

}  // namespace mkmanifest
