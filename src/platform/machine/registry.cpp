#include "platform/machine/registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/machine/ansi_codepage.h"
#include "platform/machine/faults.h"
#include "platform/machine/hive_format.h"
#include "platform/machine/prefix.h"
#include "platform/machine/text_util.h"

namespace platform {

namespace {

// Result codes and access bits that only the registry needs (winerror.h, winnt.h).
constexpr LONG kErrorNoAccess = 998;              // ERROR_NOACCESS
constexpr LONG kErrorChildMustBeVolatile = 1021;  // ERROR_CHILD_MUST_BE_VOLATILE
constexpr REGSAM kDelete = 0x00010000;            // DELETE
constexpr REGSAM kWriteDac = 0x00040000;          // WRITE_DAC
constexpr REGSAM kWriteOwner = 0x00080000;        // WRITE_OWNER
constexpr REGSAM kGenericRead = 0x80000000;       // GENERIC_READ
constexpr REGSAM kGenericWrite = 0x40000000;      // GENERIC_WRITE
constexpr REGSAM kGenericAll = 0x10000000;        // GENERIC_ALL
constexpr REGSAM kMaximumAllowed = 0x02000000;    // MAXIMUM_ALLOWED
constexpr REGSAM kWriteAccess =
    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | kDelete | kWriteDac | kWriteOwner;
constexpr std::size_t kMaxKeyNameChars = 255;

constexpr std::uintptr_t kClassesRoot = 0x80000000u;
constexpr std::uintptr_t kCurrentUser = 0x80000001u;
constexpr std::uintptr_t kLocalMachine = 0x80000002u;
constexpr std::uintptr_t kUsers = 0x80000003u;

constexpr char16_t kUserSid[] = u"S-1-5-21-0-0-0-1000";

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// The generic rights as a key maps them.
REGSAM MapAccess(REGSAM access) {
    if (access & (kGenericAll | kMaximumAllowed)) access |= KEY_ALL_ACCESS;
    if (access & kGenericRead) access |= KEY_READ;
    if (access & kGenericWrite) access |= KEY_WRITE;
    return access & ~(kGenericAll | kGenericRead | kGenericWrite | kMaximumAllowed | KEY_WOW64_32KEY |
                      KEY_WOW64_64KEY);
}

std::u16string NameOf(LPCSTR name) {
    return name ? AnsiToWide(std::string_view(name)) : std::u16string();
}

// A subkey path into its names. Separators in a row and at the end are one; a path that starts with a
// separator is refused as Windows refuses it.
LONG SplitPath(LPCSTR subKey, std::vector<std::u16string>& parts) {
    parts.clear();
    if (!subKey || !*subKey) return ERROR_SUCCESS;
    if (*subKey == '\\') return ERROR_BAD_PATHNAME;
    std::string_view s(subKey);
    std::size_t start = 0;
    while (start < s.size()) {
        std::size_t bs = s.find('\\', start);
        if (bs == std::string_view::npos) bs = s.size();
        if (bs > start) {
            if (bs - start > kMaxKeyNameChars) return static_cast<LONG>(ERROR_INVALID_PARAMETER);
            parts.push_back(AnsiToWide(s.substr(start, bs - start)));
        }
        start = bs + 1;
    }
    return ERROR_SUCCESS;
}

// String data as the ANSI calls see it: each UTF-16 unit one byte of code page 1252.
std::string AnsiOf(const RegValue& v) {
    std::u16string w;
    w.reserve(v.data.size() / 2);
    for (std::size_t i = 0; i + 2 <= v.data.size(); i += 2)
        w.push_back(static_cast<char16_t>(v.data[i] | (v.data[i + 1] << 8)));
    return WideToAnsi(w);
}

std::vector<BYTE> WideBytesOf(const BYTE* data, DWORD size) {
    std::vector<BYTE> out;
    out.reserve(size * 2u);
    for (DWORD i = 0; i < size; ++i) {
        char16_t c = AnsiToWide(data[i]);
        out.push_back(static_cast<BYTE>(c & 0xFF));
        out.push_back(static_cast<BYTE>(c >> 8));
    }
    return out;
}

// Copies a value's data for an ANSI call into a buffer of `capacity` bytes; `needed` gets its size.
// Nothing is written when it does not fit. A string stored without its terminating zero gets one in
// the buffer when there is room (NT does this; the size does not count it).
LONG CopyData(const RegValue& v, LPBYTE data, DWORD capacity, DWORD& needed) {
    if (IsStringType(v.type)) {
        std::string ansi = AnsiOf(v);
        needed = static_cast<DWORD>(ansi.size());
        if (!data || ansi.empty()) return ERROR_SUCCESS;
        if (needed > capacity) return static_cast<LONG>(ERROR_MORE_DATA);
        std::memcpy(data, ansi.data(), ansi.size());
        if (needed < capacity && ansi.back() != '\0') data[needed] = 0;
        return ERROR_SUCCESS;
    }
    needed = static_cast<DWORD>(v.data.size());
    if (!data || v.data.empty()) return ERROR_SUCCESS;
    if (needed > capacity) return static_cast<LONG>(ERROR_MORE_DATA);
    std::memcpy(data, v.data.data(), v.data.size());
    return ERROR_SUCCESS;
}

FILETIME ToFileTime(std::uint64_t t) {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(t & 0xFFFFFFFFu);
    ft.dwHighDateTime = static_cast<DWORD>(t >> 32);
    return ft;
}

}  // namespace

MachineRegistry::MachineRegistry(Prefix& prefix, Faults& faults) : prefix_(prefix), faults_(faults) {}

MachineRegistry::~MachineRegistry() {
    FlushAll();
}

// ---- hives ----

void MachineRegistry::EnsureLoaded() {
    if (loaded_) return;
    loaded_ = true;
    machine_.file = prefix_.HivePath("system.reg");
    machine_.label = "HKLM";
    machine_.relativeTo = "\\\\Machine";
    user_.file = prefix_.HivePath("user.reg");
    user_.label = "HKCU";
    user_.relativeTo = "\\\\User\\\\S-1-5-21-0-0-0-1000";
    Load(machine_);
    Load(user_);
    // HKEY_USERS shows the current user's hive under its SID; it is not a file of its own.
    users_ = std::make_shared<RegNode>(u"", FileTimeNow());
    user_.root->set_name(kUserSid);
    users_->LinkSubkey(user_.root);
}

void MachineRegistry::Load(HiveState& hive) {
    hive.root = std::make_shared<RegNode>(u"", 0);
    hive.arch = "win64";
    int fd = ::open(hive.file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno != ENOENT) hive.loadError = hive.file + ": cannot be read: " + std::strerror(errno);
        hive.root->set_modified(FileTimeNow());
        return;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        hive.loadError = hive.file + ": cannot be read: not a regular file";
        return;
    }
    std::string text;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            hive.loadError = hive.file + ": cannot be read: " + std::strerror(errno);
            break;
        }
        if (n == 0) break;
        text.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (!hive.loadError.empty()) return;
    HiveReadResult r = ReadHive(text, *hive.root);
    if (!r.error.empty()) hive.loadError = hive.file + ": " + r.error;
    if (!r.arch.empty()) hive.arch = r.arch;
    if (hive.root->modified() == 0) hive.root->set_modified(FileTimeNow());
}

