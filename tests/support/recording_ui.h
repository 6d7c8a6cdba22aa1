// Test double of the user interface: records every message box and answers from a queue (then with OK).
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/ui_api.h"

namespace testing_support {

struct ShownBox {
    int id;
    bool owned;
    std::string caption;
    std::string text;
    UINT style;
};

class RecordingUi : public platform::UiApi {
  public:
    HWND MainWindow() override { return main_ ? reinterpret_cast<HWND>(1) : nullptr; }
    void CreateMainWindow(const std::string& caption) override {
        main_ = true;
        windowCaption = caption;
    }
    void SetBackgroundTitle(const std::string& title, UINT format) override {
        backgroundTitle = title;
        backgroundFormat = format;
    }
    int MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD) override {
        boxes.push_back({nextId_, owner != nullptr, caption ? caption : "", text ? text : "", type});
        nextId_ = -1;
        if (answers.empty()) return IDOK;
        int a = answers.front();
        answers.pop_front();
        return a;
    }
    void NoteMessageId(int id) override { nextId_ = id; }
    BOOL WinHelpA(HWND, LPCSTR file, UINT, DWORD context) override {
        helpRequests.push_back(std::string(file ? file : "") + "#" + std::to_string(context));
        return TRUE;
    }
    void Trace(const std::string& line) override { traces.push_back(line); }
    // Dialogs: SetupWindow, then the queued commands (or the forward command), as a user would press them.
    int DialogBoxModal(HWND, platform::Dialog& dialog) override {
        dialog.SetupWindow();
        shownDialogs.push_back(dialog.TemplateId());
        if (onShow) onShow(dialog);
        for (int guard = 0; !dialog.Ended() && guard < 10; ++guard) {
            int command = dialog.ForwardCommand();
            if (!commands.empty()) {
                command = commands.front();
                commands.pop_front();
            }
            dialog.Command(command);
        }
        return dialog.Result();
    }
    void ModelessShow(platform::Dialog& dialog) override {
        dialog.SetupWindow();
        modeless.push_back("show " + dialog.caption);
    }
    void ModelessUpdate(platform::Dialog& dialog) override {
        std::string state = dialog.caption;
        for (const auto& c : dialog.controls) {
            if (c.cls == platform::ControlClass::Static) state += "|" + c.text;
            if (c.cls == platform::ControlClass::Gauge) state += "|" + std::to_string(c.value);
        }
        modeless.push_back(state);
    }
    void ModelessDestroy(platform::Dialog&) override { modeless.push_back("close"); }
    bool BrowseForFolder(HWND, const std::string& title, std::string& path) override {
        browseTitles.push_back(title);
        if (browseResult.empty()) return false;
        path = browseResult;
        return true;
    }
    std::intptr_t ShellExecuteA(HWND, LPCSTR, LPCSTR file, LPCSTR, LPCSTR, int) override {
        opened.push_back(file ? file : "");
        return shellResult;
    }

    std::vector<std::string> modeless;
    std::vector<int> shownDialogs;
    std::deque<int> commands;
    std::function<void(platform::Dialog&)> onShow;
    std::vector<std::string> browseTitles;
    std::string browseResult;
    std::vector<std::string> opened;
    std::intptr_t shellResult = 42;

    std::vector<int> BoxIds() const {
        std::vector<int> ids;
        for (const auto& b : boxes)
            ids.push_back(b.id);
        return ids;
    }

    std::vector<ShownBox> boxes;
    std::deque<int> answers;
    std::vector<std::string> helpRequests;
    std::vector<std::string> traces;
    std::string windowCaption;
    std::string backgroundTitle;
    UINT backgroundFormat = 0;

  private:
    bool main_ = false;
    int nextId_ = -1;
};

}  // namespace testing_support
