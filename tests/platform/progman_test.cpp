#include "platform/machine/progman.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
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
using testing_support::WriteHostFile;
namespace fs = std::filesystem;

// The user's Programs folder below drive C, as the host sees it.
std::string ProgramsHost(testing_support::TempPrefix& prefix) {
    return "users/" + prefix.machine().prefix().UserName() +
           "/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/";
}
const std::string kCommonProgramsHost = "ProgramData/Microsoft/Windows/Start Menu/Programs/";

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
                      ParseCase{"[AddItem()]", true, {{"AddItem"}}},
                      ParseCase{"[AddItem(x,)]", true, {{"AddItem", "x", ""}}},
                      ParseCase{"[ a ( b ) ]", true, {{"a", "b"}}},
                      // Text after the last command that does not begin another one ends the string.
                      ParseCase{"[CreateGroup(Kit)] junk", true, {{"CreateGroup", "Kit"}}},
                      ParseCase{"[A]][B]", true, {{"A"}}}, ParseCase{"[A]\r\n[B]", true, {{"A"}}},
                      ParseCase{"[A]  [B]", true, {{"A"}, {"B"}}}, ParseCase{"", false, {}},
                      ParseCase{"   ", false, {}}, ParseCase{"CreateGroup(Kit)", false, {}},
                      ParseCase{"junk [A]", false, {}}, ParseCase{"[CreateGroup(Kit)", false, {}},
                      ParseCase{"[CreateGroup(Kit]", false, {}}, ParseCase{"[CreateGroup(\"Kit)]", false, {}},
                      ParseCase{"[(Kit)]", false, {}}, ParseCase{"[CreateGroup(Kit))]", false, {}},
                      ParseCase{"[CreateGroup(Kit),]", false, {}}, ParseCase{"[A(b(c))]", false, {}},
                      ParseCase{"[A][]", false, {}}, ParseCase{"[Create Group(Kit)]", false, {}}),
    [](const ::testing::TestParamInfo<ParseCase>& info) {
        // Execute strings repeat their commands: the position keeps the names apart.
        return std::to_string(info.index) + "_" + testing_support::ParamName(info.param.text);
    });

class ProgmanTest : public ::testing::Test {
  protected:
    std::string Group(const std::string& group) { return prefix.DriveC(ProgramsHost(prefix) + group); }
    std::string Lnk(const std::string& group, const std::string& item) {
        return Group(group) + "/" + item + ".lnk";
    }
    ShellLink ReadLink(const std::string& group, const std::string& item) {
        ShellLink link;
        EXPECT_TRUE(platform::DecodeShellLink(ReadHostFile(Lnk(group, item)), link)) << item;
        return link;
    }
    testing_support::TempPrefix prefix;
    Progman& progman = prefix.machine().dde().progman();
};

TEST_F(ProgmanTest, GroupsAreFoldersOfTheUsersProgramsFolderEvenWhenCommon) {
    EXPECT_EQ(progman.ProgramsFolder(), "C:\\users\\" + prefix.machine().prefix().UserName() +
                                            "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs");
    EXPECT_TRUE(progman.Execute("[CreateGroup(Shared,1)][AddItem(C:\\a.exe,A)]"));
    EXPECT_TRUE(HostExists(Lnk("Shared", "A")));
    EXPECT_FALSE(HostExists(prefix.DriveC(kCommonProgramsHost + "Shared")));
}

