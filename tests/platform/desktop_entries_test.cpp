#include "platform/machine/desktop_entries.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/machine/dde.h"
#include "platform/machine/files.h"
#include "platform/machine/registry.h"
#include "platform/win32.h"
#include "support/param_name.h"
#include "support/temp_prefix.h"

namespace {

using platform::DesktopEntries;
using platform::DesktopHome;
using platform::ShellLink;
using testing_support::HostExists;
using testing_support::ReadHostFile;
using testing_support::TempDir;
using testing_support::TempPrefix;

const std::string kGroupPath =
    "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Kestravion Kit 6.1";

TEST(DesktopEntries, ExecArgumentEscapedAsWinesMenuBuilderDoes) {
    // Wine 8's own output for a shortcut in a group named "Odd'Grp &$x".
    EXPECT_EQ(
        platform::EscapeExecArgument("C:\\ProgramData\\Start Menu\\Odd'Grp &$x\\a'b~c&d;e$f#g(h)i`j%k!l=m,"
                                     "n+o@p{q}r^s[t]u.lnk"),
        "C:\\\\\\\\ProgramData\\\\\\\\Start\\\\ Menu\\\\\\\\Odd\\\\'Grp\\\\ "
        "\\\\&\\\\$x\\\\\\\\a\\\\'b\\\\~c\\\\&"
        "d\\\\;e\\\\$f\\\\#g\\\\(h\\\\)i\\\\`j%k!l=m,n+o@p{q}r^s[t]u.lnk");
}

TEST(DesktopEntries, MenuTextIsXmlEscaped) {
    EXPECT_EQ(platform::EscapeMenuXml("wine-Programs-Odd'Grp &$x<>\""),
              "wine-Programs-Odd&apos;Grp &amp;$x&lt;&gt;&quot;");
}

TEST(DesktopEntries, IconNamesAsWineNamesThem) {
    // Names Wine gave the icons it extracted for these paths.
    EXPECT_EQ(platform::ExtractedIconName("C:\\OVRA\\bin\\Ovra.exe", 0), "F419_Ovra.0");
    EXPECT_EQ(platform::ExtractedIconName("C:\\OVRA\\help\\Ovra32.Hlp", 0), "077C_Ovra32.0");
}

struct OverrideCase {
    const char* value;
    std::optional<bool> disables;
};

void PrintTo(const OverrideCase& c, std::ostream* os) {
    *os << "WINEDLLOVERRIDES=\"" << c.value << "\" "
        << (!c.disables   ? "says nothing"
            : *c.disables ? "disables"
                          : "enables");
}

class MenuBuilderOverrideTest : public ::testing::TestWithParam<OverrideCase> {};

TEST_P(MenuBuilderOverrideTest, Reads) {
    EXPECT_EQ(platform::OverridesDisableMenuBuilder(GetParam().value), GetParam().disables)
        << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, MenuBuilderOverrideTest,
    ::testing::Values(OverrideCase{"", std::nullopt}, OverrideCase{"mscoree,mshtml=", std::nullopt},
                      OverrideCase{"winemenubuilder.exe=d", true}, OverrideCase{"winemenubuilder.exe=", true},
                      OverrideCase{"mscoree=;WineMenuBuilder.EXE=d", true},
                      OverrideCase{"mscoree,winemenubuilder=", true},
                      OverrideCase{"winemenubuilder.exe=b", false},
                      OverrideCase{"winemenubuilder.exe=n,b", false},
                      OverrideCase{"winemenubuilderx=", std::nullopt}),
    [](const ::testing::TestParamInfo<OverrideCase>& info) {
        return std::to_string(info.index) + "_" + testing_support::ParamName(info.param.value);
    });

TEST(DesktopEntries, HomeDirectoriesFollowTheBaseDirectoryRules) {
    auto a = DesktopHome::From("/home/u", nullptr, nullptr);
    EXPECT_EQ(a.dataDir, "/home/u/.local/share");
    EXPECT_EQ(a.configDir, "/home/u/.config");
    auto b = DesktopHome::From("/home/u", "/x/data", "/x/config");
    EXPECT_EQ(b.dataDir, "/x/data");
    EXPECT_EQ(b.configDir, "/x/config");
    auto c = DesktopHome::From("/home/u", "relative", "");  // relative and empty values are ignored
    EXPECT_EQ(c.dataDir, "/home/u/.local/share");
    EXPECT_EQ(c.configDir, "/home/u/.config");
    auto d = DesktopHome::From(nullptr, nullptr, nullptr);
    EXPECT_TRUE(d.dataDir.empty());
}

class DesktopEntriesPrefixTest : public ::testing::Test {
  protected:
    void SetUp() override {
        home_ =
            DesktopHome::From(nullptr, (dir_.path() + "/data").c_str(), (dir_.path() + "/config").c_str());
        entries().Configure(true, home_, "wine-stable", nullptr);
    }
    DesktopEntries& entries() { return prefix_.machine().desktopEntries(); }
    bool Progman(const std::string& commands) { return prefix_.machine().dde().progman().Execute(commands); }
    std::string DesktopFile(const std::string& item) {
        return dir_.path() + "/data/applications/wine/Programs/Kestravion Kit 6.1/" + item + ".desktop";
    }
    std::string MenuFile(const std::string& item) {
        return dir_.path() + "/config/menus/applications-merged/wine-Programs-Kestravion Kit 6.1-" + item +
               ".menu";
    }

