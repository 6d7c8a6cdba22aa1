#include "platform/machine/hive_format.h"

#include <cstdio>
#include <vector>

namespace platform {

namespace {

constexpr std::string_view kSignature = "WINE REGISTRY Version 2";

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decodes one UTF-8 sequence starting at s[i] (a byte above 127); advances i. Returns false for an
// invalid sequence, of which only the lead byte is consumed (Wine drops such bytes).
bool DecodeUtf8(std::string_view s, std::size_t& i, std::u16string& out) {
    unsigned char lead = static_cast<unsigned char>(s[i++]);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || lead >= 0xF8) return false;
    char32_t cp = lead & (0x3F >> extra);
    std::size_t j = i;
    for (int k = 0; k < extra; ++k, ++j) {
        if (j >= s.size() || (static_cast<unsigned char>(s[j]) & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (static_cast<unsigned char>(s[j]) & 0x3F);
    }
    static constexpr char32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF) return false;
    i = j;
    if (cp <= 0xFFFF) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 | (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 | (cp & 0x3FF)));
    }
    return true;
}

// Reads an escaped string up to `end`; `pos` is left after the end character. False when the end
// character is missing (a cut line).
bool ParseEscaped(std::string_view s, std::size_t& pos, char end, std::u16string& out) {
    std::size_t i = pos;
    while (i < s.size() && s[i] != end) {
        if (s[i] == '\\') {
            ++i;
            if (i >= s.size()) break;
            char c = s[i];
            static constexpr std::string_view kLetters = "abefnrtv";
            static constexpr char16_t kCodes[] = {7, 8, 27, 12, 10, 13, 9, 11};
            if (auto k = kLetters.find(c); k != std::string_view::npos) {
                out.push_back(kCodes[k]);
                ++i;
                continue;
            }
            if (c == 'x') {
                ++i;
                if (i >= s.size() || HexValue(s[i]) < 0) {
                    out.push_back(u'x');
                    continue;
                }
                char16_t v = 0;
                for (int k = 0; k < 4 && i < s.size() && HexValue(s[i]) >= 0; ++k)
                    v = static_cast<char16_t>(v * 16 + HexValue(s[i++]));
                out.push_back(v);
                continue;
            }
            if (c >= '0' && c <= '7') {
                char16_t v = 0;
                for (int k = 0; k < 3 && i < s.size() && s[i] >= '0' && s[i] <= '7'; ++k)
                    v = static_cast<char16_t>(v * 8 + (s[i++] - '0'));
                out.push_back(v);
                continue;
            }
            // Any other escaped character stands for itself.
        }
        if (static_cast<unsigned char>(s[i]) < 0x80)
            out.push_back(static_cast<char16_t>(s[i++]));
        else
            DecodeUtf8(s, i, out);
    }
    if (i >= s.size()) return false;
    pos = i + 1;
    return true;
}

void SkipSpaces(std::string_view s, std::size_t& i) {
    while (i < s.size() && IsSpace(s[i]))
        ++i;
}

std::vector<BYTE> WideBytes(const std::u16string& s, bool withTerminator) {
    std::vector<BYTE> out;
    out.reserve(s.size() * 2 + 2);
    for (char16_t c : s) {
        out.push_back(static_cast<BYTE>(c & 0xFF));
        out.push_back(static_cast<BYTE>(c >> 8));
    }
    if (withTerminator) out.insert(out.end(), {0, 0});
    return out;
}

