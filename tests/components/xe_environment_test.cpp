#include "components/xe_environment.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>

#include "app/setup_record.h"
#include "platform/win32.h"
#include "support/recording_ui.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::ReadHostFile;
using testing_support::RecordingUi;
using testing_support::TempPrefix;
using testing_support::WriteHostFile;

constexpr const char* kEnv = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

void SetEnv(const char* name, const std::string& value, DWORD type = REG_SZ) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kEnv, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}

void DeleteEnv(const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEnv, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

std::string GetEnv(const char* name, DWORD* type = nullptr) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEnv, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "<no key>";
    std::vector<BYTE> data(8192);
    DWORD size = static_cast<DWORD>(data.size()), t = 0;
    LONG r = RegQueryValueExA(key, name, nullptr, &t, data.data(), &size);
    RegCloseKey(key);
    if (type) *type = t;
    if (r != ERROR_SUCCESS) return "<missing>";
    return std::string(reinterpret_cast<const char*>(data.data()),
                       strnlen(reinterpret_cast<const char*>(data.data()), size));
}

class XeEnvironment : public ::testing::Test {
  protected:
    void SetUp() override { ResetSetupRecord(); }
    RecordingUi ui;
    TempPrefix prefix{&ui};
};

TEST_F(XeEnvironment, KeptTclDirectory) {
    struct Case {
        const char* previous;
        const char* kept;
    } cases[] = {{"", ""},
                 {"C:\\old\\bin", ""},
                 {"C:\\old\\bin;C:\\TCL\\bin", "C:\\TCL\\bin"},
                 {"C:\\tcl84;C:\\TCL\\bin", "C:\\tcl84"},
                 {"C:\\Tcl\\bin", ""},  // neither "TCL" nor "tcl"
                 {"SET C816_PATH=C:\\tcl\\bin;C:\\x", "SET C816_PATH=C:\\tcl\\bin"},
                 {";;C:\\TCL", "C:\\TCL"}};
    for (const auto& c : cases)
        EXPECT_EQ(KeptTclDirectory(c.previous), c.kept) << c.previous;
}

TEST_F(XeEnvironment, SpecsFileGetsTheChainRootOncePerLine) {
    const std::string dir = "Kit/coolrcts/win32/lib/gcc-lib/c816/egcs-2.91.02/";
    std::string longLine = "*long: " + std::string(700, 'y') + " /coolsoft/end";
    WriteHostFile(prefix.DriveC(dir + "specs-2.txt"),
                  "*cpp: -I/coolsoft/include -I/coolsoft/more\r\nplain line\r\n/COOLSOFT stays\r\n" +
                      longLine + "\r\n");
    RewriteSpecsFile("C:\\Kit");
    EXPECT_EQ(ReadHostFile(prefix.DriveC(dir + "specs")),
              "*cpp: -IC:/Kit/coolrcts/include -I/coolsoft/more\r\nplain line\r\n/COOLSOFT stays\r\n*long: " +
                  std::string(700, 'y') + " C:/Kit/coolrcts/end\r\n");
}

TEST_F(XeEnvironment, MissingSpecsSourceGivesAnEmptyFile) {
    CreateDirectoryA("C:\\Kit", nullptr);
    WriteHostFile(prefix.DriveC("Kit/coolrcts/win32/lib/gcc-lib/c816/egcs-2.91.02/specs"), "old contents");
    RewriteSpecsFile("C:\\Kit");
    EXPECT_EQ(ReadHostFile(prefix.DriveC("Kit/coolrcts/win32/lib/gcc-lib/c816/egcs-2.91.02/specs")), "");
}

TEST_F(XeEnvironment, RegistryVariantSetsTheChainAndThePath) {
    SetEnv("Path", "%SystemRoot%\\system32;%SystemRoot%", REG_EXPAND_SZ);
    SetEnv("C816_PATH", "C:\\old\\bin;D:\\TCL\\bin");
    SetXeEnvironmentInRegistry("C:\\Kit");
    DWORD type = 0;
    EXPECT_EQ(GetEnv("Path", &type), "%SystemRoot%\\system32;%SystemRoot%;%C816_PATH%;");
    EXPECT_EQ(type, REG_EXPAND_SZ);
    EXPECT_EQ(GetEnv("C816_PATH"), "C:\\Kit\\coolrcts\\win32\\bin;D:\\TCL\\bin");
    EXPECT_EQ(GetEnv("GCC_EXEC_PREFIX"), "C:\\Kit\\coolrcts\\win32\\lib\\gcc-lib\\");
    EXPECT_EQ(GetEnv("C816_ROOT"), "C:/Kit/coolrcts");
    EXPECT_EQ(GetEnv("C816_GCCLIB"), "C:/Kit/coolrcts/win32/lib/gcc-lib/c816/egcs-2.91.02");
    EXPECT_EQ(GetEnv("C816_CLIB"), "C:/Kit/coolrcts/win32/c816/lib");
    // A second run changes nothing in Path and replaces the chain's own directory.
    SetXeEnvironmentInRegistry("C:\\Kit");
    EXPECT_EQ(GetEnv("Path"), "%SystemRoot%\\system32;%SystemRoot%;%C816_PATH%;");
    EXPECT_EQ(GetEnv("C816_PATH"), "C:\\Kit\\coolrcts\\win32\\bin;D:\\TCL\\bin");
}