    TempDir dir_;
    TempPrefix prefix_;
    DesktopHome home_;
};

TEST_F(DesktopEntriesPrefixTest, EntryTextsAreWinesForTheKitsShortcut) {
    prefix_.machine().files().CreateDirectoryA("C:\\OVRA", nullptr);
    prefix_.machine().files().CreateDirectoryA("C:\\OVRA\\Examples", nullptr);
    ShellLink link;
    link.target = "C:\\OVRA\\bin\\Ovra.exe";
    link.name = "Ovra IDE";
    link.workingDir = "c:\\ovra\\examples";
    auto entry = entries().EntryFor(kGroupPath + "\\Ovra IDE.lnk", link);
    ASSERT_TRUE(entry);
    const std::string prefix = prefix_.machine().prefix().HostRoot();
    EXPECT_EQ(entry->desktopText,
              "[Desktop Entry]\nName=Ovra IDE\nExec=env WINEPREFIX=\"" + prefix +
                  "\" wine-stable C:\\\\\\\\ProgramData\\\\\\\\Microsoft\\\\\\\\Windows\\\\\\\\Start\\\\ "
                  "Menu\\\\\\\\Programs\\\\\\\\Kestravion\\\\ Kit\\\\ 6.1\\\\\\\\Ovra\\\\ IDE.lnk\n"
                  "Type=Application\nStartupNotify=true\nComment=Ovra IDE\nPath=" +
                  prefix + "/dosdevices/c:/OVRA/Examples\nStartupWMClass=ovra.exe\n");
    EXPECT_EQ(entry->menuText,
              "<!DOCTYPE Menu PUBLIC \"-//freedesktop//DTD Menu 1.0//EN\"\n"
              "\"http://www.freedesktop.org/standards/menu-spec/menu-1.0.dtd\">\n"
              "<Menu>\n  <Name>Applications</Name>\n"
              "  <Menu>\n    <Name>wine-wine</Name>\n    <Directory>wine-wine.directory</Directory>\n"
              "  <Menu>\n    <Name>wine-Programs</Name>\n    <Directory>wine-Programs.directory</Directory>\n"
              "  <Menu>\n    <Name>wine-Programs-Kestravion Kit 6.1</Name>\n"
              "    <Directory>wine-Programs-Kestravion Kit 6.1.directory</Directory>\n"
              "    <Include>\n      <Filename>wine-Programs-Kestravion Kit 6.1-Ovra IDE.desktop</Filename>\n"
              "    </Include>\n  </Menu>\n  </Menu>\n  </Menu>\n</Menu>\n");
    EXPECT_EQ(entry->desktopPath, DesktopFile("Ovra IDE"));
    EXPECT_EQ(entry->menuPath, MenuFile("Ovra IDE"));
}

struct WorkingDirCase {
    const char* workingDir;
    const char* path;  // below the prefix; nullptr: no Path line
};

void PrintTo(const WorkingDirCase& c, std::ostream* os) {
    *os << "working directory \"" << c.workingDir << "\" -> " << (c.path ? c.path : "no Path line");
}

class WorkingDirTest : public DesktopEntriesPrefixTest,
                       public ::testing::WithParamInterface<WorkingDirCase> {};

TEST_P(WorkingDirTest, PathLine) {
    prefix_.machine().files().CreateDirectoryA("C:\\Kit", nullptr);
    ShellLink link;
    link.target = "C:\\Kit\\a.exe";
    link.workingDir = GetParam().workingDir;
    auto entry = entries().EntryFor(kGroupPath + "\\A.lnk", link);
    ASSERT_TRUE(entry);
    std::string text = entry->desktopText;
    if (!GetParam().path) {
        EXPECT_EQ(text.find("\nPath="), std::string::npos) << text;
    } else {
        EXPECT_NE(text.find("\nPath=" + prefix_.machine().prefix().HostRoot() + GetParam().path + "\n"),
                  std::string::npos)
            << text;
    }
    EXPECT_EQ(text.find("Comment="), std::string::npos) << "a shortcut without description has no comment";
}

INSTANTIATE_TEST_SUITE_P(Values, WorkingDirTest,
                         ::testing::Values(WorkingDirCase{"", nullptr},
                                           WorkingDirCase{"C:\\KIT", "/dosdevices/c:/Kit"},
                                           WorkingDirCase{"c:\\kit\\New Dir", "/dosdevices/c:/Kit/New Dir"},
                                           WorkingDirCase{"C:\\NoSuch\\Dir", nullptr},
                                           WorkingDirCase{"relative", nullptr}),
                         [](const ::testing::TestParamInfo<WorkingDirCase>& info) {
                             return testing_support::ParamName(info.param.workingDir);
                         });

TEST_F(DesktopEntriesPrefixTest, LinksOutsideAStartMenuHaveNoEntry) {
    ShellLink link;
    link.target = "C:\\a.exe";
    EXPECT_FALSE(entries().EntryFor("C:\\Temp\\A.lnk", link));
    EXPECT_FALSE(entries().EntryFor("C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\A.txt", link));
    EXPECT_TRUE(
        entries().EntryFor("C:\\users\\" + prefix_.machine().prefix().UserName() +
                               "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\G\\A.lnk",
                           link));
}

TEST_F(DesktopEntriesPrefixTest, ProgramManagerItemsGetEntriesAndLoseThemWithTheGroup) {
    ASSERT_TRUE(
        Progman("[CreateGroup(Kestravion Kit 6.1)][AddItem(\"C:\\OVRA\\bin\\Ovra.exe \",Ovra IDE)]"
                "[AddItem(C:\\OVRA\\help\\Ovra32.Hlp,Ovra Reference)]"));
    EXPECT_NE(ReadHostFile(DesktopFile("Ovra IDE")).find("Name=Ovra IDE\n"), std::string::npos);
    EXPECT_TRUE(HostExists(MenuFile("Ovra Reference")));
    EXPECT_NE(
        ReadHostFile(dir_.path() + "/data/desktop-directories/wine-Programs-Kestravion Kit 6.1.directory")
            .find("Name=Kestravion Kit 6.1\n"),
        std::string::npos);
    EXPECT_EQ(entries().written().size(), 4u);

    // Wine's record of the files it wrote, which its own clean-up reads.
    auto& registry = prefix_.machine().registry();
    HKEY key = nullptr;
    ASSERT_EQ(
        registry.RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\MenuFiles", 0, KEY_QUERY_VALUE, &key),
        ERROR_SUCCESS);
    std::string name = "\\\\?\\Z:" + DesktopFile("Ovra IDE");
    for (char& c : name)
        if (c == '/') c = '\\';
    char data[512] = {};
    DWORD size = sizeof data, type = 0;
    ASSERT_EQ(
        registry.RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
        ERROR_SUCCESS);
    EXPECT_EQ(std::string(data),
              prefix_.machine().dde().progman().ProgramsFolder() + "\\Kestravion Kit 6.1\\Ovra IDE.lnk");

    ASSERT_TRUE(Progman("[DeleteGroup(Kestravion Kit 6.1)]"));
    EXPECT_FALSE(HostExists(DesktopFile("Ovra IDE")));
    EXPECT_FALSE(HostExists(MenuFile("Ovra Reference")));
    size = sizeof data;
    EXPECT_EQ(
        registry.RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size),
        ERROR_FILE_NOT_FOUND);
    registry.RegCloseKey(key);
}

