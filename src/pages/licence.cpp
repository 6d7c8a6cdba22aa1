#include "pages/licence.h"

#include <cstring>

#include "app/message_box.h"
#include "app/setup_record.h"
#include "platform/win32.h"
#include "resources/dialog_templates.h"
#include "resources/licence_text.h"

namespace {
constexpr int kAgreementList = 105;
}

WVexaLicence::WVexaLicence(HWND parent, std::int32_t* pageIndex, std::int32_t* step)
    : InstallOptionDialog(parent, resources::kLicenceDialog, pageIndex, step) {}

void WVexaLicence::SetupPage() {
    caption = LoadMessage(1229);
    std::string path = Setup().sourceDir + "license.txt";
    if (crt::FILE* file = crt::fopen(path.c_str(), "r")) {
        char line[MAX_PATH];
        while (crt::fgets(line, sizeof line, file)) {
            const char* text = line + std::strspn(line, " \t");
            std::size_t length = std::strcspn(text, "\n");
            if (length > 0) AddListItem(kAgreementList, std::string(text, length));
        }
        crt::fclose(file);
    } else {
        for (const char* item : resources::BuiltInLicence(Setup().languageOffset != 0))
            AddListItem(kAgreementList, item);
    }
    SetDlgItemText(kNextButton, LoadMessage(1230));
    SetDlgItemText(kExitButton, LoadMessage(1231));
}
