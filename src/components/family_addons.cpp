#include <string>
#include <string_view>

#include "app/tags.h"
#include "components/family_addon_shape.h"
#include "components/family_entries.h"
#include "components/family_rows.h"
#include "components/numbered_lists.h"
#include "components/tools_host.h"
#include "resources/catalogue.h"
#include "resources/catalogue_products.h"

using namespace catalogue;
using namespace family;

namespace {

// The 8051 and XA kits list the getting-started guide unless a FLIP or RISC51 product or the Infineon
// kit, which come with their own introduction, is part of the selection.
void AddGettingStarted(WVexaTools& host) {
    if (!host.continueFlag) return;
    for (const char* tag : {kFlip51Emu, kRisc51Sim, kRisc51Emu, kOvraInfineon})
        if (HasTag(tag)) return;
    if (!HasTag(k8051Tools) && !HasTag(kXaTools)) return;
    std::string name = std::string(kGettingStarted.group) + "\\" + kGettingStarted.doc.title;
    std::string path = std::string("\\DOC\\") + kGettingStarted.doc.file;
    AddManual(name.c_str(), path.c_str());
}

}  // namespace

void Install8051AddOn(WVexaTools& host, int number) {
    const FamilyRow& row = Row(number);
    // The FLIP and RISC51 emulators are sold with their simulators and install nothing of their own.
    if (std::string_view(row.tag) == kFlip51Emu || std::string_view(row.tag) == kRisc51Emu) return;
    InstallAddOn(host, row);
    if (std::string_view(row.tag) == kFlip51Sim) AddGettingStarted(host);
}
