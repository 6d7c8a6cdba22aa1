// build/vexarmv over prefixes the setup installed into: what it removes, what it keeps, and the logs it
// refuses to follow.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>

#include "e2e/setup_run.h"
#include "platform/machine/machine.h"
#include "platform/machine/prefix.h"
#include "platform/platform.h"
#include "platform/win32.h"
#include "support/temp_prefix.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadHostFile;
using testing_support::RunSetup;
using testing_support::TempDir;
using testing_support::WriteHostFile;

const std::string kLog = "C:\\OVRA\\uninst.ins";
const std::string kShared = "C:\\windows\\system32\\VxRt32.DLL";
const std::string kEnvironment = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

struct UninstallRun {
    int exitCode = -1;
    std::string output;
    std::string transcript;
};

UninstallRun RunUninstaller(const std::string& prefix, const std::string& log,
                            const std::string& answers = "", const std::string& extra = "",
                            const std::string& environment = "") {
    TempDir scratch;
    std::string answersPath = scratch.path() + "/answers", transcriptPath = scratch.path() + "/transcript";
    WriteHostFile(answersPath, answers);
    std::string command =
        "env XDG_DATA_HOME='" + std::string(OVRA_BINARY_DIR) + "/test-desktop/data' XDG_CONFIG_HOME='" +
        std::string(OVRA_BINARY_DIR) + "/test-desktop/config' " + environment + " '" +
        std::string(OVRA_BINARY_DIR) + "/vexarmv' --ui script --prefix '" + prefix + "' --answers '" +
        answersPath + "' --transcript '" + transcriptPath + "' " + extra + " '" + log + "' </dev/null 2>&1";
    UninstallRun run;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, p)) > 0;)
            run.output.append(buffer, n);
        int status = pclose(p);
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    run.transcript = ReadHostFile(transcriptPath);
    return run;
}

// The prefix as the Windows programs see it, for as long as the object lives.
class Look {
  public:
    explicit Look(const std::string& prefix)
        : machine_(platform::Machine::Options{prefix, "C"}), scope_(machine_.ServicesWith(nullptr)) {}
    std::string Host(const std::string& windowsPath) {
        return machine_.prefix().ToHost(windowsPath).value_or("");
    }
    bool Exists(const std::string& windowsPath) {
        return GetFileAttributesA(windowsPath.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    bool KeyExists(HKEY root, const std::string& key) {
        HKEY h = nullptr;
        if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
        RegCloseKey(h);
        return true;
    }
    std::optional<std::string> String(HKEY root, const std::string& key, const char* name) {
        char data[2048] = {};
        LONG size = sizeof data;
        HKEY h = nullptr;
        if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return std::nullopt;
        DWORD type = 0, bytes = sizeof data;
        LONG r = RegQueryValueExA(h, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &bytes);
        RegCloseKey(h);
        (void)size;
        if (r != ERROR_SUCCESS) return std::nullopt;
        return std::string(data);
    }
    std::optional<DWORD> SharedCount(const std::string& library) {
        HKEY h = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDlls", 0,
                          KEY_READ, &h) != ERROR_SUCCESS)
            return std::nullopt;
        DWORD type = 0, value = 0, bytes = sizeof value;
        LONG r =
            RegQueryValueExA(h, library.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes);
        RegCloseKey(h);
        if (r != ERROR_SUCCESS) return std::nullopt;
        return value;
    }
    void SetString(HKEY root, const std::string& key, const char* name, const std::string& value) {
        HKEY h = nullptr;
        ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(h);
    }

  private:
    platform::Machine machine_;
    platform::ScopedServices scope_;
};

// Every file of the prefix with its bytes, the hives included: what "nothing changed" compares.
std::map<std::string, std::string> Snapshot(const std::string& prefix) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(prefix)) {
        // The lock the programs take on a prefix is no part of what they change.
        if (entry.is_symlink() || entry.path().filename() == ".ovra-setup.lock") continue;
        std::string relative = entry.path().string().substr(prefix.size());
        files[relative] = entry.is_regular_file() ? ReadHostFile(entry.path().string()) : "<dir>";
    }
    return files;
}

std::string Media() {
    return std::string(OVRA_BINARY_DIR) + "/media/full";
}

