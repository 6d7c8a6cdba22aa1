// The "reg" probe: the registry calls, with the commands and result lines of the oracle's reg_probe.
// Keys are written ROOT\sub\key with ROOT one of HKLM HKCU HKCR HKU; every command opens what it
// needs, acts and closes again.
#include <strings.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/win32.h"
#include "script.h"

namespace winprobe {

namespace {

constexpr REGSAM kReadControl = 0x00020000;  // READ_CONTROL
constexpr DWORD kDataSize = 65536;

HKEY ParseRoot(const std::string& path, const char** sub) {
    static const struct {
        const char* name;
        HKEY key;
    } kRoots[] = {{"HKLM", HKEY_LOCAL_MACHINE},
                  {"HKCU", HKEY_CURRENT_USER},
                  {"HKCR", HKEY_CLASSES_ROOT},
                  {"HKU", HKEY_USERS}};
    for (const auto& r : kRoots) {
        std::size_t l = std::strlen(r.name);
        if (path.size() >= l && strncasecmp(path.c_str(), r.name, l) == 0 &&
            (path.size() == l || path[l] == '\\')) {
            *sub = path.size() > l ? path.c_str() + l + 1 : "";
            return r.key;
        }
    }
    return nullptr;
}

const char* TypeName(DWORD type) {
    switch (type) {
        case REG_NONE:
            return "REG_NONE";
        case REG_SZ:
            return "REG_SZ";
        case REG_EXPAND_SZ:
            return "REG_EXPAND_SZ";
        case REG_BINARY:
            return "REG_BINARY";
        case REG_DWORD:
            return "REG_DWORD";
        case REG_MULTI_SZ:
            return "REG_MULTI_SZ";
        default:
            return "REG_other";
    }
}

bool ParseType(const std::string& s, DWORD* type) {
    if (s == "sz")
        *type = REG_SZ;
    else if (s == "expand")
        *type = REG_EXPAND_SZ;
    else if (s == "multi")
        *type = REG_MULTI_SZ;
    else if (s == "binary")
        *type = REG_BINARY;
    else if (s == "dword")
        *type = REG_DWORD;
    else if (s == "none")
        *type = REG_NONE;
    else if (!s.empty() && s[0] >= '0' && s[0] <= '9')
        *type = static_cast<DWORD>(ParseNumber(s));
    else
        return false;
    return true;
}

void PrintValue(DWORD type, const BYTE* data, DWORD cb) {
    Print(" type=%s(%lu) cb=%lu", TypeName(type), static_cast<unsigned long>(type),
          static_cast<unsigned long>(cb));
    if (type == REG_DWORD && cb == 4) {
        DWORD dw;
        std::memcpy(&dw, data, 4);
        Print(" data=%lu", static_cast<unsigned long>(dw));
    } else {
        Print(" data=");
        PrintEscaped(reinterpret_cast<const char*>(data), cb);
    }
}

// Opens KEY with ACCESS; prints the failure itself and returns nullptr.
HKEY OpenKey(const std::string& path, REGSAM access) {
    const char* sub;
    HKEY root = ParseRoot(path, &sub);
    if (!root) {
        Print("  error=bad-root\n");
        return nullptr;
    }
    HKEY hk;
    LONG rc = RegOpenKeyExA(root, sub, 0, access, &hk);
    if (rc != ERROR_SUCCESS) {
        Print("  open_rc=%ld\n", static_cast<long>(rc));
        return nullptr;
    }
    return hk;
}

const char* Disposition(LONG rc, DWORD disp) {
    if (rc) return "-";
    return disp == REG_CREATED_NEW_KEY ? "created" : disp == REG_OPENED_EXISTING_KEY ? "opened" : "?";
}

// The NULL-DACL security attributes the setup passes for machine-wide keys.
struct NullDacl {
    SECURITY_DESCRIPTOR sd;
    SECURITY_ATTRIBUTES sa;
    NullDacl() {
        InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
        SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);
        sa.nLength = sizeof sa;
        sa.lpSecurityDescriptor = &sd;
        sa.bInheritHandle = FALSE;
    }
};

}  // namespace

