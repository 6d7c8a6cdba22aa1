#include "components/family_installers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "app/inst_app.h"
#include "app/setup_record.h"
#include "components/install_phase.h"
#include "components/numbered_lists.h"
#include "components/tools_host.h"
#include "engine/setup_ini.h"
#include "platform/machine/system.h"
#include "platform/win32.h"
#include "resources/catalogue.h"
#include "resources/catalogue_products.h"
#include "resources/catalogue_sets.h"
#include "support/recording_ui.h"
#include "support/tag_setter.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::ReadHostFile;
using testing_support::SetTags;
using testing_support::WriteHostFile;
using Names = std::vector<std::string>;

constexpr const char* kOvraRoot = "Software\\KESTRAVION\\Ovra\\6.1";
constexpr const char* kEnvironment = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

// Every set any installer or the media check can ask for.
std::set<std::string> AllSetNames() {
    std::set<std::string> names;
    for (const auto& row : catalogue::MediaCheckRows())
        for (const auto& set : row.sets)
            names.insert(set.name);
    for (const auto& row : catalogue::FamilyRows())
        for (const char* set : row.fileSets)
            names.insert(set);
    return names;
}

void SetWineVersion(const char* setting) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(setting),
                   static_cast<DWORD>(std::strlen(setting) + 1));
    RegCloseKey(key);
}

void PlantKey(const std::string& path) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// A value as text ("<missing>" when absent); REG_DWORD values come back as "dword:N".
std::string RegValue(HKEY root, const std::string& path, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "<no key>";
    BYTE data[2048] = {};
    DWORD size = sizeof data, type = 0;
    LONG r = RegQueryValueExA(key, name, nullptr, &type, data, &size);
    RegCloseKey(key);
    if (r != ERROR_SUCCESS) return "<missing>";
    if (type == REG_DWORD) {
        DWORD v = 0;
        std::memcpy(&v, data, sizeof v);
        return "dword:" + std::to_string(v);
    }
    return std::string(reinterpret_cast<const char*>(data),
                       strnlen(reinterpret_cast<const char*>(data), size));
}

