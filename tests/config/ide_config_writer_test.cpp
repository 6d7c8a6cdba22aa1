#include "config/ide_config_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/setup_record.h"
#include "components/numbered_lists.h"
#include "config/user_keys.h"
#include "engine/setup_ini.h"
#include "platform/win32.h"
#include "support/recording_ui.h"
#include "support/tag_setter.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::RecordingUi;
using testing_support::TempPrefix;

const std::string kRoot = "Software\\KESTRAVION\\Ovra\\6.1";

struct Value {
    LONG result;
    DWORD type;
    std::string data;
};

Value Query(HKEY root, const std::string& key, const char* name) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) return {-1, 0, ""};
    std::vector<BYTE> data(4096);
    DWORD size = static_cast<DWORD>(data.size()), type = 0;
    LONG r = RegQueryValueExA(k, name, nullptr, &type, data.data(), &size);
    RegCloseKey(k);
    if (r != ERROR_SUCCESS) return {r, 0, ""};
    if (type == REG_DWORD) {
        DWORD v = 0;
        std::memcpy(&v, data.data(), 4);
        return {r, type, std::to_string(v)};
    }
    return {r, type,
            std::string(reinterpret_cast<const char*>(data.data()),
                        strnlen(reinterpret_cast<char*>(data.data()), size))};
}

std::string Text(const std::string& key, const char* name, HKEY root = HKEY_LOCAL_MACHINE) {
    Value v = Query(root, key, name);
    return v.result == ERROR_SUCCESS ? v.data : "<none>";
}

bool KeyExists(const std::string& key, HKEY root = HKEY_LOCAL_MACHINE) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

void CreateKey(const std::string& key, HKEY root = HKEY_LOCAL_MACHINE) {
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(k);
}

void Ini(const char* section, const char* key, const char* value) {
    WriteIdeIni(key, section, value);
}

class ConfigWriter : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSetupRecord();
        ResetNumberedLists();
        ResetIdeIniErrorReport();
        ::Setup().installDir = "C:\\Kit";
    }
    void TearDown() override {
        ResetSetupRecord();
        ResetNumberedLists();
    }
    RecordingUi ui;
    TempPrefix prefix{&ui};
};

