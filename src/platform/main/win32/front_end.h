// What the native programs of the kit (SETUP.EXE, VEXARMV.EXE) share: the choice of front end.
#pragma once

#include <memory>
#include <string>

#include "platform/api.h"
#include "platform/ui/answers.h"
#include "platform/ui/transcript.h"
#include "platform/ui_api.h"

namespace platform::win32 {

struct FrontEndOptions {
    std::string name;  // gui, script or text
    bool unattended = false;
    std::string screenshots;
};

bool FrontEndAvailable(const std::string& name);
// Without --ui: the windows where they can be shown, the console when there is one, else unattended.
std::string DefaultFrontEnd();
std::unique_ptr<UiApi> MakeFrontEnd(const FrontEndOptions& options, Answers answers, Transcript& transcript,
                                    FileApi& files);

}  // namespace platform::win32
