#include "config/derivatives.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <list>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "app/setup_record.h"
#include "config/config_keys.h"
#include "platform/win32.h"
#include "resources/catalogue_derivatives.h"
#include "support/param_name.h"
#include "support/tag_setter.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::SetTags;
using testing_support::WriteHostFile;

struct SelectionCase {
    std::vector<const char*> tags;
    std::uint16_t flags;
    bool selected;
};

void PrintTo(const SelectionCase& c, std::ostream* os) {
    *os << "tags {";
    for (const char* tag : c.tags)
        *os << " " << tag;
    *os << " } flags 0x" << std::hex << c.flags << std::dec << (c.selected ? " selected" : " not selected");
}

std::string SelectionName(const ::testing::TestParamInfo<SelectionCase>& info) {
    std::string name;
    for (const char* tag : info.param.tags)
        name += std::string(tag) + "_";
    char flags[16];
    std::snprintf(flags, sizeof flags, "Flags%X", info.param.flags);
    return testing_support::ParamName(name + flags);
}

class DerivativeSelectedTest : public ::testing::TestWithParam<SelectionCase> {
  protected:
    void SetUp() override { ResetSetupRecord(); }
    void TearDown() override { ResetSetupRecord(); }
};

TEST_P(DerivativeSelectedTest, FirstMatchingRuleDecides) {
    const SelectionCase& c = GetParam();
    for (const char* tag : c.tags)
        SetTags({tag});
    EXPECT_EQ(DerivativeSelected(c.flags), c.selected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DerivativeSelectedTest,
    ::testing::Values(
        // OVRA with LPC: bit 5 only, even when 8051-Tools is also set.
        SelectionCase{{"OVRA", "LPC-Tools"}, 0x20, true}, SelectionCase{{"OVRA", "LPC-Tools"}, 0x1F, false},
        SelectionCase{{"OVRA", "LPC-Tools", "8051-Tools"}, 0x1, false},
        // Philips: bit 0; before the ST6 rule.
        SelectionCase{{"OVRAPHILIPS"}, 0x1, true}, SelectionCase{{"OVRAPHILIPS"}, 0x2, false},
        SelectionCase{{"OVRAPHILIPS", "OVRAST6"}, 0x8, false},
        // Infineon: bit 1.
        SelectionCase{{"OVRAINFINEON"}, 0x2, true}, SelectionCase{{"OVRAINFINEON"}, 0x1, false},
        // ST6 kit, or OVRA with 8051: always.
        SelectionCase{{"OVRAST6"}, 0x0, true}, SelectionCase{{"OVRA", "8051-Tools"}, 0x0, true},
        SelectionCase{{"OVRA", "8051-Tools", "XA-Tools"}, 0x10, true},
        // OVRA with XA: bit 0.
        SelectionCase{{"OVRA", "XA-Tools"}, 0x1, true}, SelectionCase{{"OVRA", "XA-Tools"}, 0x8, false},
        // No add-on word: always (a plain OVRA kit, a tool release).
        SelectionCase{{"OVRA"}, 0x0, true}, SelectionCase{{}, 0x0, true},
        // Add-ons: bit 0 with one of the smart-card tags, never otherwise.
        SelectionCase{{"AddOn-Tools", "SXASim"}, 0x1, true},
        SelectionCase{{"AddOn-Tools", "S51Emu"}, 0x8, false},
        SelectionCase{{"AddOn-Tools", "SXA2SimLite"}, 0x1, true},
        SelectionCase{{"AddOn-Tools", "MicSim"}, 0xFFFF, false}),
    SelectionName);

class DerivativeFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSetupRecord();
        ::Setup().installDir = "C:\\OVRA";
        ::Setup().sourceDir = "C:\\media\\";
    }
    void TearDown() override { ResetSetupRecord(); }

    // A line with the given columns set and the others empty.
    static std::string Line(std::initializer_list<std::pair<int, const char*>> columns) {
        std::vector<std::string> f(31);
        for (const auto& [i, text] : columns)
            f[static_cast<std::size_t>(i)] = text;
        std::string line;
        for (std::size_t i = 0; i < f.size(); ++i)
            line += (i ? "," : "") + f[i];
        return line + "\r\n";
    }
    static std::string Part(const char* name, const char* family = "80C51", const char* flags = "1") {
        return Line({{0, name},
                     {1, "Philips"},
                     {3, "reg52.h"},
                     {9, family},
                     {17, "256"},
                     {22, "8xC52"},
                     {25, "_1052_0"},
                     {28, "No"},
                     {30, flags}});
    }
    void WriteCsv(const std::string& body) {
        WriteHostFile(prefix.DriveC("media/HF.csv"), "Name,Company,...\r\nheadings,second line\r\n" + body);
    }
    std::list<DerivativeRecord> Read() {
        std::list<DerivativeRecord> list;
        ReadDerivativeFile("80C51", "C:\\media\\HF.csv", list);
        return list;
    }
    std::string Value(HKEY key, const char* name, bool* present = nullptr) {
        char buffer[300] = {};
        DWORD size = sizeof buffer, type = 0;
        LONG rc = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
        if (present) *present = rc == ERROR_SUCCESS;
        return rc == ERROR_SUCCESS ? buffer : "";
    }
    std::vector<std::string> Subkeys(HKEY key) {
        std::vector<std::string> names;
        char name[300];
        for (DWORD i = 0;; ++i) {
            DWORD size = sizeof name;
            if (RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            names.push_back(name);
        }
        return names;
    }
    HKEY WriteSimulators() {
        HKEY sims = CreateConfigSubKey(HKEY_LOCAL_MACHINE, std::string(kOvraKey) + "\\Simulators");
        WriteSimulatorDerivatives(sims);
        return sims;
    }

    testing_support::TempPrefix prefix;
};

