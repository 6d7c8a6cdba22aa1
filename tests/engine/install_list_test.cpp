#include "engine/install_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace install_list;

std::vector<std::string> TokensOf(const std::string& read) {
    Line line = Tokenize(read);
    return std::vector<std::string>(line.tokens.begin(), line.tokens.begin() + line.count);
}

TEST(InstallListTokenize, Table) {
    struct Case {
        std::string read;
        std::vector<std::string> tokens;
    } cases[] = {
        {"copy a.dl_ bin 50 P0 L10\n", {"copy", "a.dl_", "bin", "50", "P0", "L10"}},
        {"  md\tBIN  \r\n", {"md", "BIN"}},
        {"; only a comment\n", {}},
        {"md BIN ; trailing comment with tokens\n", {"md", "BIN"}},
        {"md BIN;glued\n", {"md", "BIN"}},
        {"\n", {}},
        {"", {}},
        {"a b c d e f g h i j k l\n", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}},
        {"md\vBIN\fX", {"md", "BIN", "X"}},
        {std::string("md BI\0N X", 9), {"md", "BI"}},  // fgets' buffer ends at its first NUL
    };
    for (const auto& c : cases)
        EXPECT_EQ(TokensOf(c.read), c.tokens) << c.read;
}

TEST(InstallListTokenize, TokensAreCutAt79Characters) {
    std::string t79(79, 'a'), t80 = std::string(79, 'b') + "c";
    EXPECT_EQ(TokensOf("copy " + t79 + " x"), (std::vector<std::string>{"copy", t79, "x"}));
    // The 80th character starts the next token, as the format's 80-byte buffers are filled.
    EXPECT_EQ(TokensOf("copy " + t80 + " x"),
              (std::vector<std::string>{"copy", std::string(79, 'b'), "c", "x"}));
    std::string t200(200, 'z');
    auto tokens = TokensOf(t200);
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0].size(), 79u);
    EXPECT_EQ(tokens[2].size(), 42u);
}

TEST(InstallListReads, LongLinesArriveAsSeveralReads) {
    EXPECT_EQ(SplitReads("a\nb\n"), (std::vector<std::string>{"a\n", "b\n"}));
    EXPECT_EQ(SplitReads("no newline"), (std::vector<std::string>{"no newline"}));
    std::string line254(254, 'x');
    // 254 characters fill the buffer; the line feed comes as a read of its own.
    EXPECT_EQ(SplitReads(line254 + "\n"), (std::vector<std::string>{line254, "\n"}));
    std::string line253(253, 'y');
    EXPECT_EQ(SplitReads(line253 + "\n"), (std::vector<std::string>{line253 + "\n"}));
    std::string text = "md A" + std::string(250, ' ') + "md B\n";  // the second half is a line of its own
    auto lines = ParseInstallList(text);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0][1], "A");
    EXPECT_EQ(lines[1][0], "md");
    EXPECT_EQ(lines[1][1], "B");
}

TEST(InstallListKeywords, CaseInsensitiveInOrder) {
    struct Case {
        const char* token;
        Keyword keyword;
    } cases[] = {{"md", Keyword::kMd},
                 {"MD", Keyword::kMd},
                 {"RegEntryWithPath", Keyword::kRegEntryWithPath},
                 {"REGENTRY", Keyword::kRegEntry},
                 {"Copy", Keyword::kCopy},
                 {"copyx", Keyword::kNone},
                 {"m", Keyword::kNone},
                 {"regentrywith", Keyword::kNone},
                 {"", Keyword::kNone}};
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyKeyword(c.token), c.keyword) << c.token;
}

TEST(InstallListOptions, Table) {
    struct Case {
        const char* line;
        std::optional<int> gauge;
        long length;
        std::optional<long> offset;
        std::optional<std::string> longName;
    } cases[] = {
        {"copy a b 50 P0 L10", 50, 10, 0, std::nullopt},
        {"copy a b P20 L100", std::nullopt, 100, 20, std::nullopt},
        {"copy a b 150 L5 P7", 150, 5, 7, std::nullopt},
        {"copy a b -5 L5 P7", std::nullopt, 5, 7, std::nullopt},  // not a digit: ignored
        {"copy a b 7x L12abc P3", 7, 12, 3, std::nullopt},
        // A blank splits the name: the second half is an N token of its own and wins.
        {"copy a b L5 P7 N\"Long Name.txt", std::nullopt, 5, 7, "ame.txt"},
        {"copy a b L5 P7 N\"Description.txt\"", std::nullopt, 5, 7, "Description.txt"},
        {"copy a b L5 VERSION P7", std::nullopt, 5, 7, std::nullopt},
        {"copy a b", std::nullopt, 0, std::nullopt, std::nullopt},
        {"copy a b p7 l5", std::nullopt, 0, std::nullopt, std::nullopt},  // option letters are upper case
        {"copy a b PX", std::nullopt, 0, 0, std::nullopt},
        {"copy a b P99999999999", std::nullopt, 0, 2147483647L, std::nullopt},
        {"copy a b P-4", std::nullopt, 0, -4, std::nullopt},
    };
    for (const auto& c : cases) {
        CopyOptions o = ParseCopyOptions(Tokenize(c.line));
        EXPECT_EQ(o.gauge, c.gauge) << c.line;
        EXPECT_EQ(o.length, c.length) << c.line;
        EXPECT_EQ(o.offset, c.offset) << c.line;
        EXPECT_EQ(o.longName, c.longName) << c.line;
    }
}

