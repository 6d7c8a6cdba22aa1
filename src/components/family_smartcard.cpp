#include <string>
#include <string_view>

#include "app/tags.h"
#include "components/family_addon_shape.h"
#include "components/family_entries.h"
#include "components/family_rows.h"
#include "resources/catalogue.h"

using namespace catalogue;
using namespace family;

void InstallSmartCardAddOn(WVexaTools& host, int number) {
    const FamilyRow& row = Row(number);
    bool askAboutPrevious = true;
    // The Mifare tools carry the same simulator and ask about it themselves.
    if (std::string_view(row.tag) == kS51Sim) askAboutPrevious = !HasTag(kMifareTools);
    // Both STARC generations share the target and the tools: with both, neither removes the other's.
    if (std::string_view(row.tag) == kStarcTools || std::string_view(row.tag) == kStarc2Tools)
        askAboutPrevious = !(HasTag(kStarcTools) && HasTag(kStarc2Tools));
    InstallAddOn(host, row, askAboutPrevious);
}