LONG MachineRegistry::Save(HiveState& hive) {
    if (!hive.dirty) return ERROR_SUCCESS;
    if (!hive.loadError.empty()) return static_cast<LONG>(ERROR_BADDB);
    std::string text = WriteHive(*hive.root, hive.relativeTo, hive.arch);
    // A hive that is a link to a file elsewhere is replaced where it really lives, so the link stays.
    std::string target = hive.file;
    if (char* real = ::realpath(hive.file.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    std::string dir = target.substr(0, target.find_last_of('/'));
    if (!dir.empty()) ::mkdir(dir.c_str(), 0777);
    std::string tmp = target + ".tmp-" + std::to_string(::getpid());
    // The hive on disk stays as it was; the change stays in memory (the hive stays dirty), so a later
    // flush tries again, and the caller learns why it failed.
    auto fail = [&](const char* what, int fd) {
        int error = errno;
        saveError_ = std::string("writing ") + hive.file + ": " + what + ": " + std::strerror(error);
        if (fd >= 0) ::close(fd);
        ::unlink(tmp.c_str());
        switch (error) {
            case ENOSPC:
            case EDQUOT:
                return static_cast<LONG>(ERROR_DISK_FULL);
            case EACCES:
            case EPERM:
            case EROFS:
                return static_cast<LONG>(ERROR_ACCESS_DENIED);
            default:
                return static_cast<LONG>(ERROR_CANTWRITE);
        }
    };
    if (faults_.hiveSpaceLeft) {
        if (*faults_.hiveSpaceLeft < text.size()) {
            errno = ENOSPC;
            return fail("write", -1);
        }
        *faults_.hiveSpaceLeft -= text.size();
    }
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return fail("create", -1);
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return fail("write", fd);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) return fail("fsync", fd);
    if (::close(fd) != 0) return fail("close", -1);
    if (::rename(tmp.c_str(), target.c_str()) != 0) return fail("rename", -1);
    if (int dfd = ::open(dir.empty() ? "/" : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    hive.dirty = false;
    return ERROR_SUCCESS;
}

LONG MachineRegistry::FlushAll() {
    if (!loaded_) return ERROR_SUCCESS;
    LONG a = Save(machine_);
    LONG b = Save(user_);
    return a ? a : b;
}

std::string MachineRegistry::LoadError(Hive hive) {
    EnsureLoaded();
    return hive == Hive::Machine ? machine_.loadError : user_.loadError;
}

MachineRegistry::HiveState* MachineRegistry::HiveOf(const RegNode* node) {
    const RegNode* root = node->Root();
    if (root == machine_.root.get()) return &machine_;
    if (root == user_.root.get()) return &user_;
    return nullptr;
}

// ---- handles and paths ----

MachineRegistry::Target MachineRegistry::Resolve(HKEY key) {
    EnsureLoaded();
    Target t;
    auto value = reinterpret_cast<std::uintptr_t>(key);
    t.access = KEY_ALL_ACCESS;
    switch (value) {
        case kLocalMachine:
            t.node = machine_.root;
            return t;
        case kCurrentUser:
            t.node = user_.root;
            return t;
        case kUsers:
            t.node = users_;
            return t;
        case kClassesRoot: {
            auto software = machine_.root->FindSubkey(u"Software");
            if (!software) software = machine_.root->AddSubkey(u"Software", FileTimeNow());
            auto classes = software->FindSubkey(u"Classes");
            if (!classes) classes = software->AddSubkey(u"Classes", FileTimeNow());
            t.node = classes;
            return t;
        }
        default:
            break;
    }
    auto it = handles_.find(value);
    if (it == handles_.end()) {
        t.error = static_cast<LONG>(ERROR_INVALID_HANDLE);
        return t;
    }
    t = it->second;
    if (t.node->deleted()) t.error = static_cast<LONG>(ERROR_KEY_DELETED);
    return t;
}

HKEY MachineRegistry::NewHandle(std::shared_ptr<RegNode> node, REGSAM access) {
    std::uintptr_t value = nextHandle_;
    nextHandle_ += 4;
    Target t;
    t.node = std::move(node);
    t.access = access;
    handles_[value] = std::move(t);
    return reinterpret_cast<HKEY>(value);
}

std::string MachineRegistry::KeyPath(const RegNode* node) {
    std::vector<const RegNode*> chain;
    for (const RegNode* n = node; n->parent(); n = n->parent())
        chain.push_back(n);
    const HiveState* hive = HiveOf(node);
    std::string path = hive ? hive->label : "HKU";
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        path += "\\" + WideToAnsi((*it)->name());
    return path;
}

// A refused key refuses everything below it too, as an access list that denies writing would.
bool MachineRegistry::Refused(const RegNode* node) {
    return !faults_.refusedKeys.empty() && RefusedPath(KeyPath(node));
}

bool MachineRegistry::RefusedPath(const std::string& path) {
    if (faults_.refusedKeys.empty()) return false;
    auto refusedPrefix = [&](const std::string& p) {
        for (std::size_t i = 0; i <= p.size(); ++i)
            if ((i == p.size() || p[i] == '\\') && faults_.IsKeyRefused(p.substr(0, i))) return true;
        return false;
    };
    if (refusedPrefix(path)) return true;
    static constexpr std::string_view kClasses = "HKLM\\Software\\Classes";
    if (path.size() >= kClasses.size() && EqualNoCase(path.substr(0, kClasses.size()), kClasses) &&
        (path.size() == kClasses.size() || path[kClasses.size()] == '\\'))
        return refusedPrefix("HKCR" + path.substr(kClasses.size()));
    return false;
}

LONG MachineRegistry::CheckWritable(const RegNode* node) {
    if (node->deleted()) return static_cast<LONG>(ERROR_KEY_DELETED);
    HiveState* hive = HiveOf(node);
    if (!hive) return static_cast<LONG>(ERROR_ACCESS_DENIED);
    if (!hive->loadError.empty()) return static_cast<LONG>(ERROR_BADDB);
    if (Refused(node)) return static_cast<LONG>(ERROR_ACCESS_DENIED);
    return ERROR_SUCCESS;
}

void MachineRegistry::Touch(RegNode* node) {
    node->set_modified(FileTimeNow());
    if (node->isVolatile()) return;
    if (HiveState* hive = HiveOf(node)) hive->dirty = true;
}

bool MachineRegistry::IsWindows9x() {
    auto software = user_.root->FindSubkey(u"Software");
    auto wine = software ? software->FindSubkey(u"Wine") : nullptr;
    const RegValue* v = wine ? wine->FindValue(u"Version") : nullptr;
    if (!v || !IsStringType(v->type)) return false;
    std::string version = ToLowerAscii(AnsiOf(*v).c_str());
    return version == "win95" || version == "win98" || version == "winme";
}

LONG MachineRegistry::FindExisting(HKEY key, LPCSTR subKey, std::shared_ptr<RegNode>& node,
                                   std::vector<std::u16string>& parts) {
    Target base = Resolve(key);
    if (base.error) return base.error;
    if (LONG rc = SplitPath(subKey, parts)) return rc;
    node = base.node;
    for (const auto& p : parts) {
        node = node->FindSubkey(p);
        if (!node) return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    }
    return ERROR_SUCCESS;
}

// ---- the calls ----

LONG MachineRegistry::RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM access, PHKEY result) {
    if (!result) return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    *result = nullptr;
    std::shared_ptr<RegNode> node;
    std::vector<std::u16string> parts;
    if (LONG rc = FindExisting(key, subKey, node, parts)) return rc;
    access = MapAccess(access);
    if ((access & kWriteAccess) && Refused(node.get())) return static_cast<LONG>(ERROR_ACCESS_DENIED);
    *result = NewHandle(node, access);
    return ERROR_SUCCESS;
}

LONG MachineRegistry::RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR className, DWORD options,
                                      REGSAM access, LPSECURITY_ATTRIBUTES, PHKEY result,
                                      LPDWORD disposition) {
    if (!result) return static_cast<LONG>(ERROR_BADKEY);
    *result = nullptr;
    Target base = Resolve(key);
    if (base.error) return base.error;
    std::vector<std::u16string> parts;
    if (LONG rc = SplitPath(subKey, parts)) return rc;

    std::shared_ptr<RegNode> node = base.node;
    std::size_t i = 0;
    for (; i < parts.size(); ++i) {
        auto child = node->FindSubkey(parts[i]);
        if (!child) break;
        node = child;
    }
    if (node->deleted()) return static_cast<LONG>(ERROR_KEY_DELETED);
    bool created = i < parts.size();
    std::string path = KeyPath(node.get());
    for (std::size_t k = i; k < parts.size(); ++k)
        path += "\\" + WideToAnsi(parts[k]);
    if (RefusedPath(path)) return static_cast<LONG>(ERROR_ACCESS_DENIED);
    if (created) {
        HiveState* hive = HiveOf(node.get());
        if (!hive) return static_cast<LONG>(ERROR_ACCESS_DENIED);
        if (!hive->loadError.empty()) return static_cast<LONG>(ERROR_BADDB);
        bool isVolatile = (options & REG_OPTION_VOLATILE) != 0;
        if (node->isVolatile() && !isVolatile) return kErrorChildMustBeVolatile;
        for (; i < parts.size(); ++i) {
            Touch(node.get());
            node = node->AddSubkey(parts[i], FileTimeNow());
            node->set_volatile(isVolatile);
            Touch(node.get());
        }
    }
    if (created && className && *className) node->set_className(AnsiToWide(std::string_view(className)));
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = NewHandle(node, MapAccess(access));
    return ERROR_SUCCESS;
}

LONG MachineRegistry::RegSetValueExA(HKEY key, LPCSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
    Target t = Resolve(key);
    if (t.error) return t.error;
    if (!(t.access & KEY_SET_VALUE)) return static_cast<LONG>(ERROR_ACCESS_DENIED);
    if (!data && size) return kErrorNoAccess;
    if (LONG rc = CheckWritable(t.node.get())) return rc;
    std::vector<BYTE> stored;
    if (IsStringType(type)) {
        // A caller that forgot to count the terminating zero gets it counted: NT reads one byte past the
        // given size to decide this, and so do we.
        if (size && data[size - 1] && !data[size]) ++size;
        stored = WideBytesOf(data, size);
    } else if (size) {
        stored.assign(data, data + size);
    }
    if (t.node->SetValue(NameOf(name), type, std::move(stored))) Touch(t.node.get());
    return ERROR_SUCCESS;
}

LONG MachineRegistry::RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                       LPDWORD size) {
    if ((data && !size) || reserved) return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    Target t = Resolve(key);
    if (t.error) return t.error;
    if (!(t.access & KEY_QUERY_VALUE)) return static_cast<LONG>(ERROR_ACCESS_DENIED);
    DWORD capacity = size ? *size : 0;
    if (!data && size) *size = 0;
    // A missing value reports REG_NONE, as Windows 9x and Wine do (NT leaves garbage there).
    if (type) *type = REG_NONE;
    const RegValue* v = t.node->FindValue(NameOf(name));
    if (!v) return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    DWORD needed = 0;
    LONG rc = CopyData(*v, data, capacity, needed);
    if (type) *type = v->type;
    if (size) *size = needed;
    return rc;
}

