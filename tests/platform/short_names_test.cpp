#include "platform/machine/short_names.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(ShortNames, TellsWhichNamesNeedNoAlias) {
    struct Row {
        const char* name;
        bool valid;
    } rows[] = {
        {"bin.dat", true},
        {"BIN2.DAT", true},
        {"README", true},
        {"longname.txt", true},
        {"a.b", true},
        {"~tmp.$$$", true},
        {".", true},
        {"longname1.txt", false},
        {"a.html", false},
        {"a.b.c", false},
        {"a b.txt", false},
        {"a+b.txt", false},
        {"x[1].c", false},
        {".profile", false},
        {"name.", false},
        {"", false},
        {"Program Files", false},
    };
    for (const auto& r : rows)
        EXPECT_EQ(IsValidShortName(r.name), r.valid) << r.name;
}

TEST(ShortNames, NumbersAliasesInCreationOrder) {
    auto a = MakeShortNames({"Program Files", "Program Files (x86)", "ProgramData", "readme.txt"});
    EXPECT_EQ(a, (std::vector<std::string>{"PROGRA~1", "PROGRA~2", "PROGRA~3", ""}));
}

TEST(ShortNames, BuildsAliasesFromUsableCharacters) {
    struct Row {
        const char* name;
        const char* alias;
    } rows[] = {
        {"index.html", "INDEX~1.HTM"}, {"my file.text", "MYFILE~1.TEX"},  {"a+b c.txt", "A_BC~1.TXT"},
        {".profile", "PROFIL~1"},      {"ver 1.0.tar.gz", "VER10T~1.GZ"}, {"x[1].c", "X_1_~1.C"},
        {"ab.longext", "AB~1.LON"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(MakeShortNames({r.name})[0], r.alias) << r.name;
}

TEST(ShortNames, NeverReusesANameOrAliasOfTheDirectory) {
    // An existing 8.3 name that looks like an alias keeps its place; the long name takes the next.
    auto a = MakeShortNames({"PROGRA~1", "Program Files"});
    EXPECT_EQ(a, (std::vector<std::string>{"", "PROGRA~2"}));
    std::vector<std::string> many;
    for (int i = 0; i < 11; ++i)
        many.push_back("longname file " + std::to_string(i));
    auto b = MakeShortNames(many);
    EXPECT_EQ(b[0], "LONGNA~1");
    EXPECT_EQ(b[8], "LONGNA~9");
    EXPECT_EQ(b[9], "LONGN~10");  // the stem shrinks so that the alias stays eight characters
    EXPECT_EQ(b[10], "LONGN~11");
}

}  // namespace
}  // namespace platform
