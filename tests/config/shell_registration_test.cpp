#include "config/shell_registration.h"

#include <gtest/gtest.h>

#include <string>

#include "app/setup_record.h"
#include "engine/setup_ini.h"
#include "platform/win32.h"
#include "support/temp_prefix.h"

namespace {

constexpr const char* kShared = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";

class ShellRegistrationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSetupRecord();
        ResetIdeIniErrorReport();
    }
    void TearDown() override { ResetSetupRecord(); }

    void Ini(const char* section, const char* key, const char* value) {
        WritePrivateProfileStringA(section, key, value, "C:\\windows\\OVRA.ini");
    }
    std::string IniValue(const char* section, const char* key) {
        char buffer[300] = {};
        GetPrivateProfileStringA(section, key, "x", buffer, sizeof buffer, "C:\\windows\\OVRA.ini");
        return buffer;
    }
    void SetCount(const char* path, DWORD count) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kShared, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, path, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), 4);
        RegCloseKey(key);
    }
    // -1 when the value does not exist.
    long Count(const char* path) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kShared, 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
        DWORD value = 0, size = 4;
        LONG rc = RegQueryValueExA(key, path, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
        return rc == ERROR_SUCCESS ? static_cast<long>(value) : -1;
    }
    std::string Value(HKEY root, const std::string& path, const char* name, bool* exists = nullptr) {
        HKEY key = nullptr;
        if (exists) *exists = false;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "<no key>";
        char buffer[300] = {};
        DWORD size = sizeof buffer;
        LONG rc = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
        RegCloseKey(key);
        if (exists) *exists = rc == ERROR_SUCCESS;
        return rc == ERROR_SUCCESS ? buffer : "<no value>";
    }
    void Register() {
        std::string program = IdeProgramPath();
        RegisterUninstallAndPaths(program);
        RegisterProjectAssociation(program);
    }

    testing_support::TempPrefix prefix;
};

TEST_F(ShellRegistrationTest, FirstInstallationRegistersAndCountsOnce) {
    Ini("Uninstall", "Path", "C:\\OVRA\\VEXARMV.EXE C:\\OVRA\\uninst.ins");
    Ini("Default Directories", "VexaBin", "C:\\OVRA\\Bin");
    Ini("Shared Dlls", "Shared0", "C:\\windows\\system32\\vxcore.dll");
    Ini("Shared Dlls", "Shared1", "C:\\windows\\system32\\uncounted.dll");
    Ini("Shared Dlls", "Shared2", "C:\\windows\\system32\\vxui.dll");
    Ini("Shared Dlls", "Shared4", "C:\\windows\\system32\\aftergap.dll");
    SetCount("C:\\windows\\system32\\vxcore.dll", 3);
    SetCount("C:\\windows\\system32\\vxui.dll", 1);
    SetCount("C:\\windows\\system32\\aftergap.dll", 5);
    Register();

    const std::string uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Ovra";
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, uninstall, "DisplayName"), "Vexa 6.1");
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, uninstall, "UninstallString"),
              "C:\\OVRA\\VEXARMV.EXE C:\\OVRA\\uninst.ins");
    const std::string appPath = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Ovra.exe";
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, appPath, ""), "C:\\OVRA\\Bin\\Ovra.exe");
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, appPath, "Path"), "C:\\OVRA\\Bin");
    EXPECT_EQ(Count("C:\\windows\\system32\\vxcore.dll"), 4);
    EXPECT_EQ(Count("C:\\windows\\system32\\uncounted.dll"), 1);  // no count yet: it starts at 1
    EXPECT_EQ(Count("C:\\windows\\system32\\vxui.dll"), 2);
    EXPECT_EQ(Count("C:\\windows\\system32\\aftergap.dll"), 5);  // beyond the gap
    EXPECT_EQ(IniValue("Shared Dlls", "Shared0"), "C:\\windows\\system32\\vxcore.dll");

    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, ".prj", ""), "prjfile");
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, "prjfile", ""), "Ovra project file");
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, "prjfile\\DefaultIcon", ""), "C:\\OVRA\\Bin\\Ovra.exe,2");
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, "prjfile\\shell\\open\\command", ""),
              "\"C:\\OVRA\\Bin\\Ovra.exe\" \"%1\"");
    // HKEY_CLASSES_ROOT is the machine's Software\Classes.
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, "Software\\Classes\\.prj", ""), "prjfile");
}

