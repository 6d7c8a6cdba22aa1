// What two installations into copies of one prefix left behind, compared: the drive_c trees (names
// without regard to case, sizes and bytes), the registry values that either installation changed
// (from Wine's system.reg and user.reg), and the two transcripts. Every difference is one line of
// text, "AREA SIDE WHAT" (for instance "tree wine-only windows/ovra.ini"), so a list of known
// differences can name it.
#pragma once

#include <string>
#include <vector>

namespace wine_support {

// drive_c of `a` against drive_c of `b`: "tree a-only PATH", "tree b-only PATH", "tree bytes PATH"
// (PATH relative to drive_c, as `a` spells it, '/' between names), with `aName`/`bName` for a and b.
std::vector<std::string> CompareTrees(const std::string& a, const std::string& b, const std::string& aName,
                                      const std::string& bName);

// The values (and keys) of the prefixes' hives that differ between `a` and `b`, among those that
// differ from `base` in either: "reg a-only KEY\\[NAME]", "reg b-only ...", "reg data KEY\\[NAME]".
// KEY starts with HKLM or HKCU; an empty NAME is the default value.
std::vector<std::string> CompareRegistries(const std::string& base, const std::string& a,
                                           const std::string& b, const std::string& aName,
                                           const std::string& bName);

// The lines of one transcript that the other lacks (as multisets, in order of appearance):
// "transcript a-only LINE".
std::vector<std::string> CompareTranscripts(const std::string& a, const std::string& b,
                                            const std::string& aName, const std::string& bName);

// A list of known differences: one entry a line, "PATTERN | REASON" ('*' matches any text, case is
// ignored); blank lines and '#' comments are skipped. Entries without a reason are an error. An entry
// written "~ PATTERN | REASON" is Wine's own doing that depends on the host (its devices, its network)
// and may not show in every run; every other entry must match a difference.
struct KnownDifference {
    std::string pattern;
    std::string reason;
    int line = 0;
    bool optional = false;
};
bool ParseKnownDifferences(const std::string& text, std::vector<KnownDifference>& out, std::string& error);
bool MatchesPattern(const std::string& pattern, const std::string& text);

}  // namespace wine_support
