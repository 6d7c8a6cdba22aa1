// Data-file records (N.DAT): the record header check against a copy line's stored name. The first
// byte of the input chooses how much of the rest is the stored name; the remainder is the record.
#include <cstdint>
#include <span>
#include <string_view>

#include "engine/install_list.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::size_t nameLength = data[0] % 80;
    if (nameLength > size - 1) nameLength = size - 1;
    std::string_view name(reinterpret_cast<const char*>(data + 1), nameLength);
    std::span<const std::uint8_t> record(data + 1 + nameLength, size - 1 - nameLength);
    install_list::RecordCheck check = install_list::CheckRecordName(record, name);
    if (check == install_list::RecordCheck::kOk)
        FUZZ_CHECK(record.size() >= install_list::RecordHeaderSize(name));
    // A whole data file read as records at every offset the engine might be given.
    for (std::size_t offset = 0; offset < record.size() && offset < 64; ++offset)
        (void)install_list::CheckRecordName(record.subspan(offset), name);
    return 0;
}