TEST(InstallListOptions, ScanStopsAtTheFirstEmptyToken) {
    // Tokens never are empty when split at blanks, but a Line built by hand may have a hole.
    Line line = Tokenize("copy a b 10 P1 L2");
    line.tokens[4].clear();
    CopyOptions o = ParseCopyOptions(line);
    EXPECT_EQ(o.gauge, 10);
    EXPECT_FALSE(o.offset);
    EXPECT_EQ(o.length, 0);
}

TEST(InstallListFlags, Table) {
    struct Case {
        const char* line;
        bool version, shared, v16, v32;
    } cases[] = {
        {"copy a bin P0 L1", false, false, false, false},
        {"copy a bin P0 L1 VERSION", true, false, false, false},
        {"copy a bin P0 L1 shared version", true, true, false, false},
        {"copy a bin P0 L1 V16ONLY", false, false, true, false},
        {"copy a bin P0 L1 v32only", false, false, false, true},
        {"copy a SHARED P0 L1", false, true, false, false},   // the subdirectory token counts as a flag too
        {"copy VERSION bin P0", false, false, false, false},  // token 1 is not scanned
        {"copy a bin P0 L1 SHAREDX", false, false, false, false},
    };
    for (const auto& c : cases) {
        CopyFlags f = ParseCopyFlags(Tokenize(c.line));
        EXPECT_EQ(f.version, c.version) << c.line;
        EXPECT_EQ(f.shared, c.shared) << c.line;
        EXPECT_EQ(f.v16Only, c.v16) << c.line;
        EXPECT_EQ(f.v32Only, c.v32) << c.line;
    }
}

TEST(InstallListNumbers, AtoiRules) {
    struct Case {
        const char* text;
        long value;
    } cases[] = {{"42", 42},
                 {"  42", 42},
                 {"+7", 7},
                 {"-7", -7},
                 {"12ab", 12},
                 {"ab", 0},
                 {"", 0},
                 {"- 3", 0},
                 {"2147483648", 2147483647L},
                 {"-99999999999", -2147483647L - 1}};
    for (const auto& c : cases)
        EXPECT_EQ(ReadNumber(c.text), c.value) << c.text;
}

TEST(InstallListRestoration, TheTable) {
    auto table = RestorationTable();
    ASSERT_EQ(table.size(), 29u);
    EXPECT_STREQ(table[0], ".DLL");
    EXPECT_STREQ(table[6], ".INC");
    EXPECT_STREQ(table[13], ".INC");
    EXPECT_STREQ(table[28], ".BMP");
    // Every entry is reached by its compressed form, except where an earlier entry shares the first
    // two letters (".MAP" after ".MAC", the second ".INC").
    for (std::size_t i = 0; i < table.size(); ++i) {
        std::string compressed = std::string(table[i], 3) + "_";
        const char* first = table[i];
        for (std::size_t j = 0; j < i; ++j)
            if (std::string(table[j], 3) == std::string(table[i], 3)) {
                first = table[j];
                break;
            }
        EXPECT_EQ(RestoreExtension(compressed), first);
    }
    EXPECT_EQ(RestoreExtension(".MA_"), ".MAC");
}

TEST(InstallListRestoration, Cases) {
    struct Case {
        const char* ext;
        const char* restored;
    } cases[] = {{".ex_", ".EXE"}, {".Dl_", ".DLL"}, {".TX_", ".TX_"},   {".exe", ".exe"}, {"", ""},
                 {"._", "._"},     {".D_", ".D_"},   {".DLL_", ".DLL_"}, {".25_", ".251"}, {".h5_", ".H51"}};
    for (const auto& c : cases)
        EXPECT_EQ(RestoreExtension(c.ext), c.restored) << c.ext;
}

