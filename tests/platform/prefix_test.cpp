#include "platform/machine/prefix.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/machine/win_path.h"
#include "support/temp_prefix.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;

std::string LinkTarget(const std::string& p) {
    return fs::read_symlink(p).string();
}

TEST(Prefix, LaysOutTheWineDirectoriesAndDriveLinks) {
    TempDir dir;
    Prefix prefix(dir.path() + "/pfx");
    const std::string root = dir.path() + "/pfx";
    EXPECT_EQ(LinkTarget(root + "/dosdevices/c:"), "../drive_c");
    EXPECT_EQ(LinkTarget(root + "/dosdevices/z:"), "/");
    for (const char* d : {"windows", "windows/system32", "windows/temp", "Program Files", "users/Public"})
        EXPECT_TRUE(fs::is_directory(root + "/drive_c/" + d)) << d;
    EXPECT_EQ(prefix.Drives(), (std::vector<char>{'c', 'z'}));
    EXPECT_EQ(prefix.HivePath("system.reg"), root + "/system.reg");
}

TEST(Prefix, ANewPrefixHasTheFoldersWineMakes) {
    TempDir dir;
    Prefix prefix(dir.path() + "/pfx");
    const std::string c = dir.path() + "/pfx/drive_c/";
    for (std::string d :
         {"Program Files/Common Files", "Program Files (x86)/Common Files", "ProgramData",
          "ProgramData/Microsoft/Windows/Start Menu/Programs", "users/Public/Documents",
          "users/USER/AppData/Roaming/Microsoft/Windows/Start Menu/Programs", "users/USER/Temp",
          "users/USER/Desktop", "windows/system32", "windows/syswow64", "windows/temp"}) {
        if (d.compare(0, 11, "users/USER/") == 0) d = "users/" + prefix.UserName() + d.substr(10);
        EXPECT_TRUE(fs::is_directory(c + d)) << d;
    }
    EXPECT_EQ(testing_support::ReadHostFile(c + "windows/win.ini"), "[mail]\r\nmapi=1\r\n");
    EXPECT_EQ(testing_support::ReadHostFile(c + "windows/system.ini").rfind("[mci]\r\n", 0), 0u);
}

TEST(Prefix, AnExistingPrefixGetsOnlyWhatTheMachineNeeds) {
    TempDir dir;
    const std::string c = dir.path() + "/pfx/drive_c/";
    fs::create_directories(c + "windows");
    fs::create_directories(c + "users/Public");
    // Wine links some folders to the host; one that points nowhere must not stop us.
    fs::create_directory_symlink(dir.path() + "/gone", c + "users/Public/Documents");
    Prefix prefix(dir.path() + "/pfx");
    EXPECT_TRUE(fs::is_directory(c + "windows/system32"));
    EXPECT_TRUE(fs::is_directory(c + "users/" + prefix.UserName() + "/Temp"));
    EXPECT_FALSE(fs::exists(c + "Program Files (x86)"));
    EXPECT_FALSE(fs::exists(c + "ProgramData"));
    EXPECT_FALSE(fs::exists(c + "windows/win.ini"));
}

TEST(Prefix, KeepsDriveLinksThatAlreadyExist) {
    TempDir dir;
    fs::create_directories(dir.path() + "/pfx/dosdevices");
    fs::create_directories(dir.path() + "/elsewhere");
    fs::create_directory_symlink(dir.path() + "/elsewhere", dir.path() + "/pfx/dosdevices/c:");
    Prefix prefix(dir.path() + "/pfx");
    EXPECT_EQ(LinkTarget(dir.path() + "/pfx/dosdevices/c:"), dir.path() + "/elsewhere");
    EXPECT_EQ(prefix.ToHost("C:\\x"), dir.path() + "/elsewhere/x");
}

