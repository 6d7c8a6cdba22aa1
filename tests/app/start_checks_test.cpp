#include "app/start_checks.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/setup_record.h"
#include "platform/machine/system.h"
#include "platform/win32.h"
#include "support/recording_ui.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::TempPrefix;

void SetWineVersion(const char* setting) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(setting),
                             static_cast<DWORD>(std::strlen(setting) + 1)),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST(StartChecks, VersionTestFollowsThePrefixSetting) {
    struct Case {
        const char* setting;  // nullptr: unset
        DWORD version;
        bool nt;
    } cases[] = {{nullptr, 0x1DB10106, true},  {"win95", 0xC0000004, false}, {"win98", 0xC0000A04, false},
                 {"win2k", 0x08930005, true},  {"winxp", 0x0A280105, true},  {"win10", 0x23F00206, true},
                 {"winnt40", 0x1DB10106, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting ? c.setting : "unset");
        TempPrefix prefix;
        ResetSetupRecord();
        if (c.setting) SetWineVersion(c.setting);
        EXPECT_EQ(GetVersion(), c.version);
        EXPECT_EQ(IsWindowsNT(), c.nt);
        EXPECT_TRUE(WindowsVersionAccepted());
        EXPECT_EQ(::Setup().nt, c.nt);
    }
}

// GetVersion values no prefix setting gives: the test reads only the high bit and the low byte.
class FixedVersion : public platform::MachineSystem {
  public:
    FixedVersion(platform::RegistryApi& r, DWORD v) : MachineSystem(r, "C"), value_(v) {}
    DWORD GetVersion() override { return value_; }

  private:
    DWORD value_;
};

TEST(StartChecks, NineXFamilyBelowVersionFourIsRefused) {
    struct Case {
        DWORD version;
        bool accepted;
        bool nt;
    } cases[] = {{0x80000003, false, false}, {0xC0000003, false, false}, {0xC0000004, true, false},
                 {0x80000A05, true, false},  {0x00000003, true, true},   {0x7FFFFF01, true, true}};
    for (const auto& c : cases) {
        TempPrefix prefix;
        FixedVersion system(*platform::Current().registry, c.version);
        platform::Services services = platform::Current();
        services.system = &system;
        platform::ScopedServices scope(services);
        ResetSetupRecord();
        ::Setup().nt = true;
        EXPECT_EQ(WindowsVersionAccepted(), c.accepted) << std::hex << c.version;
        EXPECT_EQ(::Setup().nt, c.nt) << std::hex << c.version;
    }
}

TEST(StartChecks, RightsProbeLeavesNothingBehind) {
    TempPrefix prefix;
    EXPECT_TRUE(HasInstallRights());
    // The probe file is gone again; a file of that name already there means no rights.
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA("C:\\windows\\system32\\Q*", &data);
    EXPECT_EQ(find, INVALID_HANDLE_VALUE);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    HANDLE h = CreateFileA("C:\\windows\\system32\\Q$$1.\xA3Q\xA3", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0,
                           nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
    EXPECT_FALSE(HasInstallRights());
}

TEST(StartChecks, RightsNeedTheEnvironmentKey) {
    TempPrefix prefix;
    prefix.machine().faults().refusedKeys.insert(
        "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment");
    EXPECT_FALSE(HasInstallRights());
    prefix.machine().faults().refusedKeys.clear();
    prefix.machine().faults().denied.insert("C:\\windows\\system32");
    EXPECT_FALSE(HasInstallRights());
}

}  // namespace