class Reader {
  public:
    Reader(std::string_view text, RegNode& root) : root_(root) {
        std::size_t start = 0;
        while (start < text.size()) {
            std::size_t nl = text.find('\n', start);
            if (nl == std::string_view::npos) {
                lines_.push_back(text.substr(start));
                cutShort_ = true;
                break;
            }
            std::string_view line = text.substr(start, nl - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            lines_.push_back(line);
            start = nl + 1;
        }
    }

    HiveReadResult Run() {
        if (lines_.empty()) return result_;
        if (lines_[0] != kSignature) {
            Fail(1, "not a Wine registry file (no \"WINE REGISTRY Version 2\" line)");
            return result_;
        }
        for (line_ = 1; line_ < lines_.size(); ++line_) {
            std::string_view l = lines_[line_];
            std::size_t i = 0;
            SkipSpaces(l, i);
            l = l.substr(i);
            if (l.empty() || l[0] == ';') continue;
            if (l[0] == '[') {
                FinishKey();
                ReadKey(l);
            } else if (l[0] == '@' || l[0] == '"') {
                if (!key_)
                    Fail(line_ + 1, "value without key");
                else
                    ReadValue(l);
            } else if (l[0] == '#') {
                if (key_)
                    ReadKeyOption(l);
                else
                    ReadGlobalOption(l);
            } else {
                Fail(line_ + 1, "unrecognized input");
            }
        }
        FinishKey();
        if (cutShort_ && result_.error.empty())
            Fail(lines_.size(), "the file ends inside a line (truncated)");
        return result_;
    }

  private:
    void Fail(std::size_t line, const std::string& what) {
        if (!result_.error.empty()) return;
        std::string text(lines_.size() >= line && line > 0 ? lines_[line - 1] : std::string_view());
        if (text.size() > 80) text = text.substr(0, 80) + "...";
        result_.error = "line " + std::to_string(line) + ": " + what + ": '" + text + "'";
    }

    void ReadKey(std::string_view l) {
        std::size_t pos = 1;
        std::u16string path;
        if (!ParseEscaped(l, pos, ']', path)) {
            Fail(line_ + 1, "malformed key");
            return;
        }
        std::uint64_t modified = FileTimeNow();
        SkipSpaces(l, pos);
        if (pos < l.size() && l[pos] >= '0' && l[pos] <= '9') {
            std::uint64_t seconds = 0;
            while (pos < l.size() && l[pos] >= '0' && l[pos] <= '9')
                seconds = seconds * 10 + static_cast<std::uint64_t>(l[pos++] - '0');
            modified = kTicks1601To1970 + (seconds & 0xFFFFFFFFu) * kTicksPerSecond;
        }
        RegNode* node = &root_;
        std::size_t start = 0;
        while (start <= path.size()) {
            std::size_t bs = path.find(u'\\', start);
            if (bs == std::u16string::npos) bs = path.size();
            if (bs > start) {
                std::u16string part = path.substr(start, bs - start);
                auto child = node->FindSubkey(part);
                if (!child) child = node->AddSubkey(std::move(part), 0);
                node = child.get();
            }
            start = bs + 1;
        }
        key_ = node;
        keyModified_ = modified;
    }

    void FinishKey() {
        if (!key_) return;
        // Keys that only appear as part of a path take the time of the key that named them.
        for (RegNode* n = key_; n && n->modified() == 0; n = n->parent())
            n->set_modified(keyModified_);
        key_ = nullptr;
    }

    void ReadKeyOption(std::string_view l) {
        if (l.substr(0, 6) == "#time=") {
            std::uint64_t t = 0;
            for (std::size_t i = 6; i < l.size() && HexValue(l[i]) >= 0; ++i)
                t = (t << 4) | static_cast<std::uint64_t>(HexValue(l[i]));
            // The exact time wins over the seconds of the key line, for the keys its path created too;
            // a time of 0 (a key never stamped) must survive a rewrite as well.
            if (key_->modified() == 0) {
                key_->set_modified(t);
                keyModified_ = t;
            }
        } else if (l.substr(0, 7) == "#class=") {
            std::size_t pos = 8;
            std::u16string cls;
            if (l.size() < 8 || l[7] != '"' || !ParseEscaped(l, pos, '"', cls)) {
                Fail(line_ + 1, "malformed key class");
                return;
            }
            key_->set_className(cls);
        } else if (l.substr(0, 5) == "#link") {
            key_->set_link(true);
        }
        // Other options are ignored, as Wine does.
    }

    void ReadGlobalOption(std::string_view l) {
        if (l.substr(0, 6) != "#arch=") return;
        std::string_view arch = l.substr(6);
        if (arch != "win32" && arch != "win64") {
            Fail(line_ + 1, "unknown architecture");
            return;
        }
        result_.arch = std::string(arch);
    }

    void ReadValue(std::string_view l) {
        std::size_t pos = 0;
        std::u16string name;
        if (l[0] == '@') {
            pos = 1;
        } else {
            pos = 1;
            if (!ParseEscaped(l, pos, '"', name)) {
                Fail(line_ + 1, "malformed value name");
                return;
            }
        }
        SkipSpaces(l, pos);
        if (pos >= l.size() || l[pos] != '=') {
            Fail(line_ + 1, "malformed value name");
            return;
        }
        ++pos;
        SkipSpaces(l, pos);
        std::string_view rest = l.substr(pos);

        struct Tag {
            std::string_view text;
            DWORD type;
            char parse;  // 's' string, 'd' dword, 'h' hex
        };
        static constexpr Tag kTags[] = {
            {"\"", REG_SZ, 's'},
            {"str:\"", REG_SZ, 's'},
            {"str(2):\"", REG_EXPAND_SZ, 's'},
            {"str(7):\"", REG_MULTI_SZ, 's'},
            {"hex:", REG_BINARY, 'h'},
            {"dword:", REG_DWORD, 'd'},
        };
        DWORD type = 0;
        char parse = 0;
        std::size_t at = 0;
        for (const auto& t : kTags) {
            if (rest.substr(0, t.text.size()) == t.text) {
                type = t.type;
                parse = t.parse;
                at = t.text.size();
                break;
            }
        }
        if (!parse && rest.substr(0, 4) == "hex(") {
            std::size_t i = 4;
            std::uint64_t v = 0;
            while (i < rest.size() && HexValue(rest[i]) >= 0 && v <= 0xFFFFFFFFu)
                v = v * 16 + static_cast<std::uint64_t>(HexValue(rest[i++]));
            if (i > 4 && v <= 0xFFFFFFFFu && rest.substr(i, 2) == "):") {
                type = static_cast<DWORD>(v);
                parse = 'h';
                at = i + 2;
            }
        }
        if (!parse) {
            Fail(line_ + 1, "unknown value type");
            return;
        }

        std::vector<BYTE> data;
        if (parse == 's') {
            std::u16string s;
            if (!ParseEscaped(rest, at, '"', s)) {
                Fail(line_ + 1, "unterminated string value");
                return;
            }
            data = WideBytes(s, true);
        } else if (parse == 'd') {
            std::size_t i = at;
            std::uint32_t v = 0;
            int digits = 0;
            while (i < rest.size() && HexValue(rest[i]) >= 0 && digits < 9) {
                v = v * 16 + static_cast<std::uint32_t>(HexValue(rest[i++]));
                ++digits;
            }
            SkipSpaces(rest, i);
            if (digits == 0 || digits > 8 || i != rest.size()) {
                Fail(line_ + 1, "malformed dword value");
                return;
            }
            data = {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16),
                    static_cast<BYTE>(v >> 24)};
        } else if (!ReadHex(rest.substr(at), data)) {
            return;
        }
        key_->SetValue(name, type, std::move(data));
    }