bool Says(const UninstallRun& run, const std::string& line) {
    return run.output.find(line + "\n") != std::string::npos;
}

TEST(Uninstaller, RemovesTheKitAndKeepsWhatTheUserAdded) {
    TempDir prefix;
    ASSERT_EQ(RunSetup(prefix.path(), Media()).exitCode, 0);
    {
        Look look(prefix.path());
        WriteHostFile(look.Host("C:\\OVRA\\SAMPLES") + "/mine.c", "int main(void) { return 0; }\n");
        // The user edited the readme an hour after the installation.
        std::string readme = look.Host("C:\\OVRA\\readme.txt");
        WriteHostFile(readme, "my notes\n");
        fs::last_write_time(readme, fs::file_time_type::clock::now() + std::chrono::hours(1));
        look.SetString(HKEY_LOCAL_MACHINE, "Software\\Unrelated\\Tool", "Home", "D:\\TOOLS");
        std::string path = *look.String(HKEY_LOCAL_MACHINE, kEnvironment, "Path");
        ASSERT_NE(path.find("OVRA\\Bin;"), std::string::npos) << path;
        look.SetString(HKEY_LOCAL_MACHINE, kEnvironment, "Path", path + "D:\\TOOLS");
    }

    // A log given for another directory: not one line of it is followed, and the kit's settings stay.
    {
        Look look(prefix.path());
        fs::create_directories(look.Host("C:\\") + "/OTHER");
        fs::copy_file(look.Host(kLog), look.Host("C:\\") + "/OTHER/uninst.ins");
    }
    UninstallRun other = RunUninstaller(prefix.path(), "C:\\OTHER\\uninst.ins");
    EXPECT_EQ(other.exitCode, 0) << other.output;
    EXPECT_TRUE(Says(other, "keep settings (another installation: c:\\OVRA)")) << other.output;
    EXPECT_NE(
        other.output.find("refuse line 4: copy c:\\OVRA\\bin\\Ovra.EXE (outside the installation directory)"),
        std::string::npos)
        << other.output;
    {
        Look look(prefix.path());
        EXPECT_TRUE(look.Exists("C:\\OVRA\\BIN\\Ovra.exe"));
        EXPECT_TRUE(look.KeyExists(HKEY_LOCAL_MACHINE, "Software\\KESTRAVION\\Ovra\\6.1"));
        EXPECT_EQ(look.SharedCount(kShared), 1u);
    }

    // A dry run and a cancelled run change nothing at all.
    auto before = Snapshot(prefix.path());
    UninstallRun dry = RunUninstaller(prefix.path(), kLog, "", "--dry-run");
    EXPECT_EQ(dry.exitCode, 0) << dry.output;
    EXPECT_TRUE(Says(dry, "would remove file c:\\OVRA\\bin\\Ovra.EXE")) << dry.output;
    EXPECT_TRUE(Says(dry, "would keep directory C:\\OVRA\\SAMPLES (holds files that were not installed)"));
    EXPECT_TRUE(Says(dry, "would remove key HKLM\\Software\\KESTRAVION\\Ovra\\6.1"));
    EXPECT_TRUE(Says(dry, "would ask about changed file c:\\OVRA\\readme.txt")) << dry.output;
    UninstallRun cancelled = RunUninstaller(prefix.path(), kLog, "answer.9001=no\n");
    EXPECT_EQ(cancelled.exitCode, 1);
    EXPECT_TRUE(before == Snapshot(prefix.path()));

    UninstallRun run = RunUninstaller(prefix.path(), kLog, "answer.9002=yes\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.transcript.find("messagebox id=9003"), std::string::npos);
    std::vector<std::string> left;
    Look look(prefix.path());
    for (const auto& entry : fs::recursive_directory_iterator(look.Host("C:\\OVRA")))
        left.push_back(entry.path().string().substr(look.Host("C:\\OVRA").size()));
    EXPECT_TRUE(Says(run, "keep file c:\\OVRA\\readme.txt (changed since it was installed)")) << run.output;
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"/SAMPLES", "/SAMPLES/mine.c", "/readme.txt"}));
    EXPECT_FALSE(look.Exists("C:\\windows\\OVRA.ini"));
    EXPECT_FALSE(look.Exists(kShared));
    EXPECT_FALSE(look.SharedCount(kShared).has_value());
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        EXPECT_FALSE(look.KeyExists(root, "Software\\KESTRAVION"));
    EXPECT_FALSE(
        look.KeyExists(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Ovra"));
    EXPECT_FALSE(look.KeyExists(HKEY_LOCAL_MACHINE,
                                "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Ovra.exe"));
    EXPECT_FALSE(look.KeyExists(HKEY_CLASSES_ROOT, "prjfile"));
    EXPECT_FALSE(look.String(HKEY_LOCAL_MACHINE, kEnvironment, "C816_ROOT").has_value());
    EXPECT_EQ(look.String(HKEY_LOCAL_MACHINE, "Software\\Unrelated\\Tool", "Home"), "D:\\TOOLS");
    std::string path = look.String(HKEY_LOCAL_MACHINE, kEnvironment, "Path").value_or("");
    EXPECT_EQ(path.find("OVRA"), std::string::npos) << path;
    EXPECT_EQ(path.find("C816"), std::string::npos) << path;
    EXPECT_NE(path.find("%SystemRoot%\\system32;"), std::string::npos) << path;
    EXPECT_NE(path.find(";D:\\TOOLS"), std::string::npos) << path;
    for (const auto& entry : fs::recursive_directory_iterator(look.Host("C:\\users")))
        EXPECT_EQ(entry.path().filename().string().find("Kestravion"), std::string::npos) << entry.path();
}

TEST(Uninstaller, InstalledTwiceUninstalledOnceLeavesTheSharedLibraryCountedOnce) {
    TempDir prefix;
    ASSERT_EQ(RunSetup(prefix.path(), Media()).exitCode, 0);
    ASSERT_EQ(RunSetup(prefix.path(), Media()).exitCode, 0);
    ASSERT_EQ(Look(prefix.path()).SharedCount(kShared), 2u);
    // The IDE is running: its program is reported and kept whole, and so is its directory.
    UninstallRun run =
        RunUninstaller(prefix.path(), kLog, "", "", "OVRA_FAULTS='inuse=c:\\OVRA\\bin\\Ovra.EXE'");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Says(run, "lower count " + kShared + " to 1")) << run.output;
    EXPECT_TRUE(Says(run, "keep file c:\\OVRA\\bin\\Ovra.EXE (in use by another program)")) << run.output;
    EXPECT_EQ(run.transcript.find("id=9002"), std::string::npos);
    Look look(prefix.path());
    EXPECT_EQ(look.SharedCount(kShared), 1u);
    EXPECT_TRUE(look.Exists(kShared));
    EXPECT_TRUE(look.Exists("C:\\OVRA\\BIN\\Ovra.exe"));
    EXPECT_FALSE(look.Exists("C:\\OVRA\\HELP"));
}