TEST_F(DesktopEntriesPrefixTest, NothingWrittenWhereWineWouldNotRunItsMenuBuilder) {
    const std::string add = "[CreateGroup(Kestravion Kit 6.1)][AddItem(C:\\a.exe,A)]";
    // The option.
    entries().Configure(false, home_, "wine", nullptr);
    ASSERT_TRUE(Progman(add));
    EXPECT_FALSE(HostExists(DesktopFile("A")));
    // The environment.
    entries().Configure(true, home_, "wine", "mscoree=;winemenubuilder.exe=d");
    ASSERT_TRUE(Progman(add));
    EXPECT_FALSE(HostExists(DesktopFile("A")));
    // The prefix's own setting, unless the environment says otherwise.
    auto& registry = prefix_.machine().registry();
    HKEY key = nullptr;
    ASSERT_EQ(registry.RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", 0, nullptr, 0,
                                       KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    registry.RegSetValueExA(key, "winemenubuilder.exe", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    registry.RegCloseKey(key);
    entries().Configure(true, home_, "wine", nullptr);
    ASSERT_TRUE(Progman(add));
    EXPECT_FALSE(HostExists(DesktopFile("A")));
    entries().Configure(true, home_, "wine", "winemenubuilder.exe=b");
    ASSERT_TRUE(Progman(add));
    EXPECT_TRUE(HostExists(DesktopFile("A")));
}

}  // namespace
