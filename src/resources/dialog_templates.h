// The dialog templates of the program: every page, the source-location prompt, the install-phase host
// and the progress window, with their controls' ids, classes, positions and sizes (dialog units),
// styles and template captions. The front ends build their windows from these.
#pragma once

#include "platform/dialog.h"

namespace resources {

// Template numbers (they are also the numbers of the pages' pictures).
inline constexpr int kPresentationDialog = 1;
inline constexpr int kLicenceDialog = 2;
inline constexpr int kReadmeDialog = 3;
inline constexpr int kSetupTypeDialog = 5;
inline constexpr int kUserInfoDialog = 6;
inline constexpr int kDirectoryDialog = 7;
inline constexpr int kSummaryDialog = 8;
inline constexpr int kToolsHostDialog = 10;
inline constexpr int kFinishDialog = 12;
inline constexpr int kProgressDialog = 14;
inline constexpr int kSourcePromptDialog = 15;

// The template of that number; nullptr for a number the program has no template for.
const platform::DialogTemplate* FindDialogTemplate(int id);
const platform::DialogTemplate& DialogTemplateFor(int id);

struct PictureSize {
    int id;
    int width;
    int height;
};
// The page pictures (16-colour bitmaps numbered like their dialogs), in pixels; {0,0,0} for none.
PictureSize PictureFor(int id);

}  // namespace resources