LONG MachineRegistry::RegSetValueA(HKEY key, LPCSTR subKey, DWORD type, LPCSTR data, DWORD) {
    // The size argument is ignored: Windows takes the length of the text.
    if (type != REG_SZ || !data) return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    HKEY target = key;
    if (subKey && *subKey) {
        LONG rc = RegCreateKeyExA(key, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                                  &target, nullptr);
        if (rc) return rc;
    }
    LONG rc = RegSetValueExA(target, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                             static_cast<DWORD>(std::strlen(data) + 1));
    if (target != key) RegCloseKey(target);
    return rc;
}

LONG MachineRegistry::RegQueryValueA(HKEY key, LPCSTR subKey, LPSTR data, LONG* size) {
    HKEY target = key;
    if (subKey && *subKey) {
        LONG rc = RegOpenKeyExA(key, subKey, 0, KEY_QUERY_VALUE, &target);
        if (rc) return rc;
    }
    LONG rc = RegQueryValueExA(target, nullptr, nullptr, nullptr, reinterpret_cast<LPBYTE>(data),
                               reinterpret_cast<LPDWORD>(size));
    if (target != key) RegCloseKey(target);
    if (rc == static_cast<LONG>(ERROR_FILE_NOT_FOUND)) {
        // A key without a default value reads as the empty text.
        if (data) *data = 0;
        if (size) *size = 1;
        rc = ERROR_SUCCESS;
    }
    return rc;
}

