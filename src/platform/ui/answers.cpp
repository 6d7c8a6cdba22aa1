#include "platform/ui/answers.h"

#include <algorithm>
#include <utility>

#include "platform/machine/text_util.h"
#include "platform/ui/cp1252.h"
#include "platform/win_types.h"

namespace platform {

namespace {

std::string Trim(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return std::string();
    std::size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

}  // namespace

int ParseAnswerWord(const std::string& word) {
    std::string w = ToLowerAscii(Trim(word));
    if (w == "ok") return IDOK;
    if (w == "cancel") return IDCANCEL;
    if (w == "yes") return IDYES;
    if (w == "no") return IDNO;
    if (w == "retry") return IDRETRY;
    if (w == "abort") return IDABORT;
    if (w == "ignore") return IDIGNORE;
    return 0;
}

int ParseCommandWord(const std::string& word) {
    static const std::pair<const char*, int> kWords[] = {
        {"ok", 1},        {"cancel", 2}, {"back", 101}, {"next", 102},   {"accept", 102}, {"exit", 103},
        {"decline", 103}, {"help", 104}, {"skip", 105}, {"browse", 106}, {"finish", 102},
    };
    std::string w = ToLowerAscii(Trim(word));
    for (const auto& [name, id] : kWords)
        if (w == name) return id;
    if (w.empty() || w.size() > 6 || w.find_first_not_of("0123456789") != std::string::npos) return 0;
    return std::stoi(w);
}

bool Answers::Parse(const std::string& text, std::string& error) {
    // Editors put a byte order mark in front of UTF-8 now and then; it is not part of the first key.
    std::size_t start = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    int lineNo = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = Trim(text.substr(start, end - start));
        ++lineNo;
        start = end + 1;
        if (line.empty() || line[0] == '#') continue;
        std::size_t eq = line.find('=');
        if (eq == std::string::npos || eq == 0) {
            error = "line " + std::to_string(lineNo) + ": expected key=value";
            return false;
        }
        std::string key = ToLowerAscii(Trim(line.substr(0, eq)));
        std::string value = Trim(line.substr(eq + 1));
        std::string where = "line " + std::to_string(lineNo) + ": ";
        if (key.rfind("answer.", 0) == 0 && ParseAnswerWord(value) == 0) {
            error = where + "\"" + value + "\" names no button";
            return false;
        }
        if (key.rfind("press.", 0) == 0) {
            for (std::size_t from = 0; from <= value.size();) {
                std::size_t comma = std::min(value.find(',', from), value.size());
                std::string word = Trim(value.substr(from, comma - from));
                if (!word.empty() && ParseCommandWord(word) == 0) {
                    error = where + "\"" + word + "\" names no button";
                    return false;
                }
                from = comma + 1;
            }
        }
        // The file is UTF-8; the program types Windows-1252, and a text that cannot be typed exactly is
        // refused rather than stored with a stand-in character.
        std::string refused;
        std::optional<std::string> typed = Utf8ToCp1252Exactly(value, refused);
        if (!typed) {
            error = where + key + ": " + refused;
            return false;
        }
        values_[key] = *typed;
    }
    return true;
}

std::optional<std::string> Answers::Get(const std::string& key) const {
    auto it = values_.find(ToLowerAscii(key));
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

std::optional<int> Answers::AnswerFor(int messageId) const {
    auto value = Get("answer." + std::to_string(messageId));
    if (!value) return std::nullopt;
    return ParseAnswerWord(*value);
}

}  // namespace platform
