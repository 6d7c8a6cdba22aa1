// Test double of the user interface: records every message box and answers from a queue (then with OK).
#pragma once

#include <deque>
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