LONG MachineRegistry::RegDeleteValueA(HKEY key, LPCSTR name) {
    Target t = Resolve(key);
    if (t.error) return t.error;
    if (!(t.access & KEY_SET_VALUE)) return static_cast<LONG>(ERROR_ACCESS_DENIED);
    if (LONG rc = CheckWritable(t.node.get())) return rc;
    if (!t.node->DeleteValue(NameOf(name))) return static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    Touch(t.node.get());
    return ERROR_SUCCESS;
}

LONG MachineRegistry::DeleteKeyNode(const std::shared_ptr<RegNode>& node, bool recursive) {
    RegNode* parent = node->parent();
    if (!parent || node == users_->FindSubkey(kUserSid)) return static_cast<LONG>(ERROR_ACCESS_DENIED);
    if (LONG rc = CheckWritable(node.get())) return rc;
    if (!node->subkeys().empty() && !recursive) return static_cast<LONG>(ERROR_ACCESS_DENIED);
    bool wasVolatile = node->isVolatile();
    parent->RemoveSubkey(node.get());
    parent->set_modified(FileTimeNow());
    if (HiveState* hive = HiveOf(parent); hive && !wasVolatile) hive->dirty = true;
    return ERROR_SUCCESS;
}

LONG MachineRegistry::RegDeleteKeyA(HKEY key, LPCSTR subKey) {
    if (!subKey) return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    std::shared_ptr<RegNode> node;
    std::vector<std::u16string> parts;
    if (LONG rc = FindExisting(key, subKey, node, parts)) return rc;
    // NT refuses to delete a key that still has subkeys; Windows 9x took the whole tree.
    return DeleteKeyNode(node, IsWindows9x());
}

