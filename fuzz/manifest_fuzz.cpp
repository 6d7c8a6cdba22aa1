// mkmedia manifests: the whole builder, into a scratch directory. Inputs asking for very large
// generated files are skipped: their cost is time and disk, not a fault of the reader.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "mkmedia/manifest.h"

namespace {

bool AsksForTooMuch(const std::string& text) {
    int digits = 0;
    for (char c : text) {
        digits = (c >= '0' && c <= '9') ? digits + 1 : 0;
        if (digits > 5) return true;
    }
    return false;
}

// Removed again when the driver exits normally.
struct ScratchDir {
    std::string path;
    ScratchDir() {
        path = (std::filesystem::temp_directory_path() / "ovra-fuzz-XXXXXX").string();
        if (!mkdtemp(path.data())) std::abort();
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchDir dir;
    const std::string& scratch = dir.path;
    std::string text(reinterpret_cast<const char*>(data), size);
    if (AsksForTooMuch(text)) return 0;
    std::error_code ec;
    std::filesystem::remove_all(scratch + "/out", ec);
    std::string error;
    // Host files named by the manifest are looked up in an empty directory.
    std::filesystem::create_directories(scratch + "/in", ec);
    mkmedia::BuildMedia(text, scratch + "/in", scratch + "/out", error);
    return 0;
}
