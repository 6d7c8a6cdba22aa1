#include "platform/machine/ini_document.h"

#include <gtest/gtest.h>

#include <string>

namespace platform {
namespace {

using namespace std::string_literals;

std::string Value(const IniDocument& doc, const char* section, const char* key) {
    const IniDocument::Entry* e = doc.FindEntry(section, key);
    if (!e) return "<missing>";
    return e->value ? *e->value : "<novalue>";
}

struct ReadCase {
    const char* file;
    const char* section;
    const char* key;
    const char* expected;
};

TEST(IniDocument, ReadsValuesAsTheProfileCallsDo) {
    const ReadCase cases[] = {
        {"[S]\r\nk=v\r\n", "S", "k", "v"},
        {"[S]\nk=v", "s", "K", "v"},                                // LF only, no final newline, case
        {"[S]\rk=v\r", "S", "k", "v"},                              // lone CR ends a line
        {"  [ S ]  \r\n  k  =  v v  \r\n", "S", "k", "v v"},        // blanks around everything
        {"[S]\r\n\tk\t=\tv\x1A\r\n", " S\t", " k ", "v"},           // tabs, ^Z, blanks in the query
        {"[S]\r\nk=v\r\nk=second\r\n", "S", "k", "v"},              // first duplicate key wins
        {"[S]\r\nk=v\r\n[S]\r\nk2=w\r\n", "S", "k2", "<missing>"},  // only the first section is searched
        {"[S]\r\nnoeq\r\n", "S", "noeq", "<novalue>"},              // a line without '='
        {"[S]\r\n;c=1\r\n", "S", ";c", "1"},                        // comments are entries too
        {"[S] trailing junk\r\nk=v\r\n", "S", "k", "v"},            // text after ']' is ignored
        {"[S\r\nk=v\r\n", "S", "k", "<missing>"},                   // '[' without ']' is no header
        {"[a]b]\r\nk=v\r\n", "a]b", "k", "v"},                      // the last ']' closes the name
        {"k=top\r\n[S]\r\n", "", "k", "top"},                       // lines before the first header
        {"[S]\r\nk=a=b\r\n", "S", "k", "a=b"},                      // only the first '=' splits
        {"[S]\r\nk=\"q\"\r\n", "S", "k", "\"q\""},                  // quotes are kept in the document
        {"[\xC9t\xE9]\r\nk=v\r\n", "\xE9T\xC9", "k", "v"},          // accented letters fold
        {"\xEF\xBB\xBF[S]\r\nk=v\r\n", "S", "k", "v"},              // UTF-8 mark skipped
    };
    for (const ReadCase& c : cases) {
        IniDocument doc = IniDocument::Parse(c.file);
        EXPECT_EQ(Value(doc, c.section, c.key), c.expected) << "file: " << c.file;
    }
}

TEST(IniDocument, ValueWithEmbeddedNulEndsThere) {
    IniDocument doc = IniDocument::Parse(std::string("[S]\r\nk=v\0w\r\n", 12));
    EXPECT_EQ(Value(doc, "S", "k"), "v");
}

TEST(IniDocument, NamelessSectionExistsOnlyForNonEmptyFiles) {
    EXPECT_TRUE(IniDocument::Parse("").sections().empty());
    IniDocument doc = IniDocument::Parse("[A]\r\n");
    ASSERT_EQ(doc.sections().size(), 2u);
    EXPECT_FALSE(doc.sections()[0].headed);
    EXPECT_TRUE(doc.HasEmptyNamelessSection());
    EXPECT_FALSE(IniDocument::Parse("; c\r\n[A]\r\n").HasEmptyNamelessSection());
}

TEST(IniDocument, SerializesUntouchedFileByteForByte) {
    const std::string files[] = {
        "",
        "; header\r\n\r\n[A]\r\n  key1 = old  \r\n;c\r\n\r\n[B]\r\nx=1\r\n[A]\r\nkey2=2\r\n",
        "[N]\nk=v",
        "\r\r\n\n[\x01\x02\xFF]\0\0=\0\r\n"s,
        "\xEF\xBB\xBF[S]\r\nk=v",
    };
    for (const std::string& f : files)
        EXPECT_EQ(IniDocument::Parse(f).Serialize(), f);
}

struct EditCase {
    const char* name;
    const char* before;
    const char* after;
};

TEST(IniDocument, EditsChangeOnlyTheirLines) {
    const std::string handWritten =
        "; header comment\r\n\r\n[A]\r\n  key1 = old  \r\n;comment in "
        "A\r\n\r\n[B]\r\nx=1\r\n[A]\r\nkey2=second A\r\n";

    IniDocument doc = IniDocument::Parse(handWritten);
    EXPECT_TRUE(doc.SetValue("a", "KEY1", "new"));
    EXPECT_EQ(doc.Serialize(),
              "; header comment\r\n\r\n[A]\r\nkey1=new\r\n;comment in "
              "A\r\n\r\n[B]\r\nx=1\r\n[A]\r\nkey2=second A\r\n");
    EXPECT_TRUE(doc.SetValue("A", "key2", "added"));  // into the first [A], before its blank line
    EXPECT_TRUE(doc.SetValue("B", "y", "2"));
    EXPECT_EQ(
        doc.Serialize(),
        "; header comment\r\n\r\n[A]\r\nkey1=new\r\n;comment in A\r\nkey2=added\r\n\r\n[B]\r\nx=1\r\ny=2\r\n"
        "[A]\r\nkey2=second A\r\n");

    IniDocument lf = IniDocument::Parse("[N]\nk=v");
    EXPECT_TRUE(lf.SetValue("N", "k2", "v2"));
    EXPECT_EQ(lf.Serialize(), "[N]\nk=v\r\nk2=v2\r\n");
    EXPECT_TRUE(lf.SetValue("New", "a", "  spaced  "));
    EXPECT_EQ(lf.Serialize(), "[N]\nk=v\r\nk2=v2\r\n[New]\r\na=spaced\r\n");
    EXPECT_TRUE(lf.SetValue("N", "k", "changed"));  // a changed line keeps its own ending
    EXPECT_EQ(lf.Serialize(), "[N]\nk=changed\r\nk2=v2\r\n[New]\r\na=spaced\r\n");

    IniDocument fresh;
    EXPECT_TRUE(fresh.SetValue(" S1 ", " k1 ", "v1"));
    EXPECT_EQ(fresh.Serialize(), "[S1]\r\nk1=v1\r\n");
}

TEST(IniDocument, EqualValueIsNoChange) {
    IniDocument doc = IniDocument::Parse("[S]\r\nk = v \r\nbare\r\n");
    EXPECT_FALSE(doc.SetValue("S", "k", "v"));
    EXPECT_FALSE(doc.SetValue("S", "k", "   v"));
    EXPECT_TRUE(doc.SetValue("S", "k", "V"));    // values compare exactly
    EXPECT_TRUE(doc.SetValue("S", "bare", ""));  // a line without '=' gets one
    EXPECT_EQ(doc.Serialize(), "[S]\r\nk=V\r\nbare=\r\n");
}

TEST(IniDocument, DeletesEntriesAndSections) {
    IniDocument doc =
        IniDocument::Parse("[S1]\r\nk1=a\r\nk2=b\r\n\r\n[S2]\r\n; c\r\nk=v\r\n[S1]\r\nk3=c\r\n");
    EXPECT_FALSE(doc.DeleteEntry("S1", "nosuch"));
    EXPECT_TRUE(doc.DeleteEntry("s1", "K2"));
    EXPECT_TRUE(doc.DeleteEntry("S1", "k3"));  // found in the second [S1]
    EXPECT_EQ(doc.Serialize(), "[S1]\r\nk1=a\r\n\r\n[S2]\r\n; c\r\nk=v\r\n[S1]\r\n");
    EXPECT_TRUE(doc.DeleteSection("s2"));
    EXPECT_EQ(doc.Serialize(), "[S1]\r\nk1=a\r\n\r\n[S1]\r\n");
    EXPECT_TRUE(doc.DeleteSection("S1"));  // the first one only
    EXPECT_EQ(doc.Serialize(), "[S1]\r\n");
    EXPECT_FALSE(doc.DeleteSection("NoSuch"));
}

TEST(IniDocument, ReplacesSectionContents) {
    IniDocument doc = IniDocument::Parse("[S]\r\nold=1\r\n; c\r\n\r\n[T]\r\nt=1\r\n");
    EXPECT_TRUE(doc.ReplaceSection("S", {"a=1", " b = 2 ", "noeq"}));
    EXPECT_EQ(doc.Serialize(), "[S]\r\na=1\r\nb=2\r\n\r\n[T]\r\nt=1\r\n");
    EXPECT_TRUE(doc.ReplaceSection("New", {"n=1"}));
    EXPECT_EQ(doc.Serialize(), "[S]\r\na=1\r\nb=2\r\n\r\n[T]\r\nt=1\r\n[New]\r\nn=1\r\n");
    EXPECT_FALSE(doc.ReplaceSection("Missing", {"noeq"}));
    EXPECT_TRUE(doc.ReplaceSection("T", {}));
    EXPECT_EQ(doc.Serialize(), "[S]\r\na=1\r\nb=2\r\n\r\n[T]\r\n[New]\r\nn=1\r\n");
}

TEST(IniDocument, GarbageParsesWithoutHarm) {
    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk += static_cast<char>((i * 131 + 7) & 0xFF);
    junk += std::string(1 << 20, 'x');  // one absurdly long line
    junk += "\r\n[S]\r\nk=v\r\n";
    IniDocument doc = IniDocument::Parse(junk);
    EXPECT_EQ(doc.Serialize(), junk);
    EXPECT_EQ(Value(doc, "S", "k"), "v");
    EXPECT_TRUE(doc.SetValue("S", "k", "w"));
    EXPECT_EQ(doc.Serialize().substr(0, junk.size() - 5), junk.substr(0, junk.size() - 5));
}

}  // namespace
}  // namespace platform
