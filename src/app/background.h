// The title the background window paints, chosen by the product tags.
#pragma once

#include "platform/win_types.h"

struct BackgroundTitle {
    int messageId;
    UINT drawTextFormat;
};

// Before the flavour is known every tag is false, which gives the kit's own title (1064).
BackgroundTitle ChooseBackgroundTitle();
// Hands the chosen title to the user interface so the background repaints with it.
void UpdateBackgroundTitle();