TEST_F(ConfigWriter, CopiesTheStagedListsIntoTheirKeys) {
    ::Setup().productWord = 0x1;
    Ini("Default Directories", "VexaBin", "C:\\Kit\\Bin");
    Ini("Default Directories", "VexaInc", "x");  // "x" is absent
    Ini("Project", "Last Project", "C:\\Kit\\demo.prj");
    std::string sim = NextSimulatorSection();
    Ini(sim.c_str(), "Name", "P80C51MX*");
    Ini(sim.c_str(), "DllName", "C:\\Kit\\Bin\\SimMX.dll");
    Ini(sim.c_str(), "Hidden", "No");
    std::string nameless = NextSimulatorSection();  // no "Name": skipped
    Ini(nameless.c_str(), "DllName", "lost.dll");
    std::string emu = NextEmulatorSection();
    Ini(emu.c_str(), "Name", "ICE");
    Ini(emu.c_str(), "MaxTrace", "2048");
    Ini(emu.c_str(), "DataInfoRAMSIZE", "1F00");
    Ini(emu.c_str(), "DataInfoSeg1Nb", "ff");
    Ini(emu.c_str(), "DataInfoSeg1Addr", "8000");
    Ini(emu.c_str(), "DataInfoSeg3Nb", "10");
    AddManual("Ovra General\\Getting started", "\\DOC\\GETSTART.PDF");
    AddManual("Flat manual", "\\DOC\\FLAT.PDF");
    AddHelpFile("8051 Handbook", "\\Help\\HB8051.HLP");
    Ini("Targets", "XA", "C:\\Kit\\Bin\\TgtXA.dll");
    Ini("TargetInc", "XA", "C:\\Kit\\IncXA");
    Ini("ASMXA", "Name", "XA Assembler");
    Ini("ASMXA", "Linker", "0");
    Ini("NotATool", "Name", "Stray");
    std::string tool = NextUserToolSection();
    Ini(tool.c_str(), "Name", "ROM Image Builder");

    ASSERT_EQ(IdeConfigWriter(), 1);
    EXPECT_EQ(Text(kRoot + "\\Default Directories", "VexaInst"), "C:\\Kit");
    EXPECT_EQ(Text(kRoot + "\\Default Directories", "VexaBin"), "C:\\Kit\\Bin");
    EXPECT_EQ(Text(kRoot + "\\Default Directories", "VexaInc"), "<none>");
    EXPECT_EQ(Text(kRoot + "\\Project", "Last Project"), "C:\\Kit\\demo.prj");
    EXPECT_EQ(Text(kRoot + "\\Simulators\\P80C51MX*", "Name"), "P80C51MX");
    EXPECT_EQ(Text(kRoot + "\\Simulators\\P80C51MX*", "Hidden"), "No");
    EXPECT_FALSE(KeyExists(kRoot + "\\Simulators\\lost.dll"));
    Value trace = Query(HKEY_LOCAL_MACHINE, kRoot + "\\Emulators\\ICE", "MaxTrace");
    EXPECT_EQ(trace.type, REG_DWORD);
    EXPECT_EQ(trace.data, "2048");
    EXPECT_EQ(Text(kRoot + "\\Emulators\\ICE\\DataInfo", "RAMSIZE"), std::to_string(0x1F00));
    EXPECT_EQ(Text(kRoot + "\\Emulators\\ICE\\DataInfo\\Seg1", "Size"), "255");
    EXPECT_EQ(Text(kRoot + "\\Emulators\\ICE\\DataInfo\\Seg1", "Addr"), std::to_string(0x8000));
    EXPECT_EQ(Text(kRoot + "\\Emulators\\ICE\\DataInfo\\Seg3", "Addr"), "<none>");
    EXPECT_FALSE(KeyExists(kRoot + "\\Emulators\\ICE\\DataInfo\\Seg0"));
    EXPECT_EQ(Text(kRoot + "\\PDF-DOC\\Ovra General\\Getting started", "Name"), "Getting started");
    EXPECT_EQ(Text(kRoot + "\\PDF-DOC\\Ovra General\\Getting started", "Path"), "C:\\Kit\\DOC\\GETSTART.PDF");
    EXPECT_EQ(Text(kRoot + "\\PDF-DOC\\Flat manual", "Name"), "Flat manual");
    EXPECT_EQ(Text(kRoot + "\\HLP\\8051 Handbook", "Path"), "C:\\Kit\\Help\\HB8051.HLP");
    EXPECT_EQ(Text(kRoot + "\\Targets\\XA", "Name"), "XA");
    EXPECT_EQ(Text(kRoot + "\\Targets\\XA", "DllName"), "C:\\Kit\\Bin\\TgtXA.dll");
    EXPECT_EQ(Text(kRoot + "\\Targets\\XA", "TargetInc"), "C:\\Kit\\IncXA");
    EXPECT_EQ(Text(kRoot + "\\Targets\\XA", "TargetLib"), "<none>");
    EXPECT_FALSE(KeyExists(kRoot + "\\Targets\\80C51"));
    EXPECT_EQ(Text(kRoot + "\\Tools\\ASMXA", "Name"), "XA Assembler");
    EXPECT_EQ(Text(kRoot + "\\Tools\\ASMXA", "Linker"), "0");
    EXPECT_FALSE(KeyExists(kRoot + "\\Tools\\NotATool"));
    EXPECT_EQ(Text(kRoot + "\\UserTools\\ROM Image Builder", "Name"), "ROM Image Builder");
    // The shell registrations of an IDE kit.
    EXPECT_EQ(Text("Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Ovra.exe", ""),
              "C:\\Kit\\Bin\\Ovra.exe");
    EXPECT_EQ(Text("prjfile\\shell\\open\\command", "", HKEY_CLASSES_ROOT),
              "\"C:\\Kit\\Bin\\Ovra.exe\" \"%1\"");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ConfigWriter, EveryDataInfoSegmentFromTheFirstToTheLastReachesItsKey) {
    ::Setup().productWord = 0x1;
    std::string emu = NextEmulatorSection();
    Ini(emu.c_str(), "Name", "ICE");
    Ini(emu.c_str(), "DataInfoRAMSIZE", "8000");
    struct Segment {
        int n;
        const char* size;  // hexadecimal, as the section holds it
        const char* addr;  // nullptr: no address entry
    } segments[] = {{0, "80", "0"}, {2, "7F", nullptr}, {4, "FFFF", "C000"}};
    for (const auto& s : segments) {
        const std::string seg = "DataInfoSeg" + std::to_string(s.n);
        Ini(emu.c_str(), (seg + "Nb").c_str(), s.size);
        if (s.addr) Ini(emu.c_str(), (seg + "Addr").c_str(), s.addr);
    }
    // Five segments at most: a sixth entry is not the emulator's.
    Ini(emu.c_str(), "DataInfoSeg5Nb", "10");

    ASSERT_EQ(IdeConfigWriter(), 1);
    const std::string info = kRoot + "\\Emulators\\ICE\\DataInfo";
    EXPECT_EQ(Text(info, "RAMSIZE"), std::to_string(0x8000));
    for (const auto& s : segments) {
        const std::string key = info + "\\Seg" + std::to_string(s.n);
        Value size = Query(HKEY_LOCAL_MACHINE, key, "Size");
        EXPECT_EQ(size.type, static_cast<DWORD>(REG_DWORD)) << key;
        EXPECT_EQ(size.data, std::to_string(std::stoul(s.size, nullptr, 16))) << key;
        EXPECT_EQ(Text(key, "Addr"), s.addr ? std::to_string(std::stoul(s.addr, nullptr, 16)) : "<none>")
            << key;
    }
    for (int n : {1, 3, 5})
        EXPECT_FALSE(KeyExists(info + "\\Seg" + std::to_string(n))) << n;
}

