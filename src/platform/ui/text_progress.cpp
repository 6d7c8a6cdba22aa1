// The progress window as one line: "title (set 2 of 7): text [#####     ] 42%", redrawn in place on a
// terminal and written once per change into a pipe. The gauge is the current set's; the set count tells
// how far the whole installation has come.
#include <algorithm>

#include "platform/ui/text_ui.h"
#include "platform/ui/transcript_lines.h"

namespace platform {

namespace {

constexpr int kBarWidth = 20;

std::string ProgressLine(const Dialog& dialog, std::size_t width) {
    std::string text;
    int gauge = -1;
    for (const Control& c : dialog.controls) {
        if (c.cls == ControlClass::Static && !c.text.empty()) text += (text.empty() ? "" : " ") + c.text;
        if (c.cls == ControlClass::Gauge) gauge = std::clamp(c.value, 0, 100);
    }
    for (char& ch : text)
        if (ch == '\n' || ch == '\r' || ch == '\t') ch = ' ';
    std::string line = dialog.caption;
    if (dialog.stage > 0)
        line += " (set " + std::to_string(dialog.stage) + " of " + std::to_string(dialog.stageCount) + ")";
    line += text.empty() ? "" : ": " + text;
    std::string bar;
    if (gauge >= 0) {
        int filled = gauge * kBarWidth / 100;
        bar = " [" + std::string(static_cast<std::size_t>(filled), '#') +
              std::string(static_cast<std::size_t>(kBarWidth - filled), ' ') + "] " + std::to_string(gauge) +
              "%";
    }
    if (width > 0 && line.size() + bar.size() > width) {
        std::size_t room = width > bar.size() + 3 ? width - bar.size() - 3 : 0;
        line = line.substr(0, room) + "...";
    }
    return line + bar;
}

}  // namespace

void TextUi::DrawProgress(const Dialog& dialog) {
    if (terminal_.IsTerminal()) {
        // One column short of the width: a line that fills the row would wrap and break the redraw.
        std::string line = ProgressLine(dialog, static_cast<std::size_t>(terminal_.Width() - 1));
        terminal_.WriteRaw("\r");
        terminal_.Write(line);
        terminal_.WriteRaw("\x1b[K");
        progressLineOpen_ = true;
    } else {
        terminal_.Write(ProgressLine(dialog, 0) + "\n");
    }
}

void TextUi::EndProgressLine() {
    if (!progressLineOpen_) return;
    terminal_.WriteRaw("\n");
    progressLineOpen_ = false;
}

void TextUi::ModelessShow(Dialog& dialog) {
    dialog.SetupWindow();
    std::string state = ModelessState(dialog);
    modelessState_[&dialog] = state;
    transcript_.Line("progress show " + state);
    EndProgressLine();
    DrawProgress(dialog);
}

void TextUi::ModelessUpdate(Dialog& dialog) {
    std::string state = ModelessState(dialog);
    std::string& last = modelessState_[&dialog];
    if (state == last) return;
    last = state;
    transcript_.Line("progress " + state);
    DrawProgress(dialog);
}

void TextUi::ModelessDestroy(Dialog& dialog) {
    modelessState_.erase(&dialog);
    transcript_.Line("progress close");
    EndProgressLine();
}

}  // namespace platform
