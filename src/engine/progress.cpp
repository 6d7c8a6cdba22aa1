#include "engine/progress.h"

#include "app/setup_record.h"
#include "app/text.h"
#include "engine/install_list.h"
#include "platform/win32.h"
#include "resources/dialog_templates.h"

namespace {
// Dialog units of "MS Sans Serif" 8 points in pixels: 4 horizontal units and 8 vertical units make one
// average character cell of 6 by 13 pixels.
constexpr int kCharWidth = 6;
constexpr int kCharHeight = 13;
constexpr int kSmCxScreen = 0;
constexpr int kSmCyScreen = 1;
}  // namespace

InstallDetailDialog::InstallDetailDialog(HWND parent)
    : platform::Dialog(resources::DialogTemplateFor(resources::kProgressDialog)), parent_(parent) {}

InstallDetailDialog::~InstallDetailDialog() {
    if (shown_) platform::Current().ui->ModelessDestroy(*this);
}

void InstallDetailDialog::SetupWindow() {
    gauge_ = 0;
    if (platform::Control* gauge = Find(kGauge)) gauge->value = 0;
    // The front end plays what the animation control names; a missing file leaves it empty, silently.
    std::string avi = Setup().sourceDir + "INSTALL.AVI";
    DWORD attributes = GetFileAttributesA(avi.c_str());
    bool present = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    SetDlgItemText(kAnimation, present ? avi : std::string());

    const platform::DialogTemplate& t = Template();
    int width = t.cx * kCharWidth / 4;
    int height = t.cy * kCharHeight / 8;
    left = (GetSystemMetrics(kSmCxScreen) - width) / 2;
    top = (GetSystemMetrics(kSmCyScreen) - height) / 2;
}

void InstallDetailDialog::Create() {
    if (shown_) return;
    shown_ = true;
    platform::Current().ui->ModelessShow(*this);
}

void InstallDetailDialog::SetTitle(const std::string& title) {
    caption = title;
    Redraw();
}

void InstallDetailDialog::SetStage(int setNumber, int setCount) {
    stage = setNumber;
    stageCount = setCount < setNumber ? setNumber : setCount;
}

void InstallDetailDialog::SetTextAndGauge(const std::string& text, int position) {
    SetDlgItemText(kText, text.substr(0, 100));
    if (position != -1) {
        gauge_ = position < 100 ? position : 100;
        if (platform::Control* gauge = Find(kGauge)) gauge->value = gauge_;
    }
    Redraw();
}

void InstallDetailDialog::Redraw() {
    if (shown_) platform::Current().ui->ModelessUpdate(*this);
}

void ShortenPathForDisplay(std::string& path, std::size_t width) {
    install_list::PathParts parts = install_list::SplitPath(path);
    if (parts.drive.empty() || parts.dir.empty()) return;
    std::string text = path.size() > width ? parts.drive + "\\...\\" + parts.name + parts.ext : path;
    std::string out;
    for (char c : text) {
        if (c == '\\' && !out.empty() && out.back() == '\\') continue;
        out += c;
    }
    path = ToUpper(out);
}
