// The sample media of every flavour (build/media/NAME, made from the catalogue by mkmanifest and
// mkmedia) installed by the setup program through the scripted front end into fresh prefixes, and the
// installs that follow a kit: the same kit again, a tool release, an add-on and two patches.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <map>
#include <span>
#include <sstream>

#include "e2e/fault_support.h"
#include "e2e/setup_run.h"
#include "mkmedia/pe_image.h"
#include "platform/machine/prefix.h"
#include "platform/machine/shell_link.h"
#include "resources/catalogue.h"
#include "support/temp_prefix.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadHostFile;
using testing_support::RunSetup;
using testing_support::TempDir;

const std::string kAnswers = "name=Ada Lovelace\ncompany=Analytical Engines\n";

std::string Media(const std::string& name) {
    return std::string(OVRA_BINARY_DIR) + "/media/" + name;
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The host path of a Windows-relative path under `root`, matched without regard to case as Windows
// would; empty when some part is missing.
std::string Find(const std::string& root, const std::string& relative) {
    fs::path at = root;
    std::stringstream parts(relative);
    for (std::string part; std::getline(parts, part, '/');) {
        bool found = false;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(at, ec))
            if (Lower(entry.path().filename().string()) == Lower(part)) {
                at = entry.path();
                found = true;
                break;
            }
        if (!found) return "";
    }
    return at.string();
}

std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// A value of an INI text: the line "key=value" inside "[section]".
std::string IniValue(const std::string& text, const std::string& section, const std::string& key) {
    bool in = false;
    for (std::string line : CrLfLines(text)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') {
            in = Lower(line) == Lower("[" + section + "]");
            continue;
        }
        if (in && Lower(line.substr(0, key.size() + 1)) == Lower(key + "="))
            return line.substr(key.size() + 1);
    }
    return "x";
}

// Every installation path the registry gives for the IDE's programs ("DllName" of targets, simulators
// and emulators, "Path" of tools), as paths relative to C:\OVRA.
std::vector<std::string> RegisteredKitFiles(const std::string& reg) {
    std::vector<std::string> out;
    for (const std::string value : {"\"DllName\"=\"c:\\\\OVRA\\\\", "\"Path\"=\"c:\\\\OVRA\\\\"}) {
        for (auto at = reg.find(value); at != std::string::npos; at = reg.find(value, at + 1)) {
            auto start = at + value.size();
            std::string path = reg.substr(start, reg.find('"', start) - start), rel;
            for (std::size_t i = 0; i < path.size(); ++i) {
                if (path[i] == '\\') {
                    rel += '/';
                    ++i;  // the registry file doubles each backslash
                } else {
                    rel += path[i];
                }
            }
            if (rel.find('.') != std::string::npos) out.push_back(rel);
        }
    }
    return out;
}

struct Installed {
    std::string root;  // the prefix
    std::string DriveC(const std::string& rel) const { return Find(root + "/drive_c", rel); }
    std::string Kit(const std::string& rel) const { return DriveC("OVRA/" + rel); }
    std::string Read(const std::string& rel) const {
        std::string path = Kit(rel);
        return path.empty() ? "" : ReadHostFile(path);
    }
    std::string OvraIni() const { return ReadHostFile(DriveC("windows/OVRA.ini")); }
    std::string SystemReg() const { return ReadHostFile(root + "/system.reg"); }
    std::string UserReg() const { return ReadHostFile(root + "/user.reg"); }
};

testing_support::SetupRun Install(const std::string& prefix, const std::string& media) {
    auto run = RunSetup(prefix, Media(media), kAnswers);
    EXPECT_EQ(run.exitCode, 0) << media << "\n" << run.output << run.transcript.substr(0, 4000);
    return run;
}

