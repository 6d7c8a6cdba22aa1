#include "resources/dialog_templates.h"

#include <stdexcept>

#include "resources/catalogue.h"

namespace resources {

namespace {

using platform::ControlClass;
using platform::ControlTemplate;
using platform::DialogTemplate;
using namespace platform;

constexpr DWORD kPage = WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kDefault = WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr DWORD kStatic = WS_VISIBLE | SS_LEFT;
constexpr DWORD kEdit = WS_VISIBLE | WS_BORDER | WS_TABSTOP;

ControlTemplate Button(int id, int x, int y, int cx, int cy, const char* text, DWORD style = kButton) {
    return {id, ControlClass::Button, style, x, y, cx, cy, text};
}
ControlTemplate Static(int id, int x, int y, int cx, int cy, DWORD style = kStatic, const char* text = "") {
    return {id, ControlClass::Static, style, x, y, cx, cy, text};
}
ControlTemplate Edit(int id, int x, int y, int cx, int cy, int limit, DWORD style = kEdit) {
    return {id, ControlClass::Edit, style, x, y, cx, cy, "", limit};
}

DialogTemplate Page(int id, int cx, const char* caption, std::vector<ControlTemplate> controls) {
    return {id, 150, 115, cx, 145, kPage, caption, "MS Sans Serif", 8, std::move(controls)};
}

const std::vector<DialogTemplate>& Templates() {
    static const std::vector<DialogTemplate> templates = {
        Page(kPresentationDialog, 300, "Presentation",
             {Static(112, 116, 4, 180, 9), Static(110, 115, 20, 180, 27), Static(111, 115, 54, 180, 10),
              Static(113, 115, 78, 180, 20), Button(102, 140, 128, 40, 14, "&Next", kDefault),
              Button(104, 197, 128, 40, 14, "&Help"),
              Button(101, 100, 128, 40, 14, "&Back", kButton | WS_DISABLED),
              Button(103, 253, 128, 40, 14, "&Exit")}),
        Page(kLicenceDialog, 418, "End-User License Agreement",
             {Button(102, 140, 128, 52, 14, "I &accept", kDefault),
              Button(103, 232, 128, 61, 14, "I &do not accept"),
              {105, ControlClass::ListBox,
               WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOSEL | LBS_DISABLENOSCROLL, 108, 11,
               304, 105, ""}}),
        Page(kReadmeDialog, 299, "Readme Information",
             {Static(110, 101, 8, 190, 20), Static(111, 101, 26, 190, 20), Static(113, 101, 44, 190, 20),
              Static(-1, 100, 64, 180, 17, kStatic | SS_CENTER, catalogue::kMakerWebAddress),
              Static(114, 101, 82, 190, 18),
              Static(-1, 100, 100, 180, 10, kStatic | SS_CENTER, catalogue::kSupportMail1),
              Static(-1, 100, 110, 180, 10, kStatic | SS_CENTER, catalogue::kSupportMail2),
              Button(102, 180, 128, 40, 14, "&Next", kDefault), Button(105, 140, 128, 40, 14, "&Skip"),
              Button(101, 100, 128, 40, 14, "&Back"), Button(103, 260, 128, 40, 14, "&Exit"),
              Button(104, 220, 128, 40, 14, "&Help")}),
        Page(
            kSetupTypeDialog, 299, "Type of Setup",
            {Static(110, 115, 37, 180, 13),
             Button(108, 120, 54, 80, 47, "Type of setup", WS_VISIBLE | WS_DISABLED | BS_GROUPBOX),
             Button(204, 125, 66, 71, 12, "C&omplete",
                    WS_VISIBLE | WS_DISABLED | WS_GROUP | BS_AUTORADIOBUTTON),
             Button(205, 125, 81, 71, 12, "&Custom", WS_VISIBLE | WS_DISABLED | BS_AUTORADIOBUTTON),
             Button(105, 205, 54, 68, 47, "Language", WS_VISIBLE | BS_GROUPBOX),
             Button(106, 210, 66, 60, 12, "English", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON),
             Button(107, 210, 81, 60, 12, "French", WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON),
             Button(102, 140, 128, 40, 14, "&Next", kDefault), Button(103, 260, 128, 40, 14, "&Exit"),
             Button(101, 100, 128, 40, 14, "&Back"), Button(104, 220, 128, 40, 14, "&Help")}),
        Page(kUserInfoDialog, 299, "User Information",
             {Static(110, 110, 18, 185, 20), Static(111, 110, 45, 50, 14),
              Edit(201, 160, 43, 130, 13, 256, kEdit | ES_AUTOHSCROLL), Static(112, 110, 68, 50, 14),
              Edit(202, 160, 65, 130, 13, 256, kEdit | ES_AUTOHSCROLL),
              Button(102, 140, 128, 40, 14, "&Next", kDefault), Button(101, 100, 128, 40, 14, "&Back"),
              Button(103, 260, 128, 40, 14, "&Exit"), Button(104, 220, 128, 40, 14, "&Help")}),
        Page(kDirectoryDialog, 299, "Destination Location",
             {Static(110, 100, 8, 190, 28), Static(111, 100, 31, 190, 14), Static(112, 100, 45, 190, 31),
              Static(113, 100, 80, 190, 9), Edit(206, 100, 93, 190, 13, 260, kEdit | ES_WANTRETURN),
              Button(106, 180, 128, 40, 14, "Bro&wse"), Button(102, 140, 128, 40, 14, "&Next", kDefault),
              Button(101, 100, 128, 40, 14, "&Back"), Button(103, 259, 128, 40, 14, "&Exit"),
              Button(104, 220, 128, 40, 14, "&Help")}),
        Page(kSummaryDialog, 299, "Setup Settings:",
             {Static(110, 110, 9, 182, 11, kStatic | SS_CENTER),
              Button(120, 110, 27, 180, 37, "User", WS_VISIBLE | BS_GROUPBOX),
              Static(111, 115, 38, 52, 9, kStatic | SS_RIGHT),
              Edit(201, 172, 37, 113, 11, 256, WS_VISIBLE | WS_BORDER | WS_DISABLED | ES_READONLY),
              Static(112, 115, 49, 52, 9, kStatic | SS_RIGHT),
              Edit(202, 172, 48, 113, 11, 256, WS_VISIBLE | WS_BORDER | WS_DISABLED | ES_READONLY),
              Button(121, 110, 69, 180, 45, "Target", WS_VISIBLE | BS_GROUPBOX),
              Static(114, 115, 79, 52, 9, kStatic | SS_RIGHT),
              Edit(215, 172, 78, 113, 11, 260, WS_VISIBLE | WS_BORDER | WS_DISABLED | ES_READONLY),
              Static(115, 115, 90, 52, 9, kStatic | SS_RIGHT),
              Edit(208, 172, 89, 113, 11, 260, WS_VISIBLE | WS_BORDER | WS_DISABLED | ES_READONLY),
              Static(116, 115, 101, 52, 9, kStatic | SS_RIGHT),
              Edit(209, 172, 100, 113, 11, 260, WS_VISIBLE | WS_BORDER | WS_DISABLED | ES_READONLY),
              Button(102, 140, 128, 40, 14, "&Next", kDefault), Button(101, 100, 128, 40, 14, "&Back"),
              Button(103, 260, 128, 40, 14, "&Exit"), Button(104, 220, 128, 40, 14, "&Help")}),
        // The install-phase host is never shown; it carries no controls of its own.
        {kToolsHostDialog,
         150,
         115,
         200,
         60,
         WS_POPUP | DS_MODALFRAME | DS_SETFONT,
         "",
         "MS Sans Serif",
         8,
         {}},
        Page(kFinishDialog, 299, "Presentation",
             {Static(110, 100, 18, 174, 13), Static(111, 101, 35, 174, 25), Static(112, 101, 63, 181, 31),
              Button(102, 140, 128, 40, 14, "&Finish", WS_TABSTOP | BS_PUSHBUTTON),
              Button(103, 130, 128, 40, 14, "&Exit", kDefault),
              Button(101, 100, 128, 40, 14, "&Back", WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON)}),
        {kProgressDialog,
         0,
         0,
         319,
         126,
         WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT,
         "Installing",
         "MS Sans Serif",
         8,
         {{300, ControlClass::Animation, WS_VISIBLE | WS_BORDER, 11, 4, 72, 90, ""},
          Static(104, 93, 18, 191, 18, kStatic | SS_CENTER),
          {209, ControlClass::Gauge, WS_VISIBLE, 20, 102, 276, 18, ""}}},
        {kSourcePromptDialog,
         106,
         153,
         232,
         100,
         kPage | WS_SYSMENU,
         "Setup files",
         "MS Sans Serif",
         8,
         {Static(216, 4, 12, 191, 18), Edit(215, 6, 45, 214, 12, 260),
          Button(1, 52, 85, 40, 14, "&Ok", kDefault), Button(2, 120, 85, 40, 14, "&Cancel")}},
    };
    return templates;
}

}  // namespace

const platform::DialogTemplate* FindDialogTemplate(int id) {
    for (const auto& t : Templates())
        if (t.id == id) return &t;
    return nullptr;
}

const platform::DialogTemplate& DialogTemplateFor(int id) {
    if (const auto* t = FindDialogTemplate(id)) return *t;
    throw std::out_of_range("no dialog template " + std::to_string(id));
}

PictureSize PictureFor(int id) {
    switch (id) {
        case 1:
        case 2:
        case 12:
            return {id, 109, 137};
        case 3:
            return {id, 117, 156};
        case 5:
        case 6:
        case 8:
            return {id, 130, 160};
        case 7:
            return {id, 117, 149};
        default:
            return {0, 0, 0};
    }
}

}  // namespace resources