Names SubKeys(HKEY root, const std::string& path) {
    Names names;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    for (DWORD i = 0;; ++i) {
        char name[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        if (RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.push_back(name);
    }
    RegCloseKey(key);
    return names;
}

class FamilyInstallers : public ::testing::Test {
  protected:
    void SetUp() override {
        Fresh();
        CreateDirectoryA("C:\\OVRA", nullptr);
        // Each set only leaves a trace that it was found; tool releases read the media without the
        // language folder.
        for (const std::string& set : AllSetNames())
            for (const char* folder : {"", "English/"})
                AddSet(folder + set);
        prefix.machine().system().SetTrace([this](const std::string& line) { ui.Trace(line); });
    }
    void TearDown() override {
        ResetSetupRecord();
        ResetNumberedLists();
    }
    // A program start: no tags, the lists empty, the media and the installation directory in place.
    void Fresh() {
        ResetSetupRecord();
        ResetNumberedLists();
        ResetIdeIniErrorReport();
        ::Setup().sourceDir = "C:\\media\\";
        ::Setup().installDir = "C:\\OVRA";
    }
    void AddSet(const std::string& relative) {
        WriteHostFile(prefix.DriveC("media/" + relative + ".INS"), "; nothing to install\r\n");
        WriteHostFile(prefix.DriveC("media/" + relative + ".DAT"), "");
    }
    void RemoveSet(const std::string& name) {
        for (const char* folder : {"", "English/"})
            for (const char* ext : {".INS", ".DAT"})
                DeleteFileA(("C:\\media\\" + std::string(folder) + name + ext).c_str());
    }
    void Run(std::initializer_list<const char*> tags) {
        SetTags(tags);
        WVexaTools host(app, nullptr, &app.pageIndex, &app.stepDirection);
        RunFamilyInstallers(host);
        continueFlag = host.continueFlag;
    }
    // The sets the engine found, in the order it was asked for them.
    Names InstalledSets() const {
        Names sets;
        for (const auto& line : ui.traces)
            if (line.rfind("fileset ", 0) == 0 && line.find(" at ") != std::string::npos)
                sets.push_back(line.substr(8, line.find(" at ") - 8));
        return sets;
    }
    std::string Ini(const std::string& section, const char* key) {
        char buffer[300] = {};
        GetPrivateProfileStringA(section.c_str(), key, "x", buffer, sizeof buffer, "C:\\windows\\OVRA.ini");
        return buffer;
    }
    Names List(const char* prefixName, int count, const char* key = "Name") {
        Names values;
        for (int i = 0; i < count; ++i)
            values.push_back(Ini(prefixName + std::to_string(i), key));
        return values;
    }

    testing_support::RecordingUi ui;
    testing_support::TempPrefix prefix{&ui};
    WVexaInstApp app;
    int continueFlag = -1;
};

TEST_F(FamilyInstallers, SetsInstalledFollowTheRowsAndTheirRules) {
    // The LPC kit's members share the 8051 names; setting them by name would select the 8051 family too.
    constexpr std::uint32_t kLpcRtkAndAsm = (1u << 4) | (1u << 0);
    struct Case {
        std::initializer_list<const char*> tags;
        Names sets;
        std::uint32_t lpcMembers = 0;
    } cases[] = {
        {{}, {}},
        {{"8051-Tools", "RTK51", "MON51", "ASM51", "C51"},
         {"Rtk51", "Mon51", "headers", "samples", "Asm51", "C51", "Lx51"}},
        // A tool release brings only the tools.
        {{"8051-Tools", "RTK51", "MON51", "ASM51", "C51", "RELEASE"}, {"Asm51", "C51", "Lx51"}},
        {{"LPC-Tools"}, {"Rtk51", "headers", "samples", "Asm51"}, kLpcRtkAndAsm},
        // The XA family leaves the shared sets to the 8051 family when both are selected.
        {{"8051-Tools", "XA-Tools", "RTKXA", "ASMXA", "CXA"},
         {"headers", "samples", "RtkXA", "AsmXA", "CXA", "LnkXA", "LibXA"}},
        {{"XA-Tools", "MONXA"}, {"MonXA", "headers", "samples"}},
        {{"XA-Tools", "MONXA", "RELEASE"}, {}},
        {{"80251-Tools", "C251"}, {"Mon251", "C251", "Lnk251"}},
        {{"ST5-Tools", "LNKST5"}, {"SimST5", "LnkST5"}},
        {{"ST6-Tools", "ASMST6", "CEIBOEMUST6"}, {"AsmST6", "EmuST6", "EbST62"}},
        {{"ST6-Tools", "ASMST6", "CEIBOEMUST6", "RELEASE"}, {"AsmST6"}},
        {{"TOOLSXE"}, {"simxe", "toolsxe", "monxe", "docxe"}},
        {{"SXASim"}, {"SimSXA"}},
        {{"SXASim", "AddonPDFHLP"}, {"SimSXA", "DocSXA"}},
        {{"Flip51Emu", "Risc51Emu", "MSC1210"}, {}},
        // Rows run in their fixed order whatever order the tags come in; an 8051 member selects the
        // 8051 family, which brings the shared sets.
        {{"C51PLUS", "T8XC51FP", "STARCTools", "SXASim", "80C51MX", "ST5-Tools", "ICE51"},
         {"headers", "samples", "Ice51", "SimST5", "SimMX", "SimSXA", "ToolSTC", "SimSTC", "DsPack51",
          "C51Plus"}},
    };
    for (const auto& c : cases) {
        Fresh();
        ui.traces.clear();
        ::Setup().lpcWord = c.lpcMembers;
        Run(c.tags);
        EXPECT_EQ(InstalledSets(), c.sets) << (c.tags.size() ? *c.tags.begin() : "no tags");
        EXPECT_EQ(continueFlag, 1);
    }
}

TEST_F(FamilyInstallers, The8051KitWritesItsTargetToolsProbesDocumentsAndExternalTool) {
    Run({"8051-Tools", "MON51", "ASM51", "C51"});
    EXPECT_EQ(Ini("Targets", "80C51"), "C:\\OVRA\\Bin\\Tgt51.dll");
    EXPECT_EQ(Ini("ASM51", "Name"), "ASM51");
    EXPECT_EQ(Ini("ASM51", "Path"), "C:\\OVRA\\Bin\\VxAsm51.dll");
    EXPECT_EQ(Ini("ASM51", "Source extensions"), "*.a51;*.x51;*.inc;*.src");
    EXPECT_EQ(Ini("ASM51", "Object extensions"), "*.obj");
    EXPECT_EQ(Ini("ASM51", "Linker"), "0");
    EXPECT_EQ(Ini("LX51", "Linker"), "1");
    EXPECT_EQ(Ini("OH51", "Source extensions"), "*.aof");
    EXPECT_EQ(Ini("LIB51", "Name"), "LIB51");
    const NumberedListCounts counts = ListCounts();
    ASSERT_EQ(counts.emulators, 2);
    EXPECT_EQ(List("Emulator", 2), (Names{"MON51", "OCDS51"}));
    EXPECT_EQ(Ini("Emulator1", "DllName"), "C:\\OVRA\\Bin\\Ocd51.dll");
    EXPECT_EQ(Ini("Emulator1", "DllDrvCom"), "OcdCom.dll");
    EXPECT_EQ(Ini("Emulator1", "TargetName"), "80C51");
    EXPECT_EQ(Ini("Emulator1", "Hidden"), "No");
    EXPECT_EQ(Ini("Emulator0", "IncFile"), "C:\\OVRA\\inc\\reg52.h");
    EXPECT_EQ(Ini("Emulator0", "DllDrvCom"), "x");  // no driver: the empty text leaves no key
    EXPECT_EQ(List("Pdf", counts.pdfs),
              (Names{"8051-Tools\\Assembler 8051", "8051-Tools\\C Compiler 8051", "8051-Tools\\Linker LX51",
                     "8051-Tools\\Real-Time Kernel 8051", "Ovra General\\Getting started"}));
    EXPECT_EQ(Ini("Pdf0", "Path"), "C:\\OVRA\\DOC\\ASM51.PDF");
    EXPECT_EQ(List("Help", counts.helps), (Names{"8051 Handbook"}));
    EXPECT_EQ(Ini("Help0", "Path"), "C:\\OVRA\\Help\\HB8051.HLP");
    ASSERT_EQ(counts.userTools, 1);
    EXPECT_EQ(Ini("UserTool0", "Path"), "C:\\OVRA\\BIN\\ROMIMG.EXE");
    EXPECT_EQ(Ini("UserTool0", "Object extensions"), "*.*");
    EXPECT_EQ(Ini("UserTool0", "Linker"), "0");
    ASSERT_EQ(counts.dosTools, 1);
    EXPECT_EQ(Ini("DosTool0", "Command line").rfind("{NODE} ", 0), 0u);
    EXPECT_EQ(Ini("DosTool0", "To Filter"), "0");
    EXPECT_EQ(Ini("DosTool0", "To Prompt"), "1");
    EXPECT_EQ(counts.simulators, 0);
}

TEST_F(FamilyInstallers, ReleaseKeepsToolsAndDocumentsButNoTargetOrProbes) {
    Run({"8051-Tools", "MON51", "ASM51", "RELEASE", "OVRAINFINEON"});
    EXPECT_EQ(Ini("Targets", "80C51"), "x");
    EXPECT_EQ(ListCounts().emulators, 0);
    EXPECT_EQ(Ini("ASM51", "Name"), "ASM51");
    EXPECT_EQ(Ini("C51", "Name"), "x");  // its tag is not set
    // The Infineon kit has no 8051 handbook and no getting-started guide.
    EXPECT_EQ(ListCounts().helps, 0);
    EXPECT_EQ(ListCounts().pdfs, 4);
}

TEST_F(FamilyInstallers, LpcAndSt6RowsWriteTheirSimulatorsTargetsAndEmulatorsInOrder) {
    SetWineVersion("win98");  // no driver question
    Run({"LPC-Tools", "ST6-Tools", "CEIBOEMUST6", "ST5-Tools"});
    EXPECT_EQ(List("Simulator", ListCounts().simulators),
              (Names{"87LPC762", "87LPC764", "87LPC767", "87LPC768", "87LPC769", "ST5-Simulator"}));
    EXPECT_EQ(Ini("Simulator0", "IntRAMSize"), "128");
    EXPECT_EQ(Ini("Simulator5", "TargetName"), "ST5");
    EXPECT_EQ(List("Emulator", ListCounts().emulators), (Names{"ST6-HDS2", "EB-ST62", "SofTec-DS62"}));
    EXPECT_EQ(Ini("Emulator0", "MaxTrace"), "1024");
    EXPECT_EQ(Ini("Emulator0", "TargetName"), "ST6");
    EXPECT_EQ(Ini("Targets", "ST6"), "C:\\OVRA\\Bin\\TgtST6.dll");
    EXPECT_EQ(Ini("TargetInc", "ST6"), "C:\\OVRA\\IncST6");
    EXPECT_EQ(Ini("Targets", "ST5"), "C:\\OVRA\\Bin\\TgtST5.dll");
    EXPECT_EQ(List("Help", ListCounts().helps), (Names{"ST6 Instructions", "ST6-HDS2 Emulator"}));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(FamilyInstallers, EvaluationBoardOnlyWithItsTag) {
    SetWineVersion("win98");
    Run({"ST6-Tools"});
    EXPECT_EQ(List("Emulator", ListCounts().emulators), (Names{"ST6-HDS2", "SofTec-DS62"}));
}

TEST_F(FamilyInstallers, ParallelPortDriverIsOfferedOnNtRightAfterTheHds2Entry) {
    struct Case {
        int answer;
        bool started;
    } cases[] = {{IDYES, true}, {IDNO, false}};
    for (const auto& c : cases) {
        Fresh();
        ui.boxes.clear();
        ui.traces.clear();
        ui.answers = {c.answer};
        Run({"ST6-Tools", "CEIBOEMUST6"});
        ASSERT_EQ(ui.BoxIds(), (std::vector<int>{1086}));
        EXPECT_EQ(ui.boxes[0].style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
        EXPECT_EQ(ui.boxes[0].caption, "Vexa 6.1 Installation Program");
        Names steps;
        for (const auto& line : ui.traces)
            if (line.rfind("fileset Emu", 0) == 0 || line.rfind("fileset Eb", 0) == 0 ||
                line.rfind("LoadModule", 0) == 0)
                steps.push_back(line.substr(0, line.find(" at ")));
        Names expected{"fileset EmuST6"};
        if (c.started) expected.push_back("LoadModule \"C:\\media\\STMDRV\\Setup.exe\"");
        expected.push_back("fileset EbST62");
        EXPECT_EQ(steps, expected);
        EXPECT_EQ(continueFlag, 1);
    }
}

TEST_F(FamilyInstallers, ParallelPortDriverIsNotOfferedOnWindows9xNorInAToolRelease) {
    Run({"ST6-Tools", "RELEASE"});
    EXPECT_TRUE(ui.boxes.empty());
    Fresh();
    SetWineVersion("win98");
    Run({"ST6-Tools"});
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(ListCounts().emulators, 2);
}

TEST_F(FamilyInstallers, FailedSetStopsTheRowAndEveryLaterRow) {
    RemoveSet("C51");
    ui.commands = {IDCANCEL};
    Run({"8051-Tools", "ASM51", "C51", "XA-Tools", "ASMXA", "SXASim"});
    EXPECT_EQ(continueFlag, 0);
    EXPECT_EQ(InstalledSets(), (Names{"headers", "samples", "Asm51"}));
    EXPECT_EQ(Ini("ASM51", "Name"), "ASM51");
    EXPECT_EQ(Ini("C51", "Name"), "x");
    EXPECT_EQ(Ini("LX51", "Name"), "x");
    EXPECT_EQ(ListCounts().pdfs, 0);
    EXPECT_EQ(Ini("Targets", "XA"), "x");
    EXPECT_EQ(ListCounts().simulators, 0);
}

TEST_F(FamilyInstallers, FailedAddOnManualSetStopsBeforeItsEntries) {
    RemoveSet("DocSXA");
    ui.commands = {IDCANCEL};
    Run({"SXASim", "AddonPDFHLP", "SXAEmu"});
    EXPECT_EQ(continueFlag, 0);
    EXPECT_EQ(InstalledSets(), (Names{"SimSXA"}));
    EXPECT_EQ(ListCounts().simulators, 0);
    EXPECT_EQ(ListCounts().emulators, 0);
}

TEST_F(FamilyInstallers, XeKitWritesTheChainEntriesAndTheNtEnvironment) {
    Run({"XE8000"});
    EXPECT_EQ(Ini("Targets", "XE8000"), "C:\\OVRA\\Bin\\TgtXE.dll");
    EXPECT_EQ(Ini("TargetInc", "XE8000"),
              "C:\\OVRA\\coolrcts\\win32\\Templates;C:\\OVRA\\coolrcts\\win32\\c816\\include");
    EXPECT_EQ(
        Ini("TargetLib", "XE8000"),
        "C:\\OVRA\\coolrcts\\win32\\c816\\lib;C:\\OVRA\\coolrcts\\win32\\lib\\gcc-lib\\c816\\egcs-2.91.02");
    struct Tool {
        const char* name;
        const char* from;
        const char* to;
        const char* kind;
    } tools[] = {{"ASXE", "*.s", "*.o", "0"},      {"GCCXE", "*.c;*.h", "*.o", "0"},
                 {"LDXE", "*.o", "*.axe", "1"},    {"ARXE", "*.o", "*.a", "0"},
                 {"CMPXE", "*.axe", "*.axe", "2"}, {"LOADER", "*.axe;*.hex", "*.axe", "3"}};
    for (const auto& t : tools) {
        EXPECT_EQ(Ini(t.name, "Source extensions"), t.from) << t.name;
        EXPECT_EQ(Ini(t.name, "Object extensions"), t.to) << t.name;
        EXPECT_EQ(Ini(t.name, "Linker"), t.kind) << t.name;
    }
    ASSERT_EQ(ListCounts().simulators, 6);
    EXPECT_EQ(List("Simulator", 6),
              (Names{"CoolRISC-816", "XE88LC01", "XE88LC03", "XE88LC05", "XE88LC06", "XE88LC02"}));
    EXPECT_EQ(List("Simulator", 6, "TargetName"), Names(6, "XE8000"));
    EXPECT_EQ(List("Simulator", 6, "IncFile"), Names(6, "C:\\OVRA\\inc\\regxe.h"));
    EXPECT_EQ(List("Simulator", 6, "MicroRef"), Names(6, "x"));
    EXPECT_EQ(List("Emulator", ListCounts().emulators), (Names{"XE-PROSTART2"}));
    EXPECT_NE(Ini("Emulator0", "DllDrvCom"), "x");
    const Names pdfs = List("Pdf", ListCounts().pdfs);
    ASSERT_EQ(pdfs.size(), 6u);
    for (const auto& name : pdfs)
        EXPECT_EQ(name.rfind("XE-Tools\\", 0), 0u) << name;
    EXPECT_EQ(pdfs.back(), "XE-Tools\\Getting started XE");
    EXPECT_EQ(Ini("Pdf5", "Path"), "C:\\OVRA\\doc\\Getting_Started_XE.pdf");
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, kEnvironment, "C816_ROOT"), "C:/OVRA/coolrcts");
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, kEnvironment, "C816_PATH"), "C:\\OVRA\\coolrcts\\win32\\bin");
    EXPECT_FALSE(testing_support::HostExists(prefix.DriveC("autoexec.bat")));
}

