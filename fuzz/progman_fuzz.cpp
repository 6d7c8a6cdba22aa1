// Program Manager execute strings: the command reader, and names made file names.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "platform/machine/progman.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<platform::Progman::Command> commands;
    if (platform::Progman::Parse(text, commands)) {
        FUZZ_CHECK(!commands.empty());
        for (const auto& c : commands)
            FUZZ_CHECK(!c.name.empty());
    }
    std::string fileName = platform::Progman::FileName(text);
    FUZZ_CHECK(fileName.size() == text.size());
    FUZZ_CHECK(fileName.find_first_of("\\/:*?\"<>|") == std::string::npos);
    return 0;
}