TEST_F(ShellRegistrationTest, EachRunCountsEachLibraryOnce) {
    // Every set that ships the run-time library records it; the run counts it once, whatever the case
    // of the recorded path.
    Ini("Default Directories", "VexaBin", "C:\\OVRA\\Bin");
    Ini("Shared Dlls", "Shared0", "C:\\windows\\system32\\VxRt32.DLL");
    Ini("Shared Dlls", "Shared1", "C:\\windows\\system32\\vxui.dll");
    Ini("Shared Dlls", "Shared2", "C:\\windows\\system32\\VxRt32.DLL");
    Ini("Shared Dlls", "Shared3", "c:\\WINDOWS\\system32\\vxrt32.dll");
    SetCount("C:\\windows\\system32\\vxui.dll", 3);
    Register();
    EXPECT_EQ(Count("C:\\windows\\system32\\VxRt32.DLL"), 1);
    EXPECT_EQ(Count("C:\\windows\\system32\\vxui.dll"), 4);
    // A second installation of the same kit is one more user of each library.
    Register();
    EXPECT_EQ(Count("C:\\windows\\system32\\VxRt32.DLL"), 2);
    EXPECT_EQ(Count("C:\\windows\\system32\\vxui.dll"), 5);
}

TEST_F(ShellRegistrationTest, WithoutVexaBinTheProgramPathIsEmpty) {
    // What an earlier installation registered.
    HKEY icon = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "prjfile\\DefaultIcon", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &icon, nullptr),
              ERROR_SUCCESS);
    const char oldIcon[] = "C:\\Old\\Ovra.exe,2";
    RegSetValueExA(icon, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(oldIcon), sizeof oldIcon);
    RegCloseKey(icon);
    EXPECT_EQ(IdeProgramPath(), "");
    Register();
    bool exists = true;
    const std::string appPath = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Ovra.exe";
    Value(HKEY_LOCAL_MACHINE, appPath, "", &exists);
    EXPECT_FALSE(exists);
    Value(HKEY_LOCAL_MACHINE, appPath, "Path", &exists);
    EXPECT_FALSE(exists);
    EXPECT_NE(Value(HKEY_LOCAL_MACHINE, appPath, "Path"), "<no key>");  // the key itself is there
    const std::string uninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Ovra";
    Value(HKEY_LOCAL_MACHINE, uninstall, "DisplayName", &exists);
    EXPECT_FALSE(exists);
    // The association is not pointed at an empty program: what was there stays.
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, ".prj", ""), "prjfile");
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, "prjfile\\DefaultIcon", ""), "C:\\Old\\Ovra.exe,2");
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, "prjfile\\shell\\open\\command", ""), "<no key>");
}

TEST_F(ShellRegistrationTest, AnEmptyListEntryIsPresentButHasNoCount) {
    Ini("Shared Dlls", "Shared1", "C:\\later.dll");
    // An empty value cannot be written through the profile call (it would delete the key); write the file.
    testing_support::WriteHostFile(prefix.DriveC("windows/OVRA.ini"),
                                   "[Shared Dlls]\r\nShared0=\r\nShared1=C:\\later.dll\r\n");
    SetCount("C:\\later.dll", 1);
    Register();
    EXPECT_EQ(Count("C:\\later.dll"), 2);  // the empty entry did not end the list
    bool exists = true;
    Value(HKEY_LOCAL_MACHINE, kShared, "", &exists);
    EXPECT_FALSE(exists);  // and named no library: no count under the empty name
}

TEST_F(ShellRegistrationTest, RefusedKeysAreSkippedSilently) {
    Ini("Default Directories", "VexaBin", "C:\\OVRA\\Bin");
    prefix.machine().faults().refusedKeys.insert("HKLM\\Software\\Classes\\prjfile");
    Register();
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, ".prj", ""), "prjfile");
    EXPECT_EQ(Value(HKEY_CLASSES_ROOT, "prjfile", ""), "<no key>");
}

}  // namespace
