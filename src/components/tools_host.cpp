#include "components/tools_host.h"

#include <string>

#include "app/message_box.h"
#include "platform/win32.h"
#include "resources/dialog_templates.h"

namespace {
WVexaTools* g_toolsHost = nullptr;
}  // namespace

WVexaTools::WVexaTools(WizardState& app, HWND parent, std::int32_t* pageIndex, std::int32_t* step)
    : InstallOptionDialog(parent, resources::kToolsHostDialog, pageIndex, step),
      ddeCallback(&VexaDdeCallback),
      app_(app) {
    g_toolsHost = this;
}

WVexaTools::~WVexaTools() {
    if (g_toolsHost == this) g_toolsHost = nullptr;
}

WVexaTools* CurrentToolsHost() {
    return g_toolsHost;
}

HDDEDATA VexaDdeCallback(UINT type, UINT, HCONV, HSZ, HSZ, HDDEDATA, std::uintptr_t, std::uintptr_t) {
    if (type == XTYP_ERROR) {
        // The host is never shown, so the box has no owner; its caption is Program Manager's.
        std::string text = LoadMessage(1083);
        platform::Current().ui->NoteMessageId(1083);
        MessageBoxExA(nullptr, text.c_str(), "ProgMan", MB_ICONINFORMATION, 0);
    } else if (type == XTYP_DISCONNECT && g_toolsHost) {
        g_toolsHost->conversation = nullptr;
    }
    return nullptr;
}
