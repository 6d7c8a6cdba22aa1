#include "resources/catalogue_names.h"
#include "resources/catalogue_products.h"

namespace catalogue {

namespace {

constexpr const char* kC = "*.c;*.h";
constexpr const char* kObj = "*.obj";
constexpr const char* kAof = "*.aof";
constexpr const char* kHex = "*.hex";
constexpr const char* kLib = "*.lib";

// The names are the build record's tool components where they are the same programs (the 8051 linker
// is "LX51" in both); the build record's three XA-file utilities are configuration helpers, not tools,
// and the three format converters at the end have no version of their own in the build files.
constexpr ToolEntry kTools[] = {
    {"ASM51", "VxAsm51.dll", "*.a51;*.x51;*.inc;*.src", kObj, false},
    {"C51", "VxC51.dll", kC, kObj, false},
    {"LX51", "VxLx51.dll", kObj, kAof, true},
    {"OH51", "VxOh51.dll", kAof, kHex, false},
    {"LIB51", "VxLib51.dll", kObj, kLib, false},
    {"CMP51", "VxCmp51.dll", kAof, kAof, false},
    {"ASMXA", "VxAsmXA.dll", "*.axa;*.inc;*.src", kObj, false},
    {"CXA", "VxCXA.dll", kC, kObj, false},
    {"LNKXA", "VxLnkXA.dll", kObj, kAof, true},
    {"OHXA", "VxOhXA.dll", kAof, kHex, false},
    {"LIBXA", "VxLibXA.dll", kObj, kLib, false},
    {"CMPXA", "VxCmpXA.dll", kAof, kAof, false},
    {"ASM251", "VxAsm251.dll", "*.a251;*.inc;*.src", kObj, false},
    {"C251", "VxC251.dll", kC, kObj, false},
    {"LNK251", "VxLnk251.dll", kObj, kAof, true},
    {"OH251", "VxOh251.dll", kAof, kHex, false},
    {"LIB251", "VxLib251.dll", kObj, kLib, false},
    {"ASMST6", "VxAsmST6.dll", "*.asm;*.st6;*.inc", kObj, false},
    {"CST6", "VxCST6.dll", kC, kObj, false},
    {"LNKST6", "VxLnkST6.dll", kObj, kAof, true},
    {"OHST6", "VxOhST6.dll", kAof, kHex, false},
    {"LIBST6", "VxLibST6.dll", kObj, kLib, false},
    {"ASMST5", "VxAsmST5.dll", "*.as5;*.inc", kObj, false},
    {"CST5", "VxCST5.dll", kC, kObj, false},
    {"LNKST5", "VxLnkST5.dll", kObj, kAof, true},
    {"OHST5", "VxOhST5.dll", kAof, kHex, false},
    {"LIBST5", "VxLibST5.dll", kObj, kLib, false},
    {"ASMSTC", "VxAsmSTC.dll", "*.asc;*.inc", kObj, false},
    {"CSTC", "VxCSTC.dll", kC, kObj, false},
    {"LNKSTC", "VxLnkSTC.dll", kObj, kAof, true},
    {"OHSTC", "VxOhSTC.dll", kAof, kHex, false},
    {"ASMMC", "VxAsmMC.dll", "*.amc;*.inc", kObj, false},
    {"CMC", "VxCMC.dll", kC, kObj, false},
    {"LNKMC", "VxLnkMC.dll", kObj, kAof, true},
    {"ASMMX", "VxAsmMX.dll", "*.amx;*.a51;*.inc;*.src", kObj, false},
    {"CMX", "VxCMX.dll", kC, kObj, false},
    {"LNKMX", "VxLnkMX.dll", kObj, kAof, true},
    {"OHMX", "VxOhMX.dll", kAof, kHex, false},
    {"LIBMX", "VxLibMX.dll", kObj, kLib, false},
    {"GCCXE", "VxGccXE.dll", kC, "*.o", false},
    {"ASXE", "VxAsXE.dll", "*.s;*.asm", "*.o", false},
    {"LDXE", "VxLdXE.dll", "*.o", "*.elf", true},
    {"CMPXE", "VxCmpXE.dll", "*.elf", "*.elf", false},
    {"LOADER", "VxLoader.dll", kHex, kHex, false},
    {"HEX2BIN", "VxHex2Bin.dll", kHex, "*.bin", false},
    {"OMF2HEX", "VxOmf2Hex.dll", kAof, kHex, false},
    {"ELF2HEX", "VxElf2Hex.dll", "*.elf", kHex, false},
};
static_assert(sizeof kTools / sizeof kTools[0] == 47);

constexpr const char* kTargets[] = {"80C51", "XA",      "80C251", "MicroCrypt", "Starc",
                                    "ST6",   "80C51MX", "XE8000", "ST5"};

constexpr const char* kSimulatorDlls[] = {"S8051", "SLPC76X", "S51MX", "SXA"};

}  // namespace

std::span<const ToolEntry> ToolCatalogue() {
    return kTools;
}

const ToolEntry* FindTool(const char* name) {
    if (!name) return nullptr;
    for (const auto& tool : kTools)
        if (detail::SameName(tool.name, name)) return &tool;
    return nullptr;
}

std::span<const char* const> TargetNames() {
    return kTargets;
}

std::span<const char* const> SimulatorDllNames() {
    return kSimulatorDlls;
}

}  // namespace catalogue