// Every value each list copies, the first and the last of its names included, reaches the list's key.
TEST_F(ConfigWriter, EveryValueOfEachListReachesItsKey) {
    ::Setup().productWord = 0x1;
    testing_support::SetTags({"ST6-Tools"});
    struct List {
        std::string section;
        std::string key;  // below the configuration root
        std::vector<const char*> values;
    };
    const std::string sim = NextSimulatorSection(), emu = NextEmulatorSection(), tool = NextUserToolSection();
    const List lists[] = {
        {"Default Directories",
         "Default Directories",
         {"VexaBin", "VexaInc", "VexaLib", "VexaCCLib", "VexaHelp"}},
        {sim,
         "Simulators\\Sim",
         {"DllName", "TargetName", "MicroRef", "FirmSys", "Company", "Generic", "Hidden", "IntRAMSize",
          "2ndGeneration", "IncFile", "MicroDef"}},
        {emu,
         "Emulators\\Emu",
         {"Name", "DllName", "TargetName", "MicroRef", "Hidden", "DllDrvCom", "2ndGeneration", "IncFile",
          "MicDef", "DllConf"}},
        {tool, "UserTools\\Tool", {"Name", "Path", "Source extensions", "Object extensions"}},
        {"ASMXA", "Tools\\ASMXA", {"Path", "Source extensions", "Object extensions"}},
        // The first and the last of the ST6 parts the installation stages.
        {"ST6Derivatives0",
         "ST6Derivatives\\First",
         {"Name", "DRBRMask", "DRBRAddr", "CodeStart", "CodeReserved", "CodeSize", "DataStart", "DataSize",
          "DllName", "TargetName", "MicroRef", "Hidden", "2ndGeneration"}},
        {"ST6Derivatives24", "ST6Derivatives\\Last", {"Name", "2ndGeneration"}},
    };
    auto text = [](const List& l, const char* value) {
        const std::string name = l.key.substr(l.key.rfind('\\') + 1);
        return std::string(value) == "Name" ? name : name + " " + value;
    };
    for (const auto& l : lists)
        for (const char* v : l.values)
            Ini(l.section.c_str(), v, text(l, v).c_str());
    Ini(sim.c_str(), "Name", "Sim");
    Ini("ASMXA", "Name", "XA Assembler");
    Ini("ST6Derivatives25", "Name", "Beyond");  // 25 parts: the 26th section is not one of them
    Ini("Targets", "XA", "C:\\Kit\\Bin\\TgtXA.dll");
    Ini("TargetInc", "XA", "C:\\Kit\\IncXA");
    Ini("TargetLib", "XA", "C:\\Kit\\LibXA");
    AddHelpFile("Handbook", "\\Help\\HB.HLP");
    Ini(tool.c_str(), "Linker", "1");

    ASSERT_EQ(IdeConfigWriter(), 1);
    for (const auto& l : lists)
        for (const char* v : l.values)
            EXPECT_EQ(Text(kRoot + "\\" + l.key, v), text(l, v)) << l.key << " " << v;
    EXPECT_EQ(Text(kRoot + "\\Default Directories", "VexaInst"), "C:\\Kit");
    EXPECT_EQ(Text(kRoot + "\\Simulators\\Sim", "Name"), "Sim");
    EXPECT_EQ(Text(kRoot + "\\Tools\\ASMXA", "Name"), "XA Assembler");
    EXPECT_EQ(Text(kRoot + "\\UserTools\\Tool", "Linker"), "1");
    EXPECT_FALSE(KeyExists(kRoot + "\\ST6Derivatives\\Beyond"));
    EXPECT_EQ(Text(kRoot + "\\Targets\\XA", "Name"), "XA");
    EXPECT_EQ(Text(kRoot + "\\Targets\\XA", "DllName"), "C:\\Kit\\Bin\\TgtXA.dll");
    EXPECT_EQ(Text(kRoot + "\\Targets\\XA", "TargetInc"), "C:\\Kit\\IncXA");
    EXPECT_EQ(Text(kRoot + "\\Targets\\XA", "TargetLib"), "C:\\Kit\\LibXA");
    EXPECT_EQ(Text(kRoot + "\\HLP\\Handbook", "Name"), "Handbook");
    EXPECT_EQ(Text(kRoot + "\\HLP\\Handbook", "Path"), "C:\\Kit\\Help\\HB.HLP");
}