    // A comma-separated list of bytes, continued on the next line after a trailing backslash.
    bool ReadHex(std::string_view s, std::vector<BYTE>& data) {
        for (;;) {
            std::size_t i = 0;
            for (;;) {
                SkipSpaces(s, i);
                if (i >= s.size() || HexValue(s[i]) < 0) break;
                int v = 0, digits = 0;
                while (i < s.size() && HexValue(s[i]) >= 0) {
                    v = v * 16 + HexValue(s[i++]);
                    if (++digits > 2) break;
                }
                if (digits > 2) {
                    Fail(line_ + 1, "malformed hex value");
                    return false;
                }
                data.push_back(static_cast<BYTE>(v));
                SkipSpaces(s, i);
                if (i < s.size() && s[i] == ',') ++i;
            }
            if (i >= s.size()) return true;
            if (s[i] != '\\' || i + 1 != s.size()) {
                Fail(line_ + 1, "malformed hex value");
                return false;
            }
            if (line_ + 1 >= lines_.size()) {
                Fail(line_ + 1, "hex value continues past the end of the file (truncated)");
                return false;
            }
            ++line_;
            s = lines_[line_];
        }
    }

    RegNode& root_;
    std::vector<std::string_view> lines_;
    bool cutShort_ = false;
    std::size_t line_ = 0;
    RegNode* key_ = nullptr;
    std::uint64_t keyModified_ = 0;
    HiveReadResult result_;
};

void AppendPath(const RegNode& key, const RegNode& base, std::string& out) {
    if (key.parent() && key.parent() != &base) {
        AppendPath(*key.parent(), base, out);
        out += "\\\\";
    }
    out += EscapeWide(key.name(), '[', ']');
}

bool IsTerminatedString(const RegValue& v) {
    std::size_t n = v.data.size();
    return n >= 2 && n % 2 == 0 && v.data[n - 2] == 0 && v.data[n - 1] == 0;
}

std::u16string WideFromBytes(const std::vector<BYTE>& data, std::size_t bytes) {
    std::u16string s;
    s.reserve(bytes / 2);
    for (std::size_t i = 0; i + 2 <= bytes && i + 2 <= data.size(); i += 2)
        s.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    return s;
}

