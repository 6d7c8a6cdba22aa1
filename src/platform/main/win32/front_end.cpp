#include "platform/main/win32/front_end.h"

#include <cstdlib>

#include "platform/ui/script_ui.h"
#include "platform/ui/text_files.h"
#include "platform/ui/text_ui.h"
#include "platform/ui/win32/win_ui.h"

#ifdef _WIN32
#include <io.h>
#endif

namespace platform::win32 {

namespace {

bool OnConsole() {
    return _isatty(0) && _isatty(1);
}

}  // namespace

bool FrontEndAvailable(const std::string& name) {
    return name == "gui" || name == "script" || name == "text";
}

std::string DefaultFrontEnd() {
    if (winui::Desktop::DisplayAvailable()) return "gui";
    return OnConsole() ? "text" : "script";
}

std::unique_ptr<UiApi> MakeFrontEnd(const FrontEndOptions& options, Answers answers, Transcript& transcript,
                                    FileApi& files) {
    if (options.name == "gui") {
        winui::WinUiOptions gui;
        gui.unattended = options.unattended;
        gui.screenshotDir = options.screenshots;
        // Test-only: the folder of an outside screen grabber that captures every window (see
        // tests/wine/gui_screenshots.sh).
        if (const char* live = std::getenv("OVRA_LIVE_CAPTURE")) gui.liveCaptureDir = live;
        return std::make_unique<winui::WinUi>(std::move(answers), transcript, gui);
    }
    if (options.name == "text") return std::make_unique<TextUi>(0, 1, transcript, TextFilesOver(files));
    auto script = std::make_unique<ScriptUi>(std::move(answers), transcript);
    script->SetFileExists([&files](const std::string& path) {
        DWORD attributes = files.GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    });
    return script;
}

}  // namespace platform::win32
