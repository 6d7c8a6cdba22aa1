#include "pages/summary.h"

#include "app/message_box.h"
#include "app/setup_record.h"
#include "app/tags.h"
#include "app/text.h"
#include "platform/win32.h"
#include "resources/catalogue.h"
#include "resources/dialog_templates.h"

std::string FormatFreeSpace(unsigned long long bytes) {
    if (bytes >= 1048577ull)
        return FormatText(LoadMessage(1078).c_str(), static_cast<double>(bytes) / 1048576.0);
    if (bytes <= 1024ull) return FormatText(LoadMessage(1080).c_str(), static_cast<unsigned long>(bytes));
    return FormatText(LoadMessage(1079).c_str(), static_cast<double>(bytes) / 1024.0);
}

unsigned long long FreeBytesOfDrive(const std::string& directory) {
    std::size_t colon = directory.find(':');
    std::string root;
    if (colon != std::string::npos && colon > 0) {
        char letter = static_cast<char>(ToUpper(directory.substr(colon - 1, 1))[0]);
        if (letter >= 'A' && letter <= 'Z') root = std::string(1, letter) + ":\\";
    }
    ULONGLONG freeToCaller = 0, total = 0, totalFree = 0;
    if (!GetDiskFreeSpaceExA(root.empty() ? nullptr : root.c_str(), &freeToCaller, &total, &totalFree))
        return 0;
    return totalFree;
}

WVexaDiskInfo::WVexaDiskInfo(HWND parent, std::int32_t* pageIndex, std::int32_t* step)
    : InstallOptionDialog(parent, resources::kSummaryDialog, pageIndex, step) {}

void WVexaDiskInfo::SetupPage() {
    using namespace catalogue;
    const SetupRecord& s = Setup();
    unsigned long long freeBytes = FreeBytesOfDrive(s.installDir);
    caption = LoadMessage(1035);
    SetDlgItemText(201, s.userName);
    SetDlgItemText(202, s.company);
    SetDlgItemText(215, s.installDir);
    SetDlgItemText(208, FormatFreeSpace(freeBytes));
    double required =
        HasTag(kOvraSt6) ? 8 : ((HasTag(kOvra) || HasTag(kOvraPhilips) || HasTag(kOvraInfineon)) ? 32 : 1);
    SetDlgItemText(209, FormatText(LoadMessage(1078).c_str(), required));
    SetDlgItemText(110, LoadMessage(1044));
    SetDlgItemText(111, LoadMessage(1045));
    SetDlgItemText(112, LoadMessage(1046));
    SetDlgItemText(114, LoadMessage(1048));
    SetDlgItemText(115, LoadMessage(1049));
    SetDlgItemText(116, LoadMessage(1050));
    SetDlgItemText(120, LoadMessage(1051));
    SetDlgItemText(121, LoadMessage(1052));
    SetNavigationCaptions();
}
