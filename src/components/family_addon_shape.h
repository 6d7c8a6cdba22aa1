// The shape every add-on product follows: its earlier registry entries offered for deletion, its target,
// its file sets (the manuals set only with "AddonPDFHLP"), then its OVRA.ini entries.
#pragma once

#include "resources/catalogue_products.h"

class WVexaTools;

namespace family {

// `askAboutPrevious` false leaves the subkeys of an earlier installation alone (another add-on that
// shares them decides instead). Returns true when every set was installed and the entries written.
bool InstallAddOn(WVexaTools& host, const catalogue::FamilyRow& row, bool askAboutPrevious = true);

}  // namespace family