TEST_F(ConfigWriter, DerivativesReachTheSimulatorsWithoutAnySimulatorSection) {
    ::Setup().productWord = 0x1;
    ::Setup().word8051 = 0x7;
    ASSERT_EQ(IdeConfigWriter(), 1);
    HKEY k = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kRoot + "\\Simulators").c_str(), 0, KEY_READ, &k),
              ERROR_SUCCESS);
    char name[260];
    DWORD size = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(k, 0, name, &size, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    RegCloseKey(k);
}

TEST_F(ConfigWriter, ARefusedKeyIsReportedOncePerPass) {
    ::Setup().productWord = 0x1;
    auto& refused = prefix.machine().faults().refusedKeys;
    refused.insert("HKLM\\" + kRoot + "\\Default Directories");
    refused.insert("HKLM\\" + kRoot + "\\Project");
    refused.insert("HKLM\\" + kRoot + "\\Tools");
    refused.insert("HKLM\\" + kRoot + "\\UserTools");
    ASSERT_EQ(IdeConfigWriter(), 1);
    ASSERT_EQ(ui.BoxIds(), std::vector<int>{1084});
    EXPECT_EQ(ui.boxes[0].style, MB_OK | MB_ICONHAND);
    EXPECT_FALSE(ui.boxes[0].owned);
    // A second pass reports again.
    ASSERT_EQ(IdeConfigWriter(), 1);
    EXPECT_EQ(ui.BoxIds(), (std::vector<int>{1084, 1084}));
    // Keys that are not refused are still written.
    EXPECT_TRUE(KeyExists(kRoot + "\\Simulators"));
}

TEST_F(ConfigWriter, UserToolsFailSilently) {
    prefix.machine().faults().refusedKeys.insert("HKLM\\" + kRoot + "\\UserTools");
    ASSERT_EQ(IdeConfigWriter(), 1);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ConfigWriter, OldKeysGoExceptWhereTheSystemRefuses) {
    for (const char* k : {"\\Default Directories", "\\Project", "\\Targets\\XA", "\\Targets\\Mine",
                          "\\Tools\\ASMXA", "\\Simulators\\X"})
        CreateKey(kRoot + k);
    DeleteOldConfiguration();
    EXPECT_FALSE(KeyExists(kRoot + "\\Default Directories"));
    EXPECT_FALSE(KeyExists(kRoot + "\\Project"));
    EXPECT_FALSE(KeyExists(kRoot + "\\Tools"));
    // A target the catalogue does not know keeps its parent, and the parent keeps 6.1.
    EXPECT_TRUE(KeyExists(kRoot + "\\Targets\\Mine"));
    EXPECT_FALSE(KeyExists(kRoot + "\\Targets\\XA"));
    EXPECT_TRUE(KeyExists(kRoot));
}

