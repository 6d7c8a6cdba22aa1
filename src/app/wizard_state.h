// The wizard's state as the pages, the install phase and the completion see it: where the wizard stands,
// which way it is going, and what the user chose; the install engine's part of it is the session.
#pragma once

#include <cstdint>

#include "engine/install_session.h"

class WizardState : public InstallSession {
  public:
    std::int32_t pageIndex = 0;
    std::int32_t stepDirection = 1;
    std::uint8_t ideInstalled = 0;
    std::uint8_t completeSetup = 1;
};
