#include "engine/install_list.h"

#include <climits>
#include <cstdio>

namespace install_list {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool OnlyDots(std::string_view s) {
    return !s.empty() && s.find_first_not_of('.') == std::string_view::npos;
}

constexpr const char* kRestoration[] = {
    ".DLL", ".EXE", ".LIB", ".OBJ", ".LST", ".A51", ".INC", ".PDF", ".DCL", ".MAC",
    ".BAT", ".AXA", ".HLP", ".INC", ".UTL", ".CNT", ".WMC", ".AOF", ".251", ".MAP",
    ".XRF", ".PRJ", ".GID", ".MXA", ".M25", ".ST6", ".MS6", ".H51", ".BMP",
};
static_assert(std::size(kRestoration) == 29);

}  // namespace

Line Tokenize(std::string_view read) {
    Line line;
    read = read.substr(0, read.find('\0'));
    read = read.substr(0, read.find(';'));
    std::size_t pos = 0;
    while (line.count < kMaxTokens) {
        while (pos < read.size() && IsBlank(read[pos]))
            ++pos;
        if (pos >= read.size()) break;
        std::size_t end = pos;
        while (end < read.size() && !IsBlank(read[end]) && end - pos < kMaxTokenChars)
            ++end;
        line.tokens[static_cast<std::size_t>(line.count++)] = std::string(read.substr(pos, end - pos));
        pos = end;
    }
    return line;
}

std::vector<std::string> SplitReads(std::string_view text) {
    std::vector<std::string> reads;
    const std::size_t limit = kReadBufferSize - 1;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && end - pos < limit) {
            if (text[end++] == '\n') break;
        }
        reads.emplace_back(text.substr(pos, end - pos));
        pos = end;
    }
    return reads;
}

std::vector<Line> ParseInstallList(std::string_view text) {
    std::vector<Line> lines;
    for (const auto& read : SplitReads(text)) {
        Line line = Tokenize(read);
        if (line.count > 0) lines.push_back(std::move(line));
    }
    return lines;
}

Keyword ClassifyKeyword(std::string_view token) {
    if (EqualNoCase(token, "md")) return Keyword::kMd;
    if (EqualNoCase(token, "regentrywithpath")) return Keyword::kRegEntryWithPath;
    if (EqualNoCase(token, "regentry")) return Keyword::kRegEntry;
    if (EqualNoCase(token, "copy")) return Keyword::kCopy;
    return Keyword::kNone;
}

long ReadNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    return static_cast<long>(value);
}

CopyOptions ParseCopyOptions(const Line& line) {
    CopyOptions options;
    for (int i = 3; i < kMaxTokens; ++i) {
        const std::string& t = line[i];
        if (t.empty()) break;
        char first = t[0];
        if (first >= '0' && first <= '9') {
            options.gauge = static_cast<int>(ReadNumber(t));
        } else if (first == 'L') {
            options.length = ReadNumber(std::string_view(t).substr(1));
        } else if (first == 'P') {
            options.offset = ReadNumber(std::string_view(t).substr(1));
        } else if (first == 'N') {
            std::string_view name = std::string_view(t).substr(1);
            if (!name.empty() && name.front() == '"') name.remove_prefix(1);
            if (!name.empty() && name.back() == '"') name.remove_suffix(1);
            options.longName = std::string(name);
        } else if (first == 'C' && t.size() == 9) {
            std::uint32_t value = 0;
            bool hex = true;
            for (char c : std::string_view(t).substr(1)) {
                int digit = c >= '0' && c <= '9'   ? c - '0'
                            : c >= 'A' && c <= 'F' ? c - 'A' + 10
                            : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                   : -1;
                if (digit < 0) hex = false;
                value = value << 4 | static_cast<std::uint32_t>(digit & 0xF);
            }
            if (hex) options.checksum = value;
        }
    }
    return options;
}

CopyFlags ParseCopyFlags(const Line& line) {
    CopyFlags flags;
    for (int i = 2; i < kMaxTokens; ++i) {
        const std::string& t = line[i];
        if (t.empty()) break;
        if (EqualNoCase(t, "VERSION")) flags.version = true;
        if (EqualNoCase(t, "SHARED")) flags.shared = true;
        if (EqualNoCase(t, "V16ONLY")) flags.v16Only = true;
        if (EqualNoCase(t, "V32ONLY")) flags.v32Only = true;
    }
    return flags;
}