// What a killed run leaves is removed; names that only look alike, and whatever a link leads to, stay.
TEST(Prefix, RemovesTheTemporaryFilesOfADeadRun) {
    TempDir dir;
    const std::string root = dir.path() + "/pfx", c = root + "/drive_c/";
    Prefix prefix(root);
    struct Row {
        std::string path;
        bool removed;
    } rows[] = {
        {root + "/system.reg.tmp-4242", true}, {root + "/user.reg.tmp-7", true},
        {root + "/system.reg.tmp-", false},    {root + "/system.reg.tmp-12x", false},
        {c + "windows/~prf1A2B.tmp", true},    {c + "OVRA/BIN/ver00FF.tmp", true},
        {c + "OVRA/~prf1a2b.tmp", false},  // not a name the machine makes
        {c + "OVRA/~prfNOTE.tmp", false},      {c + "OVRA/version.tmp", false},
        {c + "OVRA/notes.txt", false},         {dir.path() + "/outside/~prf0001.tmp", false},
    };
    for (const auto& row : rows)
        testing_support::WriteHostFile(row.path, "x");
    fs::create_directory_symlink(dir.path() + "/outside", c + "linked");
    prefix.RemoveStaleTemporaries();
    for (const auto& row : rows)
        EXPECT_EQ(testing_support::HostExists(row.path), !row.removed) << row.path;
}

TEST(Prefix, MakesDriveLinksOnlyWithANewPrefix) {
    TempDir dir;
    const std::string root = dir.path() + "/pfx";
    { Prefix made(root); }
    ASSERT_EQ(::unlink((root + "/dosdevices/z:").c_str()), 0);
    Prefix again(root);
    EXPECT_FALSE(fs::exists(fs::symlink_status(root + "/dosdevices/z:")));
    EXPECT_EQ(again.Drives(), std::vector<char>{'c'});
    // Without its c: an existing prefix cannot be used: it is not made behind the user's back either.
    ASSERT_EQ(::unlink((root + "/dosdevices/c:").c_str()), 0);
    EXPECT_THROW(Prefix{root}, std::runtime_error);
}

class PrefixPaths : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(c + "/Program Files/My Application");
        testing_support::WriteHostFile(c + "/windows/Mixed.INI", "");
    }
    TempDir dir;
    Prefix prefix{dir.path() + "/pfx"};
    std::string c = dir.path() + "/pfx/drive_c";
};

