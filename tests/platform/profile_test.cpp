#include "platform/machine/profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/last_error.h"
#include "support/fake_files.h"
#include "support/temp_prefix.h"

namespace platform {
namespace {

using namespace std::string_literals;
using testing_support::FakeFiles;

constexpr DWORD kSentinel = 0x0BADF00D;
constexpr unsigned char kFill = 0xCC;
constexpr const char* kIni = "C:\\windows\\t.ini";

// What a read call left behind: its result, the last error and exactly the bytes it wrote.
struct Outcome {
    DWORD ret;
    DWORD err;
    std::string buf;
};

template <typename Fn>
Outcome Call(DWORD size, Fn call) {
    char buffer[512];
    std::memset(buffer, kFill, sizeof buffer);
    SetLastError(kSentinel);
    DWORD ret = call(buffer, size);
    DWORD err = GetLastError();
    std::size_t n = sizeof buffer;
    while (n > 0 && static_cast<unsigned char>(buffer[n - 1]) == kFill)
        --n;
    EXPECT_LE(n, size) << "wrote past the buffer";
    return {ret, err, std::string(buffer, n)};
}

class ProfileTest : public ::testing::Test {
  protected:
    FakeFiles files;
    MachineProfile profile{files};

    Outcome Get(const char* section, const char* key, const char* def, DWORD size, const char* file = kIni) {
        return Call(size, [&](char* b, DWORD s) {
            return profile.GetPrivateProfileStringA(section, key, def, b, s, file);
        });
    }
    Outcome Section(const char* section, DWORD size) {
        return Call(size,
                    [&](char* b, DWORD s) { return profile.GetPrivateProfileSectionA(section, b, s, kIni); });
    }
    Outcome Names(DWORD size) {
        return Call(size,
                    [&](char* b, DWORD s) { return profile.GetPrivateProfileSectionNamesA(b, s, kIni); });
    }
};

struct GetCase {
    const char* section;
    const char* key;
    const char* def;
    DWORD size;
    DWORD ret;
    std::string buf;
};

TEST_F(ProfileTest, GetStringFillsBuffersAsWindowsDoes) {
    files.Put(kIni, "[S]\r\nk=value\r\nq=\"quoted\"\r\nempty=\r\nbare\r\n;note=x\r\n[T]\r\na=1\r\n");
    const GetCase cases[] = {
        {"S", "k", "def", 64, 5, "value\0"s},
        {"S", "k", "def", 6, 5, "value\0"s},  // exactly large enough
        {"S", "k", "def", 5, 4, "valu\0"s},   // one short: truncated, size-1
        {"S", "k", "def", 1, 0, "\0"s},
        {"s", "K", "def", 64, 5, "value\0"s},       // case
        {" S ", " k\t", "def", 64, 5, "value\0"s},  // blanks around the names asked for
        {"S", "nokey", "def", 64, 3, "def\0"s},
        {"S", "nokey", "def  ", 64, 3, "def\0"s},  // trailing blanks of the default
        {"S", "nokey", "   ", 64, 1, " \0"s},      // ... but one of a default of blanks stays
        {"S", "nokey", nullptr, 64, 0, "\0"s},
        {"S", "nokey", "\"d\"", 64, 1, "d\0"s},  // the default loses its quotes too
        {"S", "bare", "def", 64, 3, "def\0"s},   // a line without '=' has no value
        {"S", "empty", "def", 64, 0, "\0"s},     // an empty value is a value
        {"S", ";note", "def", 64, 1, "x\0"s},
        {"S", "q", "def", 64, 6, "quoted\0"s},
        {"S", "q", "def", 8, 6, "quoted\0"s},
        {"S", "q", "def", 7, 5, "quote\0"s},  // the quote goes only when the whole value fitted
        {"NoSuch", "k", "def", 64, 3, "def\0"s},
        {"S", nullptr, "def", 64, 10, "k\0q\0empty\0\0"s},  // keys with '=' of the section
        {"S", nullptr, "def", 6, 4, "k\0q\0\0"s},
        {"S", nullptr, "def", 5, 3, "k\0q\0"s},
        {"NoSuch", nullptr, "def", 64, 3, "def\0"s},
        {nullptr, "k", "def", 64, 4, "S\0T\0\0"s},  // section names
        {nullptr, nullptr, nullptr, 3, 1, "S\0"s},
    };
    for (const GetCase& c : cases) {
        Outcome o = Get(c.section, c.key, c.def, c.size);
        std::string what = std::string(c.section ? c.section : "<null>") + "/" + (c.key ? c.key : "<null>") +
                           " size " + std::to_string(c.size);
        EXPECT_EQ(o.ret, c.ret) << what;
        EXPECT_EQ(o.buf, c.buf) << what;
        EXPECT_EQ(o.err, 0u) << what;
    }
}

TEST_F(ProfileTest, GetStringWithoutBufferTouchesNothing) {
    files.Put(kIni, "[S]\r\nk=v\r\n");
    Outcome o = Get("S", "k", "def", 0);
    EXPECT_EQ(o.ret, 0u);
    EXPECT_EQ(o.buf, "");
    EXPECT_EQ(o.err, kSentinel);
    EXPECT_EQ(profile.GetPrivateProfileStringA("S", "k", "d", nullptr, 10, kIni), 0u);
}

TEST_F(ProfileTest, MissingFileOrDirectoryGivesTheDefault) {
    Outcome o = Get("S", "k", "x", 20);
    EXPECT_EQ(o.ret, 1u);
    EXPECT_EQ(o.buf, "x\0"s);
    EXPECT_EQ(o.err, ERROR_FILE_NOT_FOUND);
    o = Get("S", "k", "x", 20, "C:\\nodir\\a.ini");
    EXPECT_EQ(o.buf, "x\0"s);
    EXPECT_EQ(o.err, ERROR_PATH_NOT_FOUND);
}

TEST_F(ProfileTest, BareNameLivesInTheWindowsDirectory) {
    files.Put("C:\\WINDOWS\\FLAVOUR.INI", "[INSTALL]\r\nCODE=1f\r\n");
    EXPECT_EQ(Get("INSTALL", "CODE", "x", 20, "flavour.ini").buf, "1f\0"s);
    ASSERT_TRUE(profile.WriteProfileStringA("Win", "k", "v"));
    EXPECT_EQ(files.Get("C:\\windows\\win.ini"), "[Win]\r\nk=v\r\n");
    EXPECT_EQ(Call(20, [&](char* b, DWORD s) { return profile.GetProfileStringA("win", "K", "", b, s); }).buf,
              "v\0"s);
}

struct ListCase {
    DWORD size;
    DWORD ret;
    std::string buf;
    DWORD err;
};

TEST_F(ProfileTest, SectionListingEndsInTwoNulsAndReportsOverflow) {
    files.Put(kIni, "[S]\r\nk=value\r\nq=\"quoted\"\r\nempty=\r\n; comment\r\nbare\r\n");
    const ListCase cases[] = {
        {256, 31, "k=value\0q=\"quoted\"\0empty=\0bare\0\0"s, 0},
        {33, 31, "k=value\0q=\"quoted\"\0empty=\0bare\0\0"s, 0},
        {32, 30, "k=value\0q=\"quoted\"\0empty=\0bare\0\0"s, 0},  // exactly full counts as truncated
        {31, 29, "k=value\0q=\"quoted\"\0empty=\0bar\0\0"s, ERROR_INSUFFICIENT_BUFFER},
        {2, 0, "\0\0"s, ERROR_INSUFFICIENT_BUFFER},
    };
    for (const ListCase& c : cases) {
        Outcome o = Section("S", c.size);
        EXPECT_EQ(o.ret, c.ret) << c.size;
        EXPECT_EQ(o.buf, c.buf) << c.size;
        EXPECT_EQ(o.err, c.err) << c.size;
    }
    Outcome missing = Section("NoSuch", 64);
    EXPECT_EQ(missing.ret, 0u);
    EXPECT_EQ(missing.buf, "\0\0"s);
    Outcome null = Section(nullptr, 64);
    EXPECT_EQ(null.buf, "");
    EXPECT_EQ(null.err, ERROR_INVALID_PARAMETER);
}

TEST_F(ProfileTest, SectionNamesListIncludesDuplicatesAndTruncatesCleanly) {
    files.Put(kIni, "top=1\r\n[S]\r\n[T]\r\n[s]\r\n[]\r\n");
    const ListCase cases[] = {
        {64, 6, "S\0T\0s\0\0"s, 0}, {8, 6, "S\0T\0s\0\0"s, 0},
        {7, 5, "S\0T\0s\0"s, 0},  // exactly full: the last name loses its second NUL
        {4, 2, "S\0\0"s, 0},        {1, 0, "\0"s, 0},
    };
    for (const ListCase& c : cases) {
        Outcome o = Names(c.size);
        EXPECT_EQ(o.ret, c.ret) << c.size;
        EXPECT_EQ(o.buf, c.buf) << c.size;
    }
}

TEST_F(ProfileTest, GetIntReadsDecimalHexAndSigns) {
    files.Put(kIni, "[I]\r\ndec=42xyz\r\nhex=0x1F\r\nneg=-5\r\nbad=abc\r\nempty=\r\nbin=0b101\r\n");
    struct {
        const char* key;
        int def;
        UINT expected;
    } cases[] = {{"dec", 7, 42}, {"hex", 7, 31},  {"neg", 7, static_cast<UINT>(-5)},
                 {"bad", 7, 0},  {"empty", 7, 7}, {"nokey", -1, static_cast<UINT>(-1)},
                 {"bin", 7, 5}};
    for (const auto& c : cases)
        EXPECT_EQ(profile.GetPrivateProfileIntA("I", c.key, c.def, kIni), c.expected) << c.key;
}

struct WriteCase {
    const char* name;
    const char* before;  // nullptr: no file
    const char* section;
    const char* key;
    const char* value;
    BOOL ret;
    DWORD err;
    const char* after;  // nullptr: no file
};

TEST_F(ProfileTest, WritesChangeOnlyTheLineWrittenAndSetTheLastError) {
    const WriteCase cases[] = {
        {"new file", nullptr, "S1", "k1", "v1", TRUE, 0, "[S1]\r\nk1=v1\r\n"},
        {"new key", "[S1]\r\nk1=v1\r\n", "S1", "k2", "  spaced  ", TRUE, ERROR_INVALID_PARAMETER,
         "[S1]\r\nk1=v1\r\nk2=spaced\r\n"},
        {"update, case", "[S1]\r\nk1=v1\r\n", "s1", "K1", "changed", TRUE, ERROR_INVALID_PARAMETER,
         "[S1]\r\nk1=changed\r\n"},
        {"commented file", "; c\r\n[A]\r\n  key1 = old  \r\n", "A", "key1", "new", TRUE, ERROR_ALREADY_EXISTS,
         "; c\r\n[A]\r\nkey1=new\r\n"},
        {"same value", "[S]\r\nk=v\r\n", "S", "k", "v", TRUE, 0, "[S]\r\nk=v\r\n"},
        {"delete key", "[S]\r\na=1\r\nk=v\r\n\r\n[T]\r\n", "S", "k", nullptr, TRUE, ERROR_INVALID_PARAMETER,
         "[S]\r\na=1\r\n\r\n[T]\r\n"},
        {"delete missing key", "[S]\r\nk=v\r\n", "S", "nokey", nullptr, TRUE, 0, "[S]\r\nk=v\r\n"},
        {"delete section", "[S]\r\nk=v\r\n[T]\r\nt=1\r\n", "s", nullptr, nullptr, TRUE,
         ERROR_INVALID_PARAMETER, "[T]\r\nt=1\r\n"},
        {"delete missing section", "[S]\r\n", "NoSuch", nullptr, "ignored", TRUE, 0, "[S]\r\n"},
        {"flush call", "[S]\r\n", nullptr, nullptr, nullptr, FALSE, 0, "[S]\r\n"},
        {"null section", "[S]\r\n", nullptr, "k", "v", FALSE, ERROR_FILE_NOT_FOUND, "[S]\r\n"},
        {"LF file", "[N]\nk=v", "N", "k2", "v2", TRUE, ERROR_INVALID_PARAMETER, "[N]\nk=v\r\nk2=v2\r\n"},
    };
    for (const WriteCase& c : cases) {
        FakeFiles fresh;
        MachineProfile p(fresh);
        if (c.before) fresh.Put(kIni, c.before);
        SetLastError(kSentinel);
        EXPECT_EQ(p.WritePrivateProfileStringA(c.section, c.key, c.value, kIni), c.ret) << c.name;
        EXPECT_EQ(GetLastError(), c.err) << c.name;
        std::optional<std::string> after = fresh.Get(kIni);
        if (c.after)
            EXPECT_EQ(after.value_or("<none>"), c.after) << c.name;
        else
            EXPECT_FALSE(after) << c.name;
        EXPECT_EQ(fresh.FileCount(), after ? 1u : 0u) << c.name << ": a temporary file was left";
    }
}

TEST_F(ProfileTest, WriteSectionReplacesContents) {
    files.Put(kIni, "[S]\r\nold=1\r\n[T]\r\nt=1\r\n");
    SetLastError(kSentinel);
    EXPECT_TRUE(profile.WritePrivateProfileSectionA("S", "a=1\0 b = 2 \0noeq\0", kIni));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(files.Get(kIni), "[S]\r\na=1\r\nb=2\r\n[T]\r\nt=1\r\n");
    EXPECT_EQ(Section("S", 256).buf, "a=1\0b=2\0\0"s);
    EXPECT_TRUE(profile.WritePrivateProfileSectionA("T", nullptr, kIni));  // no data: the section goes
    EXPECT_EQ(files.Get(kIni), "[S]\r\na=1\r\nb=2\r\n");
}

struct FaultCase {
    const char* name;
    void (*arrange)(FakeFiles&);
    DWORD err;
};

TEST_F(ProfileTest, FailedWriteKeepsTheOriginalWhole) {
    const std::string original = "; keep me\r\n[S]\r\nk=v\r\n";
    const FaultCase cases[] = {
        {"read-only", [](FakeFiles& f) { f.readOnly.insert("c:\\windows\\t.ini"); }, ERROR_ACCESS_DENIED},
        {"in use", [](FakeFiles& f) { f.inUse.insert("c:\\windows\\t.ini"); }, ERROR_SHARING_VIOLATION},
        {"disk full", [](FakeFiles& f) { f.diskSpaceLeft = 5; }, ERROR_DISK_FULL},
        {"rename refused", [](FakeFiles& f) { f.refuseRenames = true; }, ERROR_ACCESS_DENIED},
    };
    for (const FaultCase& c : cases) {
        FakeFiles fresh;
        MachineProfile p(fresh);
        fresh.Put(kIni, original);
        c.arrange(fresh);
        SetLastError(kSentinel);
        EXPECT_FALSE(p.WritePrivateProfileStringA("S", "k", "changed", kIni)) << c.name;
        EXPECT_EQ(GetLastError(), c.err) << c.name;
        EXPECT_EQ(fresh.Get(kIni), original) << c.name;
        EXPECT_EQ(fresh.FileCount(), 1u) << c.name << ": a temporary file was left";
        // Reading still works and sees the old value.
        char buf[16];
        EXPECT_EQ(p.GetPrivateProfileStringA("S", "k", "", buf, sizeof buf, kIni),
                  c.err == ERROR_SHARING_VIOLATION ? 0u : 1u)
            << c.name;
    }
}

TEST_F(ProfileTest, WriteIntoMissingDirectoryFails) {
    SetLastError(kSentinel);
    EXPECT_FALSE(profile.WritePrivateProfileStringA("S", "k", "v", "C:\\nodir\\x.ini"));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST_F(ProfileTest, RereadsAFileRewrittenBehindItsBack) {
    ASSERT_TRUE(profile.WritePrivateProfileStringA("C", "k", "one", kIni));
    files.Put(kIni, "[C]\r\nk=two\r\n");
    EXPECT_EQ(Get("C", "k", "def", 64).buf, "two\0"s);
}

TEST_F(ProfileTest, GarbageFilesReadWithoutHarm) {
    std::string junk = "\0\0\xFF\xFE[\x01]\0=\0\r"s + std::string(100000, '[') + "\n[S]\r\nk=v\r\n";
    files.Put(kIni, junk);
    EXPECT_EQ(Get("S", "k", "d", 64).buf, "v\0"s);
    EXPECT_EQ(Get("\x01", "k", "d", 64).buf, "d\0"s);
    EXPECT_TRUE(profile.WritePrivateProfileStringA("S", "k", "w", kIni));
    EXPECT_EQ(files.Get(kIni), junk.substr(0, junk.size() - 3) + "w\r\n");
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

// The same service over the machine's real file layer, with the faults a test can inject there.
class ProfileOnPrefix : public ::testing::Test {
  protected:
    testing_support::TempPrefix prefix;
    MachineProfile& profile = prefix.machine().profiles();
    const std::string hostIni = prefix.DriveC("windows/OVRA.ini");
    const std::string original = "; staged\r\n\r\n[Paths]\r\nBin=C:\\OVRA\\BIN\r\n";

    std::vector<std::string> WindowsDirectory() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(prefix.DriveC("windows")))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(ProfileOnPrefix, WritesThroughTheFileLayerKeepingOtherBytes) {
    testing_support::WriteHostFile(hostIni, original);
    ASSERT_TRUE(profile.WritePrivateProfileStringA("Paths", "Inc", "C:\\OVRA\\INC", "c:\\WINDOWS\\ovra.INI"));
    EXPECT_EQ(testing_support::ReadHostFile(hostIni), original + "Inc=C:\\OVRA\\INC\r\n");
    char buf[20];
    EXPECT_EQ(profile.GetPrivateProfileStringA("PATHS", "bin", "x", buf, sizeof buf, "OVRA.ini"), 11u);
    EXPECT_STREQ(buf, "C:\\OVRA\\BIN");
}

TEST_F(ProfileOnPrefix, InjectedFaultsFailTheWriteAndKeepTheFile) {
    struct Fault {
        const char* name;
        void (*arrange)(Faults&);
        DWORD err;
    };
    const Fault faults[] = {
        {"disk full", [](Faults& f) { f.diskSpaceLeft = 10; }, ERROR_DISK_FULL},
        {"in use", [](Faults& f) { f.inUse.insert("C:\\windows\\OVRA.ini"); }, ERROR_SHARING_VIOLATION},
        {"denied", [](Faults& f) { f.denied.insert("C:\\windows\\OVRA.ini"); }, ERROR_ACCESS_DENIED},
    };
    for (const Fault& f : faults) {
        testing_support::WriteHostFile(hostIni, original);
        std::vector<std::string> before = WindowsDirectory();
        Faults& injected = prefix.machine().faults();
        injected = Faults{};
        f.arrange(injected);
        SetLastError(0);
        EXPECT_FALSE(profile.WritePrivateProfileStringA("Paths", "Bin", "D:\\ELSEWHERE\\BIN", "OVRA.ini"))
            << f.name;
        EXPECT_EQ(GetLastError(), f.err) << f.name;
        injected = Faults{};
        EXPECT_EQ(testing_support::ReadHostFile(hostIni), original) << f.name;
        EXPECT_EQ(WindowsDirectory(), before) << f.name << ": a temporary file was left";
    }
}

}  // namespace
}  // namespace platform