RecordCheck CheckRecordName(std::span<const std::uint8_t> bytes, std::string_view storedName) {
    const std::size_t header = RecordHeaderSize(storedName);
    if (bytes.size() < header) return RecordCheck::kShort;
    if (bytes[header - 1] != 0) return RecordCheck::kNoTerminator;
    std::string_view name(reinterpret_cast<const char*>(bytes.data()), header - 1);
    // A NUL inside the name ends it early, as the string comparison of the engine would see it.
    name = name.substr(0, name.find('\0'));
    return EqualNoCase(name, storedName) ? RecordCheck::kOk : RecordCheck::kNameMismatch;
}

std::span<const char* const> RestorationTable() {
    return kRestoration;
}

std::string RestoreExtension(std::string_view extension) {
    if (extension.empty() || extension.back() != '_') return std::string(extension);
    for (const char* entry : kRestoration) {
        std::string candidate = std::string(entry, 3) + "_";
        if (EqualNoCase(candidate, extension)) return entry;
    }
    return std::string(extension);
}

PathParts SplitPath(std::string_view path) {
    PathParts parts;
    if (path.size() >= 2 && path[1] == ':') {
        parts.drive = std::string(path.substr(0, 2));
        path.remove_prefix(2);
    }
    std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string_view::npos) {
        parts.dir = std::string(path.substr(0, slash + 1));
        path.remove_prefix(slash + 1);
    }
    std::size_t dot = path.rfind('.');
    if (dot != std::string_view::npos) {
        parts.ext = std::string(path.substr(dot));
        path = path.substr(0, dot);
    }
    parts.name = std::string(path);
    return parts;
}

bool IsPlainFileName(std::string_view name) {
    if (name.empty() || OnlyDots(name)) return false;
    for (char c : name)
        if (IsSeparator(c) || c == ':') return false;
    return true;
}

bool IsContainedSubdirectory(std::string_view subdir) {
    if (subdir.empty()) return true;
    if (IsSeparator(subdir.front()) || subdir.find(':') != std::string_view::npos) return false;
    std::size_t pos = 0;
    while (pos <= subdir.size()) {
        std::size_t end = pos;
        while (end < subdir.size() && !IsSeparator(subdir[end]))
            ++end;
        std::string_view component = subdir.substr(pos, end - pos);
        // Windows drops trailing dots and blanks of a component: "..." and ".. " walk up as ".." does.
        while (!component.empty() && component.back() == ' ')
            component.remove_suffix(1);
        if (component.size() >= 2 && OnlyDots(component)) return false;
        pos = end + 1;
    }
    return true;
}

std::string FormatCopyLine(const CopyLineSpec& entry) {
    std::string line =
        "copy " + entry.storedName + " " + (entry.subdir.empty() ? std::string(".") : entry.subdir);
    if (entry.gauge) line += " " + std::to_string(*entry.gauge);
    line += " L" + std::to_string(entry.length);
    line += " P" + std::to_string(entry.offset);
    if (entry.longName) line += " N\"" + *entry.longName + "\"";
    for (const auto& flag : entry.flags)
        line += " " + flag;
    if (entry.checksum && Tokenize(line).count < kMaxTokens) {
        char token[16];
        std::snprintf(token, sizeof token, " C%08X", static_cast<unsigned>(*entry.checksum));
        line += token;
    }
    return line;
}

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
    crc = ~crc;
    for (std::uint8_t b : bytes) {
        crc ^= b;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

long AppendRecord(std::vector<std::uint8_t>& data, std::string_view storedName,
                  std::span<const std::uint8_t> image) {
    long offset = static_cast<long>(data.size());
    data.insert(data.end(), storedName.begin(), storedName.end());
    data.push_back(0);
    data.insert(data.end(), image.begin(), image.end());
    return offset;
}

std::string CompressedStoredName(std::string_view name) {
    std::size_t slash = name.find_last_of("\\/");
    std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return std::string(name) + "._";
    std::size_t extChars = name.size() - dot - 1;
    if (extChars < 3) return std::string(name) + "_";
    return std::string(name.substr(0, name.size() - 1)) + "_";
}

}  // namespace install_list
