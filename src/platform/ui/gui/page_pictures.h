// The pictures painted on the left of the wizard pages: our own 16-colour artwork (a circuit board with
// a chip, varied per page), at the sizes of the page bitmaps, numbered like the dialogs.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace platform::gui {

struct PagePicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // rows of R, G, B, top row first; every colour from the 16-colour palette
};

// The size of picture `id` in pixels; {0, 0} for a number without a picture.
struct PictureSize {
    int width;
    int height;
};
PictureSize PagePictureSize(int id);
std::optional<PagePicture> RenderPagePicture(int id);

// The standard 16-colour palette the pictures use.
extern const std::uint8_t kPalette16[16][3];

}  // namespace platform::gui
