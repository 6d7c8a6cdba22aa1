// Shared by the native_*.cpp files, which alone include <windows.h>.
#pragma once

#include <windows.h>

#include "platform/win32/native.h"

namespace platform::native {

// Null for Security::Default; the attributes of a descriptor without an access list for NullDacl.
SECURITY_ATTRIBUTES* AttributesFor(Security security);

}  // namespace platform::native