TEST_F(PrefixPaths, ResolvesComponentsWithoutRegardToCase) {
    struct Row {
        const char* windows;
        std::string host;
    } rows[] = {
        {"C:\\", c},
        {"c:\\WINDOWS\\SYSTEM32", c + "/windows/system32"},
        {"C:/windows/mixed.ini", c + "/windows/Mixed.INI"},
        {"C:\\windows\\NewDir\\File.TXT", c + "/windows/NewDir/File.TXT"},
        {"C:\\PROG~FBU\\MY_A~JYG", c + "/Program Files/My Application"},
        {"C:\\prog~fbu\\My Application\\x", c + "/Program Files/My Application/x"},
        {"C:\\PROGRA~1\\x", c + "/PROGRA~1/x"},  // no alias of Wine's has its '~' there: a new name
        {"C:\\windows\\.\\system32\\..\\mixed.ini", c + "/windows/Mixed.INI"},
        {"C:\\..\\..\\..\\etc\\passwd", c + "/etc/passwd"},  // never above the drive root
        {"C:\\windows\\..\\..\\windows", c + "/windows"},
        {"C:\\windows\\mixed.ini.", c + "/windows/Mixed.INI"},
        {"Z:\\etc", "/etc"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(prefix.ToHost(r.windows).value_or("<none>"), r.host) << r.windows;
}

TEST_F(PrefixPaths, RejectsWhatCannotNameAFile) {
    struct Row {
        std::string windows;
        DWORD error;
    } rows[] = {
        {"C:\\a<b", ERROR_INVALID_NAME},   {"C:\\a>b", ERROR_INVALID_NAME},
        {"C:\\a|b", ERROR_INVALID_NAME},   {"C:\\a\"b", ERROR_INVALID_NAME},
        {"C:\\a?b", ERROR_INVALID_NAME},   {"C:\\dir*\\x", ERROR_INVALID_NAME},
        {"C:\\a:b", ERROR_INVALID_NAME},   {std::string("C:\\a\0b", 6), ERROR_INVALID_NAME},
        {"C:\\a\x01", ERROR_INVALID_NAME}, {"\\\\server\\share\\x", ERROR_BAD_NETPATH},
        {"Q:\\x", ERROR_PATH_NOT_FOUND},
    };
    for (const auto& r : rows) {
        DWORD error = 0;
        EXPECT_FALSE(prefix.Resolve(r.windows, &error)) << r.windows;
        EXPECT_EQ(error, r.error) << r.windows;
        EXPECT_FALSE(prefix.ToHost(r.windows)) << r.windows;
    }
    DWORD error = 0;
    EXPECT_TRUE(prefix.Resolve("C:\\windows\\*.ini", &error, true));
}

TEST_F(PrefixPaths, TellsAMissingFileFromAMissingDirectory) {
    DWORD error = 0;
    auto file = prefix.Resolve("C:\\windows\\nofile", &error);
    ASSERT_TRUE(file);
    EXPECT_FALSE(file->exists);
    EXPECT_TRUE(file->parentExists);
    auto deep = prefix.Resolve("C:\\nodir\\nofile", &error);
    ASSERT_TRUE(deep);
    EXPECT_FALSE(deep->parentExists);
    auto throughFile = prefix.Resolve("C:\\windows\\mixed.ini\\x", &error);
    ASSERT_TRUE(throughFile);
    EXPECT_FALSE(throughFile->parentExists);
    auto alias = prefix.Resolve("c:\\prog~fbu\\my_a~jyg", &error);
    ASSERT_TRUE(alias);
    EXPECT_EQ(alias->longPath, "c:\\Program Files\\My Application");
    EXPECT_TRUE(alias->isDir);
}

TEST_F(PrefixPaths, MapsHostPathsBackThroughTheMostSpecificDrive) {
    EXPECT_EQ(prefix.ToWindows(c + "/windows/system32"), "C:\\windows\\system32");
    EXPECT_EQ(prefix.ToWindows(c), "C:\\");
    EXPECT_EQ(prefix.ToWindows(dir.path() + "/pfx/drive_c/windows/../Program Files"), "C:\\Program Files");
    EXPECT_EQ(prefix.ToWindows("/etc"), "Z:\\etc");

    ASSERT_EQ(::unlink((dir.path() + "/pfx/dosdevices/z:").c_str()), 0);
    fs::create_directories(dir.path() + "/media/disk1");
    EXPECT_FALSE(prefix.ToWindows(dir.path() + "/media/disk1/SETUP.EXE"));
    EXPECT_EQ(prefix.ToWindows(dir.path() + "/media/disk1", true), "D:\\");
    EXPECT_EQ(prefix.ToHost("D:\\setup.exe"), dir.path() + "/media/disk1/setup.exe");
    EXPECT_EQ(prefix.Drives(), (std::vector<char>{'c', 'd'}));
}

TEST(WinPath, MakesFullPathsAgainstTheCurrentDirectories) {
    auto dirOf = [](char d) { return d == 'C' ? std::string("C:\\windows") : std::string(1, d) + ":\\data"; };
    struct Row {
        const char* name;
        const char* full;
    } rows[] = {
        {"x.txt", "C:\\windows\\x.txt"}, {"\\x", "C:\\x"},
        {"C:x", "C:\\windows\\x"},       {"D:x", "D:\\data\\x"},
        {"..\\..\\..\\a", "C:\\a"},      {"C:\\a\\.\\b\\..\\c", "C:\\a\\c"},
        {"c:/a//b/", "c:\\a\\b\\"},  // the drive letter as typed
        {"C:\\a\\b. .", "C:\\a\\b"},     {"d:\\x", "d:\\x"},
        {"d:x", "D:\\data\\x"},  // the drive's current directory as it was set
        {"C:", "C:\\windows"},           {"\\\\srv//share\\x", "\\\\srv\\share\\x"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(winpath::MakeFull(r.name, 'C', dirOf), r.full) << r.name;
}

}  // namespace
}  // namespace platform
