#include "platform/machine/system_messages.h"

namespace platform {

std::string SystemMessageText(DWORD code) {
    switch (code) {
        case 0:
            return "Success.\r\n";
        case 2:
            return "File not found.\r\n";
        case 3:
            return "Path not found.\r\n";
        case 5:
            return "Access denied.\r\n";
        case 32:
            return "Sharing violation.\r\n";
        case 112:
            return "Disk full.\r\n";
        default:
            return "";
    }
}

}  // namespace platform