// A REG_SZ value line of a hive file: "name"="text", each backslash and quote escaped.
std::string HiveString(const std::string& name, const std::string& text) {
    std::string escaped;
    for (char ch : text) {
        if (ch == '\\' || ch == '"') escaped += '\\';
        escaped += ch;
    }
    return "\"" + name + "\"=\"" + escaped + "\"";
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

struct KitCase {
    const char* media;
    bool ide;                          // an IDE kit: the program, the Start-menu group, the user record
    std::vector<std::string> files;    // installed files (relative to C:\OVRA) that must exist
    std::vector<std::string> targets;  // OVRA.ini [Targets] keys the kit writes
    const char* component;             // a build component whose version the record takes over
    const char* componentFile;         // from this media build file
};

void PrintTo(const KitCase& c, std::ostream* os) {
    *os << "media " << c.media << (c.ide ? " (IDE kit)" : " (tool chain)") << ", " << c.files.size()
        << " files, component " << c.component;
}

class SampleKit : public ::testing::TestWithParam<KitCase> {};

TEST_P(SampleKit, InstallsIntoAFreshPrefix) {
    const KitCase& c = GetParam();
    TempDir dir;
    Installed kit{dir.path() + "/prefix"};
    auto run = Install(kit.root, c.media);
    ASSERT_EQ(run.exitCode, 0);

    // The documents copied from the media at the end, byte for byte.
    EXPECT_EQ(kit.Read("readme.txt"), ReadHostFile(Media(c.media) + "/readme.txt"));
    EXPECT_EQ(kit.Read("license.txt"), ReadHostFile(Media(c.media) + "/license.txt"));
    EXPECT_EQ(kit.Read("BIN/HF.csv"), ReadHostFile(Media(c.media) + "/HF.csv"));
    for (const auto& f : c.files)
        EXPECT_FALSE(kit.Kit(f).empty()) << c.media << ": " << f;

    // The uninstall log: its header line, then md and copy lines, each ended by CR LF.
    std::string log = kit.Read("uninst.ins");
    auto lines = CrLfLines(log);
    ASSERT_GE(lines.size(), 3u) << log;
    EXPECT_EQ(lines[0].rfind(";The Uninstall program uses this file to remove Vexa 6.1", 0), 0u) << lines[0];
    int md = 0, copy = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        ASSERT_FALSE(lines[i].empty());
        EXPECT_EQ(lines[i].back(), '\r') << i << ": " << lines[i];
        EXPECT_TRUE(lines[i].rfind("md C:\\OVRA\\", 0) == 0 || lines[i].rfind("copy ", 0) == 0) << lines[i];
        if (lines[i].rfind("md ", 0) == 0) ++md;
        if (lines[i].rfind("copy ", 0) == 0) ++copy;
    }
    EXPECT_GT(md, 0);
    EXPECT_GT(copy, 3);
    EXPECT_TRUE(Contains(log, "copy c:\\OVRA\\readme.txt\r\n"));
    EXPECT_TRUE(Contains(log, "copy c:\\OVRA\\BIN\\HF.csv\r\n"));

    // The build record: the media's build number, and the tool versions by component.
    std::string build = kit.Read("BUILD.INI");
    std::string mediaBuild = ReadHostFile(Media(c.media) + "/BUILD.INI");
    // A package without the IDE only extends the history of an installed kit: alone it records versions.
    EXPECT_EQ(IniValue(build, "BuildNumber", "BN"), c.ide ? IniValue(mediaBuild, "BuildNumber", "BN") : "x");
    EXPECT_EQ(IniValue(build, c.component, "VERSION"),
              IniValue(ReadHostFile(Media(c.media) + "/" + c.componentFile), c.component, "VERSION"));
    EXPECT_NE(IniValue(build, c.component, "VERSION"), "x");

    // The full kit: every component of the three tables that one of the media's build files carries
    // reaches the record, the first and the last of each table among them (a tool whose name begins
    // with "LX" is recorded as "RL").
    if (c.media == std::string("full")) {
        std::vector<std::string> buildFiles;
        for (const auto& entry : fs::directory_iterator(Media(c.media))) {
            const std::string file = entry.path().filename().string();
            if (file.rfind("BUILD", 0) == 0 && Lower(file).ends_with(".ini"))
                buildFiles.push_back(ReadHostFile(entry.path().string()));
        }
        auto carried = [&](const std::string& component) {
            for (const auto& text : buildFiles)
                if (std::string v = IniValue(text, component, "VERSION"); v != "x") return v;
            return std::string("x");
        };
        const std::pair<std::span<const char* const>, bool> tables[] = {
            {catalogue::BuildComponentsTools(), true},
            {catalogue::BuildComponentsUtilities(), false},
            {catalogue::BuildComponentsProducts(), false}};
        for (const auto& [table, tools] : tables) {
            for (const std::string name : table) {
                const std::string recorded = tools && name.rfind("LX", 0) == 0 ? "RL" + name.substr(2) : name;
                EXPECT_EQ(IniValue(build, recorded, "VERSION"), carried(name)) << name;
            }
            EXPECT_NE(carried(table.front()), "x") << table.front();
            EXPECT_NE(carried(table.back()), "x") << table.back();
        }
    }

    // What the registry points at is what the media brought (the MSC1210 probe alone travels on no
    // file set of the kit).
    std::string hklm = kit.SystemReg();
    auto registered = RegisteredKitFiles(hklm);
    EXPECT_FALSE(registered.empty());
    for (const auto& rel : registered)
        if (Lower(rel) != "bin/prbmsc.dll") {
            EXPECT_FALSE(kit.Kit(rel).empty()) << c.media << ": " << rel;
        }
    for (const auto& t : c.targets)
        EXPECT_TRUE(Contains(hklm, "[Software\\\\KESTRAVION\\\\Ovra\\\\6.1\\\\Targets\\\\" + t + "]"))
            << c.media << " " << t;
    // A few simulators each kit registers by name (the starred 80C51MX entry without its star).
    const std::map<std::string, std::vector<std::string>> simulators = {
        {"full", {"P80C51MX", "SmartXA", "ST6-Simulator", "ST5-Simulator", "PeriKit51"}},
        {"philips", {"SmartXA", "SmartXA2"}},
        {"st6", {"ST6-Simulator", "ST6-StarterKit"}},
        {"lpc", {"87LPC762", "87LPC769"}},
        {"mx", {"P80C51MX"}}};
    if (auto it = simulators.find(c.media); it != simulators.end()) {
        for (const auto& sim : it->second)
            EXPECT_TRUE(
                Contains(hklm, "[Software\\\\KESTRAVION\\\\Ovra\\\\6.1\\\\Simulators\\\\" + sim + "]"))
                << c.media << " " << sim;
    }
    if (c.media == std::string("full")) {
        // Value types: the ST5 derivatives hold numbers, the debugger defaults of the user texts.
        EXPECT_TRUE(Contains(hklm, "[Software\\\\KESTRAVION\\\\Ovra\\\\6.1\\\\ST5Derivatives\\\\"));
        EXPECT_TRUE(Contains(hklm, "\"CodeSize\"=dword:"));
        std::string hkcu = kit.UserReg();
        auto debug = hkcu.find("[Software\\\\KESTRAVION\\\\Debug\\\\80C51]");
        ASSERT_NE(debug, std::string::npos);
        EXPECT_TRUE(Contains(hkcu.substr(debug, 200), "\"Debug Frequency\"=\"12.000\""));
    }
    // Every file set was found where the media check looked: no refusal, no prompt for another place.
    EXPECT_FALSE(Contains(run.transcript, "messagebox id=1104 "));
    EXPECT_FALSE(Contains(run.transcript, "caption=\"Setup path\""));
    EXPECT_FALSE(run.LinesStartingWith("progress ").empty());

    std::string ini = kit.OvraIni();
    for (const auto& t : c.targets)
        EXPECT_NE(IniValue(ini, "Targets", t), "x") << c.media << " target " << t;
    if (c.ide) {
        // The LPC kit goes without the user page and records no user.
        EXPECT_EQ(IniValue(build, "User", "Name"), c.media == std::string("lpc") ? "x" : "Ada Lovelace");
        EXPECT_EQ(IniValue(build, "OVRA", "VERSION"), "6.10.2");
        // The media's Miscellaneous entries, in the build record and, the same, in the registry: the
        // target as it is, the logos as paths into the installed BIN directory.
        const std::map<std::string, std::string> misc = {
            {"TARGET", IniValue(mediaBuild, "Miscellaneous", "TARGET")},
            {"LOGOAVI", "c:\\OVRA\\BIN\\" + IniValue(mediaBuild, "Miscellaneous", "LOGOAVI")},
            {"LOGOBMP", "c:\\OVRA\\BIN\\" + IniValue(mediaBuild, "Miscellaneous", "LOGOBMP")}};
        EXPECT_EQ(misc.at("LOGOBMP"), "c:\\OVRA\\BIN\\Logo.bmp");
        EXPECT_NE(misc.at("TARGET"), "x");
        const auto miscKey =
            testing_support::HiveKeys(hklm)["[Software\\\\KESTRAVION\\\\Ovra\\\\6.1\\\\Miscellaneous]"];
        for (const auto& [key, value] : misc) {
            EXPECT_EQ(IniValue(build, "Miscellaneous", key), value) << c.media;
            EXPECT_EQ(miscKey.count(HiveString(key, value)), 1u) << c.media << " " << key;
        }
        EXPECT_TRUE(Contains(log, "copy c:\\OVRA\\BUILD.INI\r\n"));
        EXPECT_EQ(IniValue(ini, "Default Directories", "VexaBin"), "c:\\OVRA\\Bin");
        EXPECT_TRUE(Contains(hklm, "[Software\\\\KESTRAVION\\\\Ovra\\\\6.1\\\\Default Directories]"))
            << c.media;
        EXPECT_TRUE(Contains(hklm, "\"VexaInst\"=\"c:\\\\OVRA\"")) << c.media;
        EXPECT_TRUE(Contains(hklm, "\"BuildNumber\"=\"" + IniValue(mediaBuild, "BuildNumber", "BN") + "\""));
        // The Start-menu group of the user running the setup: the IDE (named for the LPC kit), its
        // reference and the uninstaller, as Program Manager writes them; nothing in the common menu.
        const std::string menu = "/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/";
        const std::string group =
            "users/" + platform::Prefix(kit.root).UserName() + menu + "Kestravion Kit 6.1/";
        const std::string ide = c.media == std::string("lpc") ? "Ovra IDE for LPC" : "Ovra IDE";
        struct Item {
            std::string name, target, arguments, workingDir;
        };
        for (const Item& item : {Item{ide, "c:\\OVRA\\bin\\Ovra.exe", "", "c:\\OVRA\\examples"},
                                 Item{"Ovra Reference", "c:\\OVRA\\help\\Ovra32.Hlp", "", ""},
                                 Item{"Vexa Uninstall", "c:\\OVRA\\VEXARMV.EXE", "\"c:\\OVRA\\uninst.ins\"",
                                      "c:\\OVRA\\examples"}}) {
            platform::ShellLink link;
            std::string path = kit.DriveC(group + item.name + ".lnk");
            ASSERT_FALSE(path.empty()) << c.media << " " << item.name;
            ASSERT_TRUE(platform::DecodeShellLink(ReadHostFile(path), link)) << c.media << " " << item.name;
            EXPECT_EQ(link.target, item.target) << c.media;
            EXPECT_EQ(link.arguments, item.arguments) << c.media;
            EXPECT_EQ(link.workingDir, item.workingDir) << c.media;
            EXPECT_EQ(link.name, item.name) << c.media;
            EXPECT_EQ(link.showCommand, 1u) << c.media;
            EXPECT_EQ(link.iconLocation, "") << c.media;
        }
        EXPECT_EQ(kit.DriveC("ProgramData" + menu + "Kestravion Kit 6.1"), "") << c.media;
        EXPECT_TRUE(Contains(kit.UserReg(), "[Software\\\\KESTRAVION\\\\Ovra\\\\Buttons\\\\Standard]"));
        // The wizard's pages and the progress of the file sets are in the transcript.
        EXPECT_FALSE(run.LinesStartingWith("page ").empty());
        EXPECT_TRUE(Contains(run.transcript, "ovra_1")) << run.transcript.substr(0, 3000);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryKit, SampleKit,
    ::testing::Values(
        KitCase{"full",
                true,
                {"BIN/Ovra.exe", "BIN/Tgt51.dll", "BIN/TgtXA.dll", "BIN/S8051.dll", "Help/OVRA32.HLP",
                 "DOC/KEYBOARD.PDF", "EXAMPLES/HelloWorld.c", "INC/reg52.h", "DOC/Getting_Started_XE.pdf"},
                {"80C51", "XA", "ST6", "80C51MX", "XE8000", "ST5"},
                "ASMST5",
                "BUILDST5.INI"},
        KitCase{"philips",
                true,
                {"BIN/Ovra.exe", "BIN/SXA.dll", "BIN/TgtXA.dll", "DOC/SXASIM.PDF"},
                {"80C51", "XA"},
                "CXA",
                "BUILDXA.INI"},
        KitCase{"infineon", true, {"BIN/Ovra.exe", "BIN/Tgt51.dll"}, {"80C51"}, "RTK51", "BUILD51.INI"},
        KitCase{"st6",
                true,
                {"BIN/Ovra.exe", "BIN/TgtST6.dll", "BIN/SimST6.dll"},
                {"ST6"},
                "EMUST6",
                "BUILDST6.INI"},
        KitCase{"lpc", true, {"BIN/Ovra.exe", "BIN/SLPC76X.dll"}, {"80C51"}, "OVRA", "BUILD.INI"},
        KitCase{"xe", false, {"BIN/TgtXE.dll", "BIN/SimXE.dll"}, {"XE8000"}, "GCCXE", "BUILDXE.INI"},
        KitCase{"mx", false, {"BIN/TgtMX.dll", "BIN/S51MX.dll"}, {"80C51MX"}, "ASMMX", "BUILDMX.INI"}),
    [](const auto& info) { return std::string(info.param.media); });

// The installs that follow the full kit in the same prefix.
class OverTheKit : public ::testing::Test {
  protected:
    void SetUp() override {
        auto run = Install(kit.root, "full");
        ASSERT_EQ(run.exitCode, 0);
        firstLog = kit.Read("uninst.ins");
    }
    std::string HeaderLine() const { return CrLfLines(firstLog).front(); }
    int HeaderCount(const std::string& log) const {
        int n = 0;
        for (const auto& line : CrLfLines(log))
            if (line == HeaderLine()) ++n;
        return n;
    }
    TempDir dir;
    Installed kit{dir.path() + "/prefix"};
    std::string firstLog;
};

TEST_F(OverTheKit, TheSameKitAgainCountsEachSharedLibraryOnceAndAsksAboutTheConfiguration) {
    // Each set that brings the shared run-time library records it in OVRA.ini; a run counts each library
    // once: 1 after the first installation, 2 after the second.
    auto sharedEntries = [&] {
        int n = 0;
        for (const auto& line : CrLfLines(kit.OvraIni()))
            if (line.rfind("Shared", 0) == 0 && Contains(Lower(line), "vxrt32.dll")) ++n;
        return n;
    };
    // The values of the SharedDLLs key: name -> data, as the hive file holds them.
    auto sharedCounts = [&] {
        std::map<std::string, std::string> counts;
        std::string reg = kit.SystemReg();
        // The setup names the key "SharedDlls" when it makes it; key names match without regard to case.
        std::string lower = reg;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        auto at = lower.find("[software\\\\microsoft\\\\windows\\\\currentversion\\\\shareddlls]");
        if (at == std::string::npos) return counts;
        auto end = reg.find("\n[", at + 1);
        std::istringstream key(reg.substr(at, end - at));
        for (std::string line; std::getline(key, line);) {
            auto eq = line.find("\"=");
            if (line.empty() || line[0] != '"' || eq == std::string::npos) continue;
            counts[line.substr(1, eq - 1)] = line.substr(eq + 2);
        }
        return counts;
    };
    EXPECT_GT(sharedEntries(), 1);
    auto first = sharedCounts();
    ASSERT_FALSE(first.empty());
    for (const auto& [name, value] : first)
        EXPECT_EQ(value, "dword:00000001") << name;
    EXPECT_EQ(first.count("C:\\\\windows\\\\system32\\\\VxRt32.DLL"), 1u);

    auto run = Install(kit.root, "full");
    ASSERT_EQ(run.exitCode, 0);
    auto second = sharedCounts();
    EXPECT_EQ(second.size(), first.size());
    for (const auto& [name, value] : second)
        EXPECT_EQ(value, "dword:00000002") << name;
    EXPECT_TRUE(Contains(run.transcript, "messagebox id=1236 ")) << run.transcript.substr(0, 3000);
    // A kit starts its uninstall log afresh.
    EXPECT_EQ(HeaderCount(kit.Read("uninst.ins")), 1);
}

// The files of the full kit whose installed name is not their stored one, or is long: the long name
// given on the copy line, a name with "~", a name longer than 8.3 (paths relative to C:\OVRA).
std::vector<std::string> LongAndTildeNamedFiles() {
    std::vector<std::string> out;
    std::istringstream in(ReadHostFile(std::string(OVRA_BINARY_DIR) + "/manifests/full.manifest"));
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string verb, subdir, name;
        if (!(words >> verb >> subdir >> name) || verb != "file") continue;
        std::string installed = name;
        if (auto at = line.find(" long="); at != std::string::npos)
            installed = line.substr(at + 6, line.find(' ', at + 6) - at - 6);
        auto dot = installed.rfind('.');
        bool longName = (dot == std::string::npos ? installed.size() : dot) > 8;
        if (installed == name && name.find('~') == std::string::npos && !longName) continue;
        std::replace(subdir.begin(), subdir.end(), '\\', '/');
        out.push_back(subdir + "/" + installed);
    }
    return out;
}

