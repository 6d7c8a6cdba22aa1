#include "app/user_record.h"

#include <string>

#include "app/registry_util.h"
#include "app/setup_record.h"
#include "platform/win32.h"

void WriteUserRecord() {
    HKEY info = CreateOpenKey("Software\\KESTRAVION\\Ovra\\6.1\\User Info");
    if (!info) return;
    HKEY registration = CreateOpenKey("Software\\KESTRAVION\\Ovra\\6.1\\User Info\\Registration");
    if (registration) {
        SetStringValue(registration, "Name", Setup().userName);
        SetStringValue(registration, "Company", Setup().company);
        RegCloseKey(registration);
    }
    RegCloseKey(info);
}
