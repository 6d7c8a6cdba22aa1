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
// is "LX51" in both); the build record's three XA-file utilities are configuration helpers, not tools;
// the XE8000 library manager and the two format converters at the end have no version of their own in
// the build files.
constexpr ToolEntry kTools[] = {
    {"ASM51", "VxAsm51.dll", "*.a51;*.x51;*.inc;*.src", kObj, "0"},
    {"C51", "VxC51.dll", kC, kObj, "0"},
    {"LX51", "VxLx51.dll", kObj, kAof, "1"},
    {"OH51", "VxOh51.dll", kAof, kHex, "0"},
    {"LIB51", "VxLib51.dll", kObj, kLib, "0"},
    {"CMP51", "VxCmp51.dll", kAof, kAof, "0"},
    {"ASMXA", "VxAsmXA.dll", "*.axa;*.inc;*.src", kObj, "0"},
    {"CXA", "VxCXA.dll", kC, kObj, "0"},
    {"LNKXA", "VxLnkXA.dll", kObj, kAof, "1"},
    {"OHXA", "VxOhXA.dll", kAof, kHex, "0"},
    {"LIBXA", "VxLibXA.dll", kObj, kLib, "0"},
    {"CMPXA", "VxCmpXA.dll", kAof, kAof, "0"},
    {"ASM251", "VxAsm251.dll", "*.a251;*.inc;*.src", kObj, "0"},
    {"C251", "VxC251.dll", kC, kObj, "0"},
    {"LNK251", "VxLnk251.dll", kObj, kAof, "1"},
    {"OH251", "VxOh251.dll", kAof, kHex, "0"},
    {"LIB251", "VxLib251.dll", kObj, kLib, "0"},
    {"ASMST6", "VxAsmST6.dll", "*.asm;*.st6;*.inc", kObj, "0"},
    {"CST6", "VxCST6.dll", kC, kObj, "0"},
    {"LNKST6", "VxLnkST6.dll", kObj, kAof, "1"},
    {"OHST6", "VxOhST6.dll", kAof, kHex, "0"},
    {"LIBST6", "VxLibST6.dll", kObj, kLib, "0"},
    {"ASMST5", "VxAsmST5.dll", "*.as5;*.inc", kObj, "0"},
    {"CST5", "VxCST5.dll", kC, kObj, "0"},
    {"LNKST5", "VxLnkST5.dll", kObj, kAof, "1"},
    {"OHST5", "VxOhST5.dll", kAof, kHex, "0"},
    {"LIBST5", "VxLibST5.dll", kObj, kLib, "0"},
    {"ASMSTC", "VxAsmSTC.dll", "*.asc;*.inc", kObj, "0"},
    {"CSTC", "VxCSTC.dll", kC, kObj, "0"},
    {"LNKSTC", "VxLnkSTC.dll", kObj, kAof, "1"},
    {"OHSTC", "VxOhSTC.dll", kAof, kHex, "0"},
    {"ASMMC", "VxAsmMC.dll", "*.amc;*.inc", kObj, "0"},
    {"CMC", "VxCMC.dll", kC, kObj, "0"},
    {"LNKMC", "VxLnkMC.dll", kObj, kAof, "1"},
    {"ASMMX", "VxAsmMX.dll", "*.amx;*.a51;*.inc;*.src", kObj, "0"},
    {"CMX", "VxCMX.dll", kC, kObj, "0"},
    {"LNKMX", "VxLnkMX.dll", kObj, kAof, "1"},
    {"OHMX", "VxOhMX.dll", kAof, kHex, "0"},
    {"LIBMX", "VxLibMX.dll", kObj, kLib, "0"},
    {"GCCXE", "VxGccXE.dll", kC, "*.o", "0"},
    {"ASXE", "VxAsXE.dll", "*.s", "*.o", "0"},
    {"LDXE", "VxLdXE.dll", "*.o", "*.axe", "1"},
    {"ARXE", "VxArXE.dll", "*.o", "*.a", "0"},
    {"CMPXE", "VxCmpXE.dll", "*.axe", "*.axe", "2"},
    {"LOADER", "VxLoader.dll", "*.axe;*.hex", "*.axe", "3"},
    {"HEX2BIN", "VxHex2Bin.dll", kHex, "*.bin", "0"},
    {"OMF2HEX", "VxOmf2Hex.dll", kAof, kHex, "0"},
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
