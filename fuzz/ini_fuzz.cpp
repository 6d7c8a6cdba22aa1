// INI files: parsing, lookups and edits. An unedited document must write back every byte it read, and
// an edited one must read back with the edit in place.
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/machine/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    platform::IniDocument doc = platform::IniDocument::Parse(bytes);
    FUZZ_CHECK(doc.Serialize() == bytes);
    (void)doc.HasEmptyNamelessSection();

    // Edits named after what the file holds, so they meet real sections and keys.
    std::string section = "Fuzz", key = "Key";
    if (!doc.sections().empty()) {
        const auto& s = doc.sections().back();
        if (s.headed && !s.name.empty()) section = s.name;
        if (!s.entries.empty() && !s.entries.front().name.empty()) key = s.entries.front().name;
    }
    (void)doc.FindSection(section);
    (void)doc.FindEntry(section, key);
    platform::IniDocument edited = doc;
    edited.SetValue(section, key, "value");
    edited.DeleteEntry(section, "Other");
    edited.ReplaceSection("Replaced", {"a=1", "junk", "b=2"});
    platform::IniDocument reread = platform::IniDocument::Parse(edited.Serialize());
    FUZZ_CHECK(reread.Serialize() == edited.Serialize());
    edited.DeleteSection(section);
    (void)edited.Serialize();
    return 0;
}
