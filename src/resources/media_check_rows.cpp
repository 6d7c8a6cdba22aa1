#include "resources/catalogue.h"
#include "resources/catalogue_sets.h"

namespace catalogue {

namespace {

using namespace sets;

constexpr MediaFileSet kIdeSets[] = {
    {kSetOvra1}, {kSetOvra2},   {kSetOvra3},
    {kSetOvra4}, {kSetVersion}, {kSetOvra5, nullptr, kOvraSt6, kLpcTools},
    {kSetDebug},
};
constexpr MediaFileSet kAddOnSets[] = {{kSetVersion}};
constexpr MediaFileSet kShared51[] = {{kSetHeaders}, {kSetSamples}};
constexpr MediaFileSet kRtk51Sets[] = {{kSetRtk51}};
constexpr MediaFileSet kMon51Sets[] = {{kSetMon51}};
constexpr MediaFileSet kAsm51Sets[] = {{kSetAsm51}};
constexpr MediaFileSet kC51Sets[] = {{kSetC51}, {kSetLx51}};
constexpr MediaFileSet kIce51Sets[] = {{kSetIce51}};
// The XA family installs the shared sets itself only when the 8051 family does not.
constexpr MediaFileSet kSharedXa[] = {{kSetHeaders, nullptr, k8051Tools}, {kSetSamples, nullptr, k8051Tools}};
constexpr MediaFileSet kRtkXaSets[] = {{kSetRtkXa}};
constexpr MediaFileSet kMonXaSets[] = {{kSetMonXa}};
constexpr MediaFileSet kAsmXaSets[] = {{kSetAsmXa}};
constexpr MediaFileSet kCXaSets[] = {{kSetCXa}, {kSetLnkXa}, {kSetLibXa}};
constexpr MediaFileSet k251Sets[] = {
    {kSetMon251}, {kSetAsm251, kAsm251}, {kSetC251, kC251}, {kSetLnk251, kC251}};
constexpr MediaFileSet kSt5Sets[] = {
    {kSetSimSt5}, {kSetAsmSt5, kAsmSt5}, {kSetCSt5, kCSt5}, {kSetLnkSt5, kLinkSt5}};
constexpr MediaFileSet kMxSets[] = {{kSetSimMx}, {kSetAsmMx, kAsmMx}, {kSetCMx, kCMx}, {kSetLnkMx, kLinkMx}};
// The XE8000 installer takes all four sets whichever XE tag is set.
constexpr MediaFileSet kXeSets[] = {{kSetSimXe}, {kSetToolsXe}, {kSetMonXe}, {kSetDocXe}};
constexpr MediaFileSet kXeGccSets[] = {{kSetToolsXe}};
constexpr MediaFileSet kSt6Sets[] = {
    {kSetAsmSt6, kAsmSt6}, {kSetCSt6, kCSt6}, {kSetUtlSt6, kLinkSt6}, {kSetEmuSt6}};
constexpr MediaFileSet kEbSt62Sets[] = {{kSetEbSt62}};
constexpr MediaFileSet kSxaSimSets[] = {{kSetSimSxa}, {kSetDocSxa, kAddonPdfHlp}};
constexpr MediaFileSet kSxaEmuSets[] = {{kSetEmuSxa}, {kSetDocSxaEmu, kAddonPdfHlp}};
constexpr MediaFileSet kSxa2SimSets[] = {{kSetSimSxa2}, {kSetToolsSxa2}, {kSetDocSxa2, kAddonPdfHlp}};
constexpr MediaFileSet kSxa2EmuSets[] = {{kSetEmuSxa2}, {kSetDocSxa2Emu, kAddonPdfHlp}};
constexpr MediaFileSet kS51SimSets[] = {{kSetSimS51}};
constexpr MediaFileSet kS51EmuSets[] = {{kSetEmuS51}, {kSetDocS51, kAddonPdfHlp}};
constexpr MediaFileSet kStarcSets[] = {{kSetToolsStc}, {kSetSimStc}, {kSetDocStc, kAddonPdfHlp}};
constexpr MediaFileSet kStarcEmuSets[] = {{kSetEmuStc}, {kSetDocStcEmu, kAddonPdfHlp}};
constexpr MediaFileSet kStarc2Sets[] = {{kSetToolsStc2}, {kSetSimStc2}, {kSetDocStc2, kAddonPdfHlp}};
constexpr MediaFileSet kStarc2EmuSets[] = {{kSetEmuStc2}};
constexpr MediaFileSet kMifareSets[] = {{kSetSimMifare}, {kSetDocMifare, kAddonPdfHlp}};
constexpr MediaFileSet kMifareEmuSets[] = {{kSetEmuMifare}};
constexpr MediaFileSet kMicSets[] = {{kSetDbgMc}, {kSetAsmMc}, {kSetCMc}, {kSetLnkMc}};
constexpr MediaFileSet kDsPackSets[] = {{kSetDsPack51}};
constexpr MediaFileSet kParosSimSets[] = {{kSetSimParos}};
constexpr MediaFileSet kParosEmuSets[] = {{kSetEmuParos}};
constexpr MediaFileSet kFlipSets[] = {{kSetSimFlip51}};
constexpr MediaFileSet kRiscSets[] = {{kSetSimRisc51}, {kSetToolsRisc51}};
constexpr MediaFileSet kCmp51Sets[] = {{kSetCmp51}};
constexpr MediaFileSet kCmpXaSets[] = {{kSetCmpXa}};
constexpr MediaFileSet kE5Sets[] = {{kSetEmuE5}};
constexpr MediaFileSet kEbXaSets[] = {{kSetEbXa}};
constexpr MediaFileSet kC51PlusSets[] = {{kSetC51Plus}};

constexpr MediaCheckRow kRows[] = {
    {nullptr, nullptr, kIdeSets},
    {kAddOnTools, nullptr, kAddOnSets},
    {k8051Tools, kLpcTools, kShared51},
    {kRtk51, nullptr, kRtk51Sets},
    {kMon51, nullptr, kMon51Sets},
    {kAsm51, nullptr, kAsm51Sets},
    {kC51, nullptr, kC51Sets},
    {kIce51, nullptr, kIce51Sets},
    {kXaTools, nullptr, kSharedXa},
    {kRtkXa, nullptr, kRtkXaSets},
    {kMonXa, nullptr, kMonXaSets},
    {kAsmXa, nullptr, kAsmXaSets},
    {kCXa, nullptr, kCXaSets},
    {k80251Tools, nullptr, k251Sets},
    {kSt5Tools, nullptr, kSt5Sets},
    {k80C51Mx, nullptr, kMxSets},
    {kXe8000, nullptr, kXeSets},
    {kXeGcc, nullptr, kXeGccSets},
    {kSt6Tools, nullptr, kSt6Sets},
    {kEmuSt6, nullptr, kEbSt62Sets},
    {kSxaSim, nullptr, kSxaSimSets},
    {kSxaEmu, nullptr, kSxaEmuSets},
    {kSxa2Sim, kSxa2SimLite, kSxa2SimSets},
    {kSxa2Emu, kSxa2EmuLite, kSxa2EmuSets},
    {kS51Sim, nullptr, kS51SimSets},
    {kS51Emu, nullptr, kS51EmuSets},
    {kStarcTools, nullptr, kStarcSets},
    {kStarcEmu, nullptr, kStarcEmuSets},
    {kStarc2Tools, nullptr, kStarc2Sets},
    {kStarc2Emu, nullptr, kStarc2EmuSets},
    {kMifareTools, nullptr, kMifareSets},
    {kMifareEmu, nullptr, kMifareEmuSets},
    {kMicSim, nullptr, kMicSets},
    {kDsPack51, nullptr, kDsPackSets},
    {kParosSim, nullptr, kParosSimSets},
    {kParosEmu, nullptr, kParosEmuSets},
    {kFlip51Sim, nullptr, kFlipSets},
    {kRisc51Sim, nullptr, kRiscSets},
    {kCompressor51, nullptr, kCmp51Sets},
    {kCompressorXa, nullptr, kCmpXaSets},
    {kTriscendE5, nullptr, kE5Sets},
    {kBoardXa, nullptr, kEbXaSets},
    {kC51Plus, nullptr, kC51PlusSets},
};
static_assert(sizeof kRows / sizeof kRows[0] == 43);

}  // namespace

std::span<const MediaCheckRow> MediaCheckRows() {
    return kRows;
}

}  // namespace catalogue
