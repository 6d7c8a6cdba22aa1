// The in-memory dialog templates of the native front end, read back by a reader written from the
// layout the dialog manager expects.
#include "platform/ui/dialog_template_bytes.h"

#include <gtest/gtest.h>

#include <string>

#include "resources/dialog_templates.h"

namespace {

using platform::BuildDialogTemplate;
using platform::ControlClass;
using platform::DialogTemplate;

struct ParsedControl {
    std::size_t offset;
    std::uint32_t style, exStyle;
    int x, y, cx, cy;
    std::uint16_t id;
    std::uint16_t atom;  // 0 when the class is named
    std::u16string className, text;
};

struct ParsedDialog {
    std::uint32_t style, exStyle;
    int x, y, cx, cy;
    std::u16string title, font;
    int pointSize = 0;
    std::vector<ParsedControl> controls;
    std::size_t end = 0;
};

class Reader {
  public:
    explicit Reader(const std::vector<std::uint8_t>& b) : b_(b) {}
    std::uint16_t Word() {
        if (at_ + 2 > b_.size()) throw std::out_of_range("template ends early");
        std::uint16_t v = static_cast<std::uint16_t>(b_[at_] | b_[at_ + 1] << 8);
        at_ += 2;
        return v;
    }
    std::uint32_t Dword() {
        std::uint32_t lo = Word();
        return lo | static_cast<std::uint32_t>(Word()) << 16;
    }
    int Short() { return static_cast<std::int16_t>(Word()); }
    std::u16string Text() {
        std::u16string s;
        while (std::uint16_t c = Word())
            s += static_cast<char16_t>(c);
        return s;
    }
    void Align() { at_ = (at_ + 3) & ~std::size_t{3}; }
    std::size_t at() const { return at_; }

