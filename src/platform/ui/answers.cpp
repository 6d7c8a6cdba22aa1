#include "platform/ui/answers.h"

#include "platform/machine/text_util.h"
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

bool Answers::Parse(const std::string& text, std::string& error) {
    std::size_t start = 0;
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
        if (key.rfind("answer.", 0) == 0 && ParseAnswerWord(value) == 0) {
            error = "line " + std::to_string(lineNo) + ": \"" + value + "\" names no button";
            return false;
        }
        values_[key] = value;
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
