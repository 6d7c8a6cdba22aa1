// The kit's Program Manager group, made through a DDE conversation with the "PROGMAN" service: the IDE,
// its reference help and the uninstaller.
#pragma once

#include <string>
#include <vector>

class WVexaTools;

// The seven execute strings, in the order they are sent.
std::vector<std::string> ProgramGroupCommands(const std::string& installDir, bool lpc);

// Runs the conversation on the host's DDE handles. `conversationFlag` (set by the caller) is cleared
// when Program Manager cannot be reached; the installation goes on either way.
void CreateProgramGroup(WVexaTools& host, bool& conversationFlag);
