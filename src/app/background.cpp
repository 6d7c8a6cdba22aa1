#include "app/background.h"

#include "app/message_box.h"
#include "app/tags.h"
#include "platform/platform.h"
#include "resources/catalogue.h"

BackgroundTitle ChooseBackgroundTitle() {
    bool release = HasTag(catalogue::kRelease);
    bool lpc = HasTag(catalogue::kLpcTools);
    if (release && lpc) return {1301, DT_CENTER | DT_WORDBREAK};
    if (release) return {1097, DT_CENTER};
    if (lpc) return {1300, DT_CENTER | DT_WORDBREAK};
    return {1064, DT_CENTER};
}

void UpdateBackgroundTitle() {
    BackgroundTitle title = ChooseBackgroundTitle();
    if (platform::UiApi* ui = platform::Current().ui)
        ui->SetBackgroundTitle(LoadMessage(title.messageId), title.drawTextFormat);
}
