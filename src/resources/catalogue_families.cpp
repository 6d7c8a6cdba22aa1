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
constexpr DeviceEntry kLpcSims[] = {{"87LPC762", kLpcSimulatorDll},
                                    {"87LPC764", kLpcSimulatorDll},
                                    {"87LPC767", kLpcSimulatorDll},
                                    {"87LPC768", kLpcSimulatorDll},
                                    {"87LPC769", kLpcSimulatorDll}};
// 3: 8051 in-circuit emulator.
S kIceSets[] = {sets::kSetIce51};
constexpr DeviceEntry kIceEmus[] = {{"ICE51-Pod", "Ice51.dll", "IceCom.dll", "1024", "IceConf.dll"},
                                    {"ICE51-Pod Plus", "Ice51p.dll", "IceCom.dll", "2048", "IceConf.dll"}};
constexpr DocEntry kIceManuals[] = {{"Hardware Index", "HWINDEX.PDF"}};
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
// 7: 80C51MX.
S kMxSets[] = {sets::kSetSimMx, sets::kSetAsmMx, sets::kSetCMx, sets::kSetLnkMx};
S kMxToolNames[] = {"ASMMX", "CMX", "LNKMX", "OHMX", "LIBMX"};
constexpr DeviceEntry kMxSims[] = {{"P80C51MX", kSimulatorMxDll}, {"P80C51MX*", kSimulatorMxDll}};
constexpr DocEntry kMxManuals[] = {{"Assembler MX", "ASMMX.PDF"},
                                   {"C Compiler MX", "CMX.PDF"},
                                   {"Linker MX", "LNKMX.PDF"},
                                   {"Architecture 80C51MX", "ARCHMX.PDF"},
                                   {"Simulator 80C51MX", "SIMMX.PDF"}};
// 8: XE8000.
S kXeSets[] = {sets::kSetSimXe, sets::kSetToolsXe, sets::kSetMonXe, sets::kSetDocXe};
S kXeToolNames[] = {"GCCXE", "ASXE", "LDXE", "CMPXE", "LOADER"};
constexpr DeviceEntry kXeSims[] = {{"XE8000-Sim", "SimXE.dll"}};
constexpr DeviceEntry kXeEmus[] = {{"XE8000-Mon", "MonXE.dll", "XeCom.dll"}};
constexpr DocEntry kXeManuals[] = {{"XE8000 Tool Chain", "XETOOLS.PDF"}, {"XE8000 Monitor", "XEMON.PDF"}};
// 9: ST6.
S kSt6Sets[] = {sets::kSetAsmSt6, sets::kSetCSt6, sets::kSetUtlSt6, sets::kSetEmuSt6, sets::kSetEbSt62};
S kSt6ToolNames[] = {"ASMST6", "CST6", "LNKST6", "OHST6", "LIBST6"};
constexpr DeviceEntry kSt6Emus[] = {{"ST6-HDS2", "Hds2ST6.dll", "StmPar.dll", "1024"},
                                    {"EB-ST62", "EbST62.dll", "", "", "", "", "\\IncST6\\st62xx.h"},
                                    {"SofTec-DS62", "Ds62.dll", "", "2048"}};