TEST_F(DerivativeFileTest, ColumnsBecomeTheRecord) {
    WriteCsv(Line({{0, "  P89C51 RD2 "},
                   {1, " Philips"},
                   {3, "C:\\KIT\\INC\\REG51RD2.INC"},
                   {9, "80c51"},
                   {17, "1024\\ bytes"},
                   {22, "8xC51Rx"},
                   {25, "_1051_0"},
                   {27, "\\bin\\x.dll"},
                   {28, "No"},
                   {29, "\\sim\\rd2.sim"},
                   {30, "2a"}}));
    auto list = Read();
    ASSERT_EQ(list.size(), 1u);
    const DerivativeRecord& r = list.front();
    EXPECT_EQ(r.name, "P89C51_RD2_");  // leading blanks dropped, the others become underscores
    EXPECT_EQ(r.company, "Philips");
    EXPECT_EQ(r.incFile, "\\inc\\REG51RD2.h");
    EXPECT_EQ(r.targetName, "80c51");
    EXPECT_EQ(r.intRamSize, "1024");
    EXPECT_EQ(r.generic, "8xC51Rx");
    EXPECT_EQ(r.microRef, "_1051_0");
    EXPECT_EQ(r.dllName, "\\bin\\x.dll");
    EXPECT_EQ(r.hidden, "No");
    EXPECT_EQ(r.microDef, "\\sim\\rd2.sim");
    EXPECT_EQ(r.flags, 0x2a);
}

TEST_F(DerivativeFileTest, LinesFailingTheFamilyOrGenericTestAreSkipped) {
    WriteCsv(Part("A") + Part("B", "XA") + Line({{0, "C"}, {9, "80C51"}}) + "short,line\r\n" + "\r\n" +
             Part("D"));
    auto list = Read();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.front().name, "A");
    EXPECT_EQ(list.back().name, "D");
}

TEST_F(DerivativeFileTest, MissingFileAndHeadingsOnlyYieldNothing) {
    EXPECT_TRUE(Read().empty());
    WriteCsv("");
    EXPECT_TRUE(Read().empty());
}

TEST_F(DerivativeFileTest, AnOverlongLineArrivesInPiecesWithoutHarm) {
    std::string longName(3000, 'N');
    WriteCsv(longName + ",x\r\n" + Part("OK"));
    auto list = Read();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list.front().name, "OK");
}

