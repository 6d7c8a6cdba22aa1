#include "resources/catalogue_products.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "resources/catalogue.h"
#include "resources/catalogue_derivatives.h"

namespace {

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
}

TEST(CatalogueTest, ToolNamesAreDistinctAndShareTheBuildRecordsSpelling) {
    std::set<std::string> tools, build;
    for (const auto& t : catalogue::ToolCatalogue())
        tools.insert(Upper(t.name));
    EXPECT_EQ(tools.size(), 47u);
    for (const char* name : catalogue::BuildComponentsTools())
        build.insert(Upper(name));
    std::set<std::string> utilities;
    for (const char* name : catalogue::XaFileUtilities())
        utilities.insert(Upper(name));
    // Every build-record tool except the XA-file utilities is a catalogued tool under the same name.
    for (const auto& name : build) {
        if (!utilities.count(name)) {
            EXPECT_TRUE(tools.count(name)) << name;
        }
    }
    EXPECT_NE(catalogue::FindTool("lx51"), nullptr);
    EXPECT_STREQ(catalogue::FindTool("LX51")->linker, "1");
    EXPECT_STREQ(catalogue::FindTool("LOADER")->linker, "3");
    EXPECT_EQ(catalogue::FindTool("SIMCFG"), nullptr);
}

TEST(CatalogueTest, EveryFamilySetIsCheckedOnTheMediaAndEveryToolIsCatalogued) {
    std::set<std::string> checked;
    EXPECT_EQ(catalogue::MediaCheckRows().size(), 43u);
    for (const auto& row : catalogue::MediaCheckRows())
        for (const auto& set : row.sets)
            checked.insert(set.name);
    ASSERT_EQ(catalogue::FamilyRows().size(), 35u);
    int number = 1;
    for (const auto& row : catalogue::FamilyRows()) {
        EXPECT_EQ(row.number, number++);
        for (const char* set : row.fileSets)
            EXPECT_TRUE(checked.count(set)) << row.tag << " " << set;
        for (const char* tool : row.tools)
            EXPECT_NE(catalogue::FindTool(tool), nullptr) << row.tag << " " << tool;
    }
    EXPECT_EQ(catalogue::FindFamilyRow("xa-tools")->number, 4);
}

// The installers pick a row's tools by role and ask about the subkeys its entries re-create.
TEST(CatalogueTest, FamilyRowsListToolsByRoleAndReplaceOnlyKeysTheyWrite) {
    std::set<std::string> targets(catalogue::TargetNames().begin(), catalogue::TargetNames().end());
    for (const auto& row : catalogue::FamilyRows()) {
        std::string kinds;
        for (const char* tool : row.tools)
            kinds += catalogue::FindTool(tool)->linker;
        if (row.number == 8) {
            EXPECT_EQ(kinds, "001023");
        } else if (!kinds.empty()) {
            EXPECT_EQ(kinds, std::string("00100").substr(0, kinds.size())) << row.tag;
        }
        if (*row.targetName) {
            EXPECT_TRUE(targets.count(row.targetName)) << row.tag;
        }
        std::set<std::string> devices;
        for (const auto& d : row.simulators)
            devices.insert(d.name);
        for (const auto& d : row.emulators)
            devices.insert(d.name);
        for (const auto& key : row.previousKeys) {
            switch (key.list) {
                case catalogue::ConfigList::Targets:
                    EXPECT_STREQ(key.name, row.targetName) << row.tag;
                    break;
                case catalogue::ConfigList::Tools:
                    EXPECT_NE(std::find_if(row.tools.begin(), row.tools.end(),
                                           [&](const char* t) { return std::string(t) == key.name; }),
                              row.tools.end())
                        << row.tag << " " << key.name;
                    break;
                case catalogue::ConfigList::Simulators:
                    EXPECT_TRUE(devices.count(key.name)) << row.tag << " " << key.name;
                    break;
            }
        }
    }
}

TEST(CatalogueTest, FixedSizesOfTheTables) {
    EXPECT_EQ(catalogue::TargetNames().size(), 9u);
    EXPECT_EQ(catalogue::SimulatorDllNames().size(), 4u);
    EXPECT_EQ(catalogue::Builtin8051Derivatives().size(), 38u);
    EXPECT_EQ(catalogue::Builtin251XaDerivatives().size(), 5u);
    EXPECT_EQ(catalogue::St6Derivatives().size(), 25u);
    EXPECT_EQ(catalogue::St5Derivatives().size(), 76u);
}

}  // namespace
