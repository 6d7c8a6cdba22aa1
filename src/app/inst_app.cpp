#include "app/inst_app.h"

#include "app/background.h"
#include "app/message_box.h"
#include "app/setup_record.h"
#include "app/wizard.h"
#include "platform/win32.h"

WVexaInstApp::WVexaInstApp() {
    Setup().earlierInstallation = false;
    Setup().simulatorDllsInstalled = false;
}

WVexaInstApp::~WVexaInstApp() = default;

void WVexaInstApp::InitMainWindow() {
    // A maximised frame titled with the caption message, painted by the background window.
    platform::Current().ui->CreateMainWindow(LoadMessage(Setup().captionId));
    UpdateBackgroundTitle();
    SetErrorMode(SEM_NOOPENFILEERRORBOX);
    // The second call replaces the first: a missing floppy or CD returns an error instead of a dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS);
}

void WVexaInstApp::InitInstance() {
    InitMainWindow();
    RunWizard(*this);
}

int WVexaInstApp::Run() {
    InitInstance();
    return 0;
}
