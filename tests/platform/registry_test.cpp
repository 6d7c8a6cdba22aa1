#include "platform/machine/registry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/machine/faults.h"
#include "platform/machine/prefix.h"
#include "support/temp_prefix.h"

namespace platform {
namespace {

using testing_support::HostExists;
using testing_support::ReadHostFile;
using testing_support::TempDir;
using testing_support::WriteHostFile;

constexpr BYTE kFill = 0xCC;

// A registry over a prefix of its own, re-creatable to see what reached the files.
class RegistryTest : public ::testing::Test {
  protected:
    RegistryTest() : prefix_(dir_.path()) { Reopen(); }

    void Reopen() {
        reg_.reset();
        reg_ = std::make_unique<MachineRegistry>(prefix_, faults_);
    }
    std::string SystemReg() const { return dir_.path() + "/system.reg"; }
    std::string UserReg() const { return dir_.path() + "/user.reg"; }

    HKEY Create(HKEY root, const char* path, DWORD* disposition = nullptr, LONG* rc = nullptr) {
        HKEY k = nullptr;
        LONG r = reg_->RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                       nullptr, &k, disposition);
        if (rc) *rc = r;
        return r == ERROR_SUCCESS ? k : nullptr;
    }
    LONG SetSz(HKEY k, const char* name, const char* text) {
        return reg_->RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                    static_cast<DWORD>(std::strlen(text) + 1));
    }
    std::string GetSz(HKEY k, const char* name) {
        char buf[512];
        DWORD size = sizeof buf, type = 0;
        if (reg_->RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) !=
            ERROR_SUCCESS)
            return "<missing>";
        return std::string(buf, size ? size - 1 : 0);
    }
    std::vector<std::string> SubkeyNames(HKEY k) {
        std::vector<std::string> names;
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD n = sizeof name;
            if (reg_->RegEnumKeyExA(k, i, name, &n, nullptr, nullptr, nullptr, nullptr)) break;
            names.emplace_back(name, n);
        }
        return names;
    }

    TempDir dir_;
    Prefix prefix_;
    Faults faults_;
    std::unique_ptr<MachineRegistry> reg_;
};

TEST_F(RegistryTest, QueryBufferSizesAndSentinels) {
    HKEY k = Create(HKEY_LOCAL_MACHINE, "Software\\T");
    ASSERT_NE(k, nullptr);
    ASSERT_EQ(SetSz(k, "S", "abcdef"), ERROR_SUCCESS);  // 7 bytes with its zero
    const BYTE bin[] = {1, 0, 2};
    ASSERT_EQ(reg_->RegSetValueExA(k, "B", 0, REG_BINARY, bin, 3), ERROR_SUCCESS);
    // "abc" given without its zero in a buffer that has one after it: NT counts the zero.
    ASSERT_EQ(reg_->RegSetValueExA(k, "N", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3),
              ERROR_SUCCESS);
    // "abc" cut to two bytes: stored without zero; a query adds one when there is room.
    ASSERT_EQ(reg_->RegSetValueExA(k, "C", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 2),
              ERROR_SUCCESS);

    struct Row {
        const char* name;
        DWORD bufSize;
        LONG rc;
        DWORD size;           // *size after the call
        std::string written;  // bytes changed in the buffer
    };
    const Row rows[] = {
        {"S", 100, ERROR_SUCCESS, 7, std::string("abcdef\0", 7)},
        {"S", 7, ERROR_SUCCESS, 7, std::string("abcdef\0", 7)},
        {"S", 6, static_cast<LONG>(ERROR_MORE_DATA), 7, ""},
        {"B", 3, ERROR_SUCCESS, 3, std::string("\1\0\2", 3)},
        {"B", 2, static_cast<LONG>(ERROR_MORE_DATA), 3, ""},
        {"N", 100, ERROR_SUCCESS, 4, std::string("abc\0", 4)},
        {"N", 3, static_cast<LONG>(ERROR_MORE_DATA), 4, ""},
        {"C", 100, ERROR_SUCCESS, 2, std::string("ab\0", 3)},
        {"C", 2, ERROR_SUCCESS, 2, "ab"},
        {"missing", 100, static_cast<LONG>(ERROR_FILE_NOT_FOUND), 100, ""},
    };
    for (const auto& row : rows) {
        BYTE buf[128];
        std::memset(buf, kFill, sizeof buf);
        DWORD size = row.bufSize, type = 0xdead;
        LONG rc = reg_->RegQueryValueExA(k, row.name, nullptr, &type, buf, &size);
        EXPECT_EQ(rc, row.rc) << row.name << " " << row.bufSize;
        EXPECT_EQ(size, row.size) << row.name << " " << row.bufSize;
        std::size_t written = sizeof buf;
        while (written && buf[written - 1] == kFill)
            --written;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), written), row.written) << row.name;
        if (rc == static_cast<LONG>(ERROR_FILE_NOT_FOUND)) {
            EXPECT_EQ(type, REG_NONE);
        }
    }
    // Size query: NULL data.
    DWORD size = 1, type = 0;
    EXPECT_EQ(reg_->RegQueryValueExA(k, "S", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 7u);
    EXPECT_EQ(type, REG_SZ);
    // Data without a size is refused.
    BYTE b[4];
    EXPECT_EQ(reg_->RegQueryValueExA(k, "S", nullptr, nullptr, b, nullptr),
              static_cast<LONG>(ERROR_INVALID_PARAMETER));
    reg_->RegCloseKey(k);
}