// Host paths below `root` whose name holds `part` (without regard to case).
std::vector<std::string> NamesHolding(const std::string& root, const std::string& part) {
    std::vector<std::string> out;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (Contains(Lower(entry.path().filename().string()), Lower(part)))
            out.push_back(entry.path().string());
    return out;
}

TEST_F(OverTheKit, TheSameKitAgainReplacesEveryLongAndTildeNamedFile) {
    auto files = LongAndTildeNamedFiles();
    ASSERT_GE(files.size(), 4u);
    std::map<std::string, std::string> fresh;
    for (const auto& rel : files) {
        std::string host = kit.Kit(rel);
        ASSERT_FALSE(host.empty()) << rel;
        if (fresh.count(host)) continue;  // a file that more than one set brings
        fresh[host] = ReadHostFile(host);
        testing_support::WriteHostFile(host, "left from an earlier installation");
    }
    ASSERT_EQ(Install(kit.root, "full").exitCode, 0);
    for (const auto& [host, bytes] : fresh)
        EXPECT_TRUE(ReadHostFile(host) == bytes) << host << " holds " << ReadHostFile(host).substr(0, 40);
    EXPECT_EQ(NamesHolding(kit.root + "/drive_c", "_1."), std::vector<std::string>{});
    EXPECT_EQ(NamesHolding(kit.root + "/drive_c", "tempdest"), std::vector<std::string>{});
}