TEST_F(FamilyInstallers, XeKitOnWindows9xEditsAutoexec) {
    SetWineVersion("win98");
    WriteHostFile(prefix.DriveC("autoexec.bat"), "@ECHO OFF\r\n");
    Run({"XE8000"});
    const std::string autoexec = ReadHostFile(prefix.DriveC("autoexec.bat"));
    EXPECT_NE(autoexec.find("SET C816_ROOT=C:\\OVRA\\coolrcts"), std::string::npos) << autoexec;
    EXPECT_NE(autoexec.find("SET PATH=%PATH%;%C816_PATH%;"), std::string::npos) << autoexec;
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, kEnvironment, "C816_ROOT"), "<missing>");
}

TEST_F(FamilyInstallers, XeKitWithAFailedSetChangesNoEnvironment) {
    RemoveSet("monxe");
    ui.commands = {IDCANCEL};
    Run({"XE8000"});
    EXPECT_EQ(continueFlag, 0);
    EXPECT_EQ(Ini("Targets", "XE8000"), "x");
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, kEnvironment, "C816_ROOT"), "<missing>");
}

TEST_F(FamilyInstallers, GettingStartedGuideFollowsTheFlipRule) {
    struct Case {
        std::initializer_list<const char*> tags;
        Names pdfs;
    } cases[] = {
        {{"Flip51Sim", "XA-Tools"},
         {"XA-Tools\\Assembler XA", "XA-Tools\\C Compiler XA", "8051-Tools\\FLIP 8051 Bank Switching",
          "Ovra General\\Getting started"}},
        // Not a FLIP kit at all: the guide is listed all the same.
        {{"XA-Tools"},
         {"XA-Tools\\Assembler XA", "XA-Tools\\C Compiler XA", "Ovra General\\Getting started"}},
        {{"Flip51Sim", "XA-Tools", "Risc51Emu"},
         {"XA-Tools\\Assembler XA", "XA-Tools\\C Compiler XA", "8051-Tools\\FLIP 8051 Bank Switching"}},
        {{"XA-Tools", "OVRAINFINEON"}, {"XA-Tools\\Assembler XA", "XA-Tools\\C Compiler XA"}},
        {{"Flip51Sim"}, {"8051-Tools\\FLIP 8051 Bank Switching"}},
    };
    for (const auto& c : cases) {
        Fresh();
        Run(c.tags);
        EXPECT_EQ(List("Pdf", ListCounts().pdfs), c.pdfs) << *c.tags.begin() << " " << c.tags.size();
    }
    EXPECT_EQ(Ini("Pdf0", "Path"), "C:\\OVRA\\DOC\\FLIPBANK.PDF");
    EXPECT_EQ(List("Simulator", 2), (Names{"PeriKit51", "FLIP51(Generic)"}));
    EXPECT_EQ(Ini("Simulator0", "Hidden"), "Yes");
    EXPECT_EQ(Ini("Simulator1", "Hidden"), "No");
}

