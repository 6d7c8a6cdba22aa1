#include "resources/messages.h"

std::string LoadMessage(int, unsigned short) {
    return std::string();
}
