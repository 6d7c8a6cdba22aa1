#include "components/install_phase.h"

#include "app/inst_app.h"

// Not yet installing anything: the file-set engine and the family installers are still being built, so the
// phase reports success with nothing copied.
void InstallPhase(WVexaInstApp& app) {
    app.pageIndex = 10;
}

void InstallPatch(WVexaInstApp&) {}