TEST_F(FamilyInstallers, AddOnsWriteTheirNamedEntries) {
    // Add-on tags only: the 8051 and XA members among them would select their families too.
    Run({"SXASim", "S51Sim", "STARCTools", "STARC2Tools", "MifareTools", "MicSim", "Risc51Sim", "Triscend-E5",
         "MSC1210", "SXA2Sim", "Compress51", "CompressXA"});
    EXPECT_EQ(List("Simulator", ListCounts().simulators),
              (Names{"SmartXA", "SmartXA2", "P8WE5", "StcCore", "PCF7942", "Starc2XL", "PCF7941", "P8WE5",
                     "P8RF5", "MicroCrypt", "PeriKit51", "RISC51"}));
    EXPECT_EQ(List("Emulator", ListCounts().emulators), (Names{"Triscend-E5", "MSC1210-Probe"}));
    EXPECT_EQ(Ini("Pdf0", "Name"), "SmartCard\\SmartXA Sim");
    EXPECT_EQ(Ini("Targets", "Starc"), "C:\\OVRA\\Bin\\TgtSTC2.dll");  // the second generation wins
    EXPECT_EQ(Ini("Targets", "MicroCrypt"), "C:\\OVRA\\Bin\\TgtMC.dll");
    EXPECT_EQ(Ini("ASMSTC", "Name"), "ASMSTC");
    EXPECT_EQ(Ini("Simulator0", "TargetName"), "XA");
    EXPECT_EQ(Ini("Simulator0", "MicroRef"), "_SXA_4");
    EXPECT_EQ(ListCounts().userTools, 1);
    EXPECT_EQ(Ini("UserTool0", "Name"), "RISC51 ROM Packer");
    EXPECT_EQ(List("Help", ListCounts().helps), (Names{"Code Compressor 8051"}));
    // The code compressors bring no tool section of their own.
    EXPECT_EQ(Ini("CMP51", "Name"), "x");
    EXPECT_EQ(Ini("CMPXA", "Name"), "x");
}