constexpr DocEntry kSt6Manuals[] = {{"ST6 Assembler", "ASMST6.PDF"}, {"ST6 C Compiler", "CST6.PDF"}};
constexpr DocEntry kSt6Help[] = {{"ST6 Instructions", "ST6INST.HLP"}, {"ST6-HDS2 Emulator", "HDS2.HLP"}};
// 10-13: SmartXA.
S kSxaSimSets[] = {sets::kSetSimSxa, sets::kSetDocSxa};
constexpr DeviceEntry kSxaSims[] = {{"SmartXA", kSimulatorSxaDll, "", "", "", "_SXA_4", "\\inc\\regsxa.h"}};
constexpr DocEntry kSxaSimManuals[] = {{"SmartXA Sim", "SXASIM.PDF"}};
S kSxaEmuSets[] = {sets::kSetEmuSxa, sets::kSetDocSxaEmu};
constexpr DeviceEntry kSxaEmus[] = {{"SmartXA-Emu", "EmuSXA.dll", "SxaCom.dll", "2048", "SxaConf.dll"}};
constexpr DocEntry kSxaEmuManuals[] = {{"SmartXA Emulator", "SXAEMU.PDF"}};
S kSxa2SimSets[] = {sets::kSetSimSxa2, sets::kSetToolsSxa2, sets::kSetDocSxa2};
constexpr DeviceEntry kSxa2Sims[] = {{"SmartXA2", "SimSXA2.dll", "", "", "", "_SXA2_4", "\\inc\\regsxa2.h"}};
constexpr DocEntry kSxa2SimManuals[] = {{"SmartXA2 Sim", "SXA2SIM.PDF"}, {"SmartXA2 Tools", "SXA2TOOL.PDF"}};
S kSxa2EmuSets[] = {sets::kSetEmuSxa2, sets::kSetDocSxa2Emu};
constexpr DeviceEntry kSxa2Emus[] = {{"SmartXA2-Emu", "EmuSXA2.dll", "SxaCom.dll", "2048", "Sxa2Conf.dll"}};
constexpr DocEntry kSxa2EmuManuals[] = {{"SmartXA2 Emulator", "SXA2EMU.PDF"},
                                        {"SmartXA2 Probe", "SXA2PRB.PDF"},
                                        {"SmartXA2 Trace", "SXA2TRC.PDF"}};
// 14-15: smart-card 8051.
S kS51SimSets[] = {sets::kSetSimS51};
constexpr DeviceEntry kS51Sims[] = {{"P8WE5", "SimP8WE.dll", "", "", "", "_WE5_1", "\\inc\\regp8we5.h"}};
S kS51EmuSets[] = {sets::kSetEmuS51, sets::kSetDocS51};
constexpr DeviceEntry kS51Emus[] = {{"P8WE5-Emu", "EmuP8WE.dll", "S51Com.dll", "1024"}};
constexpr DocEntry kS51EmuManuals[] = {{"P8WE5 Emulator", "P8WEEMU.PDF"}};
// 16-19: STARC.
S kStarcSets[] = {sets::kSetToolsStc, sets::kSetSimStc, sets::kSetDocStc};
S kStarcToolNames[] = {"ASMSTC", "CSTC", "LNKSTC", "OHSTC"};
constexpr DeviceEntry kStarcSims[] = {{"StcCore", "SimSTC.dll"}, {"PCF7942", "SimSTC.dll"}};
constexpr DocEntry kStarcManuals[] = {
    {"STARC Assembler", "ASMSTC.PDF"}, {"STARC C Compiler", "CSTC.PDF"}, {"PCF7942 Data", "PCF7942.PDF"}};
S kStarcEmuSets[] = {sets::kSetEmuStc, sets::kSetDocStcEmu};
constexpr DeviceEntry kStarcEmus[] = {{"STARC-Emu", "EmuSTC.dll", "StcCom.dll", "1024"}};
constexpr DocEntry kStarcEmuManuals[] = {{"STARC Emulator", "STCEMU.PDF"}};
S kStarc2Sets[] = {sets::kSetToolsStc2, sets::kSetSimStc2, sets::kSetDocStc2};
constexpr DeviceEntry kStarc2Sims[] = {{"Starc2XL", "SimSTC2.dll"}, {"PCF7941", "SimSTC2.dll"}};
constexpr DocEntry kStarc2Manuals[] = {
    {"STARC2 Assembler", "ASMSTC2.PDF"}, {"STARC2 C Compiler", "CSTC2.PDF"}, {"PCF7941 Data", "PCF7941.PDF"}};
S kStarc2EmuSets[] = {sets::kSetEmuStc2};
constexpr DeviceEntry kStarc2Emus[] = {{"STARC2-Emu", "EmuSTC2.dll", "StcCom.dll", "2048"}};
// 20-21: Mifare.
S kMifareSets[] = {sets::kSetSimMifare, sets::kSetDocMifare};
constexpr DeviceEntry kMifareSims[] = {{"P8WE5", "SimP8WE.dll", "", "", "", "_WE5_1", "\\inc\\regp8we5.h"},
                                       {"P8RF5", "SimP8RF.dll", "", "", "", "_RF5_1", "\\inc\\regp8rf5.h"}};
