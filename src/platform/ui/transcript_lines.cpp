#include "platform/ui/transcript_lines.h"

#include <cstdio>

namespace platform {

namespace {

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

const char* ClassName(const Control& c) {
    switch (c.cls) {
        case ControlClass::Static:
            return "static";
        case ControlClass::Edit:
            return "edit";
        case ControlClass::ListBox:
            return "list";
        case ControlClass::Gauge:
            return "gauge";
        case ControlClass::Animation:
            return "animation";
        case ControlClass::Button:
            if (c.IsButton(BS_GROUPBOX)) return "group";
            if (c.IsButton(BS_AUTORADIOBUTTON)) return "radio";
            return "button";
    }
    return "control";
}

}  // namespace

void RecordDialog(Transcript& transcript, const Dialog& dialog) {
    transcript.Line("page " + std::to_string(dialog.TemplateId()) +
                    " caption=" + Transcript::Quote(dialog.caption));
    for (const Control& c : dialog.controls) {
        if (!c.visible) continue;
        std::string line = std::string("  ") + ClassName(c) + " " + std::to_string(c.id);
        if (c.cls == ControlClass::ListBox) {
            line += " items=" + std::to_string(c.items.size());
            if (!c.items.empty()) line += " first=" + Transcript::Quote(c.items.front());
        } else {
            line += " " + Transcript::Quote(c.text);
        }
        if (c.IsButton(BS_AUTORADIOBUTTON) && c.checked) line += " checked";
        if (c.IsButton(BS_DEFPUSHBUTTON)) line += " default";
        if (!c.enabled) line += " disabled";
        transcript.Line(line);
    }
}

void RecordPress(Transcript& transcript, const Dialog& dialog, int command) {
    const Control* button = dialog.Find(command);
    transcript.Line("press " + std::to_string(command) + " " + Transcript::Quote(button ? button->text : ""));
}

std::string MessageBoxLine(int messageId, BoxOwner owner, const char* caption, const char* text, UINT type,
                           int answer) {
    std::string line = "messagebox";
    if (messageId > 0) line += " id=" + std::to_string(messageId);
    line += std::string(" owner=") +
            (owner == BoxOwner::Nobody ? "none" : (owner == BoxOwner::Main ? "main" : "page"));
    line += " caption=" + Transcript::Quote(caption ? caption : "");
    line += " text=" + Transcript::Quote(text ? text : "");
    line += " style=" + Hex(type, 2);
    line += std::string(" answer=") + AnswerName(answer);
    return line;
}

std::string HelpLine(const char* helpFile, UINT command, DWORD data) {
    return "help file=" + Transcript::Quote(helpFile ? helpFile : "") +
           " command=" + std::to_string(command) + " context=" + std::to_string(data);
}

std::string BrowseLine(const std::string& title, const std::string* chosen) {
    return "browse title=" + Transcript::Quote(title) +
           " result=" + (chosen ? Transcript::Quote(*chosen) : std::string("cancel"));
}

std::string ShellExecuteLine(const char* operation, const std::string& file, bool opened) {
    return "shellexecute verb=" + Transcript::Quote(operation ? operation : "") +
           " file=" + Transcript::Quote(file) + (opened ? " opened" : " not-found");
}

std::string BackgroundTitleLine(const std::string& title, UINT drawTextFormat) {
    return "background title=" + Transcript::Quote(title) + " format=" + Hex(drawTextFormat, 2);
}

std::string ModelessState(const Dialog& dialog) {
    std::string state = "title=" + Transcript::Quote(dialog.caption);
    for (const Control& c : dialog.controls) {
        if (c.cls == ControlClass::Static) state += " text=" + Transcript::Quote(c.text);
        if (c.cls == ControlClass::Gauge) state += " gauge=" + std::to_string(c.value);
    }
    return state;
}

}  // namespace platform
