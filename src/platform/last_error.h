// The thread's last-error value, as SetLastError and GetLastError keep it.
#pragma once

#include "platform/win_types.h"

DWORD GetLastError();
void SetLastError(DWORD code);
