// A user interface that shows nothing: the benchmark times the engine, not a front end. Every message
// box is counted and printed to stderr (a clean install shows none); a modal page (the source prompt)
// is cancelled, so a misplaced media ends the run instead of waiting for a user.
#pragma once

#include <cstdio>
#include <string>

#include "platform/ui_api.h"

class SilentUi : public platform::UiApi {
  public:
    HWND MainWindow() override { return main_ ? reinterpret_cast<HWND>(1) : nullptr; }
    void CreateMainWindow(const std::string&) override { main_ = true; }
    void SetBackgroundTitle(const std::string&, UINT) override {}
    int MessageBoxExA(HWND, LPCSTR text, LPCSTR, UINT, WORD) override {
        ++boxes;
        std::fprintf(stderr, "message box: %s\n", text ? text : "");
        return IDOK;
    }
    BOOL WinHelpA(HWND, LPCSTR, UINT, DWORD) override { return TRUE; }
    int DialogBoxModal(HWND, platform::Dialog&) override {
        ++boxes;
        std::fprintf(stderr, "a page was shown: cancelled\n");
        return IDCANCEL;
    }
    void ModelessShow(platform::Dialog& dialog) override { dialog.SetupWindow(); }
    void ModelessUpdate(platform::Dialog&) override {}
    void ModelessDestroy(platform::Dialog&) override {}
    bool BrowseForFolder(HWND, const std::string&, std::string&) override { return false; }
    std::intptr_t ShellExecuteA(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, int) override { return 0; }
    void Trace(const std::string&) override {}

    int boxes = 0;

  private:
    bool main_ = false;
};
