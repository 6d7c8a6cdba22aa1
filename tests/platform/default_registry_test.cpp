#include "platform/machine/default_registry.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::TempPrefix;

// A value of a fresh prefix's registry: "<missing>" when the key or the value is not there.
std::string Value(HKEY root, const char* key, const char* name, DWORD* type = nullptr) {
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &h) != ERROR_SUCCESS) return "<missing>";
    char data[512] = {};
    DWORD size = sizeof data;
    LONG rc = RegQueryValueExA(h, name, nullptr, type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(h);
    return rc == ERROR_SUCCESS ? std::string(data) : "<missing>";
}

constexpr const char* kEnvironment = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

TEST(DefaultRegistry, ANewPrefixHoldsWhatWine8Writes) {
    TempPrefix prefix;
    struct Row {
        HKEY root;
        const char* key;
        const char* name;
        DWORD type;
        const char* data;
    } rows[] = {
        {HKEY_LOCAL_MACHINE, kEnvironment, "Path", REG_EXPAND_SZ,
         "%SystemRoot%\\system32;%SystemRoot%;%SystemRoot%\\system32\\wbem;%SystemRoot%\\system32\\"
         "WindowsPowershell\\v1.0"},
        {HKEY_LOCAL_MACHINE, kEnvironment, "PATHEXT", REG_SZ,
         ".com;.exe;.bat;.cmd;.vbs;.vbe;.js;.jse;.wsf;.wsh"},
        {HKEY_LOCAL_MACHINE, kEnvironment, "TEMP", REG_EXPAND_SZ, "%SystemRoot%\\temp"},
        {HKEY_LOCAL_MACHINE, kEnvironment, "windir", REG_EXPAND_SZ, "%SystemRoot%"},
        {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion", REG_SZ,
         "6.1"},
        {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentBuildNumber", REG_SZ,
         "7601"},
        {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion", "CSDVersion", REG_SZ,
         "Service Pack 1"},
        {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion", "ProductName", REG_SZ,
         "Microsoft Windows 7"},
        {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir", REG_SZ,
         "C:\\Program Files"},
        {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir (x86)", REG_SZ,
         "C:\\Program Files (x86)"},
        {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "CommonFilesDir", REG_SZ,
         "C:\\Program Files\\Common Files"},
    };
    for (const auto& r : rows) {
        DWORD type = 0;
        EXPECT_EQ(Value(r.root, r.key, r.name, &type), r.data) << r.key << " " << r.name;
        EXPECT_EQ(type, r.type) << r.key << " " << r.name;
    }
    // Nothing is counted yet, so there is no count key.
    HKEY h = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs", 0,
                            KEY_READ, &h),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                            KEY_READ, &h),
              ERROR_SUCCESS);
    RegCloseKey(h);
}

TEST(DefaultRegistry, TheUsersTempIsTheFolderGetTempPathGivesAndItExists) {
    TempPrefix prefix;
    char temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    std::string dir = temp;
    ASSERT_EQ(dir.back(), '\\');
    dir.pop_back();
    EXPECT_EQ(Value(HKEY_CURRENT_USER, "Environment", "TEMP"), dir);
    EXPECT_EQ(Value(HKEY_CURRENT_USER, "Environment", "TMP"), dir);
    EXPECT_EQ(GetFileAttributesA(dir.c_str()), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

}  // namespace