class PreviousConfiguration : public FamilyInstallers {
  protected:
    std::string Key(const char* list, const char* name) {
        return std::string(kOvraRoot) + "\\" + list + "\\" + name;
    }
};

TEST_F(PreviousConfiguration, AddOnAsksOnceAndRemovesTheKeysItReplaces) {
    PlantKey(Key("Targets", "Starc"));
    PlantKey(Key("Simulators", "PCF7942"));
    PlantKey(Key("Simulators", "SmartXA"));
    ui.answers = {IDNO};
    Run({"OVRA", "SXASim", "STARCTools"});
    EXPECT_EQ(ui.BoxIds(), (std::vector<int>{1236}));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Key("Targets", "Starc")));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Key("Simulators", "PCF7942")));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, Key("Simulators", "SmartXA")));
}

TEST_F(PreviousConfiguration, SharedKeysAreLeftToTheAddOnThatOwnsThem) {
    struct Case {
        std::initializer_list<const char*> tags;
        const char* list;
        const char* name;
        bool asked;
    } cases[] = {
        {{"OVRA", "STARCTools", "STARC2Tools"}, "Targets", "Starc", false},
        {{"OVRA", "STARC2Tools"}, "Targets", "Starc", true},
        {{"OVRA", "S51Sim", "MifareTools"}, "Simulators", "P8WE5", true},  // asked by the Mifare row
        {{"OVRA", "PAROSSim"}, "Simulators", "T8XC51FP1", false},
        {{"STARCTools"}, "Targets", "Starc", false},  // not an IDE kit
    };
    for (const auto& c : cases) {
        Fresh();
        ui.boxes.clear();
        ui.traces.clear();
        ui.answers = {IDNO};
        PlantKey(Key(c.list, c.name));
        Run(c.tags);
        EXPECT_EQ(ui.boxes.size(), c.asked ? 1u : 0u) << c.name << " " << c.tags.size();
        EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, Key(c.list, c.name)), !c.asked) << c.name;
    }
}

