// The file sets of the kit: each a base name N of an install list N.INS and a data file N.DAT on the
// media. The family installers install them and the media check tests them under the same names.
#pragma once

namespace catalogue::sets {

// The IDE kit.
inline constexpr const char* kSetOvra1 = "Ovra_1";
inline constexpr const char* kSetOvra2 = "Ovra_2";
inline constexpr const char* kSetOvra3 = "Ovra_3";
inline constexpr const char* kSetOvra4 = "Ovra_4";
inline constexpr const char* kSetOvra5 = "Ovra_5";
inline constexpr const char* kSetVersion = "Version";
inline constexpr const char* kSetDebug = "Debug";

// Shared by the 8051, LPC and XA families.
inline constexpr const char* kSetHeaders = "headers";
inline constexpr const char* kSetSamples = "samples";

// 8051 and LPC.
inline constexpr const char* kSetRtk51 = "Rtk51";
inline constexpr const char* kSetMon51 = "Mon51";
inline constexpr const char* kSetAsm51 = "Asm51";
inline constexpr const char* kSetC51 = "C51";
inline constexpr const char* kSetLx51 = "Lx51";
inline constexpr const char* kSetIce51 = "Ice51";
// XA.
inline constexpr const char* kSetRtkXa = "RtkXA";
inline constexpr const char* kSetMonXa = "MonXA";
inline constexpr const char* kSetAsmXa = "AsmXA";
inline constexpr const char* kSetCXa = "CXA";
inline constexpr const char* kSetLnkXa = "LnkXA";
inline constexpr const char* kSetLibXa = "LibXA";
// 80251.
inline constexpr const char* kSetMon251 = "Mon251";
inline constexpr const char* kSetAsm251 = "Asm251";
inline constexpr const char* kSetC251 = "C251";
inline constexpr const char* kSetLnk251 = "Lnk251";
// ST5.
inline constexpr const char* kSetSimSt5 = "SimST5";
inline constexpr const char* kSetAsmSt5 = "AsmST5";
inline constexpr const char* kSetCSt5 = "CST5";
inline constexpr const char* kSetLnkSt5 = "LnkST5";
// 80C51MX.
inline constexpr const char* kSetSimMx = "SimMX";
inline constexpr const char* kSetAsmMx = "AsmMX";
inline constexpr const char* kSetCMx = "CMX";
inline constexpr const char* kSetLnkMx = "LnkMX";
// XE8000 (its media spells them in lower case).
inline constexpr const char* kSetSimXe = "simxe";
inline constexpr const char* kSetToolsXe = "toolsxe";
inline constexpr const char* kSetMonXe = "monxe";
inline constexpr const char* kSetDocXe = "docxe";
// ST6.
inline constexpr const char* kSetAsmSt6 = "AsmST6";
inline constexpr const char* kSetCSt6 = "CST6";
inline constexpr const char* kSetUtlSt6 = "UtlST6";
inline constexpr const char* kSetEmuSt6 = "EmuST6";
inline constexpr const char* kSetEbSt62 = "EbST62";
// Smart-card add-ons.
inline constexpr const char* kSetSimSxa = "SimSXA";
inline constexpr const char* kSetDocSxa = "DocSXA";
inline constexpr const char* kSetEmuSxa = "EmuSXA";
inline constexpr const char* kSetDocSxaEmu = "DocSXAE";
inline constexpr const char* kSetSimSxa2 = "SimSXA2";
inline constexpr const char* kSetToolsSxa2 = "ToolSXA2";
inline constexpr const char* kSetDocSxa2 = "DocSXA2";
inline constexpr const char* kSetEmuSxa2 = "EmuSXA2";
inline constexpr const char* kSetDocSxa2Emu = "DocSXA2E";
inline constexpr const char* kSetSimS51 = "SimS51";
inline constexpr const char* kSetEmuS51 = "EmuS51";
inline constexpr const char* kSetDocS51 = "DocS51";
inline constexpr const char* kSetToolsStc = "ToolSTC";
inline constexpr const char* kSetSimStc = "SimSTC";
inline constexpr const char* kSetDocStc = "DocSTC";
inline constexpr const char* kSetEmuStc = "EmuSTC";
inline constexpr const char* kSetDocStcEmu = "DocSTCE";
inline constexpr const char* kSetToolsStc2 = "ToolSTC2";
inline constexpr const char* kSetSimStc2 = "SimSTC2";
inline constexpr const char* kSetDocStc2 = "DocSTC2";
inline constexpr const char* kSetEmuStc2 = "EmuSTC2";
inline constexpr const char* kSetSimMifare = "SimMif";
inline constexpr const char* kSetDocMifare = "DocMif";
inline constexpr const char* kSetEmuMifare = "EmuMif";
inline constexpr const char* kSetDbgMc = "DbgMC";
inline constexpr const char* kSetAsmMc = "AsmMC";
inline constexpr const char* kSetCMc = "CMC";
inline constexpr const char* kSetLnkMc = "LnkMC";
// 8051 derivative add-ons.
inline constexpr const char* kSetDsPack51 = "DsPack51";
inline constexpr const char* kSetSimParos = "SimParos";
inline constexpr const char* kSetEmuParos = "EmuParos";
inline constexpr const char* kSetSimFlip51 = "SimFlip";
inline constexpr const char* kSetSimRisc51 = "SimRisc";
inline constexpr const char* kSetToolsRisc51 = "ToolRisc";
inline constexpr const char* kSetCmp51 = "Cmp51";
inline constexpr const char* kSetCmpXa = "CmpXA";
inline constexpr const char* kSetEmuE5 = "EmuE5";
inline constexpr const char* kSetEbXa = "EbXA";
inline constexpr const char* kSetC51Plus = "C51Plus";

}  // namespace catalogue::sets
