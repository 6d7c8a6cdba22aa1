#include "pages/presentation.h"

#include "app/message_box.h"
#include "app/setup_record.h"
#include "app/tags.h"
#include "app/text.h"
#include "resources/catalogue.h"
#include "resources/dialog_templates.h"

namespace {

using namespace catalogue;

bool Any(std::initializer_list<const char*> tags) {
    for (const char* t : tags)
        if (HasTag(t)) return true;
    return false;
}

// The Philips kits name their smart-card families.
int PhilipsSentence() {
    if (Any({kMifareTools, kMifareEmu})) return 1223;
    bool sxa2 = HasTag(kSxa2Sim), lite = HasTag(kSxa2SimLite), sxa = HasTag(kSxaSim);
    if (sxa2 && lite && sxa) return 1222;
    if (sxa2 && lite) return 1221;
    if (sxa2 && sxa) return 1219;
    if (lite && sxa) return 1220;
    if (sxa2) return 1217;
    if (lite) return 1218;
    if (Any({kSxaSim, kSxaEmu})) return 1102;
    return 1085;
}

// Kits that carry the XA or 80251 tools.
int XaKitSentence() {
    if (Any({kMifareTools, kMifareEmu})) return 1223;
    bool starc = HasTag(kStarcTools), starc2 = HasTag(kStarc2Tools);
    if (starc && starc2) return 1227;
    if (starc) return 1094;
    if (starc2) return 1225;
    if (HasTag(kMicSim)) return 1210;
    bool c51 = HasTag(k8051Tools), xa = HasTag(kXaTools), st6 = HasTag(kSt6Tools);
    if (c51 && !xa && !st6) return 1103;
    if (c51 && xa && !st6) return 1085;
    if (c51 || !xa || st6) return 1001;
    return 1232;
}

int KitSentence() {
    if (HasTag(kXe8000)) return 1235;
    if (HasTag(kLpcTools)) return 1302;
    if (Any({kXaTools, k80251Tools})) return XaKitSentence();
    if (Any({kMifareTools, kMifareEmu})) return 1223;
    bool starc = HasTag(kStarcTools), starc2 = HasTag(kStarc2Tools);
    if (starc && starc2) return 1226;
    if (starc) return 1105;
    if (starc2) return 1224;
    if (HasTag(kMicSim)) return 1210;
    return 1103;
}

int ReleaseSentence() {
    if (!HasTag(kRelease)) return 1010;
    if (Any({kAsmSt6, kLinkSt6, kCSt6})) return 1099;
    if (Any({kAsm51, kLink51, kC51})) return 1100;
    if (Any({kAsmXa, kLinkXa, kCXa})) return 1101;
    return 1098;
}

}  // namespace

PresentationTexts ChoosePresentationTexts() {
    if (HasTag(kSt5Tools)) return {1255, 1256, 1258};
    if (HasTag(kOvraSt6)) return {1005, 1006, 1008};
    if (HasTag(kOvraPhilips)) return {PhilipsSentence(), 1002, 1004};
    if (HasTag(kOvraInfineon)) return {1103, 1002, 1004};
    if (HasTag(kOvra)) return {KitSentence(), 1002, 1004};
    return {0, ReleaseSentence(), 1011};
}

WVexaPresentation::WVexaPresentation(HWND parent, std::int32_t* pageIndex, std::int32_t* step)
    : InstallOptionDialog(parent, resources::kPresentationDialog, pageIndex, step) {}

void WVexaPresentation::SetupPage() {
    caption = LoadMessage(1031);
    const SetupRecord& s = Setup();
    if (s.patchWord != 0 && !s.patchBuildNumber.empty()) {
        SetDlgItemText(110, FormatText(LoadMessage(1233).c_str(), s.patchDescription.c_str(),
                                       s.patchBuildNumber.c_str()));
        SetDlgItemText(111, " ");
        if (!s.patchDir.empty())
            SetDlgItemText(113, FormatText(LoadMessage(1237).c_str(), (s.installDir + s.patchDir).c_str()));
        else
            SetDlgItemText(113, LoadMessage(1004));
    } else {
        PresentationTexts texts = ChoosePresentationTexts();
        SetDlgItemText(110, texts.what ? LoadMessage(texts.what) : std::string());
        SetDlgItemText(111, LoadMessage(texts.space));
        SetDlgItemText(113, LoadMessage(texts.advice));
    }
    SetNavigationCaptions();
}
