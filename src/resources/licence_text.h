// The end-user licence agreement that the licence page shows when the media carries no readable
// license.txt. One item per list-box line, already wrapped for a list box about 300 dialog units wide;
// an empty item separates two paragraphs. The French copy is Windows-1252 bytes, as the ANSI list box
// takes them.
#pragma once

#include <span>

namespace resources {

// The English copy (76 items) or the French copy (81 items); each has 10 paragraphs.
std::span<const char* const> BuiltInLicence(bool french);

}  // namespace resources
