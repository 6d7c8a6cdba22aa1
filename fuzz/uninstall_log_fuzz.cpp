// The uninstall log as the uninstaller reads it back, and the path rules it applies to every entry: no
// entry carries a control character or an empty path, line numbers only grow, and a path the rules
// accept is one of plain components.
#include <cstdint>
#include <string_view>

#include "engine/uninstall_log.h"
#include "fuzz_check.h"
#include "uninstall/uninstall_paths.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    UninstallLogContents log = ParseUninstallLog(text);
    const uninstall::PathRules rules{"C:\\OVRA", "C:\\windows", "C:\\windows\\system32"};
    int last = 0;
    for (const UninstallLogEntry& entry : log.entries) {
        FUZZ_CHECK(!entry.path.empty() && entry.line > last && entry.run >= 1 && entry.run <= log.runs);
        last = entry.line;
        for (char c : entry.path)
            FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 || c == '\t');
        uninstall::PathVerdict verdict = uninstall::CheckFileLine(rules, entry.path);
        if (verdict == uninstall::PathVerdict::Inside) {
            std::string plain = uninstall::PlainPath(entry.path);
            FUZZ_CHECK(uninstall::IsBelow(plain, rules.installDir));
            for (const std::string& part : uninstall::PlainComponents(plain))
                FUZZ_CHECK(part != ".." && part != ".");
        }
    }
    for (const UninstallLogProblem& problem : log.problems)
        FUZZ_CHECK(problem.line >= 1);
    return 0;
}
