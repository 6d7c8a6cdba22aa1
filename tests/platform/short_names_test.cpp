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
        {"..", true},
        {"a~b.txt", true},
        {"12345678.123", true},
        {"PROGRA~1", true},
        {"123456789", false},
        {"longname1.txt", false},
        {"a.html", false},
        {"a.b.c", false},
        {"a b.txt", false},
        {"a+b.txt", false},
        {"x[1].c", false},
        {"semi;colon", false},
        {"eq=sign.t", false},
        {".profile", false},
        {"name.", false},
        {"", false},
        {"Program Files", false},
        {"caf\xE9.txt", false},
        {"caf\xC3\xA9.txt", false},
    };
    for (const auto& r : rows)
        EXPECT_EQ(IsValidShortName(r.name), r.valid) << r.name;
}

// Every alias here is what Wine 8 listed for the same name (see the paths conformance case).
TEST(ShortNames, HashesTheLongNameAsWineDoes) {
    struct Row {
        const char* name;
        const char* alias;
    } rows[] = {
        {"Program Files", "PROG~FBU"},
        {"Program Files (x86)", "PROG~5P2"},
        {"ProgramData", "PROG~BDQ"},
        {"Common Files", "COMM~CP1"},
        {"Documents", "DOCU~OWL"},
        {"a+b.txt", "A_B~~Z4Z.TXT"},              // short stems are padded with '~'
        {"has space.txt", "HAS_~RSG.TXT"},        // a blank is '_'
        {"Long File Name.Text", "LONG~UHB.TEX"},  // the extension keeps three characters
        {"LONGNAME.HTML", "LONG~131.HTM"},        // upper case hashes as lower case
        {".profile", "_PRO~SFW"},                 // a leading dot starts no extension
        {"a.b.c", "A_B~~54C.C"},                  // the last dot does; the first part stops before it
        {"ab.longext", "AB~~~BF2.LON"},
        {"abcdefghi", "ABCD~GDH"},
        {"ver 1.0.tar.gz", "VER_~2CT.GZ"},
        {"x[1].c", "X_1_~GSH.C"},
        {"semi;colon", "SEMI~Z04"},
        {"eq=sign.t", "EQ_S~ZZR.T"},
        {"caf\xE9.txt", "CAF_~CRT.TXT"},      // code page 1252, as we write names
        {"caf\xC3\xA9.txt", "CAF_~CRT.TXT"},  // UTF-8, as Wine writes them
        {"Deep Name One", "DEEP~4XY"},
        {"Moved File.txt", "MOVE~ZO3.TXT"},
        {"i14oracle", "I14O~MA4"},
        {"bin.dat", ""},
        {"README", ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(MakeShortName(r.name), r.alias) << r.name;
}

TEST(ShortNames, TheSameNameHasTheSameAliasWhateverItsCase) {
    EXPECT_EQ(MakeShortName("program files"), MakeShortName("PROGRAM FILES"));
    EXPECT_EQ(MakeShortName("Caf\xC9 Noir"), MakeShortName("caf\xE9 noir"));
    EXPECT_NE(MakeShortName("Program Files"), MakeShortName("Program Filez"));
}

}  // namespace
}  // namespace platform