TEST(InstallListRecords, NameChecks) {
    auto bytes = [](const std::string& s) { return std::vector<std::uint8_t>(s.begin(), s.end()); };
    struct Case {
        std::string data;
        const char* name;
        RecordCheck result;
    } cases[] = {
        {std::string("readme.tx_\0abc", 14), "readme.tx_", RecordCheck::kOk},
        {std::string("README.TX_\0", 11), "readme.tx_", RecordCheck::kOk},
        {"readme.tx_", "readme.tx_", RecordCheck::kShort},
        {"", "a", RecordCheck::kShort},
        {"readme.tx_X", "readme.tx_", RecordCheck::kNoTerminator},
        {std::string("other.tx_\0\0", 11), "readme.tx_", RecordCheck::kNameMismatch},
        {std::string("read\0e.tx_\0", 11), "readme.tx_", RecordCheck::kNameMismatch},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckRecordName(bytes(c.data), c.name), c.result) << c.data;
}

TEST(InstallListPaths, SplitPath) {
    struct Case {
        const char* path;
        PathParts parts;
    } cases[] = {
        {"C:\\OVRA\\bin\\tool.ex_", {"C:", "\\OVRA\\bin\\", "tool", ".ex_"}},
        {"tool", {"", "", "tool", ""}},
        {"C:", {"C:", "", "", ""}},
        {"a.b\\c", {"", "a.b\\", "c", ""}},
        {"x.tar.gz", {"", "", "x.tar", ".gz"}},
        {"\\\\srv\\share\\f.txt", {"", "\\\\srv\\share\\", "f", ".txt"}},
    };
    for (const auto& c : cases) {
        PathParts p = SplitPath(c.path);
        EXPECT_EQ(p.drive, c.parts.drive) << c.path;
        EXPECT_EQ(p.dir, c.parts.dir) << c.path;
        EXPECT_EQ(p.name, c.parts.name) << c.path;
        EXPECT_EQ(p.ext, c.parts.ext) << c.path;
    }
}

TEST(InstallListPaths, ContainmentTables) {
    for (const char* ok : {"a.dll", "LONGNA~1.DL_", "x", ".hidden", "a..b"})
        EXPECT_TRUE(IsPlainFileName(ok)) << ok;
    for (const char* bad : {"", ".", "..", "...", "..\\x", "a\\b", "a/b", "C:x", "\\x"})
        EXPECT_FALSE(IsPlainFileName(bad)) << bad;
    for (const char* ok : {"", ".", "bin", "bin\\sub", "a.b", "bin\\", "x..y\\z", "bin/sub"})
        EXPECT_TRUE(IsContainedSubdirectory(ok)) << ok;
    for (const char* bad : {"..", "..\\..", "bin\\..\\..", "\\windows", "/etc", "C:\\x", "c:", "bin\\...",
                            "bin/../..", ".. ", "a\\..\\b"})
        EXPECT_FALSE(IsContainedSubdirectory(bad)) << bad;
}

TEST(InstallListWriters, RoundTripThroughTheReader) {
    CopyLineSpec entry;
    entry.storedName = "LONGNA~1.DL_";
    entry.subdir = "bin";
    entry.gauge = 42;
    entry.length = 1234;
    entry.offset = 99;
    entry.longName = "LongName.dll";
    entry.flags = {"VERSION", "SHARED"};
    Line line = Tokenize(FormatCopyLine(entry));
    EXPECT_EQ(ClassifyKeyword(line[0]), Keyword::kCopy);
    EXPECT_EQ(line[1], "LONGNA~1.DL_");
    EXPECT_EQ(line[2], "bin");
    CopyOptions o = ParseCopyOptions(line);
    EXPECT_EQ(o.gauge, 42);
    EXPECT_EQ(o.length, 1234);
    EXPECT_EQ(o.offset, 99);
    EXPECT_EQ(o.longName, "LongName.dll");
    CopyFlags f = ParseCopyFlags(line);
    EXPECT_TRUE(f.version && f.shared);

    std::vector<std::uint8_t> data;
    std::vector<std::uint8_t> image = {1, 2, 3};
    EXPECT_EQ(AppendRecord(data, "a.dl_", image), 0);
    long second = AppendRecord(data, "b.ex_", image);
    EXPECT_EQ(second, 9);
    EXPECT_EQ(CheckRecordName(std::span(data).subspan(static_cast<std::size_t>(second)), "B.EX_"),
              RecordCheck::kOk);

    EXPECT_EQ(CompressedStoredName("Ovra.exe"), "Ovra.ex_");
    EXPECT_EQ(CompressedStoredName("a.h"), "a.h_");
    EXPECT_EQ(CompressedStoredName("README"), "README._");
}

}  // namespace
