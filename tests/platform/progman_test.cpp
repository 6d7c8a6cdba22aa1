#include "platform/machine/progman.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/machine/dde.h"
#include "platform/machine/files.h"
#include "platform/machine/shell_link.h"
#include "platform/win32.h"
#include "support/param_name.h"
#include "support/temp_prefix.h"

namespace {

using platform::Progman;
using platform::ShellLink;
using testing_support::HostExists;
using testing_support::ReadHostFile;

const std::string kGroupHost = "ProgramData/Microsoft/Windows/Start Menu/Programs/";

struct ParseCase {
    const char* text;
    bool ok;
    std::vector<std::vector<std::string>> commands;  // name, then raw arguments
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << "\"" << c.text << "\"" << (c.ok ? " parses" : " is refused");
}

class ProgmanParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ProgmanParseTest, Parses) {
    const ParseCase& c = GetParam();
    std::vector<Progman::Command> commands;
    ASSERT_EQ(Progman::Parse(c.text, commands), c.ok) << c.text;
    if (!c.ok) return;
    ASSERT_EQ(commands.size(), c.commands.size());
    for (std::size_t i = 0; i < commands.size(); ++i) {
        std::vector<std::string> got{commands[i].name};
        got.insert(got.end(), commands[i].rawArguments.begin(), commands[i].rawArguments.end());
        EXPECT_EQ(got, c.commands[i]) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Strings, ProgmanParseTest,
    ::testing::Values(ParseCase{"[CreateGroup(Kit)]", true, {{"CreateGroup", "Kit"}}},
                      ParseCase{" [ExitProgman(1)] ", true, {{"ExitProgman", "1"}}},
                      ParseCase{"[Reload]", true, {{"Reload"}}},
                      ParseCase{
                          "[ShowGroup(A B,7)][AddItem(\"c:\\a,b\\x.exe \",A b,,0,0,0,\"c:\\w d\")]",
                          true,
                          {{"ShowGroup", "A B", "7"},
                           {"AddItem", "\"c:\\a,b\\x.exe \"", "A b", "", "0", "0", "0", "\"c:\\w d\""}}},
                      ParseCase{"[AddItem(\"a (1)\" \"b\")]", true, {{"AddItem", "\"a (1)\" \"b\""}}},
                      ParseCase{"[AddItem()]", true, {{"AddItem"}}}, ParseCase{"", false, {}},
                      ParseCase{"   ", false, {}}, ParseCase{"CreateGroup(Kit)", false, {}},
                      ParseCase{"[CreateGroup(Kit)", false, {}}, ParseCase{"[CreateGroup(Kit]", false, {}},
                      ParseCase{"[CreateGroup(\"Kit)]", false, {}}, ParseCase{"[(Kit)]", false, {}},
                      ParseCase{"[CreateGroup(Kit))]", false, {}}, ParseCase{"[A(b(c))]", false, {}},
                      ParseCase{"[CreateGroup(Kit)] junk", false, {}},
                      ParseCase{"[Create Group(Kit)]", false, {}}),
    [](const ::testing::TestParamInfo<ParseCase>& info) {
        // Execute strings repeat their commands: the position keeps the names apart.
        return std::to_string(info.index) + "_" + testing_support::ParamName(info.param.text);
    });

class ProgmanTest : public ::testing::Test {
  protected:
    std::string Lnk(const std::string& group, const std::string& item) {
        return prefix.DriveC(kGroupHost + group + "/" + item + ".lnk");
    }
    ShellLink ReadLink(const std::string& group, const std::string& item) {
        ShellLink link;
        EXPECT_TRUE(platform::DecodeShellLink(ReadHostFile(Lnk(group, item)), link)) << item;
        return link;
    }
    testing_support::TempPrefix prefix;
    Progman progman{prefix.machine().files()};
};

TEST_F(ProgmanTest, GroupsAreStartMenuFoldersWithOneShortcutPerItem) {
    EXPECT_TRUE(progman.Execute("[CreateGroup(My Kit)]"));
    EXPECT_TRUE(
        progman.Execute("[ShowGroup(My Kit,7)][AddItem(\"C:\\Kit\\bin\\run.exe \",Run it,,0,0,0,"
                        "\"C:\\Kit\\examples\")]"));
    EXPECT_TRUE(progman.Execute("[AddItem(\"C:\\Kit\\rm.exe\" \"C:\\Kit\\log, 1.ins\",Remove)]"));
    EXPECT_TRUE(progman.Execute("[AddItem(C:\\Kit\\tool.exe -x)]"));
    ShellLink run = ReadLink("My Kit", "Run it");
    EXPECT_EQ(run.target, "C:\\Kit\\bin\\run.exe");
    EXPECT_EQ(run.arguments, "");
    EXPECT_EQ(run.workingDir, "C:\\Kit\\examples");
    EXPECT_EQ(run.name, "Run it");
    EXPECT_EQ(run.relativePath, "..\\..\\..\\..\\..\\..\\Kit\\bin\\run.exe");
    ShellLink remove = ReadLink("My Kit", "Remove");
    EXPECT_EQ(remove.target, "C:\\Kit\\rm.exe");
    EXPECT_EQ(remove.arguments, "\"C:\\Kit\\log, 1.ins\"");
    EXPECT_EQ(remove.workingDir, "");
    ShellLink tool = ReadLink("My Kit", "tool");  // no name: the program's base name
    EXPECT_EQ(tool.arguments, "-x");
}

TEST_F(ProgmanTest, DeleteGroupRemovesFolderAndShortcuts) {
    ASSERT_TRUE(progman.Execute("[CreateGroup(G)][AddItem(C:\\a.exe,A)][AddItem(C:\\b.exe,B)]"));
    ASSERT_TRUE(HostExists(Lnk("G", "A")));
    EXPECT_TRUE(progman.Execute("[DeleteGroup(G)]"));
    EXPECT_FALSE(HostExists(prefix.DriveC(kGroupHost + "G")));
    EXPECT_FALSE(progman.Execute("[DeleteGroup(G)]"));  // no such group any more
}

TEST_F(ProgmanTest, FailuresChangeNothingOrStopAtTheFailingCommand) {
    EXPECT_FALSE(progman.Execute("[AddItem(C:\\a.exe,A)]"));      // no group shown yet
    EXPECT_FALSE(progman.Execute("[CreateGroup(X)][Bogus(1)]"));  // stops at the unknown command
    EXPECT_TRUE(HostExists(prefix.DriveC(kGroupHost + "X")));     // the first one was done
    EXPECT_FALSE(progman.Execute("[CreateGroup(Y)][AddItem(\"C:\\a.exe,A)]"));  // malformed: nothing done
    EXPECT_FALSE(HostExists(prefix.DriveC(kGroupHost + "Y")));
    EXPECT_FALSE(progman.Execute("[CreateGroup(a/b)]"));
    EXPECT_FALSE(progman.Execute("[ShowGroup(X)]"));
    EXPECT_FALSE(progman.Execute("[ShowGroup(X,seven)]"));
    EXPECT_FALSE(progman.Execute("[ShowGroup(Missing,7)]"));
    EXPECT_FALSE(progman.Execute("[ShowGroup(X,7)][AddItem(C:\\a.exe,A,,zero)]"));
    EXPECT_FALSE(HostExists(Lnk("X", "A")));
}

TEST(ShellLinkTest, RoundTripAndDamagedInput) {
    ShellLink link;
    link.target = "C:\\OVRA\\bin\\Ovra.exe";
    link.name = "Ovra IDE";
    link.workingDir = "C:\\OVRA\\examples";
    link.arguments = "\"a b\"";
    link.iconLocation = "C:\\OVRA\\bin\\Ovra.exe";
    link.iconIndex = 2;
    std::string bytes = platform::EncodeShellLink(link);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x4C\0\0\0", 4));
    ShellLink back;
    ASSERT_TRUE(platform::DecodeShellLink(bytes, back));
    EXPECT_EQ(back.target, link.target);
    EXPECT_EQ(back.name, link.name);
    EXPECT_EQ(back.workingDir, link.workingDir);
    EXPECT_EQ(back.arguments, link.arguments);
    EXPECT_EQ(back.iconLocation, link.iconLocation);
    EXPECT_EQ(back.iconIndex, 2);
    for (std::size_t cut = 0; cut < bytes.size() - 4; cut += 7)
        EXPECT_FALSE(platform::DecodeShellLink(bytes.substr(0, cut), back)) << cut;
    std::string badSize = bytes;
    badSize[0x4C] = '\xFF';  // LinkInfoSize beyond the data
    EXPECT_FALSE(platform::DecodeShellLink(badSize, back));
}

TEST(ShellLinkTest, RelativePaths) {
    EXPECT_EQ(platform::RelativeWindowsPath("C:\\A\\B", "c:\\a\\x.exe"), "..\\x.exe");
    EXPECT_EQ(platform::RelativeWindowsPath("C:\\A", "C:\\A\\B\\x.exe"), "B\\x.exe");
    EXPECT_EQ(platform::RelativeWindowsPath("C:\\A", "D:\\x.exe"), "");
}

class DdeTest : public ::testing::Test {
  protected:
    static HDDEDATA Callback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, std::uintptr_t, std::uintptr_t) {
        return nullptr;
    }
    HCONV Connect(const char* service = "PROGMAN", const char* topic = "progman") {
        EXPECT_EQ(DdeInitializeA(&instance, &Callback, APPCMD_CLIENTONLY, 0), DMLERR_NO_ERROR);
        hszService = DdeCreateStringHandleA(instance, service, CP_WINANSI);
        hszTopic = DdeCreateStringHandleA(instance, topic, CP_WINANSI);
        return DdeConnect(instance, hszService, hszTopic, nullptr);
    }
    HDDEDATA Execute(HCONV conv, const std::string& text, DWORD* result = nullptr) {
        return DdeClientTransaction(reinterpret_cast<const BYTE*>(text.c_str()),
                                    static_cast<DWORD>(text.size() + 1), conv, nullptr, CF_TEXT, XTYP_EXECUTE,
                                    1000, result);
    }
    testing_support::TempPrefix prefix;
    DWORD instance = 0;
    HSZ hszService = nullptr, hszTopic = nullptr;
};

