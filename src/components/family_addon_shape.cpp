#include "components/family_addon_shape.h"

#include <string_view>

#include "app/tags.h"
#include "components/family_entries.h"
#include "resources/catalogue.h"

using namespace catalogue;

namespace family {

bool InstallAddOn(WVexaTools& host, const FamilyRow& row, bool askAboutPrevious) {
    if (!HasTag(row.tag)) return false;
    if (askAboutPrevious) AskAboutPreviousKeys(row);
    if (*row.targetName) WriteTarget(row);
    for (const char* set : row.fileSets) {
        if (row.manualSet && std::string_view(set) == row.manualSet) continue;
        if (!InstallSet(host, set)) return false;
    }
    if (row.manualSet && HasTag(kAddonPdfHlp) && !InstallSet(host, row.manualSet)) return false;
    WriteTools(row);
    WriteSimulators(row);
    WriteEmulators(row);
    WriteManuals(row);
    WriteHelps(row);
    WriteExternalTools(row);
    return true;
}

}  // namespace family
