#include "wine/prefix_compare.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

#include "platform/machine/hive_format.h"
#include "platform/machine/registry_tree.h"
#include "wine/wine_support.h"

namespace wine_support {

namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

struct Entry {
    std::string spelling;  // as the tree spells it
    bool directory = false;
    std::string host;  // host path, for the bytes
    long long size = 0;
};

void Walk(const std::string& host, const std::string& relative, std::map<std::string, Entry>& out) {
    DIR* dir = opendir(host.c_str());
    if (!dir) return;
    std::vector<std::string> names;
    while (dirent* e = readdir(dir)) {
        std::string name = e->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
    for (const std::string& name : names) {
        std::string path = host + "/" + name, rel = relative.empty() ? name : relative + "/" + name;
        struct stat st {};
        if (lstat(path.c_str(), &st) != 0) continue;
        Entry entry{rel, S_ISDIR(st.st_mode), path, static_cast<long long>(st.st_size)};
        if (S_ISLNK(st.st_mode)) entry.size = 0;  // Wine's links to the host's folders: the link itself
        out[Lower(rel)] = entry;
        if (S_ISDIR(st.st_mode)) Walk(path, rel, out);
    }
}

std::string Narrow(const std::u16string& s) {
    std::string out;
    for (char16_t c : s) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            char buffer[12];
            std::snprintf(buffer, sizeof buffer, "\\x%04x", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    return out;
}

// "KEY\\[NAME]" (lower-cased, for matching) -> "type:bytes", spelling kept aside.
struct Values {
    std::map<std::string, std::string> data;
    std::map<std::string, std::string> spelling;
};

void Collect(const platform::RegNode& node, const std::string& path, Values& out) {
    for (const platform::RegValue& v : node.values()) {
        std::string id = path + "\\[" + Narrow(v.name) + "]";
        out.data[Lower(id)] = std::to_string(v.type) + ":" + std::string(v.data.begin(), v.data.end());
        out.spelling[Lower(id)] = id;
    }
    // A key without values counts too, so a key made by one side only shows.
    std::string keyId = path + "\\";
    out.data[Lower(keyId)] = "key";
    out.spelling[Lower(keyId)] = keyId;
    for (const auto& sub : node.subkeys())
        Collect(*sub, path + "\\" + Narrow(sub->name()), out);
}

Values ReadPrefix(const std::string& prefix) {
    Values values;
    for (auto [file, root] : {std::pair{"system.reg", "HKLM"}, std::pair{"user.reg", "HKCU"}}) {
        platform::RegNode tree(u"");
        platform::ReadHive(ReadFile(prefix + "/" + file), tree);
        Collect(tree, root, values);
    }
    return values;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace

std::vector<std::string> CompareTrees(const std::string& a, const std::string& b, const std::string& aName,
                                      const std::string& bName) {
    std::map<std::string, Entry> left, right;
    Walk(a + "/drive_c", "", left);
    Walk(b + "/drive_c", "", right);
    std::vector<std::string> out;
    for (const auto& [key, entry] : left) {
        auto it = right.find(key);
        if (it == right.end()) {
            out.push_back("tree " + aName + "-only " + entry.spelling);
        } else if (entry.directory != it->second.directory ||
                   (!entry.directory &&
                    (entry.size != it->second.size || ReadFile(entry.host) != ReadFile(it->second.host)))) {
            out.push_back("tree bytes " + entry.spelling);
        }
    }
    for (const auto& [key, entry] : right)
        if (!left.count(key)) out.push_back("tree " + bName + "-only " + entry.spelling);
    return out;
}

std::vector<std::string> CompareRegistries(const std::string& base, const std::string& a,
                                           const std::string& b, const std::string& aName,
                                           const std::string& bName) {
    Values before = ReadPrefix(base), left = ReadPrefix(a), right = ReadPrefix(b);
    auto valueIn = [](const Values& v, const std::string& key) -> const std::string* {
        auto it = v.data.find(key);
        return it == v.data.end() ? nullptr : &it->second;
    };
    std::set<std::string> keys;
    for (const Values* v : {&before, &left, &right})
        for (const auto& [key, data] : v->data)
            keys.insert(key);
    std::vector<std::string> out;
    for (const std::string& key : keys) {
        const std::string *was = valueIn(before, key), *l = valueIn(left, key), *r = valueIn(right, key);
        auto same = [](const std::string* x, const std::string* y) { return x == y || (x && y && *x == *y); };
        if (same(l, was) && same(r, was)) continue;  // neither installation touched it
        if (same(l, r)) continue;
        const std::string& spelling = (l ? left : r ? right : before).spelling.at(key);
        if (l && !r)
            out.push_back("reg " + aName + "-only " + spelling);
        else if (r && !l)
            out.push_back("reg " + bName + "-only " + spelling);
        else
            out.push_back("reg data " + spelling);
    }
    return out;
}

std::vector<std::string> CompareTranscripts(const std::string& a, const std::string& b,
                                            const std::string& aName, const std::string& bName) {
    std::vector<std::string> left = Lines(a), right = Lines(b), out;
    auto missing = [&out](const std::vector<std::string>& from, const std::vector<std::string>& other,
                          const std::string& side) {
        std::multiset<std::string> pool(other.begin(), other.end());
        for (const std::string& line : from) {
            auto it = pool.find(line);
            if (it != pool.end())
                pool.erase(it);
            else
                out.push_back("transcript " + side + "-only " + line);
        }
    };
    missing(left, right, aName);
    missing(right, left, bName);
    return out;
}

bool ParseKnownDifferences(const std::string& text, std::vector<KnownDifference>& out, std::string& error) {
    int number = 0;
    for (const std::string& raw : Lines(text)) {
        ++number;
        std::string line = raw;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::size_t bar = line.find(" | ");
        if (bar == std::string::npos || line.find_first_not_of(' ', bar + 3) == std::string::npos) {
            error = "line " + std::to_string(number) + ": an entry is \"PATTERN | REASON\"";
            return false;
        }
        bool optional = line.rfind("~ ", 0) == 0;
        std::size_t start = optional ? 2 : 0;
        out.push_back({line.substr(start, bar - start), line.substr(bar + 3), number, optional});
    }
    return true;
}

bool MatchesPattern(const std::string& pattern, const std::string& text) {
    // Iterative glob with '*' only, without regard to case.
    std::size_t p = 0, t = 0, star = std::string::npos, mark = 0;
    auto eq = [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    };
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = t;
        } else if (p < pattern.size() && eq(pattern[p], text[t])) {
            ++p;
            ++t;
        } else if (star != std::string::npos) {
            p = star + 1;
            t = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}  // namespace wine_support