TEST_F(PreviousConfiguration, S51SimulatorLeavesItsKeyToTheMifareTools) {
    // The smart-card 8051 set fails, so only a question asked by the S51 row itself can show.
    RemoveSet("SimS51");
    PlantKey(Key("Simulators", "P8WE5"));
    for (bool mifare : {true, false}) {
        Fresh();
        ui.boxes.clear();
        ui.commands = {IDCANCEL};
        ui.answers = {IDYES};
        if (mifare)
            Run({"OVRA", "S51Sim", "MifareTools"});
        else
            Run({"OVRA", "S51Sim"});
        EXPECT_EQ(continueFlag, 0);
        EXPECT_EQ(ui.BoxIds(), mifare ? std::vector<int>{} : std::vector<int>{1236}) << mifare;
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, Key("Simulators", "P8WE5")));
    }
}

TEST_F(FamilyInstallers, NoGettingStartedGuideAfterAFailedFlipSet) {
    RemoveSet("SimFlip");
    ui.commands = {IDCANCEL};
    Run({"Flip51Sim", "XA-Tools"});
    EXPECT_EQ(continueFlag, 0);
    EXPECT_EQ(List("Pdf", ListCounts().pdfs), (Names{"XA-Tools\\Assembler XA", "XA-Tools\\C Compiler XA"}));
}