TEST(Uninstaller, HostileLogLinesTouchNothingOutsideTheKit) {
    TempDir prefix, outside;
    std::string victim = outside.path() + "/victim.txt";
    WriteHostFile(victim, "keep me");
    std::string zVictim = "Z:" + victim;
    for (char& c : zVictim)
        if (c == '/') c = '\\';
    {
        Look look(prefix.path());
        std::string c = look.Host("C:\\");
        for (const char* dir : {"/OVRA/BIN", "/OTHER", "/windows/system32/drivers/etc"})
            fs::create_directories(c + dir);
        for (const char* file : {"/OVRA/legit.txt", "/OVRA/BIN/Ovra.exe", "/OTHER/keep.txt",
                                 "/windows/win.ini", "/windows/system32/drivers/etc/hosts"})
            WriteHostFile(c + file, "data");
        WriteHostFile(c + "/OVRA/uninst.ins",
                      "copy C:\\OVRA\\before-header.txt\r\n"
                      ";The Uninstall program uses this file to remove Vexa 6.1 from your computer.\r\n"
                      "copy C:\\OVRA\\..\\windows\\win.ini\r\n"
                      "copy C:\\OTHER\\keep.txt\r\n"
                      "md C:\\OTHER\r\n"
                      "copy " +
                          zVictim +
                          "\r\n"
                          "copy C:\\windows\\system32\\drivers\\etc\\hosts\r\n"
                          "copy C:\\OVRA\\*.*\r\n"
                          "copy C:\\windows\\win.ini\r\n"
                          "copy C:\\OVRA\\legit.txt\r\n"
                          "copy C:\\OVRA\\BIN\\Ovra.exe");
    }
    UninstallRun run = RunUninstaller(prefix.path(), kLog);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    for (const std::string& line : std::vector<std::string>{
             "refuse line 1: copy C:\\OVRA\\before-header.txt (before the first header)",
             "refuse line 3: copy C:\\OVRA\\..\\windows\\win.ini (not a plain path)",
             "refuse line 4: copy C:\\OTHER\\keep.txt (outside the installation directory)",
             "refuse line 5: md C:\\OTHER (outside the installation directory)",
             "refuse line 6: copy " + zVictim + " (outside the installation directory)",
             "refuse line 7: copy C:\\windows\\system32\\drivers\\etc\\hosts (outside the installation "
             "directory)",
             "refuse line 8: copy C:\\OVRA\\*.* (not a plain path)",
             "refuse line 9: copy C:\\windows\\win.ini (outside the installation directory)",
             "refuse line 11: copy C:\\OVRA\\BIN\\Ovra.exe (cut short)", "remove file C:\\OVRA\\legit.txt"})
        EXPECT_TRUE(Says(run, line)) << line << "\n" << run.output;
    EXPECT_NE(run.transcript.find("messagebox id=9003"), std::string::npos);
    EXPECT_EQ(ReadHostFile(victim), "keep me");
    Look look(prefix.path());
    for (const char* file : {"C:\\OTHER\\keep.txt", "C:\\windows\\win.ini",
                             "C:\\windows\\system32\\drivers\\etc\\hosts", "C:\\OVRA\\BIN\\Ovra.exe"})
        EXPECT_TRUE(look.Exists(file)) << file;
    EXPECT_FALSE(look.Exists("C:\\OVRA\\legit.txt"));
}

