#include "engine/install_session.h"

#include "app/message_box.h"
#include "engine/progress.h"

InstallSession::InstallSession() = default;

InstallSession::~InstallSession() = default;

InstallDetailDialog& InstallSession::EnsureProgressWindow() {
    if (!progress) {
        progress = std::make_unique<InstallDetailDialog>(MainWindowHandle());
        progress->Create();
    }
    return *progress;
}

void InstallSession::DestroyProgressWindow() {
    progress.reset();
}
