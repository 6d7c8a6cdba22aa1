#include "resources/catalogue.h"
#include "resources/catalogue_names.h"
#include "resources/catalogue_products.h"
#include "resources/catalogue_sets.h"

namespace catalogue {

namespace {

using S = const char* const;

// 1: 8051.
S k51Sets[] = {sets::kSetRtk51, sets::kSetMon51, sets::kSetHeaders, sets::kSetSamples,
               sets::kSetAsm51, sets::kSetC51,   sets::kSetLx51};
S k51ToolNames[] = {"ASM51", "C51", "LX51", "OH51", "LIB51"};
constexpr DeviceEntry k51Emus[] = {
    {"MON51", "Mon51.dll", "", "", "", "", "\\inc\\reg52.h"},
    {"OCDS51", "Ocd51.dll", "OcdCom.dll", "", "", "", "\\inc\\reg52.h"},
};
constexpr DocEntry k51Manuals[] = {{"Assembler 8051", "ASM51.PDF"},
                                   {"C Compiler 8051", "C51.PDF"},
                                   {"Linker LX51", "LX51.PDF"},
                                   {"Real-Time Kernel 8051", "RTK51.PDF"}};
constexpr DocEntry k51Help[] = {{"8051 Handbook", "HB8051.HLP"}};
constexpr ExternalTool k51External[] = {{"ROM Image Builder", "ROMIMG.EXE", "*.aof", "-i -o {NODE}.rom"}};
// 2: LPC.
S kLpcSets[] = {sets::kSetRtk51, sets::kSetHeaders, sets::kSetSamples,
                sets::kSetAsm51, sets::kSetC51,     sets::kSetLx51};
constexpr DeviceEntry kLpcSims[] = {
    {.name = "87LPC762", .dll = kLpcSimulatorDll, .intRamSize = "128", .company = "Philips"},
    {.name = "87LPC764", .dll = kLpcSimulatorDll, .intRamSize = "128", .company = "Philips"},
    {.name = "87LPC767", .dll = kLpcSimulatorDll, .intRamSize = "128", .company = "Philips"},
    {.name = "87LPC768", .dll = kLpcSimulatorDll, .intRamSize = "128", .company = "Philips"},
    {.name = "87LPC769", .dll = kLpcSimulatorDll, .intRamSize = "128", .company = "Philips"}};
// 3: 8051 in-circuit emulator.
S kIceSets[] = {sets::kSetIce51};
constexpr DeviceEntry kIceEmus[] = {{"ICE51-Pod", "Ice51.dll", "IceCom.dll", "1024", "IceConf.dll"},
                                    {"ICE51-Pod Plus", "Ice51p.dll", "IceCom.dll", "2048", "IceConf.dll"}};
constexpr DocEntry kIceManuals[] = {kHardwareIndex.doc};
constexpr DocEntry kIceHelp[] = {{"ICE51 Pod", "ICE51.HLP"}, {"ICE51 Pod Plus", "ICE51P.HLP"}};
// 4: XA.
S kXaSets[] = {sets::kSetRtkXa, sets::kSetMonXa, sets::kSetHeaders, sets::kSetSamples,
               sets::kSetAsmXa, sets::kSetCXa,   sets::kSetLnkXa,   sets::kSetLibXa};
S kXaToolNames[] = {"ASMXA", "CXA", "LNKXA", "OHXA", "LIBXA"};
constexpr DeviceEntry kXaEmus[] = {{"MONXA", "MonXA.dll", "", "", "", "", "\\inc\\regxag3.h"}};
constexpr DocEntry kXaManuals[] = {{"Assembler XA", "ASMXA.PDF"}, {"C Compiler XA", "CXA.PDF"}};
constexpr DocEntry kXaHelp[] = {{"XA Handbook", "HBXA.HLP"}};
// 5: 80251.
S k251Sets[] = {sets::kSetMon251, sets::kSetAsm251, sets::kSetC251, sets::kSetLnk251};
S k251ToolNames[] = {"ASM251", "C251", "LNK251", "OH251", "LIB251"};
constexpr DeviceEntry k251Emus[] = {{"MON251", "Mon251.dll", "", "", "", "", "\\inc\\reg251.h"}};
constexpr DocEntry k251Manuals[] = {{"Assembler 80251", "ASM251.PDF"}, {"C Compiler 80251", "C251.PDF"}};
// 6: ST5.
S kSt5Sets[] = {sets::kSetSimSt5, sets::kSetAsmSt5, sets::kSetCSt5, sets::kSetLnkSt5};
S kSt5ToolNames[] = {"ASMST5", "CST5", "LNKST5", "OHST5", "LIBST5"};
constexpr DeviceEntry kSt5Sims[] = {{"ST5-Simulator", kSt5DebuggerDll}};
constexpr DocEntry kSt5Manuals[] = {{"ST5 Tool Chain", "ST5TOOLS.PDF"}};
constexpr PreviousKey kSt5Previous[] = {{ConfigList::Targets, "ST5"},
                                        {ConfigList::Tools, "ASMST5"},
                                        {ConfigList::Tools, "CST5"},
                                        {ConfigList::Simulators, "ST5-Simulator"}};
// 7: 80C51MX. The starred simulator is the same chip in its extended mode; the configuration writer
// names its registry entry without the star.
S kMxSets[] = {sets::kSetSimMx, sets::kSetAsmMx, sets::kSetCMx, sets::kSetLnkMx};
S kMxToolNames[] = {"ASMMX", "CMX", "LNKMX", "OHMX", "LIBMX"};
constexpr DeviceEntry kMxSims[] = {{"P80C51MX", kSimulatorMxDll, "", "", "", "", "\\inc\\reg51mx.h"},
                                   {"P80C51MX*", kSimulatorMxDll, "", "", "", "", "\\inc\\reg51mx.h"}};
constexpr DocEntry kMxManuals[] = {{"Assembler MX", "ASMMX.PDF"},
                                   {"C Compiler MX", "CMX.PDF"},
                                   {"Linker MX", "LNKMX.PDF"},
                                   {"Architecture 80C51MX", "ARCHMX.PDF"},
                                   {"Simulator 80C51MX", "SIMMX.PDF"}};
constexpr PreviousKey kMxPrevious[] = {{ConfigList::Targets, "80C51MX"},
                                       {ConfigList::Tools, "ASMMX"},
                                       {ConfigList::Tools, "CMX"},
                                       {ConfigList::Tools, "LNKMX"},
                                       {ConfigList::Simulators, "P80C51MX"}};
// 8: XE8000: the tools in the order assembler, compiler, linker, library manager, code compressor,
// loader; the first manual is the code compressor's, the last the getting-started guide.
S kXeSets[] = {sets::kSetSimXe, sets::kSetToolsXe, sets::kSetMonXe, sets::kSetDocXe};
S kXeToolNames[] = {"ASXE", "GCCXE", "LDXE", "ARXE", "CMPXE", "LOADER"};
constexpr DeviceEntry kXeSims[] = {{"CoolRISC-816", "SimXE.dll", "", "", "", "", "\\inc\\regxe.h"},
                                   {"XE88LC01", "SimXE.dll", "", "", "", "", "\\inc\\regxe.h"},
                                   {"XE88LC03", "SimXE.dll", "", "", "", "", "\\inc\\regxe.h"},
                                   {"XE88LC05", "SimXE.dll", "", "", "", "", "\\inc\\regxe.h"},
                                   {"XE88LC06", "SimXE.dll", "", "", "", "", "\\inc\\regxe.h"},
                                   {"XE88LC02", "SimXE.dll", "", "", "", "", "\\inc\\regxe.h"}};
constexpr DeviceEntry kXeEmus[] = {{"XE-PROSTART2", "ProStart2.dll", "XeCom.dll"}};
constexpr DocEntry kXeManuals[] = {
    {"XE Code Compressor", "CMPXE.PDF"},  {"XE Assembler", "ASXE.PDF"},
    {"XE C Compiler", "GCCXE.PDF"},       {"XE Linker", "LDXE.PDF"},
    {"XE8000 User Manual", "XE8000.PDF"}, {"Getting started XE", "\\doc\\Getting_Started_XE.pdf"}};
constexpr PreviousKey kXePrevious[] = {
    {ConfigList::Targets, "XE8000"},      {ConfigList::Tools, "ASXE"},
    {ConfigList::Tools, "GCCXE"},         {ConfigList::Simulators, "XE88LC01"},
    {ConfigList::Simulators, "XE88LC03"}, {ConfigList::Simulators, "XE88LC05"},
    {ConfigList::Simulators, "XE88LC06"}};
// 9: ST6; the emulators in the order ST6-HDS2, the evaluation board, SofTec-DS62.
S kSt6Sets[] = {sets::kSetAsmSt6, sets::kSetCSt6, sets::kSetUtlSt6, sets::kSetEmuSt6, sets::kSetEbSt62};
S kSt6ToolNames[] = {"ASMST6", "CST6", "LNKST6", "OHST6", "LIBST6"};
constexpr DeviceEntry kSt6Emus[] = {{"ST6-HDS2", "Hds2ST6.dll", "StmPar.dll", "1024"},
                                    {"EB-ST62", "EbST62.dll", "", "", "", "", "\\IncST6\\st62xx.h"},
                                    {"SofTec-DS62", "Ds62.dll", "", "2048"}};
constexpr DocEntry kSt6Manuals[] = {{"ST6 Assembler", "ASMST6.PDF"}, {"ST6 C Compiler", "CST6.PDF"}};
constexpr DocEntry kSt6Help[] = {{"ST6 Instructions", "ST6INST.HLP"}, {"ST6-HDS2 Emulator", "HDS2.HLP"}};
// 10-13: SmartXA. An emulator add-on asks about the entry of an earlier version under its own name.
S kSxaSimSets[] = {sets::kSetSimSxa, sets::kSetDocSxa};
constexpr DeviceEntry kSxaSims[] = {{"SmartXA", kSimulatorSxaDll, "", "", "", "_SXA_4", "\\inc\\regsxa.h"}};
constexpr DocEntry kSxaSimManuals[] = {{"SmartXA Sim", "SXASIM.PDF"}};
constexpr PreviousKey kSxaSimPrevious[] = {{ConfigList::Simulators, "SmartXA"}};
S kSxaEmuSets[] = {sets::kSetEmuSxa, sets::kSetDocSxaEmu};
constexpr DeviceEntry kSxaEmus[] = {{"SmartXA-Emu", "EmuSXA.dll", "SxaCom.dll", "2048", "SxaConf.dll"}};
constexpr DocEntry kSxaEmuManuals[] = {{"SmartXA Emulator", "SXAEMU.PDF"}};
constexpr PreviousKey kSxaEmuPrevious[] = {{ConfigList::Simulators, "SmartXA-Emu"}};
S kSxa2SimSets[] = {sets::kSetSimSxa2, sets::kSetToolsSxa2, sets::kSetDocSxa2};
constexpr DeviceEntry kSxa2Sims[] = {{"SmartXA2", "SimSXA2.dll", "", "", "", "_SXA2_4", "\\inc\\regsxa2.h"}};
constexpr DocEntry kSxa2SimManuals[] = {{"SmartXA2 Sim", "SXA2SIM.PDF"}, {"SmartXA2 Tools", "SXA2TOOL.PDF"}};
constexpr PreviousKey kSxa2SimPrevious[] = {{ConfigList::Simulators, "SmartXA2"}};
S kSxa2EmuSets[] = {sets::kSetEmuSxa2, sets::kSetDocSxa2Emu};
constexpr DeviceEntry kSxa2Emus[] = {{"SmartXA2-Emu", "EmuSXA2.dll", "SxaCom.dll", "2048", "Sxa2Conf.dll"}};
constexpr DocEntry kSxa2EmuManuals[] = {{"SmartXA2 Emulator", "SXA2EMU.PDF"},
                                        {"SmartXA2 Probe", "SXA2PRB.PDF"},
                                        {"SmartXA2 Trace", "SXA2TRC.PDF"}};
constexpr PreviousKey kSxa2EmuPrevious[] = {{ConfigList::Simulators, "SmartXA2-Emu"}};
// 14-15: smart-card 8051.
S kS51SimSets[] = {sets::kSetSimS51};
constexpr DeviceEntry kS51Sims[] = {{"P8WE5", "SimP8WE.dll", "", "", "", "_WE5_1", "\\inc\\regp8we5.h"}};
constexpr PreviousKey kS51SimPrevious[] = {{ConfigList::Simulators, "P8WE5"}};
S kS51EmuSets[] = {sets::kSetEmuS51, sets::kSetDocS51};
constexpr DeviceEntry kS51Emus[] = {{"P8WE5-Emu", "EmuP8WE.dll", "S51Com.dll", "1024"}};
constexpr DocEntry kS51EmuManuals[] = {{"P8WE5 Emulator", "P8WEEMU.PDF"}};
constexpr PreviousKey kS51EmuPrevious[] = {{ConfigList::Simulators, "P8WE5-Emu"}};
// 16-19: STARC; both generations share the target and the tool names.
S kStarcSets[] = {sets::kSetToolsStc, sets::kSetSimStc, sets::kSetDocStc};
S kStarcToolNames[] = {"ASMSTC", "CSTC", "LNKSTC", "OHSTC"};
constexpr DeviceEntry kStarcSims[] = {{"StcCore", "SimSTC.dll"}, {"PCF7942", "SimSTC.dll"}};
constexpr DocEntry kStarcManuals[] = {
    {"STARC Assembler", "ASMSTC.PDF"}, {"STARC C Compiler", "CSTC.PDF"}, {"PCF7942 Data", "PCF7942.PDF"}};
constexpr PreviousKey kStarcPrevious[] = {
    {ConfigList::Targets, "Starc"}, {ConfigList::Tools, "ASMSTC"},       {ConfigList::Tools, "CSTC"},
    {ConfigList::Tools, "LNKSTC"},  {ConfigList::Simulators, "StcCore"}, {ConfigList::Simulators, "PCF7942"}};
S kStarcEmuSets[] = {sets::kSetEmuStc, sets::kSetDocStcEmu};
constexpr DeviceEntry kStarcEmus[] = {{"STARC-Emu", "EmuSTC.dll", "StcCom.dll", "1024"}};
constexpr DocEntry kStarcEmuManuals[] = {{"STARC Emulator", "STCEMU.PDF"}};
constexpr PreviousKey kStarcEmuPrevious[] = {{ConfigList::Simulators, "STARC-Emu"}};
S kStarc2Sets[] = {sets::kSetToolsStc2, sets::kSetSimStc2, sets::kSetDocStc2};
constexpr DeviceEntry kStarc2Sims[] = {{"Starc2XL", "SimSTC2.dll"}, {"PCF7941", "SimSTC2.dll"}};
constexpr DocEntry kStarc2Manuals[] = {
    {"STARC2 Assembler", "ASMSTC2.PDF"}, {"STARC2 C Compiler", "CSTC2.PDF"}, {"PCF7941 Data", "PCF7941.PDF"}};
constexpr PreviousKey kStarc2Previous[] = {
    {ConfigList::Targets, "Starc"},       {ConfigList::Tools, "ASMSTC"},
    {ConfigList::Tools, "CSTC"},          {ConfigList::Tools, "LNKSTC"},
    {ConfigList::Simulators, "Starc2XL"}, {ConfigList::Simulators, "PCF7941"}};
S kStarc2EmuSets[] = {sets::kSetEmuStc2};
constexpr DeviceEntry kStarc2Emus[] = {{"STARC2-Emu", "EmuSTC2.dll", "StcCom.dll", "2048"}};
constexpr PreviousKey kStarc2EmuPrevious[] = {{ConfigList::Simulators, "STARC2-Emu"}};
// 20-21: Mifare.
S kMifareSets[] = {sets::kSetSimMifare, sets::kSetDocMifare};
constexpr DeviceEntry kMifareSims[] = {{"P8WE5", "SimP8WE.dll", "", "", "", "_WE5_1", "\\inc\\regp8we5.h"},
                                       {"P8RF5", "SimP8RF.dll", "", "", "", "_RF5_1", "\\inc\\regp8rf5.h"}};
constexpr DocEntry kMifareManuals[] = {{"Mifare ProX Simulator", "MIFSIM.PDF"},
                                       {"P8RF5 Data", "P8RF5.PDF"},
                                       {"Mifare Library", "MIFLIB.PDF"},
                                       {"Mifare Samples", "MIFSMP.PDF"}};
constexpr PreviousKey kMifarePrevious[] = {{ConfigList::Simulators, "P8WE5"},
                                           {ConfigList::Simulators, "P8RF5"}};
S kMifareEmuSets[] = {sets::kSetEmuMifare};
constexpr DeviceEntry kMifareEmus[] = {{"MifareProX-Emu", "EmuMif.dll", "MifCom.dll", "2048"},
                                       {"MifareProX-Probe", "PrbMif.dll", "MifCom.dll", "1024"}};
constexpr DocEntry kMifareEmuManuals[] = {{"Mifare ProX Emulator", "MIFEMU.PDF"},
                                          {"Mifare ProX Probe", "MIFPRB.PDF"},
                                          {"Mifare ProX Trace", "MIFTRC.PDF"}};
constexpr PreviousKey kMifareEmuPrevious[] = {{ConfigList::Simulators, "MifareProX-Emu"}};
// 22: MicroCrypt.
S kMicSets[] = {sets::kSetDbgMc, sets::kSetAsmMc, sets::kSetCMc, sets::kSetLnkMc};
S kMicToolNames[] = {"ASMMC", "CMC", "LNKMC"};
constexpr DeviceEntry kMicSims[] = {{"MicroCrypt", "DbgMC.dll"}};
constexpr DocEntry kMicManuals[] = {{"MicroCrypt Debugger", "DBGMC.PDF"},
                                    {"MicroCrypt Assembler", "ASMMC.PDF"},
                                    {"MicroCrypt C Compiler", "CMC.PDF"},
                                    {"MicroCrypt Linker", "LNKMC.PDF"}};
constexpr PreviousKey kMicPrevious[] = {{ConfigList::Targets, "MicroCrypt"},
                                        {ConfigList::Tools, "ASMMC"},
                                        {ConfigList::Tools, "CMC"},
                                        {ConfigList::Tools, "LNKMC"},
                                        {ConfigList::Simulators, "MicroCrypt"}};
// 23-29: 8051 derivative add-ons with the peripheral simulation kit, which is shared and so never
// asked about.
constexpr DeviceEntry kPeripheralKit = {
    .name = kPeripheralKitName, .dll = kPeripheralKitDll, .microRef = kPeripheralKitRef, .hidden = true};
S kDsPackSets[] = {sets::kSetDsPack51};
constexpr DeviceEntry kDsPackSims[] = {
    kPeripheralKit, {"T8XC51FP1", "SimT8FP.dll", "", "", "", "_T8FP_0", "\\inc\\regt8fp.h"}};
constexpr DeviceEntry kDsPackEmus[] = {{"T8XC51FP-Emu", "EmuT8FP.dll", "T8Com.dll", "1024"},
                                       {"T8XC51FP-Probe", "PrbT8FP.dll", "T8Com.dll", "512"}};
constexpr PreviousKey kDsPackPrevious[] = {{ConfigList::Simulators, "T8XC51FP1"},
                                           {ConfigList::Simulators, "T8XC51FP-Emu"},
                                           {ConfigList::Simulators, "T8XC51FP-Probe"}};
S kParosSimSets[] = {sets::kSetSimParos};
S kParosEmuSets[] = {sets::kSetEmuParos};
constexpr DeviceEntry kParosEmus[] = {{"PAROS-Emu", "EmuParos.dll", "ParCom.dll", "1024"},
                                      {"PAROS-Probe", "PrbParos.dll", "ParCom.dll", "512"}};
constexpr PreviousKey kParosEmuPrevious[] = {{ConfigList::Simulators, "PAROS-Emu"}};
S kFlipSets[] = {sets::kSetSimFlip51};
constexpr DeviceEntry kFlipSims[] = {
    kPeripheralKit, {"FLIP51(Generic)", "SimFlip.dll", "", "", "", "_FLIP_0", "\\inc\\reg52.h"}};
constexpr DocEntry kFlipManuals[] = {{"FLIP 8051 Bank Switching", "FLIPBANK.PDF"}};
constexpr PreviousKey kFlipPrevious[] = {{ConfigList::Simulators, "FLIP51(Generic)"}};
S kRiscSets[] = {sets::kSetSimRisc51, sets::kSetToolsRisc51};
constexpr DeviceEntry kRiscSims[] = {kPeripheralKit,
                                     {"RISC51", "SimRisc.dll", "", "", "", "_RISC_0", "\\inc\\regrisc.h"}};
constexpr DocEntry kRiscManuals[] = {{"RISC51 Core", "RISC51.PDF"}, {"RISC51 Tools", "RISCTOOL.PDF"}};
constexpr ExternalTool kRiscExternal[] = {{"RISC51 ROM Packer", "RISCPACK.EXE", "*.hex", "-p {NODE}.hex"}};
constexpr PreviousKey kRiscPrevious[] = {{ConfigList::Simulators, "RISC51"}};
// 30-35. The code compressors register no tool section of their own.
S kCmp51Sets[] = {sets::kSetCmp51};
constexpr DocEntry kCmp51Manuals[] = {{"Code Compressor 8051", "CMP51.PDF"}};
constexpr DocEntry kCmp51Help[] = {{"Code Compressor 8051", "CMP51.HLP"}};
S kCmpXaSets[] = {sets::kSetCmpXa};
S kE5Sets[] = {sets::kSetEmuE5};
constexpr DeviceEntry kE5Emus[] = {{"Triscend-E5", "EmuE5.dll", "E5Com.dll", "1024"}};
constexpr PreviousKey kE5Previous[] = {{ConfigList::Simulators, "Triscend-E5"}};
constexpr DeviceEntry kMscEmus[] = {{"MSC1210-Probe", "PrbMsc.dll", "MscCom.dll"}};
constexpr PreviousKey kMscPrevious[] = {{ConfigList::Simulators, "MSC1210-Probe"}};
S kEbXaSets[] = {sets::kSetEbXa};
constexpr DeviceEntry kEbXaEmus[] = {{"EB-XA", "EbXA.dll", "EbCom.dll"}};
constexpr PreviousKey kEbXaPrevious[] = {{ConfigList::Simulators, "EB-XA"}};
S kC51PlusSets[] = {sets::kSetC51Plus};

constexpr FamilyRow kRows[] = {
    {.number = 1,
     .tag = k8051Tools,
     .group = kGroup8051,
     .targetName = "80C51",
     .targetDll = "Tgt51.dll",
     .fileSets = k51Sets,
     .tools = k51ToolNames,
     .emulators = k51Emus,
     .manuals = k51Manuals,
     .helps = k51Help,
     .externalTools = k51External,

     .deviceTarget = "80C51"},
    {.number = 2,
     .tag = kLpcTools,
     .group = kGroup8051,
     .targetName = "80C51",
     .targetDll = "Tgt51.dll",
     .fileSets = kLpcSets,
     .tools = k51ToolNames,
     .simulators = kLpcSims,

     .deviceTarget = "80C51"},
    {.number = 3,
     .tag = kIce51,
     .group = kGroup8051,
     .targetName = "",
     .targetDll = "",
     .fileSets = kIceSets,
     .emulators = kIceEmus,
     .manuals = kIceManuals,
     .helps = kIceHelp,

     .deviceTarget = "80C51"},
    {.number = 4,
     .tag = kXaTools,
     .group = kGroupXa,
     .targetName = "XA",
     .targetDll = "TgtXA.dll",
     .fileSets = kXaSets,
     .tools = kXaToolNames,
     .emulators = kXaEmus,
     .manuals = kXaManuals,
     .helps = kXaHelp,

     .deviceTarget = "XA"},
    {.number = 5,
     .tag = k80251Tools,
     .group = kGroup251,
     .targetName = "80C251",
     .targetDll = "Tgt251.dll",
     .fileSets = k251Sets,
     .tools = k251ToolNames,
     .emulators = k251Emus,
     .manuals = k251Manuals,

     .deviceTarget = "80C251"},
    {.number = 6,
     .tag = kSt5Tools,
     .group = kGroupSt5,
     .targetName = "ST5",
     .targetDll = "TgtST5.dll",
     .fileSets = kSt5Sets,
     .tools = kSt5ToolNames,
     .simulators = kSt5Sims,
     .manuals = kSt5Manuals,

     .deviceTarget = "ST5",
     .previousKeys = kSt5Previous},
    {.number = 7,
     .tag = k80C51Mx,
     .group = kGroupMx,
     .targetName = "80C51MX",
     .targetDll = "TgtMX.dll",
     .fileSets = kMxSets,
     .tools = kMxToolNames,
     .simulators = kMxSims,
     .manuals = kMxManuals,

     .deviceTarget = "80C51MX",
     .previousKeys = kMxPrevious},
    {.number = 8,
     .tag = kXe8000,
     .group = kGroupXe,
     .targetName = "XE8000",
     .targetDll = "TgtXE.dll",
     .fileSets = kXeSets,
     .tools = kXeToolNames,
     .simulators = kXeSims,
     .emulators = kXeEmus,
     .manuals = kXeManuals,

     .deviceTarget = "XE8000",
     .previousKeys = kXePrevious},
    {.number = 9,
     .tag = kSt6Tools,
     .group = kGroupSt6,
     .targetName = "ST6",
     .targetDll = kSt6TargetDll,
     .fileSets = kSt6Sets,
     .tools = kSt6ToolNames,
     .emulators = kSt6Emus,
     .manuals = kSt6Manuals,
     .helps = kSt6Help,

     .deviceTarget = "ST6"},
    {.number = 10,
     .tag = kSxaSim,
     .group = kGroupSmartCard,
     .targetName = "",
     .targetDll = "",
     .fileSets = kSxaSimSets,
     .simulators = kSxaSims,
     .manuals = kSxaSimManuals,
     .manualSet = sets::kSetDocSxa,
     .deviceTarget = "XA",
     .previousKeys = kSxaSimPrevious},
    {.number = 11,
     .tag = kSxaEmu,
     .group = kGroupSmartCard,
     .targetName = "",
     .targetDll = "",
     .fileSets = kSxaEmuSets,
     .emulators = kSxaEmus,
     .manuals = kSxaEmuManuals,
     .manualSet = sets::kSetDocSxaEmu,
     .deviceTarget = "XA",
     .previousKeys = kSxaEmuPrevious},
    {.number = 12,
     .tag = kSxa2Sim,
     .group = kGroupSmartCard,
     .targetName = "",
     .targetDll = "",
     .fileSets = kSxa2SimSets,
     .simulators = kSxa2Sims,
     .manuals = kSxa2SimManuals,
     .manualSet = sets::kSetDocSxa2,
     .deviceTarget = "XA",
     .previousKeys = kSxa2SimPrevious},
    {.number = 13,
     .tag = kSxa2Emu,
     .group = kGroupSmartCard,
     .targetName = "",
     .targetDll = "",
     .fileSets = kSxa2EmuSets,
     .emulators = kSxa2Emus,
     .manuals = kSxa2EmuManuals,
     .manualSet = sets::kSetDocSxa2Emu,
     .deviceTarget = "XA",
     .previousKeys = kSxa2EmuPrevious},
    {.number = 14,
     .tag = kS51Sim,
     .group = kGroupSmartCard,
     .targetName = "",
     .targetDll = "",
     .fileSets = kS51SimSets,
     .simulators = kS51Sims,

     .deviceTarget = "80C51",
     .previousKeys = kS51SimPrevious},
    {.number = 15,
     .tag = kS51Emu,
     .group = kGroupSmartCard,
     .targetName = "",
     .targetDll = "",
     .fileSets = kS51EmuSets,
     .emulators = kS51Emus,
     .manuals = kS51EmuManuals,
     .manualSet = sets::kSetDocS51,
     .deviceTarget = "80C51",
     .previousKeys = kS51EmuPrevious},
    {.number = 16,
     .tag = kStarcTools,
     .group = kGroupSmartCard,
     .targetName = "Starc",
     .targetDll = "TgtSTC.dll",
     .fileSets = kStarcSets,
     .tools = kStarcToolNames,
     .simulators = kStarcSims,
     .manuals = kStarcManuals,
     .manualSet = sets::kSetDocStc,
     .deviceTarget = "Starc",
     .previousKeys = kStarcPrevious},
    {.number = 17,
     .tag = kStarcEmu,
     .group = kGroupSmartCard,
     .targetName = "",
     .targetDll = "",
     .fileSets = kStarcEmuSets,
     .emulators = kStarcEmus,
     .manuals = kStarcEmuManuals,
     .manualSet = sets::kSetDocStcEmu,
     .deviceTarget = "Starc",
     .previousKeys = kStarcEmuPrevious},
    {.number = 18,
     .tag = kStarc2Tools,
     .group = kGroupSmartCard,
     .targetName = "Starc",
     .targetDll = "TgtSTC2.dll",
     .fileSets = kStarc2Sets,
     .tools = kStarcToolNames,
     .simulators = kStarc2Sims,
     .manuals = kStarc2Manuals,
     .manualSet = sets::kSetDocStc2,
     .deviceTarget = "Starc",
     .previousKeys = kStarc2Previous},
    {.number = 19,
     .tag = kStarc2Emu,
     .group = kGroupSmartCard,
     .targetName = "",
     .targetDll = "",
     .fileSets = kStarc2EmuSets,
     .emulators = kStarc2Emus,

     .deviceTarget = "Starc",
     .previousKeys = kStarc2EmuPrevious},
    {.number = 20,
     .tag = kMifareTools,
     .group = kGroupSmartCard,
     .targetName = "",
     .targetDll = "",
     .fileSets = kMifareSets,
     .simulators = kMifareSims,
     .manuals = kMifareManuals,
     .manualSet = sets::kSetDocMifare,
     .deviceTarget = "80C51",
     .previousKeys = kMifarePrevious},
    {.number = 21,
     .tag = kMifareEmu,
     .group = kGroupSmartCard,
     .targetName = "",
     .targetDll = "",
     .fileSets = kMifareEmuSets,
     .emulators = kMifareEmus,
     .manuals = kMifareEmuManuals,

     .deviceTarget = "80C51",
     .previousKeys = kMifareEmuPrevious},
    {.number = 22,
     .tag = kMicSim,
     .group = kGroupSmartCard,
     .targetName = "MicroCrypt",
     .targetDll = "TgtMC.dll",
     .fileSets = kMicSets,
     .tools = kMicToolNames,
     .simulators = kMicSims,
     .manuals = kMicManuals,

     .deviceTarget = "MicroCrypt",
     .previousKeys = kMicPrevious},
    {.number = 23,
     .tag = kDsPack51,
     .group = kGroup8051,
     .targetName = "",
     .targetDll = "",
     .fileSets = kDsPackSets,
     .simulators = kDsPackSims,
     .emulators = kDsPackEmus,

     .deviceTarget = "80C51",
     .previousKeys = kDsPackPrevious},
    {.number = 24,
     .tag = kParosSim,
     .group = kGroup8051,
     .targetName = "",
     .targetDll = "",
     .fileSets = kParosSimSets,
     .simulators = kDsPackSims,

     .deviceTarget = "80C51"},
    {.number = 25,
     .tag = kParosEmu,
     .group = kGroup8051,
     .targetName = "",
     .targetDll = "",
     .fileSets = kParosEmuSets,
     .emulators = kParosEmus,

     .deviceTarget = "80C51",
     .previousKeys = kParosEmuPrevious},
    {.number = 26,
     .tag = kFlip51Sim,
     .group = kGroup8051,
     .targetName = "",
     .targetDll = "",
     .fileSets = kFlipSets,
     .simulators = kFlipSims,
     .manuals = kFlipManuals,

     .deviceTarget = "80C51",
     .previousKeys = kFlipPrevious},
    {.number = 27,
     .tag = kFlip51Emu,
     .group = kGroup8051,
     .targetName = "",
     .targetDll = "",

     .deviceTarget = "80C51"},
    {.number = 28,
     .tag = kRisc51Sim,
     .group = kGroup8051,
     .targetName = "",
     .targetDll = "",
     .fileSets = kRiscSets,
     .simulators = kRiscSims,
     .manuals = kRiscManuals,
     .externalTools = kRiscExternal,

     .deviceTarget = "80C51",
     .previousKeys = kRiscPrevious},
    {.number = 29,
     .tag = kRisc51Emu,
     .group = kGroup8051,
     .targetName = "",
     .targetDll = "",

     .deviceTarget = "80C51"},
    {.number = 30,
     .tag = kCompressor51,
     .group = kGroup8051,
     .targetName = "",
     .targetDll = "",
     .fileSets = kCmp51Sets,
     .manuals = kCmp51Manuals,
     .helps = kCmp51Help,

     .deviceTarget = "80C51"},
    {.number = 31,
     .tag = kCompressorXa,
     .group = kGroupXa,
     .targetName = "",
     .targetDll = "",
     .fileSets = kCmpXaSets,

     .deviceTarget = "XA"},
    {.number = 32,
     .tag = kTriscendE5,
     .group = kGroup8051,
     .targetName = "",
     .targetDll = "",
     .fileSets = kE5Sets,
     .emulators = kE5Emus,

     .deviceTarget = "80C51",
     .previousKeys = kE5Previous},
    {.number = 33,
     .tag = kMsc1210,
     .group = kGroup8051,
     .targetName = "",
     .targetDll = "",
     .emulators = kMscEmus,

     .deviceTarget = "80C51",
     .previousKeys = kMscPrevious},
    {.number = 34,
     .tag = kBoardXa,
     .group = kGroupXa,
     .targetName = "",
     .targetDll = "",
     .fileSets = kEbXaSets,
     .emulators = kEbXaEmus,

     .deviceTarget = "XA",
     .previousKeys = kEbXaPrevious},
    {.number = 35,
     .tag = kC51Plus,
     .group = kGroup8051,
     .targetName = "",
     .targetDll = "",
     .fileSets = kC51PlusSets,

     .deviceTarget = "80C51"},
};
static_assert(sizeof kRows / sizeof kRows[0] == 35);

}  // namespace

std::span<const FamilyRow> FamilyRows() {
    return kRows;
}

const FamilyRow* FindFamilyRow(const char* tag) {
    if (!tag) return nullptr;
    for (const auto& row : kRows)
        if (detail::SameName(row.tag, tag)) return &row;
    return nullptr;
}

}  // namespace catalogue