TEST_F(DerivativeFileTest, EmptyOrBadFlagsSelectEveryFlavour) {
    WriteCsv(Part("A", "80C51", "") + Part("B", "80C51", "zz"));
    for (const auto& r : Read())
        EXPECT_EQ(r.flags, 0xFFFF) << r.name;
}

TEST_F(DerivativeFileTest, HeadingsOnlyOrOtherFamiliesGiveTheBuiltInTable) {
    WriteCsv(Part("XA-Only", "XA"));
    HKEY sims = WriteSimulators();
    std::vector<std::string> names = Subkeys(sims);
    EXPECT_EQ(names.size(), 38u + 5u);
    RegCloseKey(sims);
}

TEST_F(DerivativeFileTest, FileRowsReplaceTheBuiltInTableEvenWhenNoneIsSelected) {
    SetTags({"OVRAINFINEON"});
    WriteCsv(Part("PhilipsOnly", "80C51", "1"));
    HKEY sims = WriteSimulators();
    // The file's row is deselected (bit 1 missing) and the built-in Infineon parts do not stand in;
    // of the 80C251/XA rows none has bit 1 either.
    EXPECT_TRUE(Subkeys(sims).empty());
    RegCloseKey(sims);
}

TEST_F(DerivativeFileTest, RowsWithoutAUsableNameMakeNoKey) {
    // A nameless row would write a whole part onto the Simulators key itself; a backslash would make
    // keys below keys.
    WriteCsv(Part("") + Part("   ") + Part("Bad\\Name") + Part("\\Lead") + Part("P87C591"));
    HKEY sims = WriteSimulators();
    std::vector<std::string> expected = {"P87C591"};
    for (const auto& row : catalogue::Builtin251XaDerivatives())
        expected.push_back(row.name);
    std::vector<std::string> names = Subkeys(sims);
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
    bool present = true;
    Value(sims, "Name", &present);
    EXPECT_FALSE(present);
    Value(sims, "Generic", &present);
    EXPECT_FALSE(present);
    RegCloseKey(sims);
    // A file of such rows alone yields no part: the built-in table stands in.
    WriteCsv(Part("") + Part("Bad\\Name"));
    EXPECT_TRUE(Read().empty());
}

TEST_F(DerivativeFileTest, LpcKitWritesOnlyFileRowsWithBitFive) {
    SetTags({"OVRA", "LPC-Tools"});
    WriteCsv(Part("87LPC764", "80C51", "20") + Part("P87C52", "80C51", "1"));
    HKEY sims = WriteSimulators();
    EXPECT_EQ(Subkeys(sims), std::vector<std::string>{"87LPC764"});
    RegCloseKey(sims);
}

TEST_F(DerivativeFileTest, PhilipsKitWritesBitZeroRowsOfBothBuiltInTables) {
    SetTags({"OVRAPHILIPS"});
    HKEY sims = WriteSimulators();
    std::size_t expected = 0;
    for (const auto& row : catalogue::Builtin8051Derivatives())
        expected += row.flags & 1;
    for (const auto& row : catalogue::Builtin251XaDerivatives())
        expected += row.flags & 1;
    std::vector<std::string> names = Subkeys(sims);
    EXPECT_EQ(names.size(), expected);
    EXPECT_NE(std::find(names.begin(), names.end(), "XA-G3"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "83C251-SB"), names.end());
    RegCloseKey(sims);
}