TEST_F(RegistryTest, AnsiTextKeepsItsCodePage) {
    HKEY k = Create(HKEY_CURRENT_USER, "Software\\Caf\xe9");
    ASSERT_NE(k, nullptr);
    ASSERT_EQ(SetSz(k, "Pr\xe9nom", "\x80 5 \xe9t\xe9"), ERROR_SUCCESS);
    reg_->RegCloseKey(k);
    // Stored as Wine stores it: UTF-16, written with escapes.
    std::string text = ReadHostFile(UserReg());
    EXPECT_NE(text.find("[Software\\\\Caf\\xe9]"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Pr\\xe9nom\"=\"\\x20ac 5 \\xe9t\\xe9\""), std::string::npos) << text;
    Reopen();
    HKEY again = nullptr;
    ASSERT_EQ(reg_->RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\CAF\xc9", 0, KEY_READ, &again),
              ERROR_SUCCESS);
    EXPECT_EQ(GetSz(again, "pr\xc9nom"), "\x80 5 \xe9t\xe9");
    reg_->RegCloseKey(again);
}

TEST_F(RegistryTest, CreateOpenAndNames) {
    DWORD disp = 0;
    HKEY k = Create(HKEY_LOCAL_MACHINE, "Software\\Vendor\\App\\1.0", &disp);
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(disp, REG_CREATED_NEW_KEY);
    reg_->RegCloseKey(k);
    k = Create(HKEY_LOCAL_MACHINE, "software\\VENDOR\\app\\1.0\\", &disp);
    EXPECT_EQ(disp, REG_OPENED_EXISTING_KEY);
    reg_->RegCloseKey(k);

    LONG rc = 0;
    EXPECT_EQ(Create(HKEY_LOCAL_MACHINE, "\\Software\\Lead", nullptr, &rc), nullptr);
    EXPECT_EQ(rc, static_cast<LONG>(ERROR_BAD_PATHNAME));
    HKEY h = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(reg_->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Vendor\\Nope", 0, KEY_READ, &h),
              static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(h, nullptr);

    // Names keep the case they were created with.
    HKEY vendor = nullptr;
    ASSERT_EQ(reg_->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VENDOR", 0, KEY_READ, &vendor),
              ERROR_SUCCESS);
    EXPECT_EQ(SubkeyNames(vendor), std::vector<std::string>{"App"});
    // A subkey relative to an open key, and a too small name buffer.
    HKEY sub = Create(vendor, "Zeta\\Deep", &disp);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(disp, REG_CREATED_NEW_KEY);
    EXPECT_EQ(SubkeyNames(vendor), (std::vector<std::string>{"App", "Zeta"}));
    char name[4];
    std::memset(name, kFill, sizeof name);
    DWORD n = 3;  // "App" needs 4 with its zero
    EXPECT_EQ(reg_->RegEnumKeyExA(vendor, 0, name, &n, nullptr, nullptr, nullptr, nullptr),
              static_cast<LONG>(ERROR_MORE_DATA));
    EXPECT_EQ(static_cast<BYTE>(name[3]), kFill);
    EXPECT_EQ(reg_->RegEnumKeyExA(vendor, 2, name, &n, nullptr, nullptr, nullptr, nullptr),
              static_cast<LONG>(ERROR_NO_MORE_ITEMS));
    reg_->RegCloseKey(sub);
    reg_->RegCloseKey(vendor);
    EXPECT_EQ(reg_->RegCloseKey(vendor), static_cast<LONG>(ERROR_INVALID_HANDLE));
}

TEST_F(RegistryTest, EnumerationKeepsCreationOrder) {
    HKEY k = Create(HKEY_LOCAL_MACHINE, "Software\\Order");
    for (const char* name : {"zeta", "Alpha", "mid"}) {
        HKEY s = Create(k, name);
        reg_->RegCloseKey(s);
        SetSz(k, name, name);
    }
    EXPECT_EQ(SubkeyNames(k), (std::vector<std::string>{"zeta", "Alpha", "mid"}));
    char name[16];
    BYTE data[16];
    std::vector<std::string> values;
    for (DWORD i = 0;; ++i) {
        DWORD n = sizeof name, cb = sizeof data, type = 0;
        if (reg_->RegEnumValueA(k, i, name, &n, nullptr, &type, data, &cb)) break;
        values.emplace_back(name, n);
        EXPECT_EQ(cb, n + 1);
    }
    EXPECT_EQ(values, (std::vector<std::string>{"zeta", "Alpha", "mid"}));
    reg_->RegCloseKey(k);
    // Order survives the file.
    Reopen();
    ASSERT_EQ(reg_->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Order", 0, KEY_READ, &k), ERROR_SUCCESS);
    EXPECT_EQ(SubkeyNames(k), (std::vector<std::string>{"zeta", "Alpha", "mid"}));
    reg_->RegCloseKey(k);
}

TEST_F(RegistryTest, AccessRightsOfHandles) {
    HKEY k = Create(HKEY_LOCAL_MACHINE, "Software\\Acc");
    reg_->RegCloseKey(k);
    HKEY ro = nullptr;
    ASSERT_EQ(reg_->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Acc", 0, KEY_READ, &ro), ERROR_SUCCESS);
    EXPECT_EQ(SetSz(ro, "x", "1"), static_cast<LONG>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(reg_->RegDeleteValueA(ro, "x"), static_cast<LONG>(ERROR_ACCESS_DENIED));
    reg_->RegCloseKey(ro);
    HKEY wo = nullptr;
    ASSERT_EQ(reg_->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Acc", 0, KEY_SET_VALUE, &wo), ERROR_SUCCESS);
    EXPECT_EQ(SetSz(wo, "x", "1"), ERROR_SUCCESS);
    DWORD size = 0;
    EXPECT_EQ(reg_->RegQueryValueExA(wo, "x", nullptr, nullptr, nullptr, &size),
              static_cast<LONG>(ERROR_ACCESS_DENIED));
    reg_->RegCloseKey(wo);
}

TEST_F(RegistryTest, DefaultValuesTheWin31Way) {
    ASSERT_EQ(reg_->RegSetValueA(HKEY_CLASSES_ROOT, ".ovp", REG_SZ, "Ovra.Project", 0), ERROR_SUCCESS);
    char buf[32];
    std::memset(buf, kFill, sizeof buf);
    LONG size = sizeof buf;
    EXPECT_EQ(reg_->RegQueryValueA(HKEY_LOCAL_MACHINE, "Software\\Classes\\.ovp", buf, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 13);
    EXPECT_STREQ(buf, "Ovra.Project");
    size = 12;
    EXPECT_EQ(reg_->RegQueryValueA(HKEY_CLASSES_ROOT, ".ovp", buf, &size),
              static_cast<LONG>(ERROR_MORE_DATA));
    EXPECT_EQ(size, 13);
    // A key without a default value reads as empty text.
    HKEY k = Create(HKEY_CLASSES_ROOT, "NoDefault");
    reg_->RegCloseKey(k);
    size = sizeof buf;
    EXPECT_EQ(reg_->RegQueryValueA(HKEY_CLASSES_ROOT, "NoDefault", buf, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 1);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(reg_->RegQueryValueA(HKEY_CLASSES_ROOT, "Absent", buf, &size),
              static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(reg_->RegSetValueA(HKEY_CLASSES_ROOT, "x", REG_DWORD, "1", 0),
              static_cast<LONG>(ERROR_INVALID_PARAMETER));
}

TEST_F(RegistryTest, DeleteKeyOnNtRefusesSubkeys) {
    HKEY k = Create(HKEY_LOCAL_MACHINE, "Software\\Del\\Child");
    reg_->RegCloseKey(k);
    EXPECT_EQ(reg_->RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Del"),
              static_cast<LONG>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(reg_->RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Del\\Child"), ERROR_SUCCESS);
    EXPECT_EQ(reg_->RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Del\\Child"),
              static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(reg_->RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Del"), ERROR_SUCCESS);
    EXPECT_EQ(reg_->RegDeleteKeyA(HKEY_LOCAL_MACHINE, nullptr), static_cast<LONG>(ERROR_INVALID_PARAMETER));
}

TEST_F(RegistryTest, DeleteKeyOnWindows9xTakesTheTree) {
    WriteHostFile(UserReg(),
                  "WINE REGISTRY Version 2\n\n[Software\\\\Wine] 1700000000\n\"Version\"=\"win98\"\n");
    Reopen();
    HKEY k = Create(HKEY_LOCAL_MACHINE, "Software\\Del\\Child\\Grandchild");
    reg_->RegCloseKey(k);
    EXPECT_EQ(reg_->RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Del"), ERROR_SUCCESS);
    HKEY h = nullptr;
    EXPECT_EQ(reg_->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Del\\Child", 0, KEY_READ, &h),
              static_cast<LONG>(ERROR_FILE_NOT_FOUND));
}

TEST_F(RegistryTest, DeletedKeyHandleAndDeleteTree) {
    HKEY k = Create(HKEY_LOCAL_MACHINE, "Software\\Gone\\A\\B");
    HKEY gone = nullptr;
    ASSERT_EQ(reg_->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Gone", 0, KEY_ALL_ACCESS, &gone),
              ERROR_SUCCESS);
    SetSz(gone, "v", "1");
    EXPECT_EQ(reg_->RegDeleteTreeA(gone, nullptr), ERROR_SUCCESS);  // empties, keeps the key
    EXPECT_TRUE(SubkeyNames(gone).empty());
    EXPECT_EQ(GetSz(gone, "v"), "<missing>");
    EXPECT_EQ(SetSz(k, "x", "1"), static_cast<LONG>(ERROR_KEY_DELETED));
    EXPECT_EQ(reg_->RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Gone"), ERROR_SUCCESS);
    EXPECT_EQ(SetSz(gone, "x", "1"), static_cast<LONG>(ERROR_KEY_DELETED));
    EXPECT_EQ(reg_->RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Gone"),
              static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    reg_->RegCloseKey(k);
    reg_->RegCloseKey(gone);
}

TEST_F(RegistryTest, RefusedKeysAndTheirSubtrees) {
    faults_.refusedKeys.insert("HKLM\\Software\\KESTRAVION");
    LONG rc = 0;
    EXPECT_EQ(Create(HKEY_LOCAL_MACHINE, "Software\\kestravion", nullptr, &rc), nullptr);
    EXPECT_EQ(rc, static_cast<LONG>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Create(HKEY_LOCAL_MACHINE, "Software\\KESTRAVION\\Ovra\\6.1", nullptr, &rc), nullptr);
    EXPECT_EQ(rc, static_cast<LONG>(ERROR_ACCESS_DENIED));
    HKEY h = nullptr;
    EXPECT_EQ(reg_->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\KESTRAVION", 0, KEY_READ, &h),
              static_cast<LONG>(ERROR_FILE_NOT_FOUND));  // nothing was created on the way
    // The per-user key of the same name is another key.
    HKEY user = Create(HKEY_CURRENT_USER, "Software\\KESTRAVION");
    EXPECT_NE(user, nullptr);
    reg_->RegCloseKey(user);

    // An existing key that becomes refused: readable, not writable.
    faults_.refusedKeys.clear();
    HKEY k = Create(HKEY_LOCAL_MACHINE, "Software\\KESTRAVION\\Ovra");
    SetSz(k, "x", "1");
    reg_->RegCloseKey(k);
    faults_.refusedKeys.insert("hklm\\software\\kestravion\\ovra");
    EXPECT_EQ(reg_->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\KESTRAVION\\Ovra", 0, KEY_ALL_ACCESS, &h),
              static_cast<LONG>(ERROR_ACCESS_DENIED));
    ASSERT_EQ(reg_->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\KESTRAVION\\Ovra", 0, KEY_READ, &h),
              ERROR_SUCCESS);
    EXPECT_EQ(GetSz(h, "x"), "1");
    reg_->RegCloseKey(h);
    EXPECT_EQ(reg_->RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\KESTRAVION\\Ovra"),
              static_cast<LONG>(ERROR_ACCESS_DENIED));
    // Refusal through HKEY_CLASSES_ROOT's name too.
    faults_.refusedKeys.insert("HKCR\\.ovp");
    EXPECT_EQ(reg_->RegSetValueA(HKEY_LOCAL_MACHINE, "Software\\Classes\\.ovp", REG_SZ, "x", 0),
              static_cast<LONG>(ERROR_ACCESS_DENIED));
}

TEST_F(RegistryTest, ChangesReachTheFileWhenTheLastHandleCloses) {
    HKEY outer = Create(HKEY_LOCAL_MACHINE, "Software\\Persist");
    HKEY inner = Create(outer, "Inner");
    SetSz(inner, "v", "1");
    reg_->RegCloseKey(inner);
    EXPECT_FALSE(HostExists(SystemReg()));  // a key is still open
    reg_->RegCloseKey(outer);
    std::string text = ReadHostFile(SystemReg());
    EXPECT_EQ(text.rfind("WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n", 0),
              0u);
    EXPECT_NE(text.find("[Software\\\\Persist\\\\Inner]"), std::string::npos);
    EXPECT_FALSE(HostExists(UserReg()));  // nothing changed there
    for (const auto& e : std::filesystem::directory_iterator(dir_.path()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();

    // RegFlushKey writes with keys still open.
    HKEY u = Create(HKEY_CURRENT_USER, "Software\\Flush");
    SetSz(u, "v", "2");
    EXPECT_EQ(reg_->RegFlushKey(u), ERROR_SUCCESS);
    EXPECT_NE(ReadHostFile(UserReg()).find("\"v\"=\"2\""), std::string::npos);
    reg_->RegCloseKey(u);
}

// A hive that cannot be saved keeps its file as it was and its changes in memory: the flush says why
// (no room: ERROR_DISK_FULL), closing the last key does not lose them, and a later flush with room
// writes them.
TEST_F(RegistryTest, AFailedSaveIsReportedAndTriedAgain) {
    HKEY k = Create(HKEY_LOCAL_MACHINE, "Software\\Kept");
    SetSz(k, "v", "old");
    ASSERT_EQ(reg_->RegFlushKey(k), ERROR_SUCCESS);
    const std::string before = ReadHostFile(SystemReg());

    faults_.hiveSpaceLeft = 10;
    SetSz(k, "v", "new");
    EXPECT_EQ(reg_->RegFlushKey(HKEY_LOCAL_MACHINE), static_cast<LONG>(ERROR_DISK_FULL));
    EXPECT_EQ(reg_->RegCloseKey(k), ERROR_SUCCESS);
    EXPECT_EQ(ReadHostFile(SystemReg()), before);
    EXPECT_NE(reg_->SaveError().find("No space left"), std::string::npos) << reg_->SaveError();
    for (const auto& e : std::filesystem::directory_iterator(dir_.path()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
    EXPECT_EQ(reg_->RegFlushKey(HKEY_CURRENT_USER), ERROR_SUCCESS);  // nothing to write there

    faults_.hiveSpaceLeft.reset();
    EXPECT_EQ(reg_->RegFlushKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
    EXPECT_NE(ReadHostFile(SystemReg()).find("\"v\"=\"new\""), std::string::npos);
}

TEST_F(RegistryTest, WineWrittenHiveSurvivesAChange) {
    const std::string hive =
        "WINE REGISTRY Version 2\n"
        ";; All keys relative to \\\\Machine\n"
        "\n"
        "#arch=win64\n"
        "\n"
        "[Software\\\\Classes\\\\CLSID\\\\{0000}] 1700317595\n"
        "#time=1da1a2b3c4d5e6f\n"
        "#class=\"C\"\n"
        "@=\"Caf\\xe9 \\x20ac\"\n"
        "\"Bin\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\n"
        "  17,18\n"
        "\"Odd\"=hex(1):61,00,62\n"
        "\"Multi\"=str(7):\"a\\0b\\0\"\n"
        "\n"
        "[System\\\\CurrentControlSet] 1700317595\n"
        "#time=1da1a2b3c4d5e6f\n"
        "#link\n"
        "\"SymbolicLinkValue\"=hex(6):5c,00,52,00\n";
    WriteHostFile(SystemReg(), hive);
    Reopen();
    HKEY k = Create(HKEY_LOCAL_MACHINE, "Software\\New");
    SetSz(k, "v", "1");
    reg_->RegCloseKey(k);
    std::string text = ReadHostFile(SystemReg());
    // Everything the change did not touch is there as Wine wrote it (Wine's own line breaks included).
    const std::string untouched = hive.substr(hive.find("[Software\\\\Classes"));
    std::string before = untouched.substr(0, untouched.find("\n\"Bin\""));
    EXPECT_NE(text.find(before), std::string::npos) << text;
    EXPECT_NE(text.find("\"Odd\"=hex(1):61,00,62\n\"Multi\"=str(7):\"a\\0b\\0\"\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("[System\\\\CurrentControlSet] 1700317595\n#time=1da1a2b3c4d5e6f\n#link\n"),
              std::string::npos);
    EXPECT_NE(text.find("[Software\\\\New]"), std::string::npos);
    // Read through the A calls: the odd-sized string is one character, the default value in 1252.
    HKEY clsid = nullptr;
    ASSERT_EQ(reg_->RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID\\{0000}", 0, KEY_READ, &clsid), ERROR_SUCCESS);
    EXPECT_EQ(GetSz(clsid, nullptr), "Caf\xe9 \x80");
    char buf[8];
    DWORD size = sizeof buf;
    EXPECT_EQ(reg_->RegQueryValueExA(clsid, "Odd", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 1u);
    reg_->RegCloseKey(clsid);
}

TEST_F(RegistryTest, DamagedHiveIsNeverOverwritten) {
    const std::string truncated =
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n[Software\\\\Keep] 1700000000\n"
        "\"v\"=\"kept\"\n\"Bin\"=hex:01,02,\\\n";
    WriteHostFile(SystemReg(), truncated);
    Reopen();
    EXPECT_NE(reg_->LoadError(MachineRegistry::Hive::Machine), "");
    EXPECT_EQ(reg_->LoadError(MachineRegistry::Hive::User), "");
    LONG rc = 0;
    EXPECT_EQ(Create(HKEY_LOCAL_MACHINE, "Software\\New", nullptr, &rc), nullptr);
    EXPECT_EQ(rc, static_cast<LONG>(ERROR_BADDB));
    HKEY keep = Create(HKEY_LOCAL_MACHINE, "Software\\Keep");  // exists: opening it changes nothing
    ASSERT_NE(keep, nullptr);
    EXPECT_EQ(GetSz(keep, "v"), "kept");
    EXPECT_EQ(SetSz(keep, "v", "lost"), static_cast<LONG>(ERROR_BADDB));
    EXPECT_EQ(reg_->RegDeleteValueA(keep, "v"), static_cast<LONG>(ERROR_BADDB));
    EXPECT_EQ(reg_->RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Keep"), static_cast<LONG>(ERROR_BADDB));
    reg_->RegCloseKey(keep);
    // The other hive still works.
    HKEY u = Create(HKEY_CURRENT_USER, "Software\\Fine");
    EXPECT_EQ(SetSz(u, "v", "1"), ERROR_SUCCESS);
    reg_->RegCloseKey(u);
    reg_.reset();
    EXPECT_EQ(ReadHostFile(SystemReg()), truncated);
    EXPECT_NE(ReadHostFile(UserReg()).find("Fine"), std::string::npos);
}

TEST_F(RegistryTest, UsersShowsTheCurrentUser) {
    HKEY k = nullptr;
    ASSERT_EQ(reg_->RegCreateKeyExA(HKEY_USERS, "S-1-5-21-0-0-0-1000\\Software\\ViaUsers", 0, nullptr, 0,
                                    KEY_ALL_ACCESS, nullptr, &k, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(SetSz(k, "v", "1"), ERROR_SUCCESS);
    reg_->RegCloseKey(k);
    ASSERT_EQ(reg_->RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\ViaUsers", 0, KEY_READ, &k), ERROR_SUCCESS);
    EXPECT_EQ(GetSz(k, "v"), "1");
    reg_->RegCloseKey(k);
    EXPECT_NE(ReadHostFile(UserReg()).find("[Software\\\\ViaUsers]"), std::string::npos);
    LONG rc = 0;
    EXPECT_EQ(Create(HKEY_USERS, "Other", nullptr, &rc), nullptr);
    EXPECT_EQ(rc, static_cast<LONG>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(reg_->RegDeleteTreeA(HKEY_USERS, "S-1-5-21-0-0-0-1000"),
              static_cast<LONG>(ERROR_ACCESS_DENIED));
}

TEST_F(RegistryTest, LinkedHiveStaysALink) {
    const std::string real = dir_.path() + "/elsewhere.reg";
    WriteHostFile(real, "WINE REGISTRY Version 2\n");
    std::filesystem::create_symlink(real, SystemReg());
    Reopen();
    HKEY k = Create(HKEY_LOCAL_MACHINE, "Software\\Linked");
    reg_->RegCloseKey(k);
    EXPECT_TRUE(std::filesystem::is_symlink(SystemReg()));
    EXPECT_NE(ReadHostFile(real).find("Linked"), std::string::npos);
}

TEST_F(RegistryTest, BadHandlesAndParameters) {
    HKEY bogus = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x1234));
    EXPECT_EQ(SetSz(bogus, "x", "1"), static_cast<LONG>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(reg_->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_READ, nullptr),
              static_cast<LONG>(ERROR_INVALID_PARAMETER));
    HKEY k = Create(HKEY_LOCAL_MACHINE, "Software\\P");
    EXPECT_EQ(reg_->RegSetValueExA(k, "x", 0, REG_BINARY, nullptr, 4), 998);  // ERROR_NOACCESS
    EXPECT_EQ(reg_->RegSetValueExA(k, "z", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
    reg_->RegCloseKey(k);
}

// The public conformance case against Wine's transcript. Wine sorts what it enumerates where Windows
// keeps creation order, so enumerated lines are compared as sets within each listing.
std::vector<std::string> SortListings(const std::string& transcript) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < transcript.size()) {
        std::size_t nl = transcript.find('\n', start);
        if (nl == std::string::npos) nl = transcript.size();
        lines.push_back(transcript.substr(start, nl - start));
        start = nl + 1;
    }
    auto listed = [](const std::string& l, const char* kind) { return l.rfind(kind, 0) == 0; };
    for (const char* kind : {"  key=", "  value="}) {
        for (std::size_t i = 0; i < lines.size();) {
            std::size_t j = i;
            while (j < lines.size() && listed(lines[j], kind))
                ++j;
            std::sort(lines.begin() + static_cast<long>(i), lines.begin() + static_cast<long>(j));
            i = j == i ? i + 1 : j;
        }
    }
    return lines;
}

TEST(RegistryConformance, PublicCaseMatchesWineUpToEnumerationOrder) {
    TempDir dir;
    const std::string conformance = OVRA_CONFORMANCE_DIR;
    const std::string out = dir.path() + "/out.txt";
    std::string cmd = std::string(OVRA_BINARY_DIR) + "/winprobe --prefix " + dir.path() + "/prefix reg < " +
                      conformance + "/cases/reg_a.txt > " + out;
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    std::string expected = ReadHostFile(conformance + "/expected/reg_a.out");
    ASSERT_FALSE(expected.empty());
    std::string ours = ReadHostFile(out);
    EXPECT_EQ(SortListings(ours), SortListings(expected));
    EXPECT_NE(ours, expected) << "enumeration now matches Wine's sorted order: creation order was lost";
}

}  // namespace
}  // namespace platform