TEST_F(XeEnvironment, RegistryPathSeparatorsAndLongValues) {
    struct Case {
        std::string before;
        std::string after;
    } cases[] = {
        {"", "%C816_PATH%;"},
        {"C:\\a;", "C:\\a;%C816_PATH%;"},
        {"C:\\a", "C:\\a;%C816_PATH%;"},
        {"x;%C816_PATH%", "x;%C816_PATH%"},
        {std::string(300, 'p'), std::string(300, 'p') + ";%C816_PATH%;"},
        {std::string(1500, 'q') + ";", std::string(1500, 'q') + ";%C816_PATH%;"},
    };
    for (const auto& c : cases) {
        SetEnv("Path", c.before);
        SetEnv("C816_PATH", std::string(1200, 'z') + ";E:\\tcl");
        SetXeEnvironmentInRegistry("C:\\Kit");
        EXPECT_EQ(GetEnv("Path"), c.after) << c.before.size();
        EXPECT_EQ(GetEnv("C816_PATH"), "C:\\Kit\\coolrcts\\win32\\bin;E:\\tcl");
    }
    DeleteEnv("Path");
    DeleteEnv("C816_PATH");
    SetXeEnvironmentInRegistry("C:\\Kit");
    EXPECT_EQ(GetEnv("Path"), "<missing>");  // an unreadable Path is left alone
    EXPECT_EQ(GetEnv("C816_PATH"), "C:\\Kit\\coolrcts\\win32\\bin");
}

TEST_F(XeEnvironment, AutoexecGetsOneCopyOfEachLineHoweverOftenItRuns) {
    std::string longLine = "REM " + std::string(1500, 'r');
    WriteHostFile(prefix.DriveC("autoexec.bat"),
                  "@ECHO OFF\r\nSET C816_PATH=C:\\old\\bin;C:\\TCL\\bin\r\nSET PATH=%PATH%;%C816_PATH%;\r\n"
                  "SET PATH=C:\\DOS\r\n" +
                      longLine + "\r\nSET C816_ROOT=C:\\old\r\n");
    const std::string expected = "@ECHO OFF\r\nSET PATH=C:\\DOS\r\n" + longLine +
                                 "\r\n"
                                 "SET C816_PATH=C:\\Kit\\coolrcts\\win32\\bin;C:\\TCL\\bin\r\n"
                                 "SET GCC_EXEC_PREFIX=C:\\Kit\\coolrcts\\win32\\lib\\gcc-lib\\\r\n"
                                 "SET C816_ROOT=C:\\Kit\\coolrcts\r\n"
                                 "SET C816_GCCLIB=C:/Kit/coolrcts/win32/lib/gcc-lib/c816/egcs-2.91.02\r\n"
                                 "SET C816_CLIB=C:/Kit/coolrcts/win32/c816/lib\r\n"
                                 "SET PATH=%PATH%;%C816_PATH%;\r\n";
    SetXeEnvironmentInAutoexec("C:\\Kit");
    EXPECT_EQ(ReadHostFile(prefix.DriveC("autoexec.bat")), expected);
    SetXeEnvironmentInAutoexec("C:\\Kit");
    EXPECT_EQ(ReadHostFile(prefix.DriveC("autoexec.bat")), expected);
    EXPECT_EQ(ReadHostFile(prefix.DriveC("autoexec.bak")), expected);  // the backup of the second run's input
}

TEST_F(XeEnvironment, AutoexecIsCreatedWhenMissing) {
    SetXeEnvironmentInAutoexec("D:\\X");
    std::string text = ReadHostFile(prefix.DriveC("autoexec.bat"));
    EXPECT_EQ(text.rfind("SET C816_PATH=D:\\X\\coolrcts\\win32\\bin\r\n", 0), 0u) << text;
}