TEST_F(DerivativeFileTest, EmptyIncFileWritesNoValueButEmptyDllNameWritesAnEmptyOne) {
    WriteCsv(Line({{0, "NoHeader"}, {9, "80C51"}, {22, "8051"}, {30, "1"}}) +
             Line({{0, "WithDll"}, {3, "r.h"}, {9, "80C51"}, {22, "8051"}, {27, "\\bin\\d.dll"}, {30, "1"}}));
    HKEY sims = WriteSimulators();
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(sims, "NoHeader", 0, KEY_READ, &key), ERROR_SUCCESS);
    bool present = true;
    Value(key, "IncFile", &present);
    EXPECT_FALSE(present);
    Value(key, "MicroDef", &present);
    EXPECT_FALSE(present);
    EXPECT_EQ(Value(key, "DllName", &present), "");
    EXPECT_TRUE(present);
    RegCloseKey(key);
    ASSERT_EQ(RegOpenKeyExA(sims, "WithDll", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(Value(key, "DllName"), "C:\\OVRA\\bin\\d.dll");
    EXPECT_EQ(Value(key, "IncFile"), "C:\\OVRA\\inc\\r.h");
    RegCloseKey(key);
    RegCloseKey(sims);
}

TEST_F(DerivativeFileTest, RecordValuesAreWrittenInOrder) {
    WriteCsv(Part("P8xC52"));
    HKEY sims = WriteSimulators();
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(sims, "P8xC52", 0, KEY_READ, &key), ERROR_SUCCESS);
    std::vector<std::string> names;
    char name[100];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Name", "DllName", "TargetName", "MicroRef", "Generic",
                                               "Company", "Hidden", "IntRAMSize", "IncFile"}));
    RegCloseKey(key);
    RegCloseKey(sims);
}

TEST_F(DerivativeFileTest, St5WriterValueOrderAndTypes) {
    SetTags({"OVRA"});
    WriteST5Derivatives();
    HKEY top = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kOvraKey) + "\\ST5Derivatives").c_str(), 0,
                            KEY_READ, &top),
              ERROR_SUCCESS);
    EXPECT_EQ(Subkeys(top).size(), 75u);  // "ST52T503x0" is listed twice
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(top, "ST52E430K3", 0, KEY_READ, &key), ERROR_SUCCESS);
    std::vector<std::string> names;
    std::vector<DWORD> types;
    char name[100];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name, type = 0;
        if (RegEnumValueA(key, i, name, &size, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.push_back(name);
        types.push_back(type);
    }
    ASSERT_EQ(names.size(), 1u + 33u + 7u);
    EXPECT_EQ(names[0], "Name");
    EXPECT_EQ(names[7], "HasClockManager");
    EXPECT_EQ(names[8], "PA_MASK");
    EXPECT_EQ(names[14], "PG_MASK");
    EXPECT_EQ(names[15], "PA_MASK_ADC");
    EXPECT_EQ(names[22], "ADC8");
    EXPECT_EQ(names[33], "TRIAC");
    EXPECT_EQ(names[34], "Hidden");
    EXPECT_EQ(names[40], "2ndGeneration");
    EXPECT_EQ(types[0], REG_SZ);
    for (std::size_t i = 1; i <= 33; ++i)
        EXPECT_EQ(types[i], REG_DWORD) << names[i];
    for (std::size_t i = 34; i < names.size(); ++i)
        EXPECT_EQ(types[i], REG_SZ) << names[i];
    auto dword = [&](const char* n) {
        DWORD v = 0, size = 4;
        EXPECT_EQ(RegQueryValueExA(key, n, nullptr, nullptr, reinterpret_cast<BYTE*>(&v), &size),
                  ERROR_SUCCESS);
        return v;
    };
    EXPECT_EQ(dword("CodeSize"), 0x2000u);
    EXPECT_EQ(dword("RAMSize"), 0x100u);
    EXPECT_EQ(dword("SSPAddress"), 0x09u);
    EXPECT_EQ(dword("PB_MASK"), 0xFFu);
    EXPECT_EQ(dword("PB_MASK_ADC"), 0xFFu);
    EXPECT_EQ(dword("PC_MASK"), 0x7Fu);
    EXPECT_EQ(dword("PC_MASK_ADC"), 0u);
    EXPECT_EQ(dword("ADC8"), 1u);
    EXPECT_EQ(dword("SPI"), 0u);
    EXPECT_EQ(dword("SCI"), 1u);
    EXPECT_EQ(Value(key, "DllName"), "C:\\OVRA\\Bin\\DbgST5.dll");
    EXPECT_EQ(Value(key, "TargetName"), "ST5");
    RegCloseKey(key);
    RegCloseKey(top);
}