constexpr DocEntry kMifareManuals[] = {{"Mifare ProX Simulator", "MIFSIM.PDF"},
                                       {"P8RF5 Data", "P8RF5.PDF"},
                                       {"Mifare Library", "MIFLIB.PDF"},
                                       {"Mifare Samples", "MIFSMP.PDF"}};
S kMifareEmuSets[] = {sets::kSetEmuMifare};
constexpr DeviceEntry kMifareEmus[] = {{"MifareProX-Emu", "EmuMif.dll", "MifCom.dll", "2048"},
                                       {"MifareProX-Probe", "PrbMif.dll", "MifCom.dll", "1024"}};
constexpr DocEntry kMifareEmuManuals[] = {{"Mifare ProX Emulator", "MIFEMU.PDF"},
                                          {"Mifare ProX Probe", "MIFPRB.PDF"},
                                          {"Mifare ProX Trace", "MIFTRC.PDF"}};
// 22: MicroCrypt.
S kMicSets[] = {sets::kSetDbgMc, sets::kSetAsmMc, sets::kSetCMc, sets::kSetLnkMc};
S kMicToolNames[] = {"ASMMC", "CMC", "LNKMC"};
constexpr DeviceEntry kMicSims[] = {{"MicroCrypt", "DbgMC.dll"}};
constexpr DocEntry kMicManuals[] = {{"MicroCrypt Debugger", "DBGMC.PDF"},
                                    {"MicroCrypt Assembler", "ASMMC.PDF"},
                                    {"MicroCrypt C Compiler", "CMC.PDF"},
                                    {"MicroCrypt Linker", "LNKMC.PDF"}};
// 23-29: 8051 derivative add-ons with the peripheral simulation kit.
S kDsPackSets[] = {sets::kSetDsPack51};
constexpr DeviceEntry kDsPackSims[] = {
    {kPeripheralKitName, kPeripheralKitDll, "", "", "", kPeripheralKitRef},
    {"T8XC51FP1", "SimT8FP.dll", "", "", "", "_T8FP_0", "\\inc\\regt8fp.h"}};
constexpr DeviceEntry kDsPackEmus[] = {{"T8XC51FP-Emu", "EmuT8FP.dll", "T8Com.dll", "1024"},
                                       {"T8XC51FP-Probe", "PrbT8FP.dll", "T8Com.dll", "512"}};
S kParosSimSets[] = {sets::kSetSimParos};
S kParosEmuSets[] = {sets::kSetEmuParos};
constexpr DeviceEntry kParosEmus[] = {{"PAROS-Emu", "EmuParos.dll", "ParCom.dll", "1024"},
                                      {"PAROS-Probe", "PrbParos.dll", "ParCom.dll", "512"}};
S kFlipSets[] = {sets::kSetSimFlip51};
constexpr DeviceEntry kFlipSims[] = {
    {kPeripheralKitName, kPeripheralKitDll, "", "", "", kPeripheralKitRef},
    {"FLIP51(Generic)", "SimFlip.dll", "", "", "", "_FLIP_0", "\\inc\\reg52.h"}};
constexpr DocEntry kFlipManuals[] = {{"FLIP 8051 Bank Switching", "FLIPBANK.PDF"}};
S kRiscSets[] = {sets::kSetSimRisc51, sets::kSetToolsRisc51};
constexpr DeviceEntry kRiscSims[] = {{kPeripheralKitName, kPeripheralKitDll, "", "", "", kPeripheralKitRef},
                                     {"RISC51", "SimRisc.dll", "", "", "", "_RISC_0", "\\inc\\regrisc.h"}};
