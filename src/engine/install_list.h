// Install lists (N.INS) and data files (N.DAT): the two files of a file set on the media. The engine
// reads them; the media builder (tools/mkmedia) writes them with the helpers at the end of this header.
//
// INSTALL LIST: text, read with 254-character reads (fgets into a 255-byte buffer after the C
// runtime's text-mode CR LF -> LF), so a longer line arrives as several lines. For each read:
//   - everything from the first ';' on is a comment;
//   - the rest splits at blanks (space, tab, CR, LF, VT, FF) into at most 10 tokens; a run of more than
//     79 non-blank characters is cut after 79 and the rest starts the next token (the format's 80-byte
//     token buffers are filled as scanf's "%79s" fills them); tokens after the tenth are dropped;
//   - a line without tokens is skipped; token 0 is the keyword, compared without regard to case with
//     "md", "regentrywithpath", "regentry" and "copy", in this order; any other keyword is ignored.
//
//   md DIR                          make I\DIR (I = installation directory), upper-cased, and log it
//   regentry KEY SECTION [VALUE]    KEY=VALUE into SECTION of OVRA.ini; no value deletes the key
//   regentrywithpath KEY SECTION P  the same with the value I\P
//   copy STORED SUBDIR OPT...       install the image of STORED from the data file into I\SUBDIR
//
// Options of a copy line: tokens 3..9, up to the first empty one, by their first character:
//   0-9     gauge position after this file (decimal, larger than 100 shows as 100)
//   L<n>    length of the image in the data file (default 0)
//   P<n>    offset of the file's record in the data file (required)
//   N"name" long name given to the file after installation (no blanks in it)
//   C<8 hex digits>  CRC-32 (the zlib one) of the file once expanded: written by our media builder
//           as the last token of a line; a reader without this option ignores the token, as every
//           reader ignores options of a letter it does not know, so such media still install
// Numbers read as atoi reads them: leading blanks, a sign, digits, the rest ignored.
// Flags: tokens 2..9 (the subdirectory too), up to the first empty one, compared without regard to
// case: VERSION (version-managed), SHARED (a shared file: no log line, ".dll" recorded), V16ONLY (not
// installed by this 32-bit program), V32ONLY (no effect).
//
// Stored names of compressed images end in '_' instead of the last character of the extension; the
// engine restores the extension from a fixed 29-entry table (RestoreExtension). The file is installed
// under the long name when one is given, else under the stored name (a '~' in it kept), each with the
// restored extension.
//
// DATA FILE: records addressed only by the P offsets; nothing else in the file is read. A record is
//   the stored name exactly as the copy line's token 1 (compared without regard to case), a NUL byte,
//   then L bytes of image (normally SZDD-compressed, see platform/machine/szdd.h).
//
// Everything here is a pure function over bytes, so fuzz drivers can call the readers directly.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace install_list {

inline constexpr int kReadBufferSize = 255;  // one fgets: at most 254 characters
inline constexpr int kMaxTokens = 10;
inline constexpr std::size_t kMaxTokenChars = 79;
inline constexpr std::size_t kDataChunk = 2048;  // the engine's one copy buffer

struct Line {
    std::array<std::string, kMaxTokens> tokens;  // missing tokens are empty
    int count = 0;
    const std::string& operator[](int i) const { return tokens[static_cast<std::size_t>(i)]; }
};

// One read of the list (what fgets left in the buffer, up to its first NUL) split into tokens.
Line Tokenize(std::string_view read);

// The reads fgets would return on `text` (already in text mode: LF line ends) with a 255-byte buffer.
std::vector<std::string> SplitReads(std::string_view text);
// A whole list as the engine sees it: every read tokenized, lines without tokens dropped.
std::vector<Line> ParseInstallList(std::string_view text);

enum class Keyword { kNone, kMd, kRegEntryWithPath, kRegEntry, kCopy };
Keyword ClassifyKeyword(std::string_view token);

// atoi: leading blanks, optional sign, decimal digits; saturates instead of overflowing.
long ReadNumber(std::string_view text);

struct CopyOptions {
    std::optional<int> gauge;  // as written (clamping to 100 is the progress window's)
    long length = 0;
    std::optional<long> offset;
    std::optional<std::string> longName;    // quotes removed
    std::optional<std::uint32_t> checksum;  // only from a well-formed C token
};
CopyOptions ParseCopyOptions(const Line& line);

struct CopyFlags {
    bool version = false;
    bool shared = false;
    bool v16Only = false;
    bool v32Only = false;
};
CopyFlags ParseCopyFlags(const Line& line);

// The record header at the start of `bytes` (which may be shorter than a record) against token 1.
enum class RecordCheck { kOk, kShort, kNoTerminator, kNameMismatch };
RecordCheck CheckRecordName(std::span<const std::uint8_t> bytes, std::string_view storedName);
// Bytes of the record header for `storedName`: the name and its NUL.
inline std::size_t RecordHeaderSize(std::string_view storedName) {
    return storedName.size() + 1;
}

// The 29 real extensions, in table order (".INC" twice; the first match wins).
std::span<const char* const> RestorationTable();
// ".EX_" -> ".EXE" (without regard to case); any other extension comes back as it is.
std::string RestoreExtension(std::string_view extension);

// _splitpath of a Windows path: drive ("X:"), directory (up to the last backslash or slash), name, and
// extension (from the last dot of the final component).
struct PathParts {
    std::string drive, dir, name, ext;
};
PathParts SplitPath(std::string_view path);

// True for a plain file name: no separator, no drive, not made of dots alone.
bool IsPlainFileName(std::string_view name);
// True for a relative directory below the installation directory: no drive, no leading separator, no
// component made of two or more dots.
bool IsContainedSubdirectory(std::string_view subdir);

// CRC-32 as zlib computes it (reflected, polynomial 0xEDB88320); `crc` continues an earlier run.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);

// --- Writers (the media builder) ---

struct CopyLineSpec {
    std::string storedName;
    std::string subdir;
    std::optional<int> gauge;
    long length = 0;
    long offset = 0;
    std::optional<std::string> longName;
    std::vector<std::string> flags;  // VERSION, SHARED, V16ONLY, V32ONLY
    std::optional<std::uint32_t> checksum;
};
// "copy STORED SUBDIR [gauge] L<n> P<n> [N"long"] [flags] [C<crc>]"; the subdirectory defaults to "."
// when empty so the options stay in their token positions. The checksum is left out when it would be
// an eleventh token (which the reader drops).
std::string FormatCopyLine(const CopyLineSpec& entry);
// Appends a record to a data file image and returns its offset.
long AppendRecord(std::vector<std::uint8_t>& data, std::string_view storedName,
                  std::span<const std::uint8_t> image);
// The stored name of a compressed image: the last character replaced by '_' (a name without an
// extension gets "._"). `~` is kept; the engine turns it into '_' and back.
std::string CompressedStoredName(std::string_view name);

}  // namespace install_list