LONG MachineRegistry::RegDeleteTreeA(HKEY key, LPCSTR subKey) {
    std::shared_ptr<RegNode> node;
    std::vector<std::u16string> parts;
    if (LONG rc = FindExisting(key, subKey, node, parts)) return rc;
    if (!parts.empty()) return DeleteKeyNode(node, true);
    // Without a subkey the key itself stays, emptied.
    if (LONG rc = CheckWritable(node.get())) return rc;
    while (!node->subkeys().empty())
        node->RemoveSubkey(node->subkeys().back().get());
    node->ClearValues();
    Touch(node.get());
    return ERROR_SUCCESS;
}

LONG MachineRegistry::RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                                    LPSTR className, LPDWORD classSize, FILETIME* lastWrite) {
    if (!name || !nameSize || reserved) return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    Target t = Resolve(key);
    if (t.error) return t.error;
    if (!(t.access & KEY_ENUMERATE_SUB_KEYS)) return static_cast<LONG>(ERROR_ACCESS_DENIED);
    const auto& subkeys = t.node->subkeys();
    if (index >= subkeys.size()) return static_cast<LONG>(ERROR_NO_MORE_ITEMS);
    const RegNode& k = *subkeys[index];
    std::string ansi = WideToAnsi(k.name());
    std::string cls = k.className() ? WideToAnsi(*k.className()) : std::string();
    if (ansi.size() >= *nameSize || (className && classSize && cls.size() >= *classSize))
        return static_cast<LONG>(ERROR_MORE_DATA);
    std::memcpy(name, ansi.c_str(), ansi.size() + 1);
    *nameSize = static_cast<DWORD>(ansi.size());
    if (classSize) {
        if (className) std::memcpy(className, cls.c_str(), cls.size() + 1);
        *classSize = static_cast<DWORD>(cls.size());
    }
    if (lastWrite) *lastWrite = ToFileTime(k.modified());
    return ERROR_SUCCESS;
}