// Where Wine's service is not Windows' Program Manager, ours follows Windows.
TEST_F(ProgmanTest, ItemsForMissingTargetsAndCommandLinesWithArguments) {
    ASSERT_TRUE(progman.Execute("[CreateGroup(My Kit)]"));
    WriteHostFile(prefix.DriveC("Kit/tool.exe"), "MZ");
    WriteHostFile(prefix.DriveC("Kit/with space/run.exe"), "MZ");
    struct Row {
        const char* commandLine;
        const char* item;
        const char* target;
        const char* arguments;
    } rows[] = {
        {"\"C:\\Kit\\help\\Ref.hlp \"", "Help", "C:\\Kit\\help\\Ref.hlp", ""},  // no such file yet
        {"\"C:\\Kit\\rm.exe\" \"C:\\Kit\\log, 1.ins\"", "Remove", "C:\\Kit\\rm.exe",
         "\"C:\\Kit\\log, 1.ins\""},
        {"C:\\Kit\\tool.exe -x \"y z\"", "Tool", "C:\\Kit\\tool.exe", "-x \"y z\""},  // the file is there
        {"C:\\Kit\\with space\\run.exe -q", "Run", "C:\\Kit\\with space\\run.exe", "-q"},
        {"C:\\Kit\\not there\\run.exe", "Later", "C:\\Kit\\not there\\run.exe", ""},  // the whole line
        {"bin\\relative.exe", "Relative", "bin\\relative.exe", ""},
    };
    for (const Row& r : rows) {
        ASSERT_TRUE(progman.Execute(std::string("[AddItem(") + r.commandLine + "," + r.item + ")]"))
            << r.item;
        ShellLink link = ReadLink("My Kit", r.item);
        EXPECT_EQ(link.target, r.target) << r.item;
        EXPECT_EQ(link.arguments, r.arguments) << r.item;
        EXPECT_EQ(link.name, r.item);
        EXPECT_EQ(link.showCommand, 1u);
    }
    // The minimise flag runs the item minimised.
    ASSERT_TRUE(progman.Execute("[AddItem(C:\\Kit\\tool.exe,Min,,0,0,0,C:\\Kit,0,1)]"));
    EXPECT_EQ(ReadLink("My Kit", "Min").showCommand, 7u);
}

TEST_F(ProgmanTest, ShortcutFieldsAsTheServiceWritesThem) {
    ASSERT_TRUE(progman.Execute(
        "[CreateGroup(G)][AddItem(\"C:\\Kit\\bin\\run.exe \",Run it,,0,0,0,\"C:\\Kit\\examples\")]"
        "[AddItem(C:\\Kit\\x.exe,Hot,C:\\Kit\\x.ico,2,0,0,C:\\Kit,1601)][AddItem(C:\\Kit\\bin\\plain.exe)]"));
    ShellLink run = ReadLink("G", "Run it");
    EXPECT_EQ(run.target, "C:\\Kit\\bin\\run.exe");
    EXPECT_EQ(run.arguments, "");
    EXPECT_EQ(run.workingDir, "C:\\Kit\\examples");
    EXPECT_EQ(run.name, "Run it");
    EXPECT_EQ(run.iconLocation, "");
    EXPECT_EQ(run.iconIndex, 0);
    EXPECT_EQ(run.relativePath, "..\\..\\..\\..\\..\\..\\..\\..\\..\\Kit\\bin\\run.exe");
    ShellLink hot = ReadLink("G", "Hot");
    EXPECT_EQ(hot.iconLocation, "C:\\Kit\\x.ico");
    EXPECT_EQ(hot.iconIndex, 2);
    EXPECT_EQ(hot.hotKey, 1601);
    ShellLink plain = ReadLink("G", "plain");  // named after its program, and without a description
    EXPECT_EQ(plain.target, "C:\\Kit\\bin\\plain.exe");
    EXPECT_EQ(plain.name, "");
}