  private:
    const std::vector<std::uint8_t>& b_;
    std::size_t at_ = 0;
};

ParsedDialog Parse(const std::vector<std::uint8_t>& bytes) {
    Reader r(bytes);
    ParsedDialog d;
    d.style = r.Dword();
    d.exStyle = r.Dword();
    int count = r.Word();
    d.x = r.Short();
    d.y = r.Short();
    d.cx = r.Short();
    d.cy = r.Short();
    EXPECT_EQ(r.Word(), 0) << "menu";
    EXPECT_EQ(r.Word(), 0) << "class";
    d.title = r.Text();
    if (d.style & platform::DS_SETFONT) {
        d.pointSize = r.Word();
        d.font = r.Text();
    }
    for (int i = 0; i < count; ++i) {
        r.Align();
        ParsedControl c{};
        c.offset = r.at();
        c.style = r.Dword();
        c.exStyle = r.Dword();
        c.x = r.Short();
        c.y = r.Short();
        c.cx = r.Short();
        c.cy = r.Short();
        c.id = r.Word();
        std::uint16_t first = r.Word();
        if (first == 0xFFFF) {
            c.atom = r.Word();
        } else {
            c.className = first ? std::u16string(1, static_cast<char16_t>(first)) + r.Text() : u"";
        }
        c.text = r.Text();
        EXPECT_EQ(r.Word(), 0) << "creation data";
        d.controls.push_back(c);
    }
    d.end = r.at();
    return d;
}

std::u16string Wide(const char* ascii) {
    std::u16string s;
    for (const char* p = ascii; p && *p; ++p)
        s += static_cast<char16_t>(static_cast<unsigned char>(*p));
    return s;
}

TEST(DialogTemplateBytes, EveryTemplateOfTheTableReadsBackWithItsControlsStylesAndPlaces) {
    for (int id : {1, 2, 3, 5, 6, 7, 8, 10, 12, 14, 15}) {
        SCOPED_TRACE("template " + std::to_string(id));
        const DialogTemplate& t = resources::DialogTemplateFor(id);
        auto bytes = BuildDialogTemplate(t, t.caption);
        ParsedDialog d = Parse(bytes);
        EXPECT_EQ(d.end, bytes.size()) << "nothing after the last control";
        EXPECT_EQ(d.style, t.style);
        EXPECT_EQ(d.exStyle, 0u);
        EXPECT_EQ(d.x, t.x);
        EXPECT_EQ(d.y, t.y);
        EXPECT_EQ(d.cx, t.cx);
        EXPECT_EQ(d.cy, t.cy);
        EXPECT_EQ(d.title, Wide(t.caption));
        EXPECT_EQ(d.pointSize, 8);
        EXPECT_EQ(d.font, u"MS Sans Serif");
        ASSERT_EQ(d.controls.size(), t.controls.size());
        for (std::size_t i = 0; i < t.controls.size(); ++i) {
            const auto& want = t.controls[i];
            const auto& got = d.controls[i];
            SCOPED_TRACE("control " + std::to_string(want.id));
            EXPECT_EQ(got.offset % 4, 0u) << "items start on a DWORD boundary";
            std::uint32_t extra = platform::WS_CHILD | (want.cls == ControlClass::Animation ? 1u : 0u);
            EXPECT_EQ(got.style, want.style | extra);
            EXPECT_EQ(got.x, want.x);
            EXPECT_EQ(got.y, want.y);
            EXPECT_EQ(got.cx, want.cx);
            EXPECT_EQ(got.cy, want.cy);
            EXPECT_EQ(got.id, static_cast<std::uint16_t>(want.id));
            EXPECT_EQ(got.text, Wide(want.text));
        }
    }
}

TEST(DialogTemplateBytes, ControlsGetTheSystemClassOfTheirKind) {
    struct Row {
        ControlClass cls;
        std::uint16_t atom;
        std::u16string name;
    };
    const Row rows[] = {
        {ControlClass::Button, 0x80, u""},
        {ControlClass::Edit, 0x81, u""},
        {ControlClass::Static, 0x82, u""},
        {ControlClass::ListBox, 0x83, u""},
        {ControlClass::Gauge, 0, u"msctls_progress32"},
        {ControlClass::Animation, 0, u"SysAnimate32"},
    };
    for (const Row& row : rows) {
        DialogTemplate t{
            99, 0, 0, 10, 10, platform::WS_POPUP, "", nullptr, 0, {{7, row.cls, 0, 1, 2, 3, 4, "x"}}};
        ParsedDialog d = Parse(BuildDialogTemplate(t, ""));
        ASSERT_EQ(d.controls.size(), 1u);
        EXPECT_EQ(d.controls[0].atom, row.atom) << static_cast<int>(row.cls);
        EXPECT_EQ(d.controls[0].className, row.name) << static_cast<int>(row.cls);
    }
}

TEST(DialogTemplateBytes, OneSmallTemplateByteForByte) {
    // No font: the title follows the class word directly; the unnamed static is id 0xFFFF.
    std::vector<platform::ControlTemplate> controls = {
        {-1, ControlClass::Static, platform::WS_VISIBLE, 2, 3, 30, -4, "Hi"}};
    DialogTemplate t{1, 150, 115, 40, 20, platform::WS_POPUP, "", nullptr, 0, controls};
    auto bytes = BuildDialogTemplate(t, "AB\xE9");
    const std::vector<std::uint8_t> want = {
        0x00, 0x00, 0x00, 0x80, 0,    0,    0,    0,            // style, extended style
        0x01, 0x00, 150,  0,    115,  0,    40,   0,    20, 0,  // one item, x, y, cx, cy
        0,    0,    0,    0,                                    // menu, class
        'A',  0,    'B',  0,    0xE9, 0,    0,    0,            // title "AB" U+00E9
        0,    0,                                                // padding to the item
        0x00, 0x00, 0x00, 0x50, 0,    0,    0,    0,            // WS_CHILD | WS_VISIBLE
        2,    0,    3,    0,    30,   0,    0xFC, 0xFF,         // x, y, cx, cy = -4
        0xFF, 0xFF, 0xFF, 0xFF, 0x82, 0x00,                     // id 0xFFFF, the Static atom
        'H',  0,    'i',  0,    0,    0,                        // text
        0,    0,                                                // no creation data
    };
    EXPECT_EQ(bytes, want);
}

TEST(DialogTemplateBytes, Windows1252TextsBecomeTheirUnicodeCharacters) {
    // The French captions: é, and bytes of the 0x80 row that are not Latin-1 (euro, curly quote).
    const DialogTemplate& t = resources::DialogTemplateFor(resources::kPresentationDialog);
    ParsedDialog d = Parse(BuildDialogTemplate(t, "&Pr\xE9\x63\xE9\x64\x65nt \x80 \x92"));
    EXPECT_EQ(d.title, u"&Pr\u00E9c\u00E9dent \u20AC \u2019");
}

}  // namespace
