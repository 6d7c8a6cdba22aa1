// The system's text for an error code, as FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM) gives it in English:
// the texts Wine carries, each ending with CR LF. Empty for a code without text.
#pragma once

#include <string>

#include "platform/win_types.h"

namespace platform {

std::string SystemMessageText(DWORD code);

}  // namespace platform
