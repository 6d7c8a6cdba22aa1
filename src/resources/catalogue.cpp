#include "resources/catalogue.h"

#include <set>
#include <string>

namespace catalogue {

namespace {

constexpr TagRow kTags[] = {
    // Product word.
    {kOvra, Word::Product, 0},
    {kOvraPhilips, Word::Product, 1},
    {kOvraSt6, Word::Product, 2},
    {kRelease, Word::Product, 3},
    {kEnglish, Word::Product, 4},
    {kFrench, Word::Product, 5},
    {kOvraInfineon, Word::Product, 7},
    // 8051 word.
    {k8051Tools, Word::W8051, -1},
    {kAsm51, Word::W8051, 0},
    {kC51, Word::W8051, 1},
    {kLink51, Word::W8051, 2},
    {kIce51, Word::W8051, 3},
    {kRtk51, Word::W8051, 4},
    {kMon51, Word::W8051, 5},
    {kDsPack51, Word::W8051, 6},
    // MX word.
    {kMxTools, Word::Mx, -1},
    {kAsmMx, Word::Mx, 0},
    {kCMx, Word::Mx, 1},
    {kLinkMx, Word::Mx, 2},
    {k80C51Mx, Word::Mx, 5},
    // ST5 word.
    {kSt5Tools, Word::St5, -1},
    {kAsmSt5, Word::St5, 0},
    {kCSt5, Word::St5, 1},
    {kLinkSt5, Word::St5, 2},
    {kSt5, Word::St5, 5},
    // XE word: both family names answer to any bit.
    {kXeTools, Word::Xe, -1},
    {kXe8000, Word::Xe, -1},
    {kXeGcc, Word::Xe, 0},
    {kXeCompressor, Word::Xe, 17},
    // LPC word: its members are the 8051 tool names.
    {kLpcTools, Word::Lpc, -1},
    {kAsm51, Word::Lpc, 0},
    {kC51, Word::Lpc, 1},
    {kLink51, Word::Lpc, 2},
    {kRtk51, Word::Lpc, 4},
    // XA word.
    {kXaTools, Word::Xa, -1},
    {kAsmXa, Word::Xa, 0},
    {kCXa, Word::Xa, 1},
    {kLinkXa, Word::Xa, 2},
    {kRtkXa, Word::Xa, 3},
    {kMonXa, Word::Xa, 4},
    {kBoardXa, Word::Xa, 25},
    // 80251 word.
    {k80251Tools, Word::W80251, -1},
    {kAsm251, Word::W80251, 0},
    {kC251, Word::W80251, 1},
    {kLink251, Word::W80251, 2},
    // ST6 word.
    {kSt6Tools, Word::St6, -1},
    {kAsmSt6, Word::St6, 0},
    {kCSt6, Word::St6, 1},
    {kLinkSt6, Word::St6, 2},
    {kEmuSt6, Word::St6, 4},
    // Add-on word.
    {kAddOnTools, Word::AddOn, -1},
    {kSxaSim, Word::AddOn, 0},
    {kSxaEmu, Word::AddOn, 1},
    {kStarcTools, Word::AddOn, 2},
    {kStarcEmu, Word::AddOn, 3},
    {kMicSim, Word::AddOn, 4},
    {kParosSim, Word::AddOn, 5},
    {kParosEmu, Word::AddOn, 6},
    {kS51Sim, Word::AddOn, 7},
    {kS51Emu, Word::AddOn, 8},
    {kFlip51Sim, Word::AddOn, 9},
    {kFlip51Emu, Word::AddOn, 10},
    {kRisc51Sim, Word::AddOn, 11},
    {kRisc51Emu, Word::AddOn, 12},
    {kSxa2Sim, Word::AddOn, 13},
    {kSxa2SimLite, Word::AddOn, 14},
    {kMifareTools, Word::AddOn, 15},
    {kMifareEmu, Word::AddOn, 16},
    {kCompressor51, Word::AddOn, 17},
    {kSxa2Emu, Word::AddOn, 18},
    {kStarc2Tools, Word::AddOn, 19},
    {kStarc2Emu, Word::AddOn, 20},
    {kCompressorXa, Word::AddOn, 21},
    {kSxa2EmuLite, Word::AddOn, 22},
    {kAddonPdfHlp, Word::AddOn, 23},
    {kTriscendE5, Word::AddOn, 24},
    {kMsc1210, Word::AddOn, 26},
    {kC51Plus, Word::AddOn, 27},
};

}  // namespace

std::span<const TagRow> TagTable() {
    return kTags;
}

std::size_t DistinctTagCount() {
    std::set<std::string> names;
    for (const auto& row : kTags) {
        std::string upper(row.name);
        for (char& c : upper)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        names.insert(upper);
    }
    return names.size();
}

}  // namespace catalogue

namespace catalogue {

namespace {

constexpr const char* kBuildTools[] = {
    "ASM51", "C51",    "LX51",   "OH51",   "LIB51",  "CMP51",  "ASMXA",  "CXA",    "LNKXA", "OHXA",
    "LIBXA", "CMPXA",  "ASM251", "C251",   "LNK251", "OH251",  "LIB251", "ASMST6", "CST6",  "LNKST6",
    "OHST6", "LIBST6", "ASMST5", "CST5",   "LNKST5", "OHST5",  "LIBST5", "ASMSTC", "CSTC",  "LNKSTC",
    "OHSTC", "ASMMC",  "CMC",    "LNKMC",  "ASMMX",  "CMX",    "LNKMX",  "OHMX",   "LIBMX", "GCCXE",
    "ASXE",  "LDXE",   "CMPXE",  "LOADER", "SIMCFG", "EMUCFG", "DBGCFG",
};
static_assert(sizeof kBuildTools / sizeof kBuildTools[0] == 47);

constexpr const char* kBuildUtilities[] = {
    "ICE51.UTL", "EMUXA.UTL", "HDS2ST6.UTL", "EMUST5.UTL", "EMUSTC.UTL",
    "EMUMC.UTL", "EMUMX.UTL", "EMUXE.UTL",   "PROBE.UTL",  "FLASH.UTL",
};
static_assert(sizeof kBuildUtilities / sizeof kBuildUtilities[0] == 10);

constexpr const char* kBuildProducts[] = {"OVRA", "RTK51", "RTKXA", "MON251", "MON51", "MONXA", "EMUST6"};
static_assert(sizeof kBuildProducts / sizeof kBuildProducts[0] == 7);

constexpr const char* kXaUtilities[] = {"SIMCFG", "EMUCFG", "DBGCFG"};

}  // namespace

std::span<const char* const> BuildComponentsTools() {
    return kBuildTools;
}
std::span<const char* const> BuildComponentsUtilities() {
    return kBuildUtilities;
}
std::span<const char* const> BuildComponentsProducts() {
    return kBuildProducts;
}
std::span<const char* const> XaFileUtilities() {
    return kXaUtilities;
}

}  // namespace catalogue
