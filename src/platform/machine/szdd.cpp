#include "platform/machine/szdd.h"

#include <mspack.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace platform {
namespace {

constexpr std::uint8_t kMagic[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};

bool IsLower(char c) {
    return c >= 'a' && c <= 'z';
}
char ToUpper(char c) {
    return IsLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
}
char ToLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t NameStart(std::string_view path) {
    std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string_view::npos ? 0 : slash + 1;
}

// libmspack names its files by `const char*`; we hand it our streams in their place, so nothing below
// ever touches a host path.
ByteStream* StreamOf(mspack_file* file) {
    return reinterpret_cast<ByteStream*>(file);
}

mspack_file* Open(mspack_system*, const char* name, int) {
    return reinterpret_cast<mspack_file*>(const_cast<char*>(name));
}
void Close(mspack_file*) {}
int Read(mspack_file* file, void* buffer, int bytes) {
    return StreamOf(file)->Read(buffer, bytes);
}
int Write(mspack_file* file, void* buffer, int bytes) {
    return StreamOf(file)->Write(buffer, bytes);
}
int Seek(mspack_file* file, off_t offset, int mode) {
    int origin = mode == MSPACK_SYS_SEEK_START ? 0 : mode == MSPACK_SYS_SEEK_CUR ? 1 : 2;
    return StreamOf(file)->Seek(offset, origin) ? 0 : -1;
}
off_t Tell(mspack_file* file) {
    return static_cast<off_t>(StreamOf(file)->Tell());
}
void Message(mspack_file*, const char*, ...) {}
void* Alloc(mspack_system*, size_t bytes) {
    return std::malloc(bytes);
}
void Free(void* p) {
    std::free(p);
}
void Copy(void* src, void* dest, size_t bytes) {
    std::memmove(dest, src, bytes);
}

mspack_system StreamSystem() {
    mspack_system s{};
    s.open = Open;
    s.close = Close;
    s.read = Read;
    s.write = Write;
    s.seek = Seek;
    s.tell = Tell;
    s.message = Message;
    s.alloc = Alloc;
    s.free = Free;
    s.copy = Copy;
    s.null_ptr = nullptr;
    return s;
}

SzddResult FromMspack(int error) {
    switch (error) {
        case MSPACK_ERR_OK:
            return SzddResult::kOk;
        case MSPACK_ERR_SIGNATURE:
            return SzddResult::kNotSzdd;
        case MSPACK_ERR_WRITE:
            return SzddResult::kWriteError;
        case MSPACK_ERR_NOMEMORY:
            return SzddResult::kNoMemory;
        case MSPACK_ERR_DATAFORMAT:
        case MSPACK_ERR_DECRUNCH:
        case MSPACK_ERR_CHECKSUM:
            return SzddResult::kBadData;
        default:
            return SzddResult::kReadError;
    }
}

class CountingStream : public ByteStream {
  public:
    explicit CountingStream(ByteStream& inner) : inner_(inner) {}
    int Read(void* buffer, int bytes) override { return inner_.Read(buffer, bytes); }
    int Write(const void* buffer, int bytes) override {
        int n = inner_.Write(buffer, bytes);
        if (n > 0) written_ += n;
        return n;
    }
    bool Seek(std::int64_t offset, int origin) override { return inner_.Seek(offset, origin); }
    std::int64_t Tell() override { return inner_.Tell(); }
    std::int64_t written() const { return written_; }

  private:
    ByteStream& inner_;
    std::int64_t written_ = 0;
};

// libmspack's expander hands over its output one byte a call; gathering them here keeps every byte from
// becoming a write of its own on the destination file.
class BufferedWriter : public ByteStream {
  public:
    explicit BufferedWriter(ByteStream& inner) : inner_(inner) {}
    int Read(void* buffer, int bytes) override { return Flush() ? inner_.Read(buffer, bytes) : -1; }
    int Write(const void* buffer, int bytes) override {
        if (bytes < 0 || failed_) return -1;
        const auto* p = static_cast<const std::uint8_t*>(buffer);
        for (int left = bytes; left > 0;) {
            if (used_ == sizeof buffer_ && !Flush()) return -1;
            std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(left), sizeof buffer_ - used_);
            std::memcpy(buffer_ + used_, p, n);
            used_ += n;
            p += n;
            left -= static_cast<int>(n);
        }
        return bytes;
    }
    bool Seek(std::int64_t offset, int origin) override { return Flush() && inner_.Seek(offset, origin); }
    std::int64_t Tell() override { return Flush() ? inner_.Tell() : -1; }
    // False when the destination refused a byte, now or at an earlier flush.
    bool Flush() {
        if (failed_) return false;
        if (used_ == 0) return true;
        int n = inner_.Write(buffer_, static_cast<int>(used_));
        failed_ = n != static_cast<int>(used_);
        used_ = 0;
        return !failed_;
    }