// The chain's lines as a run for C:\Kit appends them, the kept TCL directory given.
std::string KitLines(const std::string& tcl = "") {
    return "SET C816_PATH=C:\\Kit\\coolrcts\\win32\\bin" + (tcl.empty() ? "" : ";" + tcl) +
           "\r\n"
           "SET GCC_EXEC_PREFIX=C:\\Kit\\coolrcts\\win32\\lib\\gcc-lib\\\r\n"
           "SET C816_ROOT=C:\\Kit\\coolrcts\r\n"
           "SET C816_GCCLIB=C:/Kit/coolrcts/win32/lib/gcc-lib/c816/egcs-2.91.02\r\n"
           "SET C816_CLIB=C:/Kit/coolrcts/win32/c816/lib\r\n"
           "SET PATH=%PATH%;%C816_PATH%;\r\n";
}

TEST_F(XeEnvironment, AutoexecOldLinesAreRecognisedWhateverTheirCase) {
    struct Case {
        const char* name;
        std::string before;
        std::string after;
    } cases[] = {
        {"kept TCL directory alone", "SET C816_PATH=C:\\TCL84\\bin\r\n", KitLines("C:\\TCL84\\bin")},
        {"kept TCL directory second", "@echo off\r\nSET C816_PATH=c:\\old\\bin;C:\\TCL84\\bin\r\n",
         "@echo off\r\n" + KitLines("C:\\TCL84\\bin")},
        {"lower case",
         "set c816_path=c:\\old\\bin;d:\\tcl\\bin\r\nset path=%path%;%c816_path%;\r\n"
         "Set Gcc_Exec_Prefix=c:\\old\\\r\nset c816_root=c:\\old\r\nset c816_gcclib=x\r\nset c816_clib=y\r\n"
         "set path=c:\\dos\r\n",
         "set path=c:\\dos\r\n" + KitLines("d:\\tcl\\bin")},
        {"no TCL part", "SET C816_PATH=C:\\old\\bin\r\n", KitLines()},
    };
    for (const auto& c : cases) {
        WriteHostFile(prefix.DriveC("autoexec.bat"), c.before);
        SetXeEnvironmentInAutoexec("C:\\Kit");
        EXPECT_EQ(ReadHostFile(prefix.DriveC("autoexec.bat")), c.after) << c.name;
        EXPECT_EQ(ReadHostFile(prefix.DriveC("autoexec.bak")), c.before) << c.name;
    }
    EXPECT_TRUE(ui.boxes.empty());
}

// autoexec.bat is rewritten only from itself and only as a whole: when its backup cannot be made or
// the new file cannot be written, it stays byte for byte as it was, and the system's text says why.
TEST_F(XeEnvironment, AutoexecStaysAsItWasWhenItCannotBeRewrittenSafely) {
    const std::string before = "@ECHO OFF\r\nSET PATH=C:\\DOS\r\nSET C816_PATH=C:\\old\\bin\r\n";
    struct Case {
        const char* name;
        std::function<void(TempPrefix&)> fault;
        DWORD error;
    } cases[] = {
        {"read-only stale backup",
         [](TempPrefix& p) {
             WriteHostFile(p.DriveC("autoexec.bak"), "SET PATH=C:\\STALE\r\n");
             SetFileAttributesA("C:\\autoexec.bak", FILE_ATTRIBUTE_READONLY);
         },
         ERROR_ACCESS_DENIED},
        {"disk full", [&](TempPrefix& p) { p.machine().faults().diskSpaceLeft = before.size() + 10; },
         ERROR_DISK_FULL},
        {"autoexec.bat in use", [](TempPrefix& p) { p.machine().faults().inUse.insert("C:\\autoexec.bat"); },
         ERROR_SHARING_VIOLATION},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // A prefix of the case's own, in force while it lives.
        TempPrefix own{&ui};
        ui.boxes.clear();
        WriteHostFile(own.DriveC("autoexec.bat"), before);
        c.fault(own);
        SetXeEnvironmentInAutoexec("C:\\Kit");
        EXPECT_EQ(ReadHostFile(own.DriveC("autoexec.bat")), before);
        EXPECT_FALSE(std::filesystem::exists(own.DriveC("autoexec.new")));
        ASSERT_EQ(ui.BoxIds(), std::vector<int>{0});
        EXPECT_EQ(ui.boxes[0].text, FormatSystemMessage(c.error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT)));
        EXPECT_EQ(ui.boxes[0].style, MB_OK | MB_ICONHAND);
    }
}

class SearchPath : public XeEnvironment {
  protected:
    void Bin(const char* value) {
        WritePrivateProfileStringA("Default Directories", "VexaBin", value, "C:\\windows\\OVRA.ini");
    }
};