TEST_F(ProgmanTest, DeleteGroupRemovesTheFolderWithEverythingInIt) {
    ASSERT_TRUE(progman.Execute("[CreateGroup(G)][AddItem(C:\\a.exe,A)][AddItem(C:\\b.exe,B)]"));
    WriteHostFile(Group("G") + "/Sub/notes.txt", "user's");
    ASSERT_TRUE(SetFileAttributesA((progman.GroupFolder("G") + "\\B.lnk").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(progman.Execute("[DeleteGroup(g)]"));
    EXPECT_FALSE(HostExists(Group("G")));
    EXPECT_FALSE(progman.Execute("[DeleteGroup(G)]"));        // no such group any more
    EXPECT_FALSE(progman.Execute("[AddItem(C:\\a.exe,A)]"));  // nor can it be filled
}

// A name that would name the Programs folder itself or its parent is no group: deleting it would take
// the user's whole Start menu.
TEST_F(ProgmanTest, NamesThatAreNoFileNamesAreRefused) {
    ASSERT_TRUE(progman.Execute("[CreateGroup(Keep)][AddItem(C:\\a.exe,A)]"));
    for (const char* name : {"..", ".", "...", " . ", "\"\"", "\" \""}) {
        EXPECT_FALSE(progman.Execute(std::string("[DeleteGroup(") + name + ")]")) << name;
        EXPECT_FALSE(progman.Execute(std::string("[CreateGroup(") + name + ")]")) << name;
        EXPECT_FALSE(progman.Execute(std::string("[ShowGroup(") + name + ",1)]")) << name;
    }
    EXPECT_TRUE(HostExists(Lnk("Keep", "A")));
    // An item's file name ends in ".lnk", so any name will do; none at all is the program's name.
    EXPECT_TRUE(progman.Execute("[ShowGroup(Keep,1)][AddItem(C:\\b.exe,..)][AddItem(C:\\c.exe,\"\")]"));
    EXPECT_TRUE(HostExists(Lnk("Keep", "..")));
    EXPECT_TRUE(HostExists(Lnk("Keep", "c")));
    EXPECT_FALSE(progman.Execute("[AddItem(C:\\,)]"));
    EXPECT_TRUE(progman.Execute("[CreateGroup(a/b\\c)][AddItem(C:\\a.exe,x:y)]"));
    EXPECT_TRUE(HostExists(Lnk("a_b_c", "x_y")));
    EXPECT_EQ(Progman::FileName("a\tb<c>|\"d\"?*"), "a_b_c___d___");
}

TEST_F(ProgmanTest, AFailedWriteLeavesNoTornShortcut) {
    ASSERT_TRUE(progman.Execute("[CreateGroup(G)]"));
    prefix.machine().faults().diskSpaceLeft = 20;
    EXPECT_FALSE(progman.Execute("[AddItem(C:\\a.exe,A)]"));
    EXPECT_FALSE(HostExists(Lnk("G", "A")));
}

TEST_F(ProgmanTest, ShellFolders) {
    char path[MAX_PATH];
    const std::string user = progman.ProgramsFolder();
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    EXPECT_EQ(path, user);
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS | CSIDL_FLAG_CREATE, nullptr, 0, path), S_OK);
    EXPECT_STREQ(path, "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs");
    EXPECT_TRUE(HostExists(prefix.DriveC(kCommonProgramsHost)));
    std::memset(path, 'x', sizeof path);
    EXPECT_EQ(SHGetFolderPathA(nullptr, 0x0005 /* CSIDL_PERSONAL */, nullptr, 0, path), E_INVALIDARG);
    EXPECT_EQ(path[0], 'x');
}

// Our transcript of the public case is kept beside Wine's, and the service's case must equal Wine's
// whole: every line there is one where Wine is Windows.
TEST(ProgmanTranscripts, OursAreCheckedIn) {
    const fs::path here = fs::path(OVRA_SOURCE_DIR) / "tests/platform/conformance";
    struct Case {
        fs::path script, transcript;
    } cases[] = {
        {fs::path(OVRA_CONFORMANCE_DIR) / "cases/progman.txt", here / "expected/progman.ours.out"},
        {here / "cases/progman_service.txt", here / "expected/progman_service.out"},
    };
    for (const Case& c : cases) {
        testing_support::TempDir dir;
        std::string cmd = std::string("'") + OVRA_BINARY_DIR + "/winprobe' --prefix '" + dir.path() +
                          "/prefix' progman < '" + c.script.string() + "' 2>&1";
        std::string out;
        if (FILE* p = popen(cmd.c_str(), "r")) {
            char buf[4096];
            std::size_t n;
            while ((n = fread(buf, 1, sizeof buf, p)) > 0)
                out.append(buf, n);
            pclose(p);
        }
        std::string want = ReadHostFile(c.transcript.string());
        ASSERT_FALSE(want.empty()) << c.transcript;
        EXPECT_EQ(out, want) << c.script;
    }
}

TEST(ShellLinkTest, RoundTripAndDamagedInput) {
    ShellLink link;
    link.target = "C:\\OVRA\\bin\\Ovra.exe";
    link.name = "Ovra IDE";
    link.workingDir = "C:\\OVRA\\examples";
    link.arguments = "\"a b\"";
    link.iconLocation = "C:\\OVRA\\bin\\Ovra.exe";
    link.iconIndex = 2;
    link.hotKey = 0x0641;
    link.showCommand = 7;
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
    EXPECT_EQ(back.hotKey, 0x0641);
    EXPECT_EQ(back.showCommand, 7u);
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
    EXPECT_TRUE(HostExists(prefix.DriveC(ProgramsHost(prefix) + "G")));
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
