#include "platform/ui/dialog_template_bytes.h"

#include "platform/ui/cp1252.h"

namespace platform {

namespace {

class Writer {
  public:
    void Word(std::uint16_t v) {
        bytes_.push_back(static_cast<std::uint8_t>(v));
        bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void Dword(std::uint32_t v) {
        Word(static_cast<std::uint16_t>(v));
        Word(static_cast<std::uint16_t>(v >> 16));
    }
    void Short(int v) { Word(static_cast<std::uint16_t>(static_cast<std::int16_t>(v))); }
    // Windows-1252 to UTF-16 by way of UTF-8 (the table's texts are ASCII, a caption may not be).
    void Text(const std::string& ansi) {
        std::string utf8 = Cp1252ToUtf8(ansi);
        for (std::size_t i = 0; i < utf8.size();) {
            unsigned char c = static_cast<unsigned char>(utf8[i]);
            std::uint32_t cp = c;
            std::size_t n = 1;
            if (c >= 0xE0) {
                cp = (c & 0x0Fu) << 12 | (utf8[i + 1] & 0x3Fu) << 6 | (utf8[i + 2] & 0x3Fu);
                n = 3;
            } else if (c >= 0xC0) {
                cp = (c & 0x1Fu) << 6 | (utf8[i + 1] & 0x3Fu);
                n = 2;
            }
            Word(static_cast<std::uint16_t>(cp));  // Windows-1252 stays inside the basic plane
            i += n;
        }
        Word(0);
    }
    void AlignDword() {
        while (bytes_.size() % 4)
            bytes_.push_back(0);
    }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

  private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace

ControlClassName WindowClassFor(ControlClass cls) {
    switch (cls) {
        case ControlClass::Button:
            return {0x80, nullptr};
        case ControlClass::Edit:
            return {0x81, nullptr};
        case ControlClass::Static:
            return {0x82, nullptr};
        case ControlClass::ListBox:
            return {0x83, nullptr};
        case ControlClass::Gauge:
            return {0, "msctls_progress32"};
        case ControlClass::Animation:
            return {0, "SysAnimate32"};
    }
    return {0x82, nullptr};
}

std::vector<std::uint8_t> BuildDialogTemplate(const DialogTemplate& tmpl, const std::string& caption) {
    Writer w;
    w.Dword(tmpl.style);
    w.Dword(0);
    w.Word(static_cast<std::uint16_t>(tmpl.controls.size()));
    w.Short(tmpl.x);
    w.Short(tmpl.y);
    w.Short(tmpl.cx);
    w.Short(tmpl.cy);
    w.Word(0);  // no menu
    w.Word(0);  // the dialog class
    w.Text(caption);
    if (tmpl.style & DS_SETFONT) {
        w.Word(static_cast<std::uint16_t>(tmpl.pointSize));
        w.Text(tmpl.font ? tmpl.font : "");
    }
    for (const ControlTemplate& c : tmpl.controls) {
        w.AlignDword();
        DWORD style = c.style | WS_CHILD;
        if (c.cls == ControlClass::Animation) style |= ACS_CENTER;
        w.Dword(style);
        w.Dword(0);
        w.Short(c.x);
        w.Short(c.y);
        w.Short(c.cx);
        w.Short(c.cy);
        w.Word(static_cast<std::uint16_t>(c.id));  // -1 is 0xFFFF, the unnamed static
        ControlClassName cls = WindowClassFor(c.cls);
        if (cls.atom) {
            w.Word(0xFFFF);
            w.Word(cls.atom);
        } else {
            w.Text(cls.name);
        }
        w.Text(c.text ? c.text : "");
        w.Word(0);  // no creation data
    }
    return w.Take();
}

}  // namespace platform