std::string NewerLibrary() {
    std::array<std::uint16_t, 4> version;
    mkmedia::ParseVersion("7.0", version);
    auto image = mkmedia::MakePeImage(version, "7.0", true);
    return std::string(image.begin(), image.end());
}

// The questions 1072 of a run, by the file they name.
std::vector<std::string> OlderSourceQuestions(const testing_support::SetupRun& run) {
    std::vector<std::string> out;
    for (const auto& line : run.LinesStartingWith("messagebox id=1072 ")) {
        auto at = line.find("text=\"");
        out.push_back(line.substr(at + 6, line.find(' ', at) - at - 6));
    }
    return out;
}

TEST_F(OverTheKit, AnOlderLongNamedLibraryAsksTheQuestionAShortNamedOneAsks) {
    const std::string newer = NewerLibrary();
    for (const char* rel : {"BIN/LongLibrary.dll", "BIN/OvraDbg.dll"}) {
        ASSERT_FALSE(kit.Kit(rel).empty()) << rel;
        testing_support::WriteHostFile(kit.Kit(rel), newer);
    }
    auto run = RunSetup(kit.root, Media("full"), kAnswers + "answer.1072=no\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    auto asked = OlderSourceQuestions(run);
    std::sort(asked.begin(), asked.end());
    EXPECT_EQ(asked, (std::vector<std::string>{"LongLibrary.DLL", "OvraDbg.DLL"}));
    EXPECT_EQ(kit.Read("BIN/LongLibrary.dll"), newer);
    EXPECT_EQ(kit.Read("BIN/OvraDbg.dll"), newer);
}

TEST_F(OverTheKit, AReadOnlyInstalledFileIsReplacedAfterTheUserAgrees) {
    const std::string ours = kit.Read("BIN/OvraDbg.dll");
    const std::string host = kit.Kit("BIN/OvraDbg.dll");
    testing_support::WriteHostFile(host, NewerLibrary());
    fs::permissions(host, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    auto run = RunSetup(kit.root, Media("full"), kAnswers + "answer.1072=yes\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(OlderSourceQuestions(run), std::vector<std::string>{"OvraDbg.DLL"});
    EXPECT_EQ(kit.Read("BIN/OvraDbg.dll"), ours);
    EXPECT_NE(fs::status(host).permissions() & fs::perms::owner_write, fs::perms::none);
    EXPECT_TRUE(run.LinesStartingWith("messagebox id=1070 ").empty());
}

TEST_F(OverTheKit, AFileStillInUseAfterCancelEndsTheInstallation) {
    auto run = RunSetup(kit.root, Media("full"), kAnswers + "answer.1071=cancel\n", {},
                        "OVRA_FAULTS='inuse=C:\\OVRA\\BIN\\OvraDbg.dll'");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.LinesStartingWith("messagebox id=1071 ").size(), 1u) << run.transcript.substr(0, 3000);
    EXPECT_EQ(run.LinesStartingWith("messagebox id=1070 ").size(), 1u);
    EXPECT_EQ(run.LinesStartingWith("messagebox id=1063 ").size(), 1u);
    EXPECT_TRUE(kit.Kit("tempfile.tmp").empty());
}

TEST_F(OverTheKit, APatchInstallsItsShortNamedLibraryUnderThatName) {
    ASSERT_EQ(Install(kit.root, "patch").exitCode, 0);
    EXPECT_FALSE(kit.Kit("BIN/LONGNA~1.DLL").empty());
    EXPECT_TRUE(kit.Kit("BIN/LONGNA~1.DL_").empty());
    EXPECT_TRUE(kit.Kit("BIN/LONGNA_1.DLL").empty());
}

TEST(SampleMedia, AMissingTargetDirectoryEndsTheInstallation) {
    TempDir dir;
    Installed kit{dir.path() + "/prefix"};
    // A file where the kit's library directory should be: the directory cannot be made.
    testing_support::WriteHostFile(kit.root + "/drive_c/OVRA/LIB", "not a directory");
    auto run = RunSetup(kit.root, Media("full"), kAnswers);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.LinesStartingWith("messagebox id=1070 ").size(), 1u) << run.transcript.substr(0, 3000);
    EXPECT_EQ(run.LinesStartingWith("messagebox id=1063 ").size(), 1u);
    EXPECT_EQ(ReadHostFile(kit.root + "/drive_c/OVRA/LIB"), "not a directory");
    EXPECT_TRUE(kit.Kit("tempfile.tmp").empty());
}

TEST_F(OverTheKit, AToolReleaseAndAnAddOnAppendToTheLogAndTheBuildHistory) {
    auto release = Install(kit.root, "release");
    ASSERT_EQ(release.exitCode, 0);
    EXPECT_EQ(IniValue(kit.Read("BUILD.INI"), "BuildNumber", "BN"), "B100 + R110");
    EXPECT_EQ(IniValue(kit.Read("BUILD.INI"), "RL51", "VERSION"), "V6.11");
    auto addon = Install(kit.root, "addon");
    ASSERT_EQ(addon.exitCode, 0);
    std::string build = kit.Read("BUILD.INI");
    EXPECT_EQ(IniValue(build, "BuildNumber", "BN"), "B100 + R110 + A120");
    EXPECT_EQ(IniValue(build, "BuildNumber", "DATE"), "2026-11-30 + 2026-12-02 + 2026-12-03");
    std::string log = kit.Read("uninst.ins");
    EXPECT_EQ(log.rfind(firstLog, 0), 0u) << "the first run's lines stay at the start";
    EXPECT_EQ(HeaderCount(log), 3);
    EXPECT_FALSE(kit.Kit("BIN/SimRisc.dll").empty());
}

TEST_F(OverTheKit, TwoPatchesInARowRecordTheirBuildNumbersOnce) {
    ASSERT_EQ(Install(kit.root, "patch").exitCode, 0);
    EXPECT_EQ(IniValue(kit.Read("BUILD.INI"), "BuildNumber", "BN"), "B100 + B101-Patch");
    EXPECT_EQ(kit.Read("BIN/PATCH.TXT"), "IDE fix 1 (B101)\n");
    ASSERT_EQ(Install(kit.root, "patch2").exitCode, 0);
    EXPECT_EQ(IniValue(kit.Read("BUILD.INI"), "BuildNumber", "BN"), "B100 + B101-Patch + B102");
    EXPECT_TRUE(Contains(kit.SystemReg(), "\"BuildNumber\"=\"B100 + B101-Patch + B102\""));
    EXPECT_EQ(kit.Read("BIN/PATCH.TXT"), "IDE fix 2 (B102)\n");
}

TEST(SampleMedia, APatchForAnotherBuildIsRefused) {
    TempDir dir;
    Installed kit{dir.path() + "/prefix"};
    ASSERT_EQ(Install(kit.root, "full").exitCode, 0);
    auto run = RunSetup(kit.root, Media("patch2"), kAnswers);
    EXPECT_TRUE(Contains(run.transcript, "Version conflict")) << run.transcript.substr(0, 2000);
    EXPECT_EQ(IniValue(kit.Read("BUILD.INI"), "BuildNumber", "BN"), "B100");
}

}  // namespace