LONG MachineRegistry::RegEnumValueA(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                                    LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    if (!name || !nameSize || (data && !dataSize) || reserved)
        return static_cast<LONG>(ERROR_INVALID_PARAMETER);
    Target t = Resolve(key);
    if (t.error) return t.error;
    if (!(t.access & KEY_QUERY_VALUE)) return static_cast<LONG>(ERROR_ACCESS_DENIED);
    const auto& values = t.node->values();
    if (index >= values.size()) return static_cast<LONG>(ERROR_NO_MORE_ITEMS);
    const RegValue& v = values[index];
    DWORD needed = 0;
    LONG rc = CopyData(v, data, dataSize ? *dataSize : 0, needed);
    if (!rc) {
        std::string ansi = WideToAnsi(v.name);
        if (ansi.size() >= *nameSize) {
            rc = static_cast<LONG>(ERROR_MORE_DATA);
        } else {
            std::memcpy(name, ansi.c_str(), ansi.size() + 1);
            *nameSize = static_cast<DWORD>(ansi.size());
        }
    }
    if (type) *type = v.type;
    if (dataSize) *dataSize = needed;
    return rc;
}

LONG MachineRegistry::RegCloseKey(HKEY key) {
    auto value = reinterpret_cast<std::uintptr_t>(key);
    if (value >= kClassesRoot && value <= kUsers) return ERROR_SUCCESS;
    auto it = handles_.find(value);
    if (it == handles_.end()) return static_cast<LONG>(ERROR_INVALID_HANDLE);
    handles_.erase(it);
    // The setup opens and closes its keys around each piece of work: with no key open, its changes
    // reach the disk, so an interrupted run leaves everything written so far.
    if (handles_.empty()) FlushAll();
    return ERROR_SUCCESS;
}

LONG MachineRegistry::RegFlushKey(HKEY key) {
    Target t = Resolve(key);
    if (t.error) return t.error;
    HiveState* hive = HiveOf(t.node.get());
    return hive ? Save(*hive) : ERROR_SUCCESS;
}

}  // namespace platform
