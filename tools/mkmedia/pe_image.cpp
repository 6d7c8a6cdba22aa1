#include "mkmedia/pe_image.h"

#include <algorithm>
#include <cstdlib>

namespace mkmedia {

namespace {

class Bytes {
  public:
    std::vector<std::uint8_t> data;
    void U8(std::uint8_t v) { data.push_back(v); }
    void U16(std::uint16_t v) {
        U8(static_cast<std::uint8_t>(v));
        U8(static_cast<std::uint8_t>(v >> 8));
    }
    void U32(std::uint32_t v) {
        U16(static_cast<std::uint16_t>(v));
        U16(static_cast<std::uint16_t>(v >> 16));
    }
    void Pad(std::size_t alignment) {
        while (data.size() % alignment)
            U8(0);
    }
    void PadTo(std::size_t size) {
        while (data.size() < size)
            U8(0);
    }
    void WideZ(const std::string& text) {
        for (char c : text)
            U16(static_cast<std::uint8_t>(c));
        U16(0);
    }
    void Put16(std::size_t at, std::uint16_t v) {
        data[at] = static_cast<std::uint8_t>(v);
        data[at + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    void Put32(std::size_t at, std::uint32_t v) {
        Put16(at, static_cast<std::uint16_t>(v));
        Put16(at + 2, static_cast<std::uint16_t>(v >> 16));
    }
};

// A node of the version tree: key, value (text or binary) and children.
struct Node {
    std::string key;
    bool text = false;
    std::string textValue;
    std::vector<std::uint8_t> binary;
    std::vector<Node> children;
};

void WriteNode(Bytes& b, const Node& node) {
    b.Pad(4);
    std::size_t start = b.data.size();
    b.U16(0);  // length, patched below
    b.U16(static_cast<std::uint16_t>(node.text ? (node.textValue.empty() ? 0 : node.textValue.size() + 1)
                                               : node.binary.size()));
    b.U16(node.text ? 1 : 0);
    b.WideZ(node.key);
    b.Pad(4);
    if (node.text) {
        if (!node.textValue.empty()) b.WideZ(node.textValue);
    } else {
        for (auto v : node.binary)
            b.U8(v);
    }
    for (const auto& child : node.children)
        WriteNode(b, child);
    b.Put16(start, static_cast<std::uint16_t>(b.data.size() - start));
}

std::vector<std::uint8_t> VersionBlock(const std::array<std::uint16_t, 4>& v, const std::string& text,
                                       bool dll) {
    Bytes fixed;
    std::uint32_t ms = static_cast<std::uint32_t>(v[0]) << 16 | v[1];
    std::uint32_t ls = static_cast<std::uint32_t>(v[2]) << 16 | v[3];
    for (std::uint32_t value :
         {0xFEEF04BDu, 0x00010000u, ms, ls, ms, ls, 0x3Fu, 0u, 0x00040004u, dll ? 2u : 1u, 0u, 0u, 0u})
        fixed.U32(value);

    Node strings{"040904E4", true, "", {}, {}};
    strings.children.push_back({"CompanyName", true, "KESTRAVION", {}, {}});
    strings.children.push_back({"FileVersion", true, text, {}, {}});
    strings.children.push_back({"ProductVersion", true, text, {}, {}});
    Node stringInfo{"StringFileInfo", true, "", {}, {strings}};
    Node translation{"Translation", false, "", {0x09, 0x04, 0xE4, 0x04}, {}};
    Node varInfo{"VarFileInfo", true, "", {}, {translation}};
    Node root{"VS_VERSION_INFO", false, "", fixed.data, {stringInfo, varInfo}};
    Bytes b;
    WriteNode(b, root);
    return b.data;
}

}  // namespace

bool ParseVersion(const std::string& text, std::array<std::uint16_t, 4>& parts) {
    parts = {0, 0, 0, 0};
    std::size_t pos = 0;
    for (int i = 0; i < 4 && pos <= text.size(); ++i) {
        char* end = nullptr;
        if (pos >= text.size() || text[pos] < '0' || text[pos] > '9') return false;
        unsigned long value = std::strtoul(text.c_str() + pos, &end, 10);
        if (value > 0xFFFF) return false;
        parts[static_cast<std::size_t>(i)] = static_cast<std::uint16_t>(value);
        pos = static_cast<std::size_t>(end - text.c_str());
        if (pos == text.size()) return true;
        if (text[pos] != '.') return false;
        ++pos;
    }
    return false;
}

std::vector<std::uint8_t> MakePeImage(const std::array<std::uint16_t, 4>& version,
                                      const std::string& versionText, bool dll) {
    constexpr std::uint32_t kFileAlign = 0x200, kSectionAlign = 0x1000, kRsrcRva = 0x1000;
    std::vector<std::uint8_t> block = VersionBlock(version, versionText, dll);

    // The resource section: three directory levels, one data entry, the block.
    Bytes rsrc;
    auto directory = [&](std::uint32_t id, std::uint32_t target) {
        for (std::uint32_t v : {0u, 0u, 0u})
            rsrc.U32(v);  // characteristics, time stamp, version
        rsrc.U16(0);      // named entries
        rsrc.U16(1);      // id entries
        rsrc.U32(id);
        rsrc.U32(target);
    };
    directory(16, 0x80000000u | 0x18);  // RT_VERSION
    directory(1, 0x80000000u | 0x30);   // name 1
    directory(0x0409, 0x48);            // language -> data entry
    rsrc.U32(kRsrcRva + 0x58);
    rsrc.U32(static_cast<std::uint32_t>(block.size()));
    rsrc.U32(1252);
    rsrc.U32(0);
    rsrc.PadTo(0x58);
    rsrc.data.insert(rsrc.data.end(), block.begin(), block.end());
    const std::uint32_t rsrcSize = static_cast<std::uint32_t>(rsrc.data.size());
    const std::uint32_t rawSize = (rsrcSize + kFileAlign - 1) / kFileAlign * kFileAlign;
    const std::uint32_t virtualSize = (rsrcSize + kSectionAlign - 1) / kSectionAlign * kSectionAlign;

    Bytes pe;
    pe.U16(0x5A4D);  // "MZ"
    pe.PadTo(0x3C);
    pe.U32(0x40);
    pe.U32(0x00004550);  // "PE\0\0"
    pe.U16(0x14C);       // i386
    pe.U16(1);           // sections
    pe.U32(0);           // time stamp
    pe.U32(0);
    pe.U32(0);
    pe.U16(224);                    // optional header size
    pe.U16(dll ? 0x2102 : 0x0102);  // executable, 32-bit (DLL)
    pe.U16(0x10B);                  // PE32
    pe.U8(6);                       // linker version
    pe.U8(0);
    pe.U32(0);                            // size of code
    pe.U32(rawSize);                      // initialised data
    pe.U32(0);                            // uninitialised data
    pe.U32(0);                            // entry point
    pe.U32(0);                            // base of code
    pe.U32(0);                            // base of data
    pe.U32(dll ? 0x10000000 : 0x400000);  // image base
    pe.U32(kSectionAlign);
    pe.U32(kFileAlign);
    pe.U16(4);  // OS version
    pe.U16(0);
    pe.U16(0);  // image version
    pe.U16(0);
    pe.U16(4);  // subsystem version
    pe.U16(0);
    pe.U32(0);                       // Win32 version
    pe.U32(kRsrcRva + virtualSize);  // size of image
    pe.U32(kFileAlign);              // size of headers
    pe.U32(0);                       // checksum
    pe.U16(2);                       // GUI subsystem
    pe.U16(0);                       // DLL characteristics
    for (std::uint32_t v : {0x100000u, 0x1000u, 0x100000u, 0x1000u, 0u})
        pe.U32(v);  // stack and heap reserve and commit, loader flags
    pe.U32(16);     // data directories
    for (int i = 0; i < 16; ++i) {
        pe.U32(i == 2 ? kRsrcRva : 0);
        pe.U32(i == 2 ? rsrcSize : 0);
    }
    const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
    for (char c : name)
        pe.U8(static_cast<std::uint8_t>(c));
    pe.U32(rsrcSize);    // virtual size
    pe.U32(kRsrcRva);    // virtual address
    pe.U32(rawSize);     // raw size
    pe.U32(kFileAlign);  // raw pointer
    pe.U32(0);
    pe.U32(0);
    pe.U16(0);
    pe.U16(0);
    pe.U32(0x40000040);  // initialised data, readable
    pe.PadTo(kFileAlign);
    pe.data.insert(pe.data.end(), rsrc.data.begin(), rsrc.data.end());
    pe.PadTo(kFileAlign + rawSize);
    return pe.data;
}

namespace {

std::uint32_t Get16(const std::vector<std::uint8_t>& d, std::size_t at) {
    return at + 2 <= d.size() ? static_cast<std::uint32_t>(d[at] | d[at + 1] << 8) : 0;
}
std::uint32_t Get32(const std::vector<std::uint8_t>& d, std::size_t at) {
    return at + 4 <= d.size() ? Get16(d, at) | Get16(d, at + 2) << 16 : 0;
}
void Set32(std::vector<std::uint8_t>& d, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        d[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

bool SetProgramVersion(std::vector<std::uint8_t>& image, const std::array<std::uint16_t, 4>& version,
                       const std::string& versionText, bool dll, std::string& error) {
    const std::size_t pe = Get32(image, 0x3C);
    if (Get16(image, 0) != 0x5A4D || Get32(image, pe) != 0x00004550) {
        error = "not a PE image";
        return false;
    }
    const std::size_t sections = Get16(image, pe + 6);
    const std::size_t optional = pe + 24;
    const std::size_t optionalSize = Get16(image, pe + 20);
    const std::uint32_t magic = Get16(image, optional);
    const std::size_t directories = optional + (magic == 0x20B ? 112 : 96);
    if ((magic != 0x10B && magic != 0x20B) || Get32(image, directories - 4) < 3) {
        error = "no data directories";
        return false;
    }
    const std::uint32_t rsrcRva = Get32(image, directories + 2 * 8);
    // The file offset of an RVA, through the section that holds it.
    auto offsetOf = [&](std::uint32_t rva) -> std::size_t {
        for (std::size_t i = 0; i < sections; ++i) {
            std::size_t header = optional + optionalSize + i * 40;
            std::uint32_t va = Get32(image, header + 12), raw = Get32(image, header + 16);
            if (rva >= va && rva < va + raw) return Get32(image, header + 20) + (rva - va);
        }
        return 0;
    };
    const std::size_t rsrc = rsrcRva ? offsetOf(rsrcRva) : 0;
    if (!rsrc) {
        error = "no resource section";
        return false;
    }
    // Three levels (type, name, language): RT_VERSION, then the first entry of each level below.
    std::size_t node = rsrc;
    for (int level = 0; level < 3; ++level) {
        std::size_t count = Get16(image, node + 12) + Get16(image, node + 14);
        std::uint32_t target = 0;
        for (std::size_t i = 0; i < count && !target; ++i) {
            std::size_t entry = node + 16 + i * 8;
            if (level > 0 || Get32(image, entry) == 16) target = Get32(image, entry + 4);
        }
        if (!target || (level < 2) != ((target & 0x80000000u) != 0)) {
            error = "no version resource";
            return false;
        }
        node = rsrc + (target & 0x7FFFFFFFu);
    }
    const std::uint32_t blockRva = Get32(image, node), blockSize = Get32(image, node + 4);
    const std::size_t block = offsetOf(blockRva);
    std::vector<std::uint8_t> replacement = VersionBlock(version, versionText, dll);
    if (!block || block + blockSize > image.size() || replacement.size() > blockSize) {
        error = "the version resource has no room for the version block";
        return false;
    }
    std::copy(replacement.begin(), replacement.end(), image.begin() + static_cast<std::ptrdiff_t>(block));
    std::fill(image.begin() + static_cast<std::ptrdiff_t>(block + replacement.size()),
              image.begin() + static_cast<std::ptrdiff_t>(block + blockSize), 0);
    Set32(image, node + 4, static_cast<std::uint32_t>(replacement.size()));
    return true;
}

}  // namespace mkmedia