// Every row: the port masks of the first and the last port and those between come from their own
// columns (the table keeps each port's plain and analogue mask side by side), and the numbers on either
// side of the ports keep theirs.
TEST_F(DerivativeFileTest, St5WriterTakesEveryNumberFromItsColumn) {
    using namespace catalogue;
    SetTags({"OVRA"});
    WriteST5Derivatives();
    std::map<std::string, const St5DerivativeRow*> rows;  // a name listed twice keeps its later row
    for (const auto& row : St5Derivatives())
        rows[row.name] = &row;
    const std::pair<const char*, int> edges[] = {
        {"CodeSize", kCodeSize}, {"HasClockManager", kHasClockManager}, {"ADC8", kAdc8}, {"TRIAC", kTriac}};
    int firstPortTwoMasks = 0;  // rows whose port A masks differ
    for (const auto& [name, row] : rows) {
        HKEY key = nullptr;
        ASSERT_EQ(
            RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kOvraKey) + "\\ST5Derivatives\\" + name).c_str(),
                          0, KEY_READ, &key),
            ERROR_SUCCESS)
            << name;
        auto dword = [&](const std::string& value) {
            DWORD v = 0xDEADBEEF, size = 4;
            RegQueryValueExA(key, value.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&v), &size);
            return v;
        };
        for (int port = 0; port < 7; ++port) {
            const std::string letter(1, static_cast<char>('A' + port));
            const auto plain = row->values[static_cast<std::size_t>(kPortA + 2 * port)];
            const auto analogue = row->values[static_cast<std::size_t>(kPortA + 2 * port + 1)];
            EXPECT_EQ(dword("P" + letter + "_MASK"), plain) << name;
            EXPECT_EQ(dword("P" + letter + "_MASK_ADC"), analogue) << name;
            if (port == 0 && plain != analogue) ++firstPortTwoMasks;
        }
        for (const auto& [value, field] : edges)
            EXPECT_EQ(dword(value), row->values[static_cast<std::size_t>(field)]) << name << " " << value;
        RegCloseKey(key);
    }
    // The table tells the two masks of the first port apart somewhere, so a swap shows (the last port's
    // two masks are alike in every row).
    EXPECT_GT(firstPortTwoMasks, 0);
}

TEST_F(DerivativeFileTest, St5WriterWritesNothingWhenTheTopKeyIsRefused) {
    prefix.machine().faults().refusedKeys.insert("HKLM\\" + std::string(kOvraKey) + "\\ST5Derivatives");
    WriteST5Derivatives();
    HKEY top = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kOvraKey) + "\\ST5Derivatives").c_str(), 0,
                            KEY_READ, &top),
              ERROR_SUCCESS);
}

TEST(St5Table, GivenRowsHoldTheirValues) {
    auto rows = catalogue::St5Derivatives();
    ASSERT_EQ(rows.size(), 76u);
    const auto& r1 = rows[0];
    EXPECT_STREQ(r1.name, "ST52T504x3");
    EXPECT_EQ(r1.values[catalogue::kCodeSize], 0x1000u);
    EXPECT_EQ(r1.values[catalogue::kEepromSize], 0x1000u);
    EXPECT_EQ(r1.values[catalogue::kFlash1Eprom0], 1u);
    EXPECT_EQ(r1.values[catalogue::kPortA + 4], 0x3Fu);  // port C mask
    EXPECT_EQ(r1.values[catalogue::kI2c], 1u);
    EXPECT_EQ(r1.values[catalogue::kAdc8], 0u);
    const auto& r37 = rows[36];
    EXPECT_STREQ(r37.name, "ST52E530x3");
    EXPECT_EQ(r37.values[catalogue::kPortA + 8], 0x3Fu);  // port E mask
    const auto& r41 = rows[40];
    EXPECT_STREQ(r41.name, "ST52F514x3");
    EXPECT_EQ(r41.values[catalogue::kAdc10], 1u);
    EXPECT_EQ(r41.values[catalogue::kTimer2], 0u);
    EXPECT_STREQ(rows[75].name, "ST52E520");
    EXPECT_EQ(rows[75].values[catalogue::kSpi], 1u);
    EXPECT_EQ(rows[75].values[catalogue::kSci], 0u);
}

}  // namespace
