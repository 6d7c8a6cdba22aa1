#include "resources/messages.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace resources {
namespace {

// Every English id the program addresses; the French half must mirror exactly these.
constexpr unsigned kEnglishIds[] = {
    1001, 1002, 1004, 1005, 1006, 1008, 1010, 1011, 1013, 1014, 1015, 1016, 1017, 1018, 1019, 1020,
    1021, 1022, 1023, 1024, 1025, 1026, 1027, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035, 1036,
    1037, 1038, 1039, 1040, 1041, 1042, 1044, 1045, 1046, 1048, 1049, 1050, 1051, 1052, 1053, 1054,
    1055, 1056, 1057, 1060, 1061, 1062, 1063, 1064, 1065, 1066, 1067, 1068, 1069, 1070, 1071, 1072,
    1073, 1074, 1075, 1076, 1077, 1078, 1079, 1080, 1081, 1083, 1084, 1085, 1086, 1087, 1089, 1090,
    1091, 1092, 1093, 1094, 1095, 1096, 1097, 1098, 1099, 1100, 1101, 1102, 1103, 1104, 1105, 1210,
    1213, 1217, 1218, 1219, 1220, 1221, 1222, 1223, 1224, 1225, 1226, 1227, 1229, 1230, 1231, 1232,
    1233, 1235, 1236, 1237, 1247, 1248, 1255, 1256, 1258, 1300, 1301, 1302,
};

struct Expected {
    unsigned id;
    const char* text;
};

// Copied by hand, character by character: blanks, quotes and line breaks included.
constexpr Expected kEnglish[] = {
    {1061, "Vexa 6.1 Installation Program"},
    {1064, "Kestravion Vexa 6.1\nDevelopment Suite"},
    {1097, "Vexa 6.1\nDevelopment Suite Release"},
    {1300, "Kestravion Vexa 6.1\nDevelopment Suite for LPC"},
    {1301, "Vexa 6.1\nDevelopment Suite Release for LPC"},
    {1065, "Vexa 6.1 needs Windows95, Windows98 or Windows NT."},
    {1247, "You must have Administrator permissions to install this software"},
    {1095, "The setup could not find OVRA.EXE.\nPlease install Vexa before continuing."},
    {1096, "Version conflict!\nPlease Update Vexa first before installing this software!"},
    {1104, "Some install files are missing. Please check that you unzipped all the executable files."},
    {1063, "The setup process is not complete.\nVexa 6.1 is not installed correctly."},
    {1087,
     "Vexa 6.1 needs 'ACROBAT Reader' to view PDF files.\nSetup can be found on "
     "https://get.adobe.com/reader/ ."},
    {1026, "&Back"},
    {1213, "&Help"},
    {1062, "Invalid input"},
    {1094,
     "This program will install Ovra and its tools components for the 80C51, XA, ST6 and STARC families."},
    {1221, "This program will install OVRA and its tools components for the 80C51, XA, SmartXA2 families."},
    {1222,
     "This program will install OVRA and its tools components for the 80C51, XA, SmartXA, SmartXA2 "
     "families."},
    {1226, "This program will install OVRA and its tools components for the STARC and STARC 2."},
    {1233, "This program will install \"%s\" for Vexa %s."},
    {1237, "The files will be installed in \"%s\" directory."},
    {1256, "This version requires about 14 MB of disk space."},
    {1230, "I &accept"},
    {1231, "I &do not accept"},
    {1023, "To view this file now choose \"Next\". To view it later choose \"Skip\""},
    {1024,
     "For the product updates and technical information please investigate the following World Wide Web "
     "site:"},
    {1081, "To view the readme.txt file, your CD-ROM drive must be a local drive."},
    {1015, "To install in this directory choose 'Next'."},
    {1248,
     "To choose the destination directory, type the complete path below.\nNOTE:   You must use an 8.3 "
     "formatted "
     "path here."},
    {1037, "C&omplete"},
    {1040, "Type the user name and the name of the company below:"},
    {1078, "%.0f Mbytes"},
    {1080, "%lu bytes"},
    {1053, "Presentation"},
    {1054, "Setup has finished installing files. "},
    {1056,
     "If you want to restart now click \"Finish\" to complete Setup. If you don't want to restart now click "
     "\"Exit\"."},
    {1066, "Please insert %s disk into the following location or enter another location."},
    {1068, "Making the directory :\n%s"},
    {1069, "Source file corrupted !\nInstallation aborted !"},
    {1070,
     " Unable to copy files!\nThe destination disk is full or the file is currently in use by another "
     "program!"},
    {1073, " Unable to copy files!\nExpand process out of memory!"},
    {1074, "The install program has found another version of %s in %s\nDo you want to overwrite it?"},
    {1083, "A critical DDE error has occured."},
    {1084, "Unable to create registry entries. Please, check rights."},
    {1086,
     "The setup process needs to install 'STM Parallel Driver'.\nThis driver is a part of ST6-HDS2 "
     "Emulator.\nDo "
     "you want to install it now ?"},
    {1236,
     "An other version of Vexa has been detected. Would you like to keep your previous configuration ?"},
};

// French texts the pages and boxes name themselves, in Windows-1252 bytes. Each escape ends its literal so
// that the next letter is not read as a hex digit.
constexpr Expected kFrench[] = {
    {2026,
     "&Pr\xE9"
     "c\xE9"
     "dent"},
    {2027, "&Suivant"},
    {2028, "&Quitter"},
    {2213, "&Aide"},
    {2062,
     "Entr\xE9"
     "e invalide"},
    {2031,
     "Pr\xE9"
     "sentation"},
    {2229, "Contrat de licence utilisateur final"},
    {2230, "J'&accepte"},
    {2231, "Je n'accepte &pas"},
    {2032, "Informations"},
    {2029, "&Ignorer"},
    {2033,
     "R\xE9"
     "pertoire destination"},
    {2060, "Fichiers d'installation"},
    {2034, "Type d'installation"},
    {2039, "Informations utilisateur"},
    {2035, "Choix d'installation"},
    {2053, "Fin d'installation"},
    {2091, "Langue"},
    {2092, "Anglais"},
    {2093,
     "Fran\xE7"
     "ais"},
    {2036,
     "&Personnalis\xE9"
     "e"},
    {2037,
     "&Compl\xE8"
     "te"},
    {2041, "Utilisateur"},
    {2042, "Soci\xE9t\xE9"},
    {2078, "%.0f Moctets"},
    {2079, "%.0f Koctets"},
    {2080, "%lu octets"},
    {2057, "&Terminer"},
    {2083, "Une erreur critique DDE est survenue."},
};

// The printf conversions of a text in order ("%.0f", "%s", ...); "%%" is not a conversion.
std::vector<std::string> Conversions(std::string_view text) {
    std::vector<std::string> result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        std::size_t end = i + 1;
        while (end < text.size() &&
               std::string_view("diouxXeEfgGcsp%").find(text[end]) == std::string_view::npos) {
            ++end;
        }
        if (end < text.size() && text[end] == '%' && end == i + 1) {
            i = end;
            continue;
        }
        result.emplace_back(text.substr(i, end + 1 - i));
        i = end;
    }
    return result;
}

