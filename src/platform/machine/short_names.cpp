#include "platform/machine/short_names.h"

#include <set>

#include "platform/machine/text_util.h"

namespace platform {

namespace {

bool IsShortNameChar(unsigned char c) {
    if (c >= 0x80) return true;
    if (c <= 0x20) return false;
    return std::string_view("\"*+,/:;<=>?[\\]|.").find(static_cast<char>(c)) == std::string_view::npos;
}

// The characters of one part of an alias: blanks and dots dropped, the characters a short name cannot
// hold turned into '_', letters upper-cased.
std::string AliasPart(std::string_view part) {
    std::string out;
    for (char ch : part) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c == ' ' || c == '.') continue;
        if (std::string_view("+,;=[]").find(ch) != std::string_view::npos)
            out += '_';
        else if (IsShortNameChar(c))
            out += UpperAscii(ch);
    }
    return out;
}

}  // namespace

bool IsValidShortName(std::string_view name) {
    if (name == "." || name == "..") return true;
    std::size_t dot = name.find('.');
    std::string_view base = name.substr(0, dot);
    std::string_view ext = dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || ext.size() > 3) return false;
    if (dot != std::string_view::npos && ext.empty()) return false;  // "NAME." cannot exist
    for (char c : base)
        if (!IsShortNameChar(static_cast<unsigned char>(c))) return false;
    for (char c : ext)
        if (!IsShortNameChar(static_cast<unsigned char>(c))) return false;
    return true;
}

std::vector<std::string> MakeShortNames(const std::vector<std::string>& names) {
    std::set<std::string> taken;  // upper-cased names and aliases in use
    for (const auto& n : names)
        if (IsValidShortName(n)) taken.insert(ToUpperAscii(n));

    std::vector<std::string> aliases(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        if (IsValidShortName(name)) continue;
        // Leading dots belong to the stem (".profile" is PROFIL~1), the extension follows the last
        // dot after them.
        std::size_t start = name.find_first_not_of('.');
        if (start == std::string::npos) start = name.size();
        std::size_t dot = name.rfind('.');
        std::string base, ext;
        if (dot != std::string::npos && dot >= start) {
            base = AliasPart(std::string_view(name).substr(start, dot - start));
            ext = AliasPart(std::string_view(name).substr(dot + 1)).substr(0, 3);
        } else {
            base = AliasPart(std::string_view(name).substr(start));
        }
        if (base.empty()) base = ext.empty() ? "_" : ext;
        for (unsigned n = 1;; ++n) {
            std::string tail = "~" + std::to_string(n);
            std::string alias = base.substr(0, std::min<std::size_t>(6, 8 - tail.size())) + tail;
            if (!ext.empty()) alias += "." + ext;
            if (taken.insert(alias).second) {
                aliases[i] = alias;
                break;
            }
        }
    }
    return aliases;
}

}  // namespace platform
