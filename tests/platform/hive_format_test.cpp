#include "platform/machine/hive_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace platform {
namespace {

// A hive as Wine 8 writes it: sorted keys, timestamps, #time lines, a class, a link, every value form,
// escapes of every kind and a binary value long enough to continue over three lines.
const char kWineSample[] =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\Classes\\\\.txt] 1700317595\n"
    "#time=1da1a2b3c4d5e6f\n"
    "@=\"txtfile\"\n"
    "\"Content Type\"=\"text/plain\"\n"
    "\n"
    "[Software\\\\Odd\\\\Br\\[ack\\]et] 1700317595\n"
    "#time=1da1a2b3c4d5e70\n"
    "#class=\"Shell\\\"Class\"\n"
    "\"Caf\\xe9\"=\"na\\xefve \\x20ac5 \\x20ac\"\n"
    "\"Ctl\"=\"tab\\there\\nnl\\r\\a\\1 \\0012\\e\"\n"
    "\"Quote\"=\"say \\\"hi\\\" \\\\ back\"\n"
    "\"Empty\"=\"\"\n"
    "\"Expand\"=str(2):\"%SystemRoot%\\\\system32\"\n"
    "\"Multi\"=str(7):\"one\\0two\\0\"\n"
    "\"Dw\"=dword:deadbeef\n"
    "\"ShortDw\"=hex(4):07,00\n"
    "\"NoTerm\"=hex(1):61,00,62,00\n"
    "\"MultiHex\"=hex(7):61,00,62,00\n"
    "\"None\"=hex(0):\n"
    "\"Qword\"=hex(b):01,00,00,00,00,00,00,00\n"
    "\"Long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\n"
    "  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,\\\n"
    "  2f,30,31,32,33,34,35,36,37,38,39\n"
    "\n"
    "[Software\\\\Odd\\\\Link] 1700317596\n"
    "#time=1da1a2b3c64c1a5\n"
    "#link\n"
    "\"SymbolicLinkValue\"=hex(6):5c,00,52,00\n"
    "\n"
    "[System\\\\Empty] 1603186329\n"
    "#time=1d6a6c3e1f2a300\n";

std::vector<BYTE> Bytes(std::initializer_list<int> b) {
    std::vector<BYTE> v;
    for (int x : b)
        v.push_back(static_cast<BYTE>(x));
    return v;
}

std::vector<BYTE> Wide(std::u16string_view s, bool terminator = true) {
    std::vector<BYTE> v;
    for (char16_t c : s) {
        v.push_back(static_cast<BYTE>(c & 0xFF));
        v.push_back(static_cast<BYTE>(c >> 8));
    }
    if (terminator) v.insert(v.end(), {0, 0});
    return v;
}

const RegNode* Path(const RegNode& root, std::initializer_list<std::u16string_view> parts) {
    const RegNode* n = &root;
    for (auto p : parts) {
        auto child = n->FindSubkey(p);
        if (!child) return nullptr;
        n = child.get();
    }
    return n;
}

TEST(HiveFormat, WineSampleRoundTripsByteForByte) {
    RegNode root(u"");
    HiveReadResult r = ReadHive(kWineSample, root);
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.arch, "win64");
    EXPECT_EQ(WriteHive(root, "\\\\Machine", "win64"), kWineSample);
}

TEST(HiveFormat, ReadsEveryValueForm) {
    RegNode root(u"");
    ASSERT_EQ(ReadHive(kWineSample, root).error, "");
    const RegNode* odd = Path(root, {u"software", u"ODD", u"Br[ack]et"});
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(odd->className(), std::u16string(u"Shell\"Class"));
    struct Row {
        std::u16string name;
        DWORD type;
        std::vector<BYTE> data;
    };
    const Row rows[] = {
        {u"Caf\u00e9", REG_SZ, Wide(u"na\u00efve \u20ac5 \u20ac")},
        {u"Ctl", REG_SZ, Wide(u"tab\there\nnl\r\a\001 \0012\x1b")},
        {u"Quote", REG_SZ, Wide(u"say \"hi\" \\ back")},
        {u"Empty", REG_SZ, Wide(u"")},
        {u"Expand", REG_EXPAND_SZ, Wide(u"%SystemRoot%\\system32")},
        {u"Multi", REG_MULTI_SZ, Wide(std::u16string_view(u"one\0two\0", 8))},
        {u"Dw", REG_DWORD, Bytes({0xef, 0xbe, 0xad, 0xde})},
        {u"ShortDw", REG_DWORD, Bytes({7, 0})},
        {u"NoTerm", REG_SZ, Bytes({'a', 0, 'b', 0})},
        {u"MultiHex", REG_MULTI_SZ, Bytes({'a', 0, 'b', 0})},
        {u"None", REG_NONE, {}},
        {u"Qword", REG_QWORD, Bytes({1, 0, 0, 0, 0, 0, 0, 0})},
    };
    for (const auto& row : rows) {
        const RegValue* v = odd->FindValue(row.name);
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->type, row.type);
        EXPECT_EQ(v->data, row.data);
    }
    const RegValue* longValue = odd->FindValue(u"long");
    ASSERT_NE(longValue, nullptr);
    ASSERT_EQ(longValue->data.size(), 58u);
    for (std::size_t i = 0; i < 58; ++i)
        EXPECT_EQ(longValue->data[i], i);
    EXPECT_TRUE(Path(root, {u"Software", u"Odd", u"Link"})->isLink());
    // Keys that only appear in paths exist, and take their time from the key that named them.
    const RegNode* software = Path(root, {u"Software"});
    ASSERT_NE(software, nullptr);
    EXPECT_EQ(Path(root, {u"System", u"Empty"})->modified(), 0x1d6a6c3e1f2a300ULL);
    EXPECT_EQ(Path(root, {u"Software", u"Classes", u".txt"})->modified(), 0x1da1a2b3c4d5e6fULL);
}