constexpr DocEntry kRiscManuals[] = {{"RISC51 Core", "RISC51.PDF"}, {"RISC51 Tools", "RISCTOOL.PDF"}};
constexpr ExternalTool kRiscExternal[] = {{"RISC51 ROM Packer", "RISCPACK.EXE", "*.hex", "-p {NODE}.hex"}};
// 30-35.
S kCmp51Sets[] = {sets::kSetCmp51};
S kCmp51ToolNames[] = {"CMP51"};
constexpr DocEntry kCmp51Manuals[] = {{"Code Compressor 8051", "CMP51.PDF"}};
constexpr DocEntry kCmp51Help[] = {{"Code Compressor 8051", "CMP51.HLP"}};
S kCmpXaSets[] = {sets::kSetCmpXa};
S kCmpXaToolNames[] = {"CMPXA"};
S kE5Sets[] = {sets::kSetEmuE5};
constexpr DeviceEntry kE5Emus[] = {{"Triscend-E5", "EmuE5.dll", "E5Com.dll", "1024"}};
constexpr DeviceEntry kMscEmus[] = {{"MSC1210-Probe", "PrbMsc.dll", "MscCom.dll"}};
S kEbXaSets[] = {sets::kSetEbXa};
constexpr DeviceEntry kEbXaEmus[] = {{"EB-XA", "EbXA.dll", "EbCom.dll"}};
S kC51PlusSets[] = {sets::kSetC51Plus};