void AppendValue(const RegValue& v, std::string& out) {
    std::size_t lineStart = out.size();
    if (!v.name.empty())
        out += "\"" + EscapeWide(v.name, '"', '"') + "\"=";
    else
        out += "@=";
    int count = static_cast<int>(out.size() - lineStart);
    char buf[32];
    if ((v.type == REG_SZ || v.type == REG_EXPAND_SZ || v.type == REG_MULTI_SZ) && IsTerminatedString(v)) {
        if (v.type != REG_SZ) {
            std::snprintf(buf, sizeof buf, "str(%x):", static_cast<unsigned>(v.type));
            out += buf;
        }
        out += '"';
        out += EscapeWide(WideFromBytes(v.data, v.data.size() - 2), '"', '"');
        out += "\"\n";
        return;
    }
    if (v.type == REG_DWORD && v.data.size() == 4) {
        unsigned dw =
            v.data[0] | (v.data[1] << 8) | (v.data[2] << 16) | (static_cast<unsigned>(v.data[3]) << 24);
        std::snprintf(buf, sizeof buf, "dword:%08x\n", dw);
        out += buf;
        return;
    }
    if (v.type == REG_BINARY)
        std::snprintf(buf, sizeof buf, "hex:");
    else
        std::snprintf(buf, sizeof buf, "hex(%x):", static_cast<unsigned>(v.type));
    out += buf;
    count += static_cast<int>(std::string_view(buf).size());
    // Wine's line breaking: the comma after a byte counts, the break comes once the line passes 76.
    for (std::size_t i = 0; i < v.data.size(); ++i) {
        std::snprintf(buf, sizeof buf, "%02x", v.data[i]);
        out += buf;
        count += 2;
        if (i + 1 < v.data.size()) {
            out += ',';
            if (++count > 76) {
                out += "\\\n  ";
                count = 2;
            }
        }
    }
    out += '\n';
}

void AppendKey(const RegNode& key, const RegNode& base, std::string& out) {
    if (key.isVolatile()) return;
    if (!key.values().empty() || key.subkeys().empty() || key.className() || key.isLink()) {
        out += "\n[";
        if (&key != &base) AppendPath(key, base, out);
        char buf[64];
        std::uint64_t t = key.modified();
        std::snprintf(buf, sizeof buf, "] %u\n#time=%x%08x\n",
                      static_cast<unsigned>((t - kTicks1601To1970) / kTicksPerSecond),
                      static_cast<unsigned>(t >> 32), static_cast<unsigned>(t & 0xFFFFFFFFu));
        out += buf;
        if (key.className()) out += "#class=\"" + EscapeWide(*key.className(), '"', '"') + "\"\n";
        if (key.isLink()) out += "#link\n";
        for (const auto& v : key.values())
            AppendValue(v, out);
    }
    for (const auto& k : key.subkeys())
        AppendKey(*k, base, out);
}

}  // namespace

std::string EscapeWide(std::u16string_view s, char quote1, char quote2) {
    static constexpr char kEscapes[33] = ".......abtnvfr.............e....";
    std::string out;
    char buf[16];
    for (std::size_t i = 0; i < s.size(); ++i) {
        char16_t c = s[i];
        bool hasNext = i + 1 < s.size();
        char16_t next = hasNext ? s[i + 1] : 0;
        if (c > 127) {
            bool hexFollows = hasNext && next < 128 && HexValue(static_cast<char>(next)) >= 0;
            std::snprintf(buf, sizeof buf, hexFollows ? "\\x%04x" : "\\x%x", static_cast<unsigned>(c));
            out += buf;
        } else if (c < 32) {
            if (kEscapes[c] != '.') {
                out += '\\';
                out += kEscapes[c];
            } else {
                bool octalFollows = hasNext && next >= '0' && next <= '7';
                std::snprintf(buf, sizeof buf, octalFollows ? "\\%03o" : "\\%o", static_cast<unsigned>(c));
                out += buf;
            }
        } else {
            char ch = static_cast<char>(c);
            if (ch == '\\' || ch == quote1 || ch == quote2) out += '\\';
            out += ch;
        }
    }
    return out;
}

HiveReadResult ReadHive(std::string_view text, RegNode& root) {
    return Reader(text, root).Run();
}

std::string WriteHive(const RegNode& root, std::string_view relativeTo, std::string_view arch) {
    std::string out;
    out += kSignature;
    out += "\n;; All keys relative to ";
    out += relativeTo;
    out += '\n';
    if (!arch.empty()) {
        out += "\n#arch=";
        out += arch;
        out += '\n';
    }
    AppendKey(root, root, out);
    return out;
}

}  // namespace platform
