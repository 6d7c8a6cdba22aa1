#include "platform/machine/ini_document.h"

namespace platform {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr const char* kNewLine = "\r\n";

// Case folding of Windows-1252 letters as their Unicode counterparts fold.
unsigned char Fold(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    switch (c) {
        case 0x8A:
            return 0x9A;
        case 0x8C:
            return 0x9C;
        case 0x8E:
            return 0x9E;
        case 0x9F:
            return 0xFF;
        default:
            return c;
    }
}

// A name ends at its first NUL, as a C string would.
std::string CString(std::string_view s) {
    std::size_t nul = s.find('\0');
    return std::string(nul == std::string_view::npos ? s : s.substr(0, nul));
}

std::string_view TrimLeft(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IniDocument::IsBlank(s[i]))
        ++i;
    return s.substr(i);
}

}  // namespace

bool IniDocument::IsBlank(char c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == ' ';
}

std::string_view IniDocument::Trim(std::string_view s) {
    s = TrimLeft(s);
    std::size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1]))
        --n;
    return s.substr(0, n);
}

bool IniDocument::EqualNames(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Fold(static_cast<unsigned char>(a[i])) != Fold(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

IniDocument IniDocument::Parse(std::string_view bytes) {
    IniDocument doc;
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        doc.bom_ = std::string(kUtf8Bom);
        bytes.remove_prefix(kUtf8Bom.size());
    }
    doc.hasNameless_ = !bytes.empty() || !doc.bom_.empty();
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        Line line;
        if (end == std::string_view::npos) {
            line.text = std::string(bytes.substr(pos));
            pos = bytes.size();
        } else {
            line.text = std::string(bytes.substr(pos, end - pos));
            std::size_t eolLen =
                (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1;
            line.eol = std::string(bytes.substr(end, eolLen));
            pos = end + eolLen;
        }
        doc.lines_.push_back(std::move(line));
    }
    doc.Reindex();
    return doc;
}

std::string IniDocument::Serialize() const {
    std::string out = bom_;
    for (const Line& line : lines_) {
        out += line.text;
        out += line.eol;
    }
    return out;
}

void IniDocument::Reindex() {
    sections_.clear();
    Section nameless;
    Section* current = nullptr;
    if (hasNameless_) {
        sections_.push_back(nameless);
        current = &sections_.back();
    }
    bool previousNameEmpty = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view text = Trim(lines_[i].text);
        if (text.empty()) continue;
        if (text.front() == '[') {
            std::size_t close = text.rfind(']');
            if (close != std::string_view::npos) {
                if (current) current->endLine = i;
                Section s;
                s.name = CString(Trim(text.substr(1, close - 1)));
                s.headed = true;
                s.firstLine = i;
                sections_.push_back(std::move(s));
                current = &sections_.back();
                previousNameEmpty = false;
                continue;
            }
        }
        Entry e;
        e.line = i;
        std::size_t eq = text.find('=');
        if (eq == std::string_view::npos) {
            e.name = CString(text);
        } else {
            e.name = CString(Trim(text.substr(0, eq)));
            e.value = CString(Trim(text.substr(eq + 1)));
        }
        bool nameEmpty = Trim(eq == std::string_view::npos ? text : text.substr(0, eq)).empty();
        if (nameEmpty && previousNameEmpty && current && !current->entries.empty()) continue;
        previousNameEmpty = nameEmpty;
        if (!current) {
            // Only a file that was empty when read can lack the nameless section; its entries were
            // added in front of the first header.
            hasNameless_ = true;
            sections_.insert(sections_.begin(), nameless);
            current = &sections_.front();
        }
        current->entries.push_back(std::move(e));
    }
    if (current) current->endLine = lines_.size();
    if (hasNameless_ && !sections_.empty()) {
        Section& first = sections_.front();
        if (!first.headed) first.endLine = sections_.size() > 1 ? sections_[1].firstLine : lines_.size();
    }
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    std::string wanted(Trim(CString(name)));
    for (const Section& s : sections_)
        if (EqualNames(s.name, wanted)) return &s;
    return nullptr;
}

IniDocument::Section* IniDocument::FindSectionMutable(std::string_view trimmedName) {
    for (Section& s : sections_)
        if (EqualNames(s.name, trimmedName)) return &s;
    return nullptr;
}

