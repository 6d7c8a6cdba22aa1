#include "engine/media_check.h"

#include <set>
#include <string>
#include <string_view>

#include "app/setup_record.h"
#include "app/tags.h"
#include "engine/file_set.h"
#include "engine/install_list.h"
#include "engine/install_session.h"
#include "platform/win32.h"
#include "resources/catalogue.h"

namespace {

void Trace(const std::string& line) {
    if (platform::UiApi* ui = platform::Current().ui) ui->Trace(line);
}

bool RowApplies(const catalogue::MediaCheckRow& row) {
    if (!row.tag) return IsOvraFamily();
    return HasTag(row.tag) || (row.alternativeTag && HasTag(row.alternativeTag));
}

bool SetApplies(const catalogue::MediaFileSet& set) {
    if (set.onlyWithTag && !HasTag(set.onlyWithTag)) return false;
    if (set.unlessTag && HasTag(set.unlessTag)) return false;
    if (set.unlessOtherTag && HasTag(set.unlessOtherTag)) return false;
    return true;
}

}  // namespace

bool IsFileSetOnMedia(InstallSession& app, const std::string& setName) {
    install_list::PathParts parts = install_list::SplitPath(Setup().sourceDir);
    const std::string base = parts.drive + parts.dir;
    const bool release = HasTag(catalogue::kRelease);
    for (bool inSetFolder : {false, true}) {
        std::string stem = FileSetStem(base, setName, release, app.englishFiles != 0, inSetFolder);
        if (CanOpenForReading(stem + ".INS") && CanOpenForReading(stem + ".DAT")) return true;
    }
    Trace("media missing " + setName + " below " + base + (release ? " (release)" : ""));
    return false;
}

int FileSetsForSelection() {
    if (Setup().patchWord) return 1;
    std::set<std::string> names;
    int again = 0;
    for (const auto& row : catalogue::MediaCheckRows()) {
        if (!RowApplies(row)) continue;
        for (const auto& set : row.sets) {
            if (!SetApplies(set)) continue;
            // The install phase takes the add-on tools' set itself, after the IDE has taken it; every
            // other set shared by two rows (the XE8000 tools) is installed once.
            if (!names.insert(set.name).second && row.tag &&
                row.tag == std::string_view(catalogue::kAddOnTools))
                ++again;
        }
    }
    return static_cast<int>(names.size()) + again;
}

bool CheckMediaForSelection(InstallSession& app) {
    const SetupRecord& s = Setup();
    if (!s.patchWord && !s.productWord && !s.word8051 && !s.word80251 && !s.xaWord && !s.lpcWord &&
        !s.st6Word && !s.addOnWord)
        return false;
    if (s.patchWord) return IsFileSetOnMedia(app, s.patchFileSet);
    bool complete = true;
    for (const auto& row : catalogue::MediaCheckRows()) {
        if (!RowApplies(row)) continue;
        for (const auto& set : row.sets)
            if (SetApplies(set)) complete = IsFileSetOnMedia(app, set.name) && complete;
    }
    return complete;
}
