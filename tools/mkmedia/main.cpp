// mkmedia [--programs DIR] MANIFEST OUTDIR: builds a distribution media directory from a manifest (see
// manifest.h); DIR holds the compiled sample programs.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "mkmedia/manifest.h"

int main(int argc, char** argv) {
    std::string programs;
    if (argc == 5 && std::string(argv[1]) == "--programs") {
        programs = argv[2];
        argv += 2;
        argc -= 2;
    }
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkmedia [--programs DIR] MANIFEST OUTDIR\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "mkmedia: cannot read %s\n", argv[1]);
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    std::string error;
    std::string dir = std::filesystem::path(argv[1]).parent_path().string();
    if (!mkmedia::BuildMedia(text.str(), dir.empty() ? "." : dir, argv[2], error, programs)) {
        std::fprintf(stderr, "mkmedia: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return 0;
}
