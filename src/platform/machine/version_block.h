// The VS_VERSIONINFO tree of a 32-bit version resource, as GetFileVersionInfoA copies it and
// VerQueryValueA walks it. Every node has the same shape:
//
//   WORD  wLength         bytes of the node, its value and its children
//   WORD  wValueLength    value length: in WCHARs for text (wType 1), in bytes for binary (wType 0)
//   WORD  wType
//   WCHAR szKey[]         NUL-terminated, then padding to a 4-byte boundary
//   value                 then padding to a 4-byte boundary
//   children              nodes, each starting on a 4-byte boundary
//
// The root "VS_VERSION_INFO" holds a VS_FIXEDFILEINFO (signature 0xFEEF04BD) and the children
// "StringFileInfo" (one table per "llllcccc" language and code page, of text values such as
// "FileVersion") and "VarFileInfo" (the binary "Translation": pairs of WORD language, WORD code page).
//
// Sub-block paths are "\"-separated keys matched without regard to case; empty components are
// skipped, so "\", "" and "StringFileInfo\..." without the leading backslash all work as they do on
// Windows. Every read is bounded by the block and by each node's own length.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/win_types.h"

namespace platform {

struct VersionValue {
    std::size_t offset = 0;  // of the value within the block
    std::size_t bytes = 0;   // bytes the value occupies
    UINT length = 0;         // as VerQueryValue reports it: characters for text, bytes otherwise
    bool text = false;
};

// The value of the node a sub-block path names, or nothing when no such node exists.
std::optional<VersionValue> FindVersionValue(std::span<const std::uint8_t> block, std::string_view subBlock);

// What a version comparison needs of a file.
struct VersionFacts {
    bool hasFixed = false;
    VS_FIXEDFILEINFO fixed{};
    bool hasTranslation = false;
    WORD language = 0;
    WORD codePage = 0;
};

VersionFacts ReadVersionFacts(std::span<const std::uint8_t> block);

// VerInstallFileA's verdict on installing `source` over an existing file with `existing` (either
// may be null for a file without a version resource): VIF_SRCOLD, VIF_DIFFLANG, VIF_DIFFCODEPG and
// VIF_DIFFTYPE, with VIF_MISMATCH whenever any of them is set; 0 when the source may replace it.
// An existing file without a version is always replaced; an unversioned source counts as older
// than a versioned one.
DWORD CompareVersions(const VersionFacts* source, const VersionFacts* existing);

}  // namespace platform
