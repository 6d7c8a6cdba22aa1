// HF.csv, read as the engine reads it: through the file service of a scratch prefix.
#include <cstdint>
#include <fstream>
#include <list>
#include <string>

#include "config/derivatives.h"
#include "fuzz_check.h"
#include "support/temp_prefix.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static testing_support::TempPrefix prefix;
    static const std::string host = prefix.DriveC("HF.csv");
    {
        std::ofstream out(host, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::list<DerivativeRecord> records;
    ReadDerivativeFile("80C51", "C:\\HF.csv", records);
    for (const DerivativeRecord& r : records) {
        FUZZ_CHECK(!r.generic.empty());
        FUZZ_CHECK(r.name.find(' ') == std::string::npos);
    }
    return 0;
}
