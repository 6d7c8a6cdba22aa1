#include "mkmanifest/flavour.h"

namespace mkmanifest {

namespace {

// Product word: OVRA 0x01, OVRAPHILIPS 0x02, OVRAST6 0x04, RELEASE 0x08, ENGLISH 0x10, OVRAINFINEON 0x80.
// The family words set every member bit the tag table knows; the add-on word every named bit.
constexpr std::uint32_t kAll8051 = 0x7F;
constexpr std::uint32_t kAllXa = 0x0200001F;
constexpr std::uint32_t kAllSt6 = 0x17;
constexpr std::uint32_t kAllSt5 = 0x27;
constexpr std::uint32_t kAllMx = 0x27;
constexpr std::uint32_t kAllXe = 0x00020001;
constexpr std::uint32_t kAllAddOns = 0x0DFFFFFF;
// SmartXA simulator and emulator, SmartXA2 simulator and emulator, their manuals.
constexpr std::uint32_t kSmartXa = 0x1 | 0x2 | 0x2000 | 0x40000 | 0x800000;
// S51 simulator, Flip51 and Risc51 simulators, the 8051 code compressor.
constexpr std::uint32_t kAddOnPackage = 0x80 | 0x200 | 0x800 | 0x20000;

std::vector<Flavour> Build() {
    std::vector<Flavour> all;
    all.push_back({"full",
                   "The whole kit: the IDE with every family and add-on the catalogue has rows for.",
                   {{"INSTOVRA.INI", 0x11},
                    {"INST51.INI", kAll8051},
                    {"INSTXA.INI", kAllXa},
                    {"INSTST6.INI", kAllSt6},
                    {"INSTST5.INI", kAllSt5},
                    {"INSTMX.INI", kAllMx},
                    {"INSTXE.INI", kAllXe},
                    {"INSTADON.INI", kAllAddOns}},
                   "",
                   0,
                   "",
                   "Patch",
                   "",
                   "",
                   "B100",
                   "2026-11-30",
                   "V6.10"});
    all.push_back(
        {"philips",
         "The IDE kit for Philips parts: 8051 and XA tools with the SmartXA add-ons.",
         {{"INSTOVRA.INI", 0x12}, {"INST51.INI", 0x37}, {"INSTXA.INI", 0x1F}, {"INSTADON.INI", kSmartXa}},
         "",
         0,
         "",
         "Patch",
         "",
         "",
         "P100",
         "2026-11-30",
         "V6.10"});
    all.push_back({"infineon",
                   "The IDE kit for Infineon parts with the 8051 tools.",
                   {{"INSTOVRA.INI", 0x90}, {"INST51.INI", 0x3F}},
                   "",
                   0,
                   "",
                   "Patch",
                   "",
                   "",
                   "I100",
                   "2026-11-30",
                   "V6.10"});
    all.push_back({"st6",
                   "The IDE kit for the ST6 family.",
                   {{"INSTOVRA.INI", 0x14}, {"INSTST6.INI", kAllSt6}},
                   "",
                   0,
                   "",
                   "Patch",
                   "",
                   "",
                   "S100",
                   "2026-11-30",
                   "V6.10"});
    all.push_back({"lpc",
                   "The IDE kit for the LPC parts.",
                   {{"INSTOVRA.INI", 0x11}, {"INSTLPC.INI", 0x17}},
                   "",
                   0,
                   "",
                   "Patch",
                   "",
                   "",
                   "L100",
                   "2026-11-30",
                   "V6.10"});
    all.push_back({"xe",
                   "The XE8000 tools with the code compressor (English files, no IDE).",
                   {{"INSTOVRA.INI", 0x10}, {"INSTXE.INI", kAllXe}},
                   "",
                   0,
                   "",
                   "Patch",
                   "",
                   "",
                   "X100",
                   "2026-12-01",
                   "V1.20"});
    all.push_back({"mx",
                   "The 80C51MX tools (English files, no IDE).",
                   {{"INSTOVRA.INI", 0x10}, {"INSTMX.INI", kAllMx}},
                   "",
                   0,
                   "",
                   "Patch",
                   "",
                   "",
                   "M100",
                   "2026-12-01",
                   "V2.10"});
    all.push_back({"release",
                   "A tool release of the 8051 and XA tools: file sets at the root, no language folder.",
                   {{"INSTOVRA.INI", 0x08}, {"INST51.INI", 0x07}, {"INSTXA.INI", 0x07}},
                   "",
                   0,
                   "",
                   "Patch",
                   "",
                   "",
                   "R110",
                   "2026-12-02",
                   "V6.11"});
    all.push_back({"addon",
                   "An add-on package for Vexa 6.1: S51, Flip51 and Risc51 simulators, code compressor.",
                   {{"INSTOVRA.INI", 0x10}, {"INSTADON.INI", kAddOnPackage}},
                   "6.1",
                   0,
                   "",
                   "Patch",
                   "",
                   "",
                   "A120",
                   "2026-12-03",
                   "V1.00"});
    all.push_back({"patch",
                   "A patch for build B100 of the kit.",
                   {{"INSTOVRA.INI", 0x10}},
                   "",
                   1,
                   "B100",
                   "Patch",
                   "IDE fix 1",
                   "\\BIN",
                   "B101",
                   "2026-12-04",
                   "V6.10"});
    all.push_back({"patch2",
                   "The second patch, for the kit patched to B101.",
                   {{"INSTOVRA.INI", 0x10}},
                   "",
                   1,
                   "B101",
                   "Patch",
                   "IDE fix 2",
                   "\\BIN",
                   "B102",
                   "2026-12-05",
                   "V6.10"});
    return all;
}

}  // namespace

const std::vector<Flavour>& SampleFlavours() {
    static const std::vector<Flavour> all = Build();
    return all;
}

const Flavour* FindFlavour(const std::string& name) {
    for (const auto& f : SampleFlavours())
        if (f.name == name) return &f;
    return nullptr;
}

}  // namespace mkmanifest
