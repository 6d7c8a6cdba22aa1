#include "engine/uninstall_log.h"

#include "app/setup_record.h"
#include "app/tags.h"
#include "platform/win32.h"

const char kUninstallHeaderEnglish[] =
    ";The Uninstall program uses this file to remove Vexa 6.1 from your computer.\n";
const char kUninstallHeaderFrench[] =
    ";Le programme de d\xE9sinstallation utilise le ce fichier pour d\xE9sinstaller Vexa 6.1 de votre "
    "ordinateur.\n";

namespace {

bool AppendLine(const char* verb, const std::string& path) {
    const std::string& log = Setup().uninstallLog;
    if (log.empty()) return false;
    crt::FILE* file = crt::fopen(log.c_str(), "a+");
    if (!file) return false;
    std::string line = std::string(verb) + " " + path + "\n";
    crt::fputs(line.c_str(), file);
    crt::fclose(file);
    return true;
}

}  // namespace

void CreateUninstallLog() {
    SetupRecord& s = Setup();
    s.uninstallLog = s.installDir + "\\uninst.ins";
    crt::FILE* file = crt::fopen(s.uninstallLog.c_str(), IsOvraFamily() ? "w+" : "a+");
    if (!file) {
        s.uninstallLog.clear();
        return;
    }
    crt::fputs(s.languageOffset != 0 ? kUninstallHeaderFrench : kUninstallHeaderEnglish, file);
    crt::fclose(file);
}

bool AppendCopyLine(const std::string& path) {
    return AppendLine("copy", path);
}

bool AppendMdLine(const std::string& path) {
    return AppendLine("md", path);
}

namespace {

std::string_view WithoutLineEnd(std::string_view header) {
    return header.substr(0, header.size() - 1);
}

bool HasControlCharacters(std::string_view line) {
    for (char c : line) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x20 && c != '\t') return true;
        if (b == 0x7F) return true;
    }
    return false;
}

}  // namespace

UninstallLogContents ParseUninstallLog(std::string_view text) {
    UninstallLogContents log;
    int number = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        bool complete = end != std::string_view::npos;
        std::string_view line = text.substr(start, complete ? end - start : std::string_view::npos);
        start = complete ? end + 1 : text.size();
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        auto problem = [&](UninstallLogProblem::Kind kind) {
            log.problems.push_back({kind, number, std::string(line)});
        };
        if (!complete) {
            // Whatever a cut-short line names is a prefix of what was meant: never acted upon.
            problem(UninstallLogProblem::Kind::Truncated);
            break;
        }
        if (line.empty()) continue;
        if (HasControlCharacters(line)) {
            problem(UninstallLogProblem::Kind::Damaged);
            continue;
        }
        if (line == WithoutLineEnd(kUninstallHeaderEnglish) ||
            line == WithoutLineEnd(kUninstallHeaderFrench)) {
            if (log.runs == 0) log.french = line == WithoutLineEnd(kUninstallHeaderFrench);
            ++log.runs;
            continue;
        }
        UninstallLogEntry entry;
        std::string_view path;
        if (line.starts_with("md ")) {
            entry.kind = UninstallLogEntry::Kind::Directory;
            path = line.substr(3);
        } else if (line.starts_with("copy ")) {
            entry.kind = UninstallLogEntry::Kind::File;
            path = line.substr(5);
        } else {
            problem(UninstallLogProblem::Kind::NotUnderstood);
            continue;
        }
        if (path.empty()) {
            problem(UninstallLogProblem::Kind::NotUnderstood);
            continue;
        }
        if (log.runs == 0) {
            problem(UninstallLogProblem::Kind::BeforeHeader);
            continue;
        }
        entry.path = std::string(path);
        entry.line = number;
        entry.run = log.runs;
        log.entries.push_back(std::move(entry));
    }
    return log;
}

bool ReadUninstallLogFile(const std::string& path, std::string& text) {
    text.clear();
    crt::FILE* file = crt::fopen(path.c_str(), "rb");
    if (!file) return false;
    char buffer[4096];
    bool ok = true;
    for (;;) {
        std::size_t n = crt::fread(buffer, 1, sizeof buffer, file);
        if (n == 0) break;
        text.append(buffer, n);
        if (text.size() > kMaxUninstallLogSize) {
            ok = false;
            break;
        }
    }
    crt::fclose(file);
    if (!ok) text.clear();
    return ok;
}
