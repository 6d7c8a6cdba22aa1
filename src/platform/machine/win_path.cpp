#include "platform/machine/win_path.h"

#include "platform/machine/text_util.h"

namespace platform::winpath {

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::vector<std::string> SplitParts(std::string_view rest) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : rest) {
        if (IsSeparator(c)) {
            if (!cur.empty()) parts.push_back(std::move(cur));
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) parts.push_back(std::move(cur));
    return parts;
}

}  // namespace

Kind Classify(std::string_view p) {
    if (p.empty()) return Kind::Empty;
    if (p.size() >= 2 && IsLetter(p[0]) && p[1] == ':')
        return (p.size() >= 3 && IsSeparator(p[2])) ? Kind::Absolute : Kind::DriveRelative;
    if (p.size() >= 2 && IsSeparator(p[0]) && IsSeparator(p[1])) return Kind::Unc;
    if (IsSeparator(p[0])) return Kind::Rooted;
    return Kind::Relative;
}

char DriveOf(std::string_view p) {
    return (p.size() >= 2 && IsLetter(p[0]) && p[1] == ':') ? UpperAscii(p[0]) : 0;
}

std::string Normalize(std::string_view full) {
    std::string_view head = full.substr(0, 2);
    std::string_view rest = full.size() > 2 ? full.substr(2) : std::string_view();
    bool trailing = !rest.empty() && IsSeparator(rest.back());
    std::vector<std::string> out;
    for (auto& part : SplitParts(rest)) {
        if (part == ".") continue;
        if (part == "..") {
            if (!out.empty()) out.pop_back();
            continue;
        }
        out.push_back(std::move(part));
    }
    // Trailing blanks and dots of the last component are not part of the name ("name." is "name").
    if (!trailing && !out.empty()) {
        std::string& last = out.back();
        bool hadDots = !rest.empty() && (rest.back() == '.' || rest.back() == ' ');
        if (hadDots) {
            while (!last.empty() && (last.back() == '.' || last.back() == ' '))
                last.pop_back();
            if (last.empty()) out.pop_back();
        }
    }
    // The drive letter keeps the case it was typed in, as Wine gives it back.
    std::string result(1, head[0]);
    result += ":\\";
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (i) result += '\\';
        result += out[i];
    }
    if (trailing && !out.empty()) result += '\\';
    return result;
}

std::string MakeFull(std::string_view name, char currentDrive,
                     const std::function<std::string(char)>& currentDirOf) {
    switch (Classify(name)) {
        case Kind::Empty:
            return {};
        case Kind::Absolute:
            return Normalize(name);
        case Kind::DriveRelative: {
            char d = DriveOf(name);
            std::string base = currentDirOf(d);
            if (base.size() <= 3) base = std::string(1, name[0]) + ":\\";  // no directory of its own
            std::string rest(name.substr(2));
            if (rest.empty()) return Normalize(base);
            return Normalize(base + "\\" + rest);
        }
        case Kind::Rooted:
            return Normalize(currentDirOf(currentDrive).substr(0, 2) + std::string(name));
        case Kind::Relative:
            return Normalize(currentDirOf(currentDrive) + "\\" + std::string(name));
        case Kind::Unc: {
            std::string out = "\\\\";
            auto parts = SplitParts(name);
            for (std::size_t i = 0; i < parts.size(); ++i)
                out += (i ? "\\" : "") + parts[i];
            return out;
        }
    }
    return {};
}

std::vector<std::string> Components(std::string_view full) {
    return SplitParts(full.size() > 2 ? full.substr(2) : std::string_view());
}

bool HasInvalidName(std::string_view full, bool wildcardsInLast) {
    auto parts = Components(full);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        bool last = i + 1 == parts.size();
        for (char ch : parts[i]) {
            unsigned char c = static_cast<unsigned char>(ch);
            if (c < 0x20) return true;
            if (std::string_view("<>:\"|").find(ch) != std::string_view::npos) return true;
            if ((ch == '*' || ch == '?') && !(last && wildcardsInLast)) return true;
        }
    }
    return false;
}

}  // namespace platform::winpath