TEST(Uninstaller, ALogThatIsNotOursRemovesNothing) {
    TempDir prefix;
    {
        Look look(prefix.path());
        fs::create_directories(look.Host("C:\\") + "/OVRA");
        WriteHostFile(look.Host("C:\\") + "/OVRA/uninst.ins", "copy C:\\OVRA\\uninst.ins\r\nmd C:\\OVRA\r\n");
        WriteHostFile(look.Host("C:\\") + "/OVRA/readme.txt", "x");
    }
    auto before = Snapshot(prefix.path());
    UninstallRun run = RunUninstaller(prefix.path(), kLog);
    EXPECT_EQ(run.exitCode, 9);
    EXPECT_NE(run.transcript.find("is not an uninstall log of Vexa 6.1"), std::string::npos)
        << run.transcript;
    EXPECT_TRUE(before == Snapshot(prefix.path()));
    EXPECT_EQ(RunUninstaller(prefix.path(), "C:\\uninst.ins").exitCode, 9);
}

}  // namespace

namespace {

TEST(Uninstaller, ARegistryThatCannotBeSavedKeepsTheLogForAnotherRun) {
    TempDir prefix;
    ASSERT_EQ(RunSetup(prefix.path(), Media()).exitCode, 0);
    std::string machineHive = ReadHostFile(prefix.path() + "/system.reg");
    std::string userHive = ReadHostFile(prefix.path() + "/user.reg");
    UninstallRun run = RunUninstaller(prefix.path(), kLog, "", "", "OVRA_FAULTS=regdisk=0");
    EXPECT_EQ(run.exitCode, 8) << run.output;
    EXPECT_NE(run.output.find("cannot save the registry"), std::string::npos) << run.output;
    EXPECT_EQ(ReadHostFile(prefix.path() + "/system.reg"), machineHive);
    EXPECT_EQ(ReadHostFile(prefix.path() + "/user.reg"), userHive);
    {
        Look look(prefix.path());
        EXPECT_TRUE(look.Exists(kLog));
        EXPECT_TRUE(look.Exists("C:\\OVRA\\VEXARMV.EXE"));
    }
    // Once the disk has room again, the same log finishes the removal.
    UninstallRun again = RunUninstaller(prefix.path(), kLog);
    EXPECT_EQ(again.exitCode, 0) << again.output;
    Look look(prefix.path());
    EXPECT_FALSE(
        look.KeyExists(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Ovra"));
}

}  // namespace