TEST_F(DdeTest, ExecuteReachesProgramManager) {
    HCONV conv = Connect();
    ASSERT_NE(conv, nullptr);
    DWORD result = 0;
    EXPECT_NE(Execute(conv, "[CreateGroup(G)]", &result), nullptr);
    EXPECT_EQ(result, DDE_FACK);
    EXPECT_TRUE(HostExists(prefix.DriveC(kGroupHost + "G")));
    EXPECT_EQ(Execute(conv, "[CreateGroup(G)", &result), nullptr);
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(DdeGetLastError(instance), DMLERR_NOTPROCESSED);
    EXPECT_EQ(DdeGetLastError(instance), DMLERR_NO_ERROR);  // reading the error clears it
    EXPECT_TRUE(DdeDisconnect(conv));
    EXPECT_FALSE(DdeDisconnect(conv));
    EXPECT_EQ(Execute(conv, "[ExitProgman(1)]"), nullptr);  // gone
    EXPECT_TRUE(DdeFreeStringHandle(instance, hszService));
    EXPECT_TRUE(DdeFreeStringHandle(instance, hszTopic));
    EXPECT_TRUE(DdeUninitialize(instance));
    EXPECT_FALSE(DdeUninitialize(instance));
    EXPECT_EQ(prefix.machine().dde().executed().size(), 2u);
}