TEST(HiveFormat, KeyLineTimeWithoutTimeLine) {
    RegNode root(u"");
    ASSERT_EQ(ReadHive("WINE REGISTRY Version 2\n[A] 1700000000\n\"x\"=\"1\"\n", root).error, "");
    EXPECT_EQ(Path(root, {u"A"})->modified(), kTicks1601To1970 + 1700000000ULL * kTicksPerSecond);
}

TEST(HiveFormat, ReadsUtf8AndLenientSpacing) {
    RegNode root(u"");
    std::string text =
        "WINE REGISTRY Version 2\r\n"
        "  [Key\\\\Caf\xc3\xa9] 5\r\n"
        "\"n\" = \"\xe2\x82\xac\\q\"\r\n"
        "\"h\"=hex: 01 , 02,\\\r\n"
        "   03\r\n";
    ASSERT_EQ(ReadHive(text, root).error, "");
    const RegNode* k = Path(root, {u"key", u"CAF\u00c9"});
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->FindValue(u"n")->data, Wide(u"\u20acq"));
    EXPECT_EQ(k->FindValue(u"h")->data, Bytes({1, 2, 3}));
}

TEST(HiveFormat, EscapesAsWineDoes) {
    EXPECT_EQ(EscapeWide(u"\u00e9t\u00e9be", '"', '"'), "\\xe9t\\x00e9be");  // 4 digits before a hex digit
    EXPECT_EQ(EscapeWide(u"\u00e9x", '"', '"'), "\\xe9x");
    EXPECT_EQ(EscapeWide(std::u16string_view(u"\0"
                                             u"1\0"
                                             u"z",
                                             4),
                         '"', '"'),
              "\\0001\\0z");
    EXPECT_EQ(EscapeWide(u"[a]\"\\", '[', ']'), "\\[a\\]\"\\\\");
    EXPECT_EQ(EscapeWide(u"\x1b\x0b\x7f", '"', '"'), "\\e\\v\x7f");
}

TEST(HiveFormat, EmptyTextIsAnEmptyHive) {
    RegNode root(u"");
    HiveReadResult r = ReadHive("", root);
    EXPECT_EQ(r.error, "");
    EXPECT_TRUE(root.subkeys().empty());
}

TEST(HiveFormat, DamagedFilesAreReported) {
    const std::string head = "WINE REGISTRY Version 2\n[K] 1\n";
    const std::pair<const char*, std::string> cases[] = {
        {"no signature", "REGEDIT4\n[K]\n"},
        {"other version", "WINE REGISTRY Version 1\n"},
        {"cut signature", "WINE REG"},
        {"last line cut", head + "\"a\"=\"abc\""},
        {"cut inside a string", head + "\"a\"=\"ab\n"},
        {"hex continues past the end", head + "\"a\"=hex:01,02,\\\n"},
        {"unterminated key", "WINE REGISTRY Version 2\n[Software\\\\K\n"},
        {"unknown type", head + "\"a\"=qword:1\n"},
        {"bad dword", head + "\"a\"=dword:12345678a\n"},
        {"empty dword", head + "\"a\"=dword:\n"},
        {"bad hex", head + "\"a\"=hex:0g\n"},
        {"bad hex byte", head + "\"a\"=hex:123\n"},
        {"no equals", head + "\"a\" \"b\"\n"},
        {"value before key", "WINE REGISTRY Version 2\n\"a\"=\"b\"\n"},
        {"garbage line", head + "garbage\n"},
        {"unknown arch", "WINE REGISTRY Version 2\n#arch=win16\n"},
        {"bad class", head + "#class=oops\n"},
    };
    for (const auto& [what, text] : cases) {
        RegNode root(u"");
        EXPECT_NE(ReadHive(text, root).error, "") << what;
    }
}

TEST(HiveFormat, DamagedFileKeepsWhatCouldBeRead) {
    RegNode root(u"");
    HiveReadResult r =
        ReadHive("WINE REGISTRY Version 2\n[A] 1\n\"x\"=\"1\"\n[B] 1\n\"y\"=hex:01,\\\n", root);
    EXPECT_NE(r.error.find("line 5"), std::string::npos) << r.error;
    EXPECT_NE(Path(root, {u"A"})->FindValue(u"x"), nullptr);
}

TEST(HiveFormat, WritesOnlyWhatWineWrites) {
    RegNode root(u"", kTicks1601To1970);
    auto a = root.AddSubkey(u"A", kTicks1601To1970 + 10 * kTicksPerSecond);
    auto b = a->AddSubkey(u"B", kTicks1601To1970 + 20 * kTicksPerSecond);
    b->SetValue(u"", REG_SZ, Wide(u"d"));
    auto v = a->AddSubkey(u"Volatile", kTicks1601To1970);
    v->set_volatile(true);
    v->AddSubkey(u"Below", kTicks1601To1970);
    // A holds only a subkey: its path is implied. The volatile key and its subtree are not written.
    EXPECT_EQ(WriteHive(root, "\\\\Machine", ""),
              "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n"
              "\n[A\\\\B] 20\n#time=19db1dee12a4200\n@=\"d\"\n");
}

}  // namespace
}  // namespace platform