const IniDocument::Entry* IniDocument::FindEntry(std::string_view section, std::string_view key) const {
    const Section* s = FindSection(section);
    if (!s) return nullptr;
    std::string k = CString(key);
    std::string_view wanted = Trim(k);
    for (const Entry& e : s->entries)
        if (EqualNames(e.name, wanted)) return &e;
    return nullptr;
}

void IniDocument::InsertLine(std::size_t at, std::string text) {
    if (at > 0 && lines_[at - 1].eol.empty()) lines_[at - 1].eol = kNewLine;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), kNewLine});
}

void IniDocument::RemoveLines(std::size_t begin, std::size_t end) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(begin),
                 lines_.begin() + static_cast<std::ptrdiff_t>(end));
}

std::size_t IniDocument::InsertionPoint(const Section& s) const {
    std::size_t at = s.headed ? s.firstLine + 1 : 0;
    for (std::size_t i = s.firstLine; i < s.endLine; ++i)
        if (!Trim(lines_[i].text).empty()) at = i + 1;
    return at;
}

bool IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    std::string sectionName(Trim(CString(section)));
    std::string keyName(Trim(CString(key)));
    std::string newValue = CString(TrimLeft(value));
    std::string written(Trim(newValue));

    if (Section* s = FindSectionMutable(sectionName)) {
        for (const Entry& e : s->entries) {
            if (!EqualNames(e.name, keyName)) continue;
            if (e.value && *e.value == newValue) return false;
            lines_[e.line].text = e.name + "=" + written;
            Reindex();
            return true;
        }
        InsertLine(InsertionPoint(*s), keyName + "=" + written);
        Reindex();
        return true;
    }
    if (sectionName.empty()) {
        // A nameless section lives in front of the first header.
        hasNameless_ = true;
        InsertLine(0, keyName + "=" + written);
    } else {
        InsertLine(lines_.size(), "[" + sectionName + "]");
        InsertLine(lines_.size(), keyName + "=" + written);
    }
    Reindex();
    return true;
}

bool IniDocument::DeleteEntry(std::string_view section, std::string_view key) {
    std::string sectionName = CString(section);
    std::string keyName = CString(key);
    for (const Section& s : sections_) {
        if (!EqualNames(s.name, sectionName)) continue;
        for (const Entry& e : s.entries) {
            if (!EqualNames(e.name, keyName)) continue;
            RemoveLines(e.line, e.line + 1);
            Reindex();
            return true;
        }
    }
    return false;
}

bool IniDocument::DeleteSection(std::string_view section) {
    std::string sectionName = CString(section);
    for (const Section& s : sections_) {
        if (!EqualNames(s.name, sectionName)) continue;
        RemoveLines(s.firstLine, s.endLine);
        Reindex();
        return true;
    }
    return false;
}

bool IniDocument::ReplaceSection(std::string_view section, const std::vector<std::string>& items) {
    std::string sectionName = CString(section);
    bool changed = false;
    // Empty every section of that name, last first so that line numbers stay valid; blank lines stay
    // where they are, so the gap before the next section is kept.
    for (std::size_t i = sections_.size(); i-- > 0;) {
        const Section& s = sections_[i];
        if (!EqualNames(s.name, sectionName) || s.entries.empty()) continue;
        std::size_t from = s.headed ? s.firstLine + 1 : s.firstLine;
        for (std::size_t line = s.endLine; line-- > from;)
            if (!Trim(lines_[line].text).empty())
                lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(line));
        changed = true;
    }
    if (changed) Reindex();

    std::string target(Trim(sectionName));
    for (const std::string& item : items) {
        std::size_t eq = item.find('=');
        if (eq == std::string::npos) continue;
        std::string keyName(Trim(std::string_view(item).substr(0, eq)));
        std::string value(Trim(std::string_view(item).substr(eq + 1)));
        if (Section* s = FindSectionMutable(target)) {
            InsertLine(InsertionPoint(*s), keyName + "=" + value);
        } else if (target.empty()) {
            hasNameless_ = true;
            InsertLine(0, keyName + "=" + value);
        } else {
            InsertLine(lines_.size(), "[" + target + "]");
            InsertLine(lines_.size(), keyName + "=" + value);
        }
        Reindex();
        changed = true;
    }
    return changed;
}

bool IniDocument::HasEmptyNamelessSection() const {
    for (const Section& s : sections_)
        if (s.name.empty() && s.entries.empty()) return true;
    return false;
}

}  // namespace platform