TEST_F(DdeTest, OnlyProgramManagerAnswers) {
    EXPECT_EQ(Connect("EXCEL", "System"), nullptr);
    EXPECT_EQ(DdeGetLastError(instance), DMLERR_NO_CONV_ESTABLISHED);
}

TEST_F(DdeTest, NoConnectionWhenProgramManagerIsAbsent) {
    prefix.machine().faults().progmanAbsent = true;
    EXPECT_EQ(Connect(), nullptr);
    EXPECT_EQ(DdeGetLastError(instance), DMLERR_NO_CONV_ESTABLISHED);
}

TEST_F(DdeTest, BadArgumentsAreRefused) {
    EXPECT_EQ(DdeInitializeA(&instance, nullptr, APPCMD_CLIENTONLY, 0), DMLERR_INVALIDPARAMETER);
    HCONV conv = Connect();
    ASSERT_NE(conv, nullptr);
    EXPECT_EQ(DdeCreateStringHandleA(instance, nullptr, CP_WINANSI), nullptr);
    EXPECT_EQ(DdeCreateStringHandleA(instance + 99, "X", CP_WINANSI), nullptr);
    EXPECT_EQ(DdeClientTransaction(nullptr, 0, conv, nullptr, CF_TEXT, XTYP_EXECUTE, 1000, nullptr), nullptr);
    EXPECT_EQ(DdeGetLastError(instance), DMLERR_INVALIDPARAMETER);
    // Data without a terminating zero ends with the data.
    std::string text = "[CreateGroup(H)]";
    EXPECT_NE(
        DdeClientTransaction(reinterpret_cast<const BYTE*>(text.data()), static_cast<DWORD>(text.size()),
                             conv, nullptr, CF_TEXT, XTYP_EXECUTE, 1000, nullptr),
        nullptr);
    EXPECT_EQ(DdeGetLastError(instance + 99), DMLERR_DLL_NOT_INITIALIZED);
}

}  // namespace
