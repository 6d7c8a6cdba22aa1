#include "app/wizard.h"

#include "app/background.h"
#include "app/flavour.h"
#include "app/inst_app.h"
#include "app/message_box.h"
#include "app/setup_record.h"
#include "app/start_checks.h"
#include "app/tags.h"
#include "platform/win32.h"
#include "resources/catalogue.h"

void RunWizard(WVexaInstApp& app) {
    app.pageIndex = 0;
    app.stepDirection = 1;
    Setup().userName.clear();
    Setup().company.clear();

    bool detected = DetectFlavour(app);
    UpdateBackgroundTitle();
    if (!detected) {
        PostQuitMessage(0);
        return;
    }
    if (!WindowsVersionAccepted()) {
        ShowMessage(nullptr, 1065, MB_ICONEXCLAMATION);
        PostQuitMessage(0);
        return;
    }
    app.englishFiles = HasTag(catalogue::kEnglish) ? 1 : 0;
    PostQuitMessage(0);
}
