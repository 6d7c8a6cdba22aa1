// Test support for the windowed front end: a display to draw on. When DISPLAY is not set and Xvfb is
// installed, a private Xvfb (1024x768, 24 bits) is started on a free display number for the rest of the
// test run; when neither is available the GUI tests skip.
#pragma once

#include <string>

namespace testing_support {

// True when a display is usable (DISPLAY is then set for this process and its children).
bool EnsureDisplay();
// Whether the display is the private Xvfb of known size.
bool HaveKnownScreen();

}  // namespace testing_support

#define REQUIRE_DISPLAY()                                                      \
    do {                                                                       \
        if (!testing_support::EnsureDisplay()) GTEST_SKIP() << "no X display"; \
    } while (0)