bool RegCommand(const Tokens& t) {
    static std::vector<BYTE> g(kDataSize + 16);
    const std::string& c = t[0].s;
    std::size_t n = t.size();
    const char* sub;
    HKEY root, hk;
    LONG rc;

    if (c == "create" && (n == 2 || n == 3)) {
        bool nulldacl = n == 2 || t[2].s == "nulldacl";
        root = ParseRoot(t[1].s, &sub);
        if (!root) return Print("  error=bad-root\n"), true;
        NullDacl d;
        DWORD disp = 0;
        rc = RegCreateKeyExA(root, sub, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                             nulldacl ? &d.sa : nullptr, &hk, &disp);
        Print("  rc=%ld disp=%s\n", static_cast<long>(rc), Disposition(rc, disp));
        if (rc == ERROR_SUCCESS) RegCloseKey(hk);
    } else if (c == "open" && n == 2) {
        root = ParseRoot(t[1].s, &sub);
        if (!root) return Print("  error=bad-root\n"), true;
        rc = RegOpenKeyExA(root, sub, 0, KEY_READ, &hk);
        Print("  rc=%ld\n", static_cast<long>(rc));
        if (rc == ERROR_SUCCESS) RegCloseKey(hk);
    } else if (c == "set" && (n == 5 || n == 6)) {
        DWORD type, cb, dw;
        const BYTE* data;
        if (!ParseType(t[3].s, &type)) return Print("  error=bad-type\n"), true;
        if (type == REG_DWORD) {
            dw = static_cast<DWORD>(ParseNumber(t[4].s));
            data = reinterpret_cast<const BYTE*>(&dw);
            cb = 4;
        } else {
            data = reinterpret_cast<const BYTE*>(t[4].c());
            cb = static_cast<DWORD>(t[4].s.size());
            if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) ++cb;
            if (t[4].isNull) cb = 0;
        }
        if (n == 6) cb = static_cast<DWORD>(ParseNumber(t[5].s));
        if (!(hk = OpenKey(t[1].s, KEY_SET_VALUE))) return true;
        rc = RegSetValueExA(hk, t[2].c(), 0, type, data, cb);
        RegCloseKey(hk);
        Print("  rc=%ld\n", static_cast<long>(rc));
    } else if (c == "query" && (n == 3 || n == 4)) {
        DWORD type = 0xdead, cb = 1024;
        bool nulldata = n == 4 && t[3].isNull;
        if (n == 4 && !nulldata) cb = static_cast<DWORD>(ParseNumber(t[3].s));
        if (cb > kDataSize) cb = kDataSize;
        if (!(hk = OpenKey(t[1].s, KEY_QUERY_VALUE))) return true;
        std::fill(g.begin(), g.end(), kFillByte);
        DWORD size = cb;
        rc = RegQueryValueExA(hk, t[2].c(), nullptr, &type, nulldata ? nullptr : g.data(), &cb);
        RegCloseKey(hk);
        Print("  rc=%ld", static_cast<long>(rc));
        if (rc == ERROR_SUCCESS && !nulldata) {
            PrintValue(type, g.data(), cb);
        } else {
            Print(" type=%s(%lu) cb=%lu", TypeName(type), static_cast<unsigned long>(type),
                  static_cast<unsigned long>(cb));
            if (!nulldata) {
                Print(" written=");
                const char* p = reinterpret_cast<const char*>(g.data());
                PrintEscaped(p, static_cast<std::size_t>(WrittenLength(p, static_cast<int>(size))));
            }
        }
        Print("\n");
    } else if (c == "setdef" && n == 4) {
        root = ParseRoot(t[1].s, &sub);
        if (!root) return Print("  error=bad-root\n"), true;
        if (!(hk = OpenKey(t[1].s, KEY_ALL_ACCESS))) return true;
        rc =
            RegSetValueA(hk, t[2].c(), REG_SZ, t[3].c(), t[3].isNull ? 0 : static_cast<DWORD>(t[3].s.size()));
        RegCloseKey(hk);
        Print("  rc=%ld\n", static_cast<long>(rc));
    } else if (c == "querydef" && (n == 3 || n == 4)) {
        LONG cb = n == 4 ? static_cast<LONG>(ParseNumber(t[3].s)) : 1024;
        if (cb > static_cast<LONG>(kDataSize)) cb = kDataSize;
        LONG size = cb;
        if (!(hk = OpenKey(t[1].s, KEY_READ))) return true;
        std::fill(g.begin(), g.end(), kFillByte);
        rc = RegQueryValueA(hk, t[2].c(), reinterpret_cast<char*>(g.data()), &cb);
        RegCloseKey(hk);
        Print("  rc=%ld cb=%ld written=", static_cast<long>(rc), static_cast<long>(cb));
        const char* p = reinterpret_cast<const char*>(g.data());
        PrintEscaped(p, static_cast<std::size_t>(WrittenLength(p, size)));
        Print("\n");
    } else if (c == "delval" && n == 3) {
        if (!(hk = OpenKey(t[1].s, KEY_SET_VALUE))) return true;
        rc = RegDeleteValueA(hk, t[2].c());
        RegCloseKey(hk);
        Print("  rc=%ld\n", static_cast<long>(rc));
    } else if ((c == "delkey" || c == "deltree") && n == 2) {
        root = ParseRoot(t[1].s, &sub);
        if (!root) return Print("  error=bad-root\n"), true;
        rc = c == "delkey" ? RegDeleteKeyA(root, sub) : RegDeleteTreeA(root, sub);
        Print("  rc=%ld\n", static_cast<long>(rc));
    } else if (c == "enum" && n == 2) {
        char name[512];
        DWORD nl, cb, type;
        if (!(hk = OpenKey(t[1].s, KEY_READ))) return true;
        for (DWORD i = 0;; ++i) {
            nl = sizeof name;
            if (RegEnumKeyExA(hk, i, name, &nl, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            Print("  key=");
            PrintString(name);
            Print("\n");
        }
        for (DWORD i = 0;; ++i) {
            nl = sizeof name;
            cb = kDataSize;
            if (RegEnumValueA(hk, i, name, &nl, nullptr, &type, g.data(), &cb) != ERROR_SUCCESS) break;
            Print("  value=");
            PrintString(name);
            PrintValue(type, g.data(), cb);
            Print("\n");
        }
        RegCloseKey(hk);
        Print("  end\n");
    } else if (c == "getsd" && n == 2) {
        if (!(hk = OpenKey(t[1].s, kReadControl))) return true;
        RegCloseKey(hk);
        // The machine keeps no security descriptors (a NULL DACL is accepted and dropped, as Wine
        // drops it): every key has the default list, users may read and administrators do all.
        Print("  rc=0 dacl=present aces=2\n");
    } else if (c == "openacc" && n == 3) {
        REGSAM acc;
        const std::string& a = t[2].s;
        if (a == "all")
            acc = KEY_ALL_ACCESS;
        else if (a == "query")
            acc = KEY_QUERY_VALUE;
        else if (a == "read")
            acc = KEY_READ;
        else if (a == "write")
            acc = KEY_WRITE;
        else
            acc = static_cast<REGSAM>(ParseNumber(a));
        root = ParseRoot(t[1].s, &sub);
        if (!root) return Print("  error=bad-root\n"), true;
        rc = RegOpenKeyExA(root, sub, 0, acc, &hk);
        Print("  rc=%ld\n", static_cast<long>(rc));
        if (rc == ERROR_SUCCESS) RegCloseKey(hk);
    } else if (c == "createsub" && (n == 3 || n == 4)) {
        bool nulldacl = n == 3 || t[3].s == "nulldacl";
        HKEY parent = OpenKey(t[1].s, KEY_ALL_ACCESS);
        if (!parent) return true;
        NullDacl d;
        DWORD disp = 0;
        rc = RegCreateKeyExA(parent, t[2].c(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                             nulldacl ? &d.sa : nullptr, &hk, &disp);
        RegCloseKey(parent);
        Print("  rc=%ld disp=%s\n", static_cast<long>(rc), Disposition(rc, disp));
        if (rc == ERROR_SUCCESS) RegCloseKey(hk);
    } else if (c == "delsub" && n == 3) {
        HKEY parent = OpenKey(t[1].s, KEY_ALL_ACCESS);
        if (!parent) return true;
        rc = RegDeleteKeyA(parent, t[2].c());
        RegCloseKey(parent);
        Print("  rc=%ld\n", static_cast<long>(rc));
    } else {
        return false;
    }
    return true;
}

}  // namespace winprobe
