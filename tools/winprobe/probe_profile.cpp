#include "script.h"

namespace winprobe {

// Not provided yet: every command of this probe answers as unknown.
bool ProfileCommand(const Tokens&) {
    return false;
}

}  // namespace winprobe
