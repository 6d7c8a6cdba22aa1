#include "platform/machine/shell_link.h"

#include <cstring>
#include <vector>

namespace platform {

namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::uint8_t kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                         0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
enum : std::uint32_t {
    HasLinkTargetIDList = 0x1,
    HasLinkInfo = 0x2,
    HasName = 0x4,
    HasRelativePath = 0x8,
    HasWorkingDir = 0x10,
    HasArguments = 0x20,
    HasIconLocation = 0x40,
    IsUnicode = 0x80,
};
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr std::uint32_t kDriveFixed = 3;
constexpr std::uint32_t kFileAttributeNormal = 0x80;

void Put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
void PutString(std::string& out, const std::string& s) {
    // CountCharacters is 16 bits; longer strings cannot be stored.
    std::size_t n = s.size() > 0xFFFF ? 0xFFFF : s.size();
    Put16(out, static_cast<std::uint32_t>(n));
    out.append(s, 0, n);
}

class Reader {
  public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}
    bool U16(std::uint32_t& v) {
        if (pos_ + 2 > bytes_.size()) return false;
        v = Byte(pos_) | Byte(pos_ + 1) << 8;
        pos_ += 2;
        return true;
    }
    bool U32(std::uint32_t& v) {
        std::uint32_t lo = 0, hi = 0;
        if (!U16(lo) || !U16(hi)) return false;
        v = lo | hi << 16;
        return true;
    }
    bool Bytes(std::size_t n, std::string& out) {
        if (n > bytes_.size() - pos_) return false;
        out = bytes_.substr(pos_, n);
        pos_ += n;
        return true;
    }
    bool String(std::string& out) {
        std::uint32_t n = 0;
        return U16(n) && Bytes(n, out);
    }
    std::size_t pos() const { return pos_; }
    bool Seek(std::size_t p) {
        if (p > bytes_.size()) return false;
        pos_ = p;
        return true;
    }

  private:
    std::uint32_t Byte(std::size_t p) const { return static_cast<std::uint8_t>(bytes_[p]); }
    const std::string& bytes_;
    std::size_t pos_ = 0;
};

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

std::vector<std::string> Components(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

bool SameComponent(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

}  // namespace

std::string RelativeWindowsPath(const std::string& folder, const std::string& target) {
    std::vector<std::string> from = Components(folder), to = Components(target);
    if (from.empty() || to.empty() || !SameComponent(from[0], to[0])) return "";
    std::size_t common = 0;
    while (common < from.size() && common < to.size() && SameComponent(from[common], to[common]))
        ++common;
    std::string out;
    for (std::size_t i = common; i < from.size(); ++i)
        out += "..\\";
    for (std::size_t i = common; i < to.size(); ++i) {
        out.append(to[i]);
        if (i + 1 < to.size()) out.push_back('\\');
    }
    if (out.empty()) out.push_back('.');
    return out;
}

std::string EncodeShellLink(const ShellLink& link) {
    std::uint32_t flags = HasLinkInfo;
    if (!link.name.empty()) flags |= HasName;
    if (!link.relativePath.empty()) flags |= HasRelativePath;
    if (!link.workingDir.empty()) flags |= HasWorkingDir;
    if (!link.arguments.empty()) flags |= HasArguments;
    if (!link.iconLocation.empty()) flags |= HasIconLocation;

    std::string out;
    Put32(out, kHeaderSize);
    out.append(reinterpret_cast<const char*>(kLinkClsid), sizeof kLinkClsid);
    Put32(out, flags);
    Put32(out, kFileAttributeNormal);
    out.append(24, '\0');  // creation, access and write times
    Put32(out, 0);         // file size
    Put32(out, static_cast<std::uint32_t>(link.iconIndex));
    Put32(out, link.showCommand);
    Put16(out, link.hotKey);
    out.append(10, '\0');

    // LinkInfo: header (0x1C bytes), VolumeID (0x10 bytes + empty label), LocalBasePath, suffix.
    constexpr std::uint32_t kInfoHeader = 0x1C;
    constexpr std::uint32_t kVolumeSize = 0x11;
    std::uint32_t basePathOffset = kInfoHeader + kVolumeSize;
    std::uint32_t suffixOffset = basePathOffset + static_cast<std::uint32_t>(link.target.size()) + 1;
    std::uint32_t infoSize = suffixOffset + 1;
    Put32(out, infoSize);
    Put32(out, kInfoHeader);
    Put32(out, kVolumeIdAndLocalBasePath);
    Put32(out, kInfoHeader);  // VolumeIDOffset
    Put32(out, basePathOffset);
    Put32(out, 0);  // CommonNetworkRelativeLinkOffset
    Put32(out, suffixOffset);
    Put32(out, kVolumeSize);
    Put32(out, kDriveFixed);
    Put32(out, 0);     // serial number
    Put32(out, 0x10);  // VolumeLabelOffset
    out += '\0';
    out += link.target;
    out += '\0';
    out += '\0';

    if (flags & HasName) PutString(out, link.name);
    if (flags & HasRelativePath) PutString(out, link.relativePath);
    if (flags & HasWorkingDir) PutString(out, link.workingDir);
    if (flags & HasArguments) PutString(out, link.arguments);
    if (flags & HasIconLocation) PutString(out, link.iconLocation);
    Put32(out, 0);
    return out;
}

bool DecodeShellLink(const std::string& bytes, ShellLink& link) {
    Reader r(bytes);
    std::uint32_t size = 0, flags = 0, ignored = 0, iconIndex = 0, show = 0, hotKey = 0;
    std::string clsid, skip;
    if (!r.U32(size) || size != kHeaderSize || !r.Bytes(16, clsid) ||
        std::memcmp(clsid.data(), kLinkClsid, 16) != 0 || !r.U32(flags) || !r.U32(ignored) ||
        !r.Bytes(28, skip) || !r.U32(iconIndex) || !r.U32(show) || !r.U16(hotKey) || !r.Bytes(10, skip))
        return false;
    if (flags & (HasLinkTargetIDList | IsUnicode)) return false;
    link = ShellLink{};
    link.iconIndex = static_cast<std::int32_t>(iconIndex);
    link.showCommand = show;
    link.hotKey = static_cast<std::uint16_t>(hotKey);
    if (flags & HasLinkInfo) {
        std::size_t start = r.pos();
        std::uint32_t infoSize = 0, headerSize = 0, infoFlags = 0, volumeOffset = 0, baseOffset = 0;
        if (!r.U32(infoSize) || !r.U32(headerSize) || !r.U32(infoFlags) || !r.U32(volumeOffset) ||
            !r.U32(baseOffset) || infoSize < headerSize || infoSize > bytes.size() - start)
            return false;
        if (infoFlags & kVolumeIdAndLocalBasePath) {
            if (baseOffset >= infoSize) return false;
            std::string info = bytes.substr(start, infoSize);
            std::size_t end = info.find('\0', baseOffset);
            if (end == std::string::npos) return false;
            link.target = info.substr(baseOffset, end - baseOffset);
        }
        if (!r.Seek(start + infoSize)) return false;
    }
    if ((flags & HasName) && !r.String(link.name)) return false;
    if ((flags & HasRelativePath) && !r.String(link.relativePath)) return false;
    if ((flags & HasWorkingDir) && !r.String(link.workingDir)) return false;
    if ((flags & HasArguments) && !r.String(link.arguments)) return false;
    if ((flags & HasIconLocation) && !r.String(link.iconLocation)) return false;
    return true;
}

}  // namespace platform
