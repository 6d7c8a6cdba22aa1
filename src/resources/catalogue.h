// The product catalogue: tag strings, component names, file sets and other product data, each spelled
// once here and used everywhere.
#pragma once

#include <cstddef>
#include <span>

namespace catalogue {

// The flavour words that the media's INST*.INI files (and PATCH.INI) contribute.
enum class Word { Product, W8051, Lpc, Xa, St6, St5, AddOn, Patch, Mx, Xe, W80251 };

// One row of the tag table: a tag is set when `bit` of its word is set, or, for a family tag (bit -1),
// when the word is not 0.
struct TagRow {
    const char* name;
    Word word;
    int bit;
};

// Every recognised tag name in the order the tag test walks them (product word, then the 8051, MX, ST5,
// XE, LPC, XA, 80251, ST6 and add-on rows). A name listed twice is set when either row holds.
std::span<const TagRow> TagTable();
// How many distinct tag names the table recognises.
std::size_t DistinctTagCount();

// Product word.
inline constexpr const char* kOvra = "OVRA";
inline constexpr const char* kOvraPhilips = "OVRAPHILIPS";
inline constexpr const char* kOvraSt6 = "OVRAST6";
inline constexpr const char* kRelease = "RELEASE";
inline constexpr const char* kEnglish = "ENGLISH";
inline constexpr const char* kFrench = "FRENCH";
inline constexpr const char* kOvraInfineon = "OVRAINFINEON";

// Family tags.
inline constexpr const char* k8051Tools = "8051-Tools";
inline constexpr const char* kLpcTools = "LPC-Tools";
inline constexpr const char* kXaTools = "XA-Tools";
inline constexpr const char* k80251Tools = "80251-Tools";
inline constexpr const char* kSt6Tools = "ST6-Tools";
inline constexpr const char* kSt5Tools = "ST5-Tools";
inline constexpr const char* kMxTools = "MX-Tools";
inline constexpr const char* kXeTools = "XE-Tools";
inline constexpr const char* kXe8000 = "XE8000";
inline constexpr const char* kAddOnTools = "AddOn-Tools";

// 8051 members (the assembler, compiler, linker and kernel also belong to the LPC word).
inline constexpr const char* kAsm51 = "ASM51";
inline constexpr const char* kC51 = "C51";
inline constexpr const char* kLink51 = "LNK51";
inline constexpr const char* kIce51 = "ICE51";
inline constexpr const char* kRtk51 = "RTK51";
inline constexpr const char* kMon51 = "MON51";
inline constexpr const char* kDsPack51 = "T8XC51FP";

// XA members.
inline constexpr const char* kAsmXa = "ASMXA";
inline constexpr const char* kCXa = "CXA";
inline constexpr const char* kLinkXa = "LNKXA";
inline constexpr const char* kRtkXa = "RTKXA";
inline constexpr const char* kMonXa = "MONXA";
inline constexpr const char* kBoardXa = "EB-XA";

// 80251 members (no flavour file carries this word: always false).
inline constexpr const char* kAsm251 = "ASM251";
inline constexpr const char* kC251 = "C251";
inline constexpr const char* kLink251 = "LNK251";

// ST6 members.
inline constexpr const char* kAsmSt6 = "ASMST6";
inline constexpr const char* kCSt6 = "CST6";
inline constexpr const char* kLinkSt6 = "LNKST6";
inline constexpr const char* kEmuSt6 = "CEIBOEMUST6";

// ST5 members.
inline constexpr const char* kAsmSt5 = "ASMST5";
inline constexpr const char* kCSt5 = "CST5";
inline constexpr const char* kLinkSt5 = "LNKST5";
inline constexpr const char* kSt5 = "ST5";

// MX members.
inline constexpr const char* kAsmMx = "ASMMX";
inline constexpr const char* kCMx = "CMX";
inline constexpr const char* kLinkMx = "LNKMX";
inline constexpr const char* k80C51Mx = "80C51MX";

// XE members.
inline constexpr const char* kXeGcc = "TOOLSXE";
inline constexpr const char* kXeCompressor = "XECOMPRESS";

// Add-on members.
inline constexpr const char* kSxaSim = "SXASim";
inline constexpr const char* kSxaEmu = "SXAEmu";
inline constexpr const char* kStarcTools = "STARCTools";
inline constexpr const char* kStarcEmu = "STARCEmu";
inline constexpr const char* kMicSim = "MicSim";
inline constexpr const char* kParosSim = "PAROSSim";
inline constexpr const char* kParosEmu = "PAROSEmu";
inline constexpr const char* kS51Sim = "S51Sim";
inline constexpr const char* kS51Emu = "S51Emu";
inline constexpr const char* kFlip51Sim = "Flip51Sim";
inline constexpr const char* kFlip51Emu = "Flip51Emu";
inline constexpr const char* kRisc51Sim = "Risc51Sim";
inline constexpr const char* kRisc51Emu = "Risc51Emu";
inline constexpr const char* kSxa2Sim = "SXA2Sim";
inline constexpr const char* kSxa2SimLite = "SXA2SimLite";
inline constexpr const char* kMifareTools = "MifareTools";
inline constexpr const char* kMifareEmu = "MifareEmu";
inline constexpr const char* kCompressor51 = "Compress51";
inline constexpr const char* kSxa2Emu = "SXA2Emu";
inline constexpr const char* kStarc2Tools = "STARC2Tools";
inline constexpr const char* kStarc2Emu = "STARC2Emu";
inline constexpr const char* kCompressorXa = "CompressXA";
inline constexpr const char* kSxa2EmuLite = "SXA2EmuLite";
inline constexpr const char* kAddonPdfHlp = "AddonPDFHLP";
inline constexpr const char* kTriscendE5 = "Triscend-E5";
inline constexpr const char* kMsc1210 = "MSC1210";
inline constexpr const char* kC51Plus = "C51PLUS";

}  // namespace catalogue

namespace catalogue {

// The maker's addresses shown on the readme page.
inline constexpr const char* kMakerWebAddress = "http://www.kestravion.com";
inline constexpr const char* kSupportMail1 = "support@kestravion.com";
inline constexpr const char* kSupportMail2 = "hotline@kestravion.com";

}  // namespace catalogue

namespace catalogue {

// The components whose versions the build record keeps: tool-chain programs (47), emulator utility files
// (10, each ending ".UTL"), and the IDE with the kernels, ROM monitors and ST6 emulator (7). Each name
// picks its media build file by the substrings it contains.
std::span<const char* const> BuildComponentsTools();
std::span<const char* const> BuildComponentsUtilities();
std::span<const char* const> BuildComponentsProducts();
// The three tool-chain utilities whose versions the XA family's build file records.
std::span<const char* const> XaFileUtilities();

}  // namespace catalogue

namespace catalogue {

// The media check: for each component the flavour may select, the file sets that must be on the media.
// A row applies when its tag (or its alternative tag) is set; the first row applies to every IDE kit.
struct MediaFileSet {
    const char* name;
    const char* onlyWithTag = nullptr;     // tested only when this tag is set too
    const char* unlessTag = nullptr;       // not tested when this tag is set
    const char* unlessOtherTag = nullptr;  // nor when this one is
};
struct MediaCheckRow {
    const char* tag;  // nullptr: the IDE kit row (any of the four kit tags)
    const char* alternativeTag;
    std::span<const MediaFileSet> sets;
};
// The 43 rows, in the order the family installers install them.
std::span<const MediaCheckRow> MediaCheckRows();

}  // namespace catalogue