namespace {

// The generated manifests: within each file set the gauge positions rise and the last reaches 100.
TEST(SampleMedia, GaugePositionsRiseToTheEndOfEverySet) {
    for (const char* name :
         {"full", "philips", "infineon", "st6", "lpc", "xe", "mx", "release", "addon", "patch"}) {
        std::string text = ReadHostFile(std::string(OVRA_BINARY_DIR) + "/manifests/" + name + ".manifest");
        ASSERT_FALSE(text.empty()) << name;
        std::istringstream in(text);
        int last = -1, sets = 0;
        std::string set;
        for (std::string line; std::getline(in, line);) {
            if (line.rfind("set ", 0) == 0) {
                set = line;
                last = -1;
                ++sets;
            } else if (line == "end") {
                EXPECT_EQ(last, 100) << name << ": " << set;
            } else if (auto at = line.find(" gauge="); at != std::string::npos) {
                int gauge = std::stoi(line.substr(at + 7));
                EXPECT_GT(gauge, last) << name << ": " << line;
                last = gauge;
            }
        }
        EXPECT_GT(sets, 0) << name;
    }
}

// A tool release carries no language folder: its file sets lie at the root or in folders of their own.
TEST(SampleMedia, TheToolReleaseHasTheReleaseLayout) {
    const std::string media = Media("release");
    EXPECT_FALSE(fs::exists(media + "/English"));
    EXPECT_TRUE(fs::exists(media + "/Asm51.INS") || fs::exists(media + "/Asm51/Asm51.INS"));
    int atRoot = 0, inFolder = 0;
    for (const auto& entry : fs::directory_iterator(media)) {
        if (entry.path().extension() == ".INS") ++atRoot;
        if (entry.is_directory() && fs::exists(entry.path() / (entry.path().filename().string() + ".INS")))
            ++inFolder;
    }
    EXPECT_GT(atRoot, 0);
    EXPECT_GT(inFolder, 0);
    EXPECT_TRUE(fs::exists(Media("full") + "/English/Ovra_1.INS"));
}

}  // namespace
