// Install lists (N.INS): the reads, the tokens, the keyword and every option and flag of a copy line,
// and the path checks the engine applies to the names and subdirectories a list gives.
#include <cstdint>
#include <string_view>

#include "engine/install_list.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const std::string& read : install_list::SplitReads(text))
        FUZZ_CHECK(read.size() < install_list::kReadBufferSize);
    for (const install_list::Line& line : install_list::ParseInstallList(text)) {
        FUZZ_CHECK(line.count > 0 && line.count <= install_list::kMaxTokens);
        for (int i = 0; i < line.count; ++i)
            FUZZ_CHECK(!line[i].empty() && line[i].size() <= install_list::kMaxTokenChars);
        if (install_list::ClassifyKeyword(line[0]) != install_list::Keyword::kCopy) continue;
        install_list::CopyOptions options = install_list::ParseCopyOptions(line);
        (void)options;
        (void)install_list::ParseCopyFlags(line);
        install_list::PathParts parts = install_list::SplitPath(line[1]);
        (void)install_list::RestoreExtension(parts.ext);
        (void)install_list::IsPlainFileName(line[1]);
        (void)install_list::IsContainedSubdirectory(line[2]);
        (void)install_list::ReadNumber(line[3]);
    }
    return 0;
}