constexpr FamilyRow kRows[] = {
    {1,
     k8051Tools,
     kGroup8051,
     "80C51",
     "Tgt51.dll",
     k51Sets,
     k51ToolNames,
     {},
     k51Emus,
     k51Manuals,
     k51Help,
     k51External,
     nullptr},
    {2,
     kLpcTools,
     kGroup8051,
     "80C51",
     "Tgt51.dll",
     kLpcSets,
     k51ToolNames,
     kLpcSims,
     {},
     {},
     {},
     {},
     nullptr},
    {3, kIce51, kGroup8051, "", "", kIceSets, {}, {}, kIceEmus, kIceManuals, kIceHelp, {}, nullptr},
    {4,
     kXaTools,
     kGroupXa,
     "XA",
     "TgtXA.dll",
     kXaSets,
     kXaToolNames,
     {},
     kXaEmus,
     kXaManuals,
     kXaHelp,
     {},
     nullptr},
    {5,
     k80251Tools,
     "251-Tools",
     "80C251",
     "Tgt251.dll",
     k251Sets,
     k251ToolNames,
     {},
     k251Emus,
     k251Manuals,
     {},
     {},
     nullptr},
    {6,
     kSt5Tools,
     "ST5-Tools",
     "ST5",
     "TgtST5.dll",
     kSt5Sets,
     kSt5ToolNames,
     kSt5Sims,
     {},
     kSt5Manuals,
     {},
     {},
     nullptr},
    {7,
     k80C51Mx,
     kGroupMx,
     "80C51MX",
     "TgtMX.dll",
     kMxSets,
     kMxToolNames,
     kMxSims,
     {},
     kMxManuals,
     {},
     {},
     nullptr},
    {8,
     kXe8000,
     "XE-Tools",
     "XE8000",
     "TgtXE.dll",
     kXeSets,
     kXeToolNames,
     kXeSims,
     kXeEmus,
     kXeManuals,
     {},
     {},
     nullptr},
    {9,
     kSt6Tools,
     kGroupSt6,
     "ST6",
     kSt6TargetDll,
     kSt6Sets,
     kSt6ToolNames,
     {},
     kSt6Emus,
     kSt6Manuals,
     kSt6Help,
     {},
     nullptr},
    {10,
     kSxaSim,
     kGroupSmartCard,
     "",
     "",
     kSxaSimSets,
     {},
     kSxaSims,
     {},
     kSxaSimManuals,
     {},
     {},
     sets::kSetDocSxa},
    {11,
     kSxaEmu,
     kGroupSmartCard,
     "",
     "",
     kSxaEmuSets,
     {},
     {},
     kSxaEmus,
     kSxaEmuManuals,
     {},
     {},
     sets::kSetDocSxaEmu},
    {12,
     kSxa2Sim,
     kGroupSmartCard,
     "",
     "",
     kSxa2SimSets,
     {},
     kSxa2Sims,
     {},
     kSxa2SimManuals,
     {},
     {},
     sets::kSetDocSxa2},
    {13,
     kSxa2Emu,
     kGroupSmartCard,
     "",
     "",
     kSxa2EmuSets,
     {},
     {},
     kSxa2Emus,
     kSxa2EmuManuals,
     {},
     {},
     sets::kSetDocSxa2Emu},
    {14, kS51Sim, kGroupSmartCard, "", "", kS51SimSets, {}, kS51Sims, {}, {}, {}, {}, nullptr},
    {15,
     kS51Emu,
     kGroupSmartCard,
     "",
     "",
     kS51EmuSets,
     {},
     {},
     kS51Emus,
     kS51EmuManuals,
     {},
     {},
     sets::kSetDocS51},
    {16,
     kStarcTools,
     kGroupSmartCard,
     "Starc",
     "TgtSTC.dll",
     kStarcSets,
     kStarcToolNames,
     kStarcSims,
     {},
     kStarcManuals,
     {},
     {},
     sets::kSetDocStc},
    {17,
     kStarcEmu,
     kGroupSmartCard,
     "",
     "",
     kStarcEmuSets,
     {},
     {},
     kStarcEmus,
     kStarcEmuManuals,
     {},
     {},
     sets::kSetDocStcEmu},
    {18,
     kStarc2Tools,
     kGroupSmartCard,
     "Starc",
     "TgtSTC2.dll",
     kStarc2Sets,
     kStarcToolNames,
     kStarc2Sims,
     {},
     kStarc2Manuals,
     {},
     {},
     sets::kSetDocStc2},
    {19, kStarc2Emu, kGroupSmartCard, "", "", kStarc2EmuSets, {}, {}, kStarc2Emus, {}, {}, {}, nullptr},
    {20,
     kMifareTools,
     kGroupSmartCard,
     "",
     "",
     kMifareSets,
     {},
     kMifareSims,
     {},
     kMifareManuals,
     {},
     {},
     sets::kSetDocMifare},
    {21,
     kMifareEmu,
     kGroupSmartCard,
     "",
     "",
     kMifareEmuSets,
     {},
     {},
     kMifareEmus,
     kMifareEmuManuals,
     {},
     {},
     nullptr},
    {22,
     kMicSim,
     kGroupSmartCard,
     "MicroCrypt",
     "TgtMC.dll",
     kMicSets,
     kMicToolNames,
     kMicSims,
     {},
     kMicManuals,
     {},
     {},
     nullptr},
    {23, kDsPack51, kGroup8051, "", "", kDsPackSets, {}, kDsPackSims, kDsPackEmus, {}, {}, {}, nullptr},
    {24, kParosSim, kGroup8051, "", "", kParosSimSets, {}, kDsPackSims, {}, {}, {}, {}, nullptr},
    {25, kParosEmu, kGroup8051, "", "", kParosEmuSets, {}, {}, kParosEmus, {}, {}, {}, nullptr},
    {26, kFlip51Sim, kGroup8051, "", "", kFlipSets, {}, kFlipSims, {}, kFlipManuals, {}, {}, nullptr},
    {27, kFlip51Emu, kGroup8051, "", "", {}, {}, {}, {}, {}, {}, {}, nullptr},
    {28,
     kRisc51Sim,
     kGroup8051,
     "",
     "",
     kRiscSets,
     {},
     kRiscSims,
     {},
     kRiscManuals,
     {},
     kRiscExternal,
     nullptr},
    {29, kRisc51Emu, kGroup8051, "", "", {}, {}, {}, {}, {}, {}, {}, nullptr},
    {30,
     kCompressor51,
     kGroup8051,
     "",
     "",
     kCmp51Sets,
     kCmp51ToolNames,
     {},
     {},
     kCmp51Manuals,
     kCmp51Help,
     {},
     nullptr},
    {31, kCompressorXa, kGroupXa, "", "", kCmpXaSets, kCmpXaToolNames, {}, {}, {}, {}, {}, nullptr},
    {32, kTriscendE5, kGroup8051, "", "", kE5Sets, {}, {}, kE5Emus, {}, {}, {}, nullptr},
    {33, kMsc1210, kGroup8051, "", "", {}, {}, {}, kMscEmus, {}, {}, {}, nullptr},
    {34, kBoardXa, kGroupXa, "", "", kEbXaSets, {}, {}, kEbXaEmus, {}, {}, {}, nullptr},
    {35, kC51Plus, kGroup8051, "", "", kC51PlusSets, {}, {}, {}, {}, {}, {}, nullptr},
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