TEST_F(ConfigWriter, OldKeysAllGoOnWindows9x) {
    CreateKey("Software\\Wine", HKEY_CURRENT_USER);
    HKEY wine = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine", 0, KEY_ALL_ACCESS, &wine);
    RegSetValueExA(wine, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6);
    RegCloseKey(wine);
    CreateKey(kRoot + "\\Targets\\Mine");
    CreateKey(kRoot + "\\Simulators\\X");
    DeleteOldConfiguration();
    EXPECT_FALSE(KeyExists(kRoot));  // Windows 9x deletes whole trees
    EXPECT_TRUE(KeyExists("Software\\KESTRAVION\\Ovra"));
}

TEST_F(ConfigWriter, DriverKeepsAnEarlierInstallationsKeys) {
    ::Setup().productWord = 0x1;
    CreateKey(kRoot + "\\Project");
    HKEY k = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kRoot + "\\Project").c_str(), 0, KEY_ALL_ACCESS, &k);
    RegSetValueExA(k, "Kept", 0, REG_SZ, reinterpret_cast<const BYTE*>("yes"), 4);
    RegCloseKey(k);
    ::Setup().earlierInstallation = true;
    ConfigDriver();
    EXPECT_EQ(Text(kRoot + "\\Project", "Kept"), "yes");
    ::Setup().earlierInstallation = false;
    ConfigDriver();
    EXPECT_EQ(Text(kRoot + "\\Project", "Kept"), "<none>");
}

struct DebugCase {
    const char* name;
    std::uint32_t product, w8051, lpc, xa;
    std::vector<std::pair<std::string, std::string>> targets;  // subkey, "Name"
};

TEST_F(ConfigWriter, DebuggerDefaultsByFlavour) {
    const DebugCase cases[] = {
        {"st6", 0x4, 0, 0, 0, {{"ST6", "ST6-Simulator"}}},
        {"philips", 0x2, 0, 0, 0, {{"80C51", "8xC52"}, {"XA", "XA-G3"}}},
        {"infineon", 0x80, 0, 0, 0, {{"80C51", "8xC52"}}},
        {"kit 8051", 0x1, 0x7, 0, 0, {{"80C51", "8xC52"}}},
        {"kit lpc wins", 0x1, 0x7, 0x1, 0, {{"80C51", "8xLPC764"}}},
        {"kit xa", 0x1, 0, 0, 0x1, {{"XA", "XA-G3"}}},
        {"kit alone", 0x1, 0, 0, 0, {}},
    };
    for (const auto& c : cases) {
        TempPrefix fresh{&ui};
        ResetSetupRecord();
        ::Setup().productWord = c.product;
        ::Setup().word8051 = c.w8051;
        ::Setup().lpcWord = c.lpc;
        ::Setup().xaWord = c.xa;
        WriteDebuggerDefaults();
        int found = 0;
        for (const char* target : {"ST6", "80C51", "XA"})
            if (KeyExists(std::string("Software\\KESTRAVION\\Debug\\") + target, HKEY_CURRENT_USER)) ++found;
        EXPECT_EQ(found, static_cast<int>(c.targets.size())) << c.name;
        for (const auto& [target, derivative] : c.targets) {
            std::string key = "Software\\KESTRAVION\\Debug\\" + target;
            EXPECT_EQ(Text(key, "Name", HKEY_CURRENT_USER), derivative) << c.name;
            EXPECT_EQ(Text(key, "Debug Frequency", HKEY_CURRENT_USER), target == "ST6" ? "8.000" : "12.000");
            EXPECT_EQ(Text(key, "Debug type", HKEY_CURRENT_USER), "1");
        }
    }
}