TEST_F(FamilyInstallers, FullKitReachesTheRegistryThroughTheInstallPhase) {
    for (const auto& row : catalogue::TagTable()) {
        std::string name = row.name;
        if (row.word == catalogue::Word::Product && name != "OVRA" && name != "ENGLISH") continue;
        SetTags({row.name});
    }
    app.pageIndex = 9;
    InstallPhase(app);
    EXPECT_EQ(app.pageIndex, 10);
    const std::string root = kOvraRoot;

    Names targets = SubKeys(HKEY_LOCAL_MACHINE, root + "\\Targets");
    EXPECT_EQ(std::set<std::string>(targets.begin(), targets.end()),
              (std::set<std::string>{"80C51", "XA", "80C251", "MicroCrypt", "Starc", "ST6", "80C51MX",
                                     "XE8000", "ST5"}));
    EXPECT_EQ(
        RegValue(HKEY_LOCAL_MACHINE, root + "\\Targets\\XE8000", "TargetLib"),
        "C:\\OVRA\\coolrcts\\win32\\c816\\lib;C:\\OVRA\\coolrcts\\win32\\lib\\gcc-lib\\c816\\egcs-2.91.02");
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, root + "\\Targets\\ST6", "TargetInc"), "C:\\OVRA\\IncST6");

    // Every catalogued tool but the two compressors and the two converters no installer registers.
    Names tools = SubKeys(HKEY_LOCAL_MACHINE, root + "\\Tools");
    std::set<std::string> expectedTools;
    for (const auto& tool : catalogue::ToolCatalogue())
        expectedTools.insert(tool.name);
    for (const char* none : {"CMP51", "CMPXA", "HEX2BIN", "OMF2HEX"})
        expectedTools.erase(none);
    EXPECT_EQ(std::set<std::string>(tools.begin(), tools.end()), expectedTools);
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, root + "\\Tools\\LOADER", "Linker"), "3");

    for (const char* sim : {"87LPC762", "P80C51MX", "P80C51MX*", "CoolRISC-816", "XE88LC02", "SmartXA",
                            "SmartXA2", "P8WE5", "P8RF5", "StcCore", "Starc2XL", "MicroCrypt", "T8XC51FP1",
                            "FLIP51(Generic)", "RISC51", "ST5-Simulator"})
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, root + "\\Simulators\\" + sim)) << sim;
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, root + "\\Simulators\\P80C51MX*", "Name"), "P80C51MX");
    for (const char* emu : {"MON51", "OCDS51", "ICE51-Pod", "MONXA", "ST6-HDS2", "EB-ST62", "SofTec-DS62",
                            "XE-PROSTART2", "Triscend-E5", "EB-XA", "MSC1210-Probe"})
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, root + "\\Emulators\\" + emu)) << emu;
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, root + "\\Emulators\\ST6-HDS2", "MaxTrace"), "dword:1024");
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, root + "\\PDF-DOC\\SmartCard\\SmartXA Sim", "Name"),
              "SmartXA Sim");
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, root + "\\PDF-DOC\\XE-Tools\\Getting started XE", "Path"),
              "C:\\OVRA\\doc\\Getting_Started_XE.pdf");
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, root + "\\PDF-DOC\\8051-Tools\\FLIP 8051 Bank Switching"));
    for (const char* help : {"8051 Handbook", "XA Handbook", "ST6 Instructions", "Ovra32"})
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, root + "\\HLP\\" + help)) << help;
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, root + "\\UserTools\\ROM Image Builder"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\KESTRAVION\\Dos Tools\\RISC51 ROM Packer"));
    // The XE chain's environment on NT, and the ST6 driver question answered with the default button.
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, kEnvironment, "C816_ROOT"), "C:/OVRA/coolrcts");
    EXPECT_EQ(ui.BoxIds(), (std::vector<int>{1086}));
}

TEST_F(FamilyInstallers, FailedSetStillLeavesWhatWasRecordedInTheRegistry) {
    SetTags({"OVRA", "8051-Tools", "ASM51", "C51", "XA-Tools", "ASMXA"});
    RemoveSet("Lx51");
    ui.commands = {IDCANCEL};
    app.pageIndex = 9;
    InstallPhase(app);
    EXPECT_EQ(app.pageIndex, 11);
    const std::string root = kOvraRoot;
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, root + "\\Targets\\80C51"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, root + "\\Tools\\ASM51"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, root + "\\Tools\\C51"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, root + "\\Targets\\XA"));
}

}  // namespace