TEST(Messages, EnglishTextsAreExact) {
    for (const Expected& e : kEnglish) {
        EXPECT_EQ(LoadStringA(e.id), e.text) << "id " << e.id;
        EXPECT_EQ(LoadMessage(static_cast<int>(e.id), 0), e.text) << "id " << e.id;
    }
}

TEST(Messages, FrenchTextsNamedByThePagesAreExact) {
    for (const Expected& e : kFrench) {
        EXPECT_EQ(LoadStringA(e.id), e.text) << "id " << e.id;
        EXPECT_EQ(LoadMessage(static_cast<int>(e.id) - 1000, kFrenchLanguageOffset), e.text) << "id " << e.id;
    }
}

TEST(Messages, EnglishHalfHoldsExactlyTheProgramsIds) {
    std::set<unsigned> english;
    for (const MessageEntry& e : AllMessages()) {
        if (e.id < 2000) english.insert(e.id);
    }
    EXPECT_EQ(english, std::set<unsigned>(std::begin(kEnglishIds), std::end(kEnglishIds)));
}

TEST(Messages, TableIsOrderedWithoutDuplicatesAndHalvesMirrorEachOther) {
    const auto all = AllMessages();
    ASSERT_FALSE(all.empty());
    for (std::size_t i = 1; i < all.size(); ++i)
        EXPECT_LT(all[i - 1].id, all[i].id) << "at " << all[i].id;
    for (const MessageEntry& e : all) {
        ASSERT_TRUE((e.id >= 1001 && e.id <= 1302) || (e.id >= 2001 && e.id <= 2302)) << e.id;
        const unsigned partner = e.id < 2000 ? e.id + 1000 : e.id - 1000;
        EXPECT_TRUE(HasMessage(partner)) << e.id << " has no partner " << partner;
        EXPECT_TRUE(HasMessage(e.id));
    }
}

TEST(Messages, FrenchHalfIsTranslated) {
    // An English text left in the French column is the usual slip when a row is added.
    for (const MessageEntry& e : AllMessages()) {
        if (e.id >= 2000) continue;
        EXPECT_NE(LoadStringA(e.id), LoadStringA(e.id + 1000)) << "id " << e.id;
    }
}

