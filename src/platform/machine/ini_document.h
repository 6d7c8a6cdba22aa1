// An INI (profile) file held in memory as its lines, so that an edit changes only the lines it must and
// every other byte of the file (comments, blank lines, odd spacing, LF or CR LF, junk) survives.
//
// How the bytes are read (the rules of the profile calls, kept exactly because callers depend on them):
//  - A UTF-8 byte-order mark at the start is skipped (and kept on writing). Everything else is bytes,
//    one character each; a NUL inside a name or value ends it, as it ends a C string.
//  - Lines end at CR LF, LF or a lone CR. Blanks (TAB LF VT FF CR space, and ^Z, the DOS end-of-file
//    mark found on old CD-ROMs) are trimmed from both ends of a line; a line left empty is skipped.
//  - A line beginning with '[' and containing a ']' is a section header; the name is what lies between
//    the '[' and the last ']', trimmed. Anything after that ']' is ignored. A '[' line without ']' is an
//    ordinary line.
//  - Any other line is an entry of the current section: the name is the text before the first '='
//    (trimmed), the value the text after it (trimmed); a line without '=' is an entry with no value.
//    A comment (';' first) is an entry too: it is only left out when a section is listed. An entry with
//    an empty name directly after another entry with an empty name is ignored.
//  - Lines before the first header belong to a nameless section that exists whenever the file was not
//    empty. Duplicate sections and duplicate entries are kept; which one a lookup finds is said below.
//  - Names match without regard to case (Windows-1252 letters fold as Unicode ones do).
//
// How it is written: a changed entry becomes "name=value" in place (keeping the line's own ending), a
// new entry goes after the last non-blank line of its section, a new section at the end of the file;
// new lines end with CR LF. Removing an entry or a section removes its lines and nothing else.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class IniDocument {
  public:
    struct Entry {
        std::string name;
        std::optional<std::string> value;  // nullopt: a line without '='
        std::size_t line = 0;
    };
    struct Section {
        std::string name;
        bool headed = false;        // false for the nameless section before the first header
        std::size_t firstLine = 0;  // the header line, or 0 for the nameless section
        std::size_t endLine = 0;    // one past the section's last line
        std::vector<Entry> entries;
    };

    IniDocument() = default;
    static IniDocument Parse(std::string_view bytes);
    std::string Serialize() const;

    const std::vector<Section>& sections() const { return sections_; }

    // Lookups of the profile calls. `Find*` trims blanks from the names asked for; the first matching
    // section is the only one searched. `*Exact` compares the whole name, still without regard to case.
    const Section* FindSection(std::string_view name) const;
    const Entry* FindEntry(std::string_view section, std::string_view key) const;

    // Edits; each returns whether the document changed.
    // Sets key=value in the first section called `section` (created at the end when missing). Leading
    // blanks of the value are not part of it; an equal value (compared exactly) is no change.
    bool SetValue(std::string_view section, std::string_view key, std::string_view value);
    // Removes the first entry called `key` in the sections called exactly `section`.
    bool DeleteEntry(std::string_view section, std::string_view key);
    // Removes the first section called exactly `section`, with all its lines.
    bool DeleteSection(std::string_view section);
    // Empties every section called exactly `section`, then appends the "name=value" items that have an
    // '=' (others are dropped) to the first section of that name, created when missing.
    bool ReplaceSection(std::string_view section, const std::vector<std::string>& items);

    // True when a section without a name has no entries (the nameless leading part of a non-empty file
    // holding only blank lines, or an empty "[]" section).
    bool HasEmptyNamelessSection() const;

    // Blanks as the profile calls see them.
    static bool IsBlank(char c);
    static std::string_view Trim(std::string_view s);
    static bool EqualNames(std::string_view a, std::string_view b);

  private:
    struct Line {
        std::string text;  // without its ending
        std::string eol;   // "\r\n", "\n", "\r" or "" for a last line without ending
    };

    void Reindex();
    Section* FindSectionMutable(std::string_view trimmedName);
    void InsertLine(std::size_t at, std::string text);
    void RemoveLines(std::size_t begin, std::size_t end);
    std::size_t InsertionPoint(const Section& s) const;

    std::string bom_;
    bool hasNameless_ = false;
    std::vector<Line> lines_;
    std::vector<Section> sections_;
};

}  // namespace platform