  private:
    ByteStream& inner_;
    std::uint8_t buffer_[4096];
    std::size_t used_ = 0;
    bool failed_ = false;
};

}  // namespace

bool IsSzdd(std::span<const std::uint8_t> head) {
    return head.size() >= sizeof kMagic && std::memcmp(head.data(), kMagic, sizeof kMagic) == 0;
}

char SzddMissingChar(std::span<const std::uint8_t> header) {
    if (header.size() < kSzddHeaderSize || !IsSzdd(header)) return 0;
    return static_cast<char>(header[9]);
}

std::string ExpandedName(std::string_view name, char missingChar) {
    std::string out(name);
    if (out.empty() || out.back() != '_') return out;
    out.pop_back();
    if (!missingChar) return out;
    bool anyLower = false;
    for (std::size_t i = NameStart(out); i < out.size(); ++i)
        anyLower |= IsLower(out[i]);
    out.push_back(anyLower ? ToLower(missingChar) : ToUpper(missingChar));
    return out;
}

int MemoryStream::Read(void* buffer, int bytes) {
    if (bytes < 0) return -1;
    std::size_t n = pos_ < data_.size() ? std::min<std::size_t>(bytes, data_.size() - pos_) : 0;
    if (n) std::memcpy(buffer, data_.data() + pos_, n);
    pos_ += n;
    return static_cast<int>(n);
}

int MemoryStream::Write(const void* buffer, int bytes) {
    if (!out_ || bytes < 0) return -1;
    const auto* p = static_cast<const std::uint8_t*>(buffer);
    out_->insert(out_->end(), p, p + bytes);
    return bytes;
}

bool MemoryStream::Seek(std::int64_t offset, int origin) {
    std::int64_t size = static_cast<std::int64_t>(out_ ? out_->size() : data_.size());
    std::int64_t base = origin == 0 ? 0 : origin == 1 ? static_cast<std::int64_t>(pos_) : size;
    if (offset < -base || offset > size - base) return false;
    pos_ = static_cast<std::size_t>(base + offset);
    return true;
}

std::int64_t MemoryStream::Tell() {
    return static_cast<std::int64_t>(pos_);
}

SzddResult ExpandSzdd(ByteStream& in, ByteStream& out) {
    std::uint8_t head[sizeof kMagic];
    if (!in.Seek(0, 0)) return SzddResult::kReadError;
    int got = in.Read(head, sizeof head);
    if (got < 0) return SzddResult::kReadError;
    if (!IsSzdd({head, static_cast<std::size_t>(got)})) return SzddResult::kNotSzdd;
    if (!in.Seek(0, 0)) return SzddResult::kReadError;

    mspack_system system = StreamSystem();
    msszdd_decompressor* d = mspack_create_szdd_decompressor(&system);
    if (!d) return SzddResult::kNoMemory;
    SzddResult result;
    msszddd_header* h = d->open(d, reinterpret_cast<const char*>(&in));
    if (!h) {
        result = FromMspack(d->last_error(d));
    } else if (h->format != MSSZDD_FMT_NORMAL) {
        // The QBasic variant ("SZ " magic) never reaches here; LZ32 does not read it either.
        result = SzddResult::kNotSzdd;
    } else {
        // The expander stops quietly at the end of a truncated image; the length the header promised
        // tells a damaged image from a whole one.
        BufferedWriter buffered(out);
        CountingStream counted(buffered);
        result = FromMspack(d->extract(d, h, reinterpret_cast<const char*>(&counted)));
        // What was expanded before an error still reaches the destination, as it did byte by byte.
        if (!buffered.Flush() && result == SzddResult::kOk) result = SzddResult::kWriteError;
        if (result == SzddResult::kOk && counted.written() != static_cast<std::int64_t>(h->length))
            result = SzddResult::kBadData;
    }
    if (h) d->close(d, h);
    mspack_destroy_szdd_decompressor(d);
    return result;
}

SzddResult ExpandSzdd(std::span<const std::uint8_t> image, std::vector<std::uint8_t>& out) {
    MemoryStream in(image);
    MemoryStream sink(&out);
    out.clear();
    return ExpandSzdd(in, sink);
}

}  // namespace platform
