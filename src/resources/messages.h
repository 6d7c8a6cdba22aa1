// Placeholder until the message table lands.
#pragma once

#include <string>

std::string LoadMessage(int baseId, unsigned short languageOffset);
