#include "components/family_installers.h"

#include "components/tools_host.h"

void RunFamilyInstallers(WVexaTools&) {}
