// Shared between the windowing files of the native front end (they include <windows.h>).
#pragma once

namespace platform::winui {

// COM for the shell's folder browser, once per thread.
void InitialiseShell();

}  // namespace platform::winui
