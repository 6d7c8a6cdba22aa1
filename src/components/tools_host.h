// The install phase's host object: a page on template 10 that is never shown. It carries the continue
// flag every installer tests and sets, and the handles of the Program Manager conversation.
#pragma once

#include <cstdint>

#include "app/wizard_state.h"
#include "pages/option_dialog.h"
#include "platform/win_types.h"

class WVexaTools : public InstallOptionDialog {
  public:
    // Stores itself in the program-wide pointer through which the DDE callback reaches it.
    WVexaTools(WizardState& app, HWND parent, std::int32_t* pageIndex, std::int32_t* step);
    ~WVexaTools() override;
    WVexaTools(const WVexaTools&) = delete;
    WVexaTools& operator=(const WVexaTools&) = delete;

    WizardState& App() { return app_; }

    DWORD ddeInstance = 0;
    HCONV conversation = nullptr;
    HSZ serviceHandle = nullptr;
    HSZ topicHandle = nullptr;
    // 1 while every file set so far was installed; an installer whose set failed stores 0 here.
    std::int32_t continueFlag = 1;
    PFNCALLBACK ddeCallback;

  private:
    WizardState& app_;
};

// The host in force (nullptr outside the install phase).
WVexaTools* CurrentToolsHost();

// DDEML's callback: a critical DDE error is shown to the user; Program Manager leaving the conversation
// clears the host's conversation handle. Always 0.
HDDEDATA VexaDdeCallback(UINT type, UINT format, HCONV conv, HSZ topic, HSZ item, HDDEDATA data,
                         std::uintptr_t data1, std::uintptr_t data2);
