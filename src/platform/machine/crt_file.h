// The C runtime's stream over a file handle of MachineFiles, with the Windows C runtime's text mode:
// "\n" goes out as CR LF, CR LF comes back as "\n", and a Ctrl-Z ends the text when reading. Binary
// mode ("b") passes bytes untouched. Writes go straight to the handle, so a full disk shows at the
// call that met it; reads are buffered, and ftell counts the bytes of the file, not the characters
// returned.
#pragma once

#include <string>

#include "platform/win_types.h"

namespace platform {

class CrtFile {
  public:
    HANDLE handle = INVALID_HANDLE_VALUE;
    bool text = true;
    bool canRead = false;
    bool canWrite = false;
    bool append = false;
    bool eof = false;
    bool error = false;
    std::string ahead;  // bytes read from the file and not yet consumed
    std::size_t aheadPos = 0;
};

}  // namespace platform
