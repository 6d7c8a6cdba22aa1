// Product data of the kit beyond the tags: the tool catalogue, the family installers' components, the
// IDE's documents and Program Manager group, the simulator DLLs and the derivative tables. Each name is
// spelled here once; the installers, the configuration writer and the media builder read it from here.
#pragma once

#include <cstdint>
#include <span>

namespace catalogue {

// One tool of the IDE's "Tools" key: the OVRA.ini section named `name` gets "Name", "Path" (installation
// directory + "\Bin\" + dll), "Source extensions", "Object extensions" and "Linker".
struct ToolEntry {
    const char* name;
    const char* dll;
    const char* sourceExtensions;
    const char* objectExtensions;
    // The "Linker" text: "1" for a linker, "0" for any other tool; the XE8000 chain also tells its code
    // compressor ("2") and its loader ("3") apart.
    const char* linker;
};
// The 47 tools in the order the configuration writer copies (and the old-key deletion removes) them.
std::span<const ToolEntry> ToolCatalogue();
// The catalogue row of `name` (compared without regard to case), nullptr when it is not a catalogued tool.
const ToolEntry* FindTool(const char* name);

// The nine targets in the order the configuration writer copies them.
std::span<const char* const> TargetNames();

// The four simulator DLLs (base names; the extension ".dll" is compared separately) whose installation
// sets the setup record's simulator-DLL flag.
std::span<const char* const> SimulatorDllNames();

// A simulator, emulator, monitor or debug probe as a numbered Simulator%d / Emulator%d section.
// Texts left empty are written as empty values where the family installer writes the key at all.
struct DeviceEntry {
    const char* name;
    const char* dll;             // under "\Bin\"
    const char* driverDll = "";  // "DllDrvCom"
    const char* maxTrace = "";   // "MaxTrace", decimal
    const char* confDll = "";    // "DllConf"
    const char* microRef = "";
    const char* incFile = "";  // under "\inc\", e.g. "\inc\regxa.h"
    const char* intRamSize = "";
    const char* company = "";
    bool hidden = false;  // listed for the IDE's own use, not offered to the user
};
// A manual ("Pdf%d": group + "\" + title, path "\DOC\" + file) or a help file ("Help%d": the title,
// path "\Help\" + file). A file that begins with a backslash is the whole path below the installation
// directory.
struct DocEntry {
    const char* title;
    const char* file;
};
// A program started from the IDE ("UserTool%d") and its console twin ("DosTool%d").
struct ExternalTool {
    const char* name;
    const char* program;           // under "\BIN\"
    const char* sourceExtensions;  // "Source extensions" of the user tool
    const char* options;           // follows "{NODE}" in the DOS tool's command line
};

// The registry lists below the IDE's configuration key whose subkeys an installer replaces, and one
// subkey of an earlier installation that the keep-previous-configuration question decides about.
enum class ConfigList { Targets, Tools, Simulators };
struct PreviousKey {
    ConfigList list;
    const char* name;
};

// One family installer, in the fixed order of the install phase.
struct FamilyRow {
    int number;                   // 1 to 35
    const char* tag;              // tag tested first
    const char* group;            // Program Manager group of its documents ("" when it has none)
    const char* targetName = "";  // "" when the row writes no target
    const char* targetDll = "";   // under "\Bin\"
    std::span<const char* const> fileSets = {};  // every set the row may install, in installation order
    // Tool-catalogue names it registers, in the order assembler, compiler, linker, object-to-hex converter,
    // library manager (the XE8000 row: assembler, compiler, linker, library manager, code compressor,
    // loader).
    std::span<const char* const> tools = {};
    std::span<const DeviceEntry> simulators = {};
    std::span<const DeviceEntry> emulators = {};
    std::span<const DocEntry> manuals = {};
    std::span<const DocEntry> helps = {};
    std::span<const ExternalTool> externalTools = {};
    const char* manualSet = nullptr;  // the set installed when "AddonPDFHLP" is set, or nullptr
    const char* deviceTarget = "";    // "TargetName" of its simulators and emulators
    // Subkeys of an earlier installation it re-creates, in the order they are asked about.
    std::span<const PreviousKey> previousKeys = {};
};
std::span<const FamilyRow> FamilyRows();
// The row whose tag is `tag` (compared without regard to case), nullptr when none.
const FamilyRow* FindFamilyRow(const char* tag);

// The IDE kit: Program Manager group, its program, help and uninstaller, and its documents.
inline constexpr const char* kProgramGroup = "Kestravion Kit 6.1";
inline constexpr const char* kIdeProgram = "Ovra.exe";
inline constexpr const char* kIdeReferenceHelp = "Ovra32.Hlp";
inline constexpr const char* kUninstaller = "VEXARMV.EXE";
inline constexpr const char* kUninstallLog = "uninst.ins";
inline constexpr const char* kDisplayName = "Vexa 6.1";
// The IDE's own help files: the reference, then the script language's.
inline constexpr DocEntry kIdeHelp = {"Ovra32", "OVRA32.HLP"};
inline constexpr DocEntry kScriptHelp = {"Vexa Script Language", "VXSCRIPT.HLP"};
// Program Manager groups of the IDE's manuals.
inline constexpr const char* kGeneralGroup = "Ovra General";
inline constexpr const char* kGroup8051 = "8051-Tools";
inline constexpr const char* kGroupXa = "XA-Tools";
inline constexpr const char* kGroupSt6 = "ST6-Tools";
inline constexpr const char* kGroupMx = "MX-Tools";
inline constexpr const char* kGroupSmartCard = "SmartCard";
inline constexpr const char* kGroup251 = "251-Tools";
inline constexpr const char* kGroupSt5 = "ST5-Tools";
inline constexpr const char* kGroupXe = "XE-Tools";

// The IDE's manuals, each with the group it is listed under.
struct GroupedDoc {
    const char* group;
    DocEntry doc;
};
inline constexpr GroupedDoc kKeyboardReference = {kGeneralGroup, {"Keyboard Reference", "KEYBOARD.PDF"}};
inline constexpr GroupedDoc kIdeManual8051 = {kGroup8051, {"Ovra for 8051", "OVRA51.PDF"}};
inline constexpr GroupedDoc kIdeManual8051Xa = {kGeneralGroup, {"Ovra for 8051 and XA", "OVRA51XA.PDF"}};
inline constexpr GroupedDoc kGettingStarted = {kGeneralGroup, {"Getting started", "GETSTART.PDF"}};
inline constexpr GroupedDoc kHardwareIndex = {kGeneralGroup, {"Hardware Index", "HWINDEX.PDF"}};
inline constexpr GroupedDoc kSt6Programming = {kGroupSt6, {"ST6 Programming", "ST6PROG.PDF"}};
inline constexpr GroupedDoc kSt6Debugging = {kGroupSt6, {"ST6 Debugging", "ST6DEBUG.PDF"}};
inline constexpr GroupedDoc kIdeManualGeneral = {kGeneralGroup, {"Ovra User Guide", "OVRAUG.PDF"}};
inline constexpr GroupedDoc kIdeManualPart1 = {kGeneralGroup, {"Ovra User Guide Part 1", "OVRAUG1.PDF"}};
inline constexpr GroupedDoc kIdeManualPart2 = {kGeneralGroup, {"Ovra User Guide Part 2", "OVRAUG2.PDF"}};

// Simulators and targets the IDE component installer stages itself.
inline constexpr const char* kSt6TargetDll = "TgtST6.dll";
inline constexpr const char* kSt6SimulatorDll = "SimST6.dll";
inline constexpr const char* kSt6SimulatorName = "ST6-Simulator";
inline constexpr const char* kSt6StarterKitName = "ST6-StarterKit";
inline constexpr const char* kSt6StarterKitDll = "SkST6.dll";
inline constexpr const char* kSt5DebuggerDll = "DbgST5.dll";
inline constexpr const char* kLpcSimulatorDll = "SLPC76X.dll";
inline constexpr const char* kSimulator51Dll = "S8051.dll";
inline constexpr const char* kSimulatorMxDll = "S51MX.dll";
inline constexpr const char* kSimulatorSxaDll = "SXA.dll";
// The 8051 peripheral simulation kit: its simulator (a hidden Simulator%d entry), its reference name
// and the two derivatives modelled with it.
inline constexpr const char* kPeripheralKitName = "PeriKit51";
inline constexpr const char* kPeripheralKitDll = "PeriSim51.dll";
inline constexpr const char* kPeripheralKitRef = "_PK51_0";

}  // namespace catalogue
