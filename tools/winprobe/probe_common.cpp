#include "script.h"

namespace winprobe {

// Not provided yet.
bool CommonCommand(const Tokens&) {
    return false;
}
void ReleaseHeld() {}

}  // namespace winprobe
