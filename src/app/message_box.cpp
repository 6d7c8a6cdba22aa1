#include "app/message_box.h"

#include "app/setup_record.h"
#include "platform/win32.h"
#include "resources/messages.h"

std::string LoadMessage(int baseId) {
    return resources::LoadMessage(baseId, Setup().languageOffset);
}

HWND MainWindowHandle() {
    platform::UiApi* ui = platform::Current().ui;
    return ui ? ui->MainWindow() : nullptr;
}

int ShowFormattedMessage(HWND owner, int baseId, const std::string& text, UINT style) {
    std::string caption = LoadMessage(Setup().captionId);
    platform::Current().ui->NoteMessageId(baseId);
    return MessageBoxExA(owner, text.c_str(), caption.c_str(), style, 0);
}

int ShowMessage(HWND owner, int baseId, UINT style) {
    return ShowFormattedMessage(owner, baseId, LoadMessage(baseId), style);
}