TEST(Messages, HalvesCarryTheSamePlaceholdersInOrder) {
    int withPlaceholders = 0;
    for (const MessageEntry& e : AllMessages()) {
        if (e.id >= 2000) continue;
        const auto english = Conversions(e.text);
        if (!english.empty()) ++withPlaceholders;
        EXPECT_EQ(english, Conversions(LoadStringA(e.id + 1000))) << "id " << e.id;
    }
    // 1066-1068, 1071, 1072, 1074, 1075, 1078-1080, 1233, 1237.
    EXPECT_EQ(withPlaceholders, 12);
    EXPECT_EQ(Conversions(LoadStringA(1074)), (std::vector<std::string>{"%s", "%s"}));
    EXPECT_EQ(Conversions(LoadStringA(2078)), (std::vector<std::string>{"%.0f"}));
}

TEST(Messages, TextsFitTheLoadBufferAndAreWindows1252) {
    for (const MessageEntry& e : AllMessages()) {
        EXPECT_FALSE(e.text.empty()) << e.id;
        EXPECT_LE(e.text.size(), kLoadStringBufferSize - 1) << e.id;
        EXPECT_EQ(e.text.find('\0'), std::string_view::npos) << e.id;
        for (std::size_t i = 0; i < e.text.size(); ++i) {
            const auto c = static_cast<unsigned char>(e.text[i]);
            // A UTF-8 lead byte followed by a continuation byte means a text escaped conversion.
            if (c >= 0xC2 && c <= 0xF4 && i + 1 < e.text.size()) {
                const auto next = static_cast<unsigned char>(e.text[i + 1]);
                EXPECT_FALSE(next >= 0x80 && next <= 0xBF) << "UTF-8 in id " << e.id << " at " << i;
            }
            // Questions end with '?'; one inside a word is the trace of a character the code page cannot
            // hold.
            if (c == '?' && i + 1 < e.text.size()) {
                EXPECT_TRUE(e.text[i + 1] == '\n' || e.text[i + 1] == ' ') << "id " << e.id << " at " << i;
            }
        }
    }
}

TEST(Messages, MissingIdsGiveAnEmptyText) {
    for (unsigned id : {0u, 1000u, 1003u, 1009u, 1043u, 1303u, 2000u, 2009u, 2303u, 0xFFFFu}) {
        EXPECT_FALSE(HasMessage(id)) << id;
        EXPECT_EQ(LoadStringA(id), "") << id;
    }
    EXPECT_EQ(LoadMessage(1009, 0), "");
    EXPECT_EQ(LoadMessage(1009, kFrenchLanguageOffset), "");
    EXPECT_EQ(LoadMessage(-1, 0), "");
}

TEST(Messages, StringIdsAreSixteenBits) {
    EXPECT_EQ(LoadStringA(0x10000u + 1061), LoadStringA(1061));
    EXPECT_FALSE(HasMessage(0x10000u + 1061));
}

TEST(Messages, LoadCutsLongTextsToTheBuffer) {
    const std::string exact(254, 'a');
    const std::string longer = std::string(254, 'b') + "tail";
    const MessageEntry table[] = {{7, "short"}, {8, exact}, {9, longer}};
    EXPECT_EQ(LoadStringFromTable(table, 7, 255), "short");
    EXPECT_EQ(LoadStringFromTable(table, 8, 255), exact);
    EXPECT_EQ(LoadStringFromTable(table, 9, 255), std::string(254, 'b'));
    EXPECT_EQ(LoadStringFromTable(table, 9, 4), "bbb");
    EXPECT_EQ(LoadStringFromTable(table, 9, 1), "");
    EXPECT_EQ(LoadStringFromTable(table, 9, 0), "");
    EXPECT_EQ(LoadStringFromTable(table, 10, 255), "");
    EXPECT_EQ(LoadStringFromTable(table, 6, 255), "");
}

TEST(Messages, Utf8ConvertsToWindows1252) {
    struct Case {
        const char* utf8;
        const char* cp1252;
        bool lossy;
    };
    const Case cases[] = {
        {"plain", "plain", false},
        {"R\xC3\xA9pertoire", "R\xE9pertoire", false},                    // é
        {"\xC2\xAB x \xC2\xBB", "\xAB x \xBB", false},                    // guillemets
        {"\xE2\x82\xAC \xC5\x93 \xE2\x80\x99", "\x80 \x9C \x92", false},  // € œ ’ from the 0x80-0x9F row
        {"\xC4\x80", "?", true},                                          // Ā has no byte
        {"\xE4\xB8\xAD", "?", true},                                      // 中
        {"a\xC3", "a?", true},                                            // cut sequence
        {"\xC0\x80", "??", true},                                         // overlong NUL
        {"\xED\xA0\x80", "???", true},                                    // surrogate
    };
    for (const Case& c : cases) {
        bool lossy = !c.lossy;
        EXPECT_EQ(Utf8ToCp1252(c.utf8, &lossy), c.cp1252) << c.utf8;
        EXPECT_EQ(lossy, c.lossy) << c.utf8;
    }
}

}  // namespace
}  // namespace resources