TEST_F(SearchPath, AddsTheIdeBinDirectoryOnce) {
    Bin("C:\\OVRA\\Bin");
    struct Case {
        std::string before;
        std::string after;
    } cases[] = {{"", "C:\\OVRA\\Bin;"},
                 {"C:\\a;", "C:\\a;C:\\OVRA\\Bin;"},
                 {"C:\\a", "C:\\a;C:\\OVRA\\Bin;"},
                 {"c:\\ovra\\bin;C:\\a", "c:\\ovra\\bin;C:\\a"},
                 {std::string(400, 'p'), std::string(400, 'p') + ";C:\\OVRA\\Bin;"}};
    for (const auto& c : cases) {
        SetEnv("Path", c.before, REG_EXPAND_SZ);
        AddIdeToSearchPath();
        DWORD type = 0;
        EXPECT_EQ(GetEnv("Path", &type), c.after);
        EXPECT_EQ(type, REG_EXPAND_SZ);
    }
    DeleteEnv("Path");
    AddIdeToSearchPath();
    DWORD type = 0;
    EXPECT_EQ(GetEnv("Path", &type), "C:\\OVRA\\Bin;");
    EXPECT_EQ(type, REG_SZ);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SearchPath, WithoutVexaBinNothingChanges) {
    SetEnv("Path", "C:\\a");
    AddIdeToSearchPath();
    EXPECT_EQ(GetEnv("Path"), "C:\\a");
    DeleteEnv("Path");
    AddIdeToSearchPath();
    EXPECT_EQ(GetEnv("Path"), "<missing>");
}

// A registry whose "Path" cannot be read for a reason other than its absence.
class UnreadablePath : public platform::RegistryApi {
  public:
    explicit UnreadablePath(platform::RegistryApi& real) : real_(real) {}
    LONG RegOpenKeyExA(HKEY k, LPCSTR s, DWORD o, REGSAM a, PHKEY r) override {
        return real_.RegOpenKeyExA(k, s, o, a, r);
    }
    LONG RegCreateKeyExA(HKEY k, LPCSTR s, DWORD r, LPSTR c, DWORD o, REGSAM a, LPSECURITY_ATTRIBUTES sa,
                         PHKEY h, LPDWORD d) override {
        return real_.RegCreateKeyExA(k, s, r, c, o, a, sa, h, d);
    }
    LONG RegSetValueExA(HKEY k, LPCSTR n, DWORD r, DWORD t, const BYTE* d, DWORD s) override {
        return real_.RegSetValueExA(k, n, r, t, d, s);
    }
    LONG RegQueryValueExA(HKEY k, LPCSTR n, LPDWORD r, LPDWORD t, LPBYTE d, LPDWORD s) override {
        if (n && std::strcmp(n, "Path") == 0) return static_cast<LONG>(ERROR_ACCESS_DENIED);
        return real_.RegQueryValueExA(k, n, r, t, d, s);
    }
    LONG RegSetValueA(HKEY k, LPCSTR s, DWORD t, LPCSTR d, DWORD n) override {
        return real_.RegSetValueA(k, s, t, d, n);
    }
    LONG RegQueryValueA(HKEY k, LPCSTR s, LPSTR d, LONG* n) override {
        return real_.RegQueryValueA(k, s, d, n);
    }
    LONG RegDeleteValueA(HKEY k, LPCSTR n) override { return real_.RegDeleteValueA(k, n); }
    LONG RegDeleteKeyA(HKEY k, LPCSTR s) override { return real_.RegDeleteKeyA(k, s); }
    LONG RegDeleteTreeA(HKEY k, LPCSTR s) override { return real_.RegDeleteTreeA(k, s); }
    LONG RegEnumKeyExA(HKEY k, DWORD i, LPSTR n, LPDWORD ns, LPDWORD r, LPSTR c, LPDWORD cs,
                       FILETIME* f) override {
        return real_.RegEnumKeyExA(k, i, n, ns, r, c, cs, f);
    }
    LONG RegEnumValueA(HKEY k, DWORD i, LPSTR n, LPDWORD ns, LPDWORD r, LPDWORD t, LPBYTE d,
                       LPDWORD ds) override {
        return real_.RegEnumValueA(k, i, n, ns, r, t, d, ds);
    }
    LONG RegCloseKey(HKEY k) override { return real_.RegCloseKey(k); }
    LONG RegFlushKey(HKEY k) override { return real_.RegFlushKey(k); }

  private:
    platform::RegistryApi& real_;
};

TEST_F(SearchPath, AnUnreadablePathIsReported) {
    Bin("C:\\OVRA\\Bin");
    UnreadablePath registry(*platform::Current().registry);
    platform::Services services = platform::Current();
    services.registry = &registry;
    platform::ScopedServices scope(services);
    AddIdeToSearchPath();
    ASSERT_EQ(ui.BoxIds(), std::vector<int>{1089});
    EXPECT_EQ(ui.boxes[0].style, MB_OK | MB_ICONHAND);
    EXPECT_FALSE(ui.boxes[0].owned);
}

}  // namespace
