// mkmanifest NAME OUTFILE: writes the manifest of one sample media (see flavour.h); mkmanifest --list
// prints the names.
#include <cstdio>
#include <fstream>

#include "mkmanifest/flavour.h"

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--list") {
        for (const auto& f : mkmanifest::SampleFlavours())
            std::printf("%s\n", f.name.c_str());
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkmanifest NAME OUTFILE | mkmanifest --list\n");
        return 2;
    }
    const mkmanifest::Flavour* f = mkmanifest::FindFlavour(argv[1]);
    if (!f) {
        std::fprintf(stderr, "mkmanifest: no sample media named %s\n", argv[1]);
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out << mkmanifest::ManifestText(*f);
    if (!out) {
        std::fprintf(stderr, "mkmanifest: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