TEST_F(ConfigWriter, ToolbarsAreWrittenOnceAndTheCompressorButtonAddedOnce) {
    const std::string buttons = "Software\\KESTRAVION\\Ovra\\Buttons";
    WriteToolbars();
    EXPECT_EQ(Text(buttons + "\\Project", "Count", HKEY_CURRENT_USER), "2");
    EXPECT_EQ(Text(buttons + "\\Editor", "Button3", HKEY_CURRENT_USER), "24324");
    EXPECT_EQ(Text(buttons + "\\Editor", "Button5", HKEY_CURRENT_USER), "24353");
    EXPECT_EQ(Text(buttons + "\\Debug", "Count", HKEY_CURRENT_USER), "9");
    EXPECT_EQ(Text(buttons + "\\View", "right", HKEY_CURRENT_USER), "776");
    // The user's own layout stays; a compressor adds its button once.
    HKEY k = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, (buttons + "\\Standard").c_str(), 0, KEY_ALL_ACCESS, &k);
    RegSetValueExA(k, "Count", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    RegCloseKey(k);
    WriteToolbars();
    EXPECT_EQ(Text(buttons + "\\Standard", "Count", HKEY_CURRENT_USER), "1");
    EXPECT_EQ(Text(buttons + "\\Project", "Count", HKEY_CURRENT_USER), "2");
    ::Setup().addOnWord = 1u << 17;
    WriteToolbars();
    WriteToolbars();
    EXPECT_EQ(Text(buttons + "\\Project", "Count", HKEY_CURRENT_USER), "3");
    EXPECT_EQ(Text(buttons + "\\Project", "Button2", HKEY_CURRENT_USER), "17195");
}

// A bar's whole record: its count, its first and last buttons, and the four sides of its place, each
// under its own name (the Debug bar's sides all differ).
TEST_F(ConfigWriter, EveryValueOfAToolbarReachesItsName) {
    WriteToolbars();
    const std::string debug = "Software\\KESTRAVION\\Ovra\\Buttons\\Debug";
    const std::pair<const char*, const char*> values[] = {
        {"Count", "9"}, {"Button0", "247"}, {"Button8", "19133"}, {"IsVisible", "1"}, {"Location", "1"},
        {"left", "0"},  {"top", "32"},      {"bottom", "65"},     {"right", "491"},
    };
    for (const auto& [name, text] : values)
        EXPECT_EQ(Text(debug, name, HKEY_CURRENT_USER), text) << name;
    EXPECT_EQ(Text(debug, "Button9", HKEY_CURRENT_USER), "<none>");
    EXPECT_EQ(Text("Software\\KESTRAVION\\Ovra\\Buttons\\Standard", "Button0", HKEY_CURRENT_USER), "24332");
}

TEST_F(ConfigWriter, NewToolbarsWithACompressor) {
    ::Setup().addOnWord = 1u << 21;
    WriteToolbars();
    const std::string project = "Software\\KESTRAVION\\Ovra\\Buttons\\Project";
    EXPECT_EQ(Text(project, "Count", HKEY_CURRENT_USER), "3");
    EXPECT_EQ(Text(project, "Button2", HKEY_CURRENT_USER), "17195");
    EXPECT_EQ(Text(project, "left", HKEY_CURRENT_USER), "120");
}

TEST_F(ConfigWriter, DosTools) {
    std::string section = NextDosToolSection();
    Ini(section.c_str(), "Name", "ROM Image Builder");
    Ini(section.c_str(), "Command line", "C:\\Kit\\BIN\\ROMIMG.EXE {NODE}");
    Ini(section.c_str(), "To Prompt", "1");
    WriteDosTools();
    const std::string key = "Software\\KESTRAVION\\Dos Tools\\ROM Image Builder";
    EXPECT_EQ(Text(key, "Command line", HKEY_CURRENT_USER), "C:\\Kit\\BIN\\ROMIMG.EXE {NODE}");
    EXPECT_EQ(Text(key, "To Prompt", HKEY_CURRENT_USER), "1");
    EXPECT_EQ(Text(key, "Filter", HKEY_CURRENT_USER), "<none>");
}

TEST_F(ConfigWriter, EveryValueOfADosToolReachesItsKey) {
    std::string section = NextDosToolSection();
    const std::pair<const char*, const char*> values[] = {{"Name", "Packer"},
                                                          {"Command line", "C:\\Kit\\BIN\\PACK.EXE {NODE}"},
                                                          {"Filter", "*.hex"},
                                                          {"To Filter", "1"},
                                                          {"To Prompt", "0"}};
    for (const auto& [name, text] : values)
        Ini(section.c_str(), name, text);
    WriteDosTools();
    for (const auto& [name, text] : values)
        EXPECT_EQ(Text("Software\\KESTRAVION\\Dos Tools\\Packer", name, HKEY_CURRENT_USER), text) << name;
}

}  // namespace
