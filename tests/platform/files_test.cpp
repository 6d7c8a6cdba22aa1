#include "platform/machine/files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/machine/faults.h"
#include "platform/win32.h"
#include "support/temp_prefix.h"

namespace platform {
namespace {

using testing_support::HostExists;
using testing_support::ReadHostFile;
using testing_support::WriteHostFile;

class Files : public ::testing::Test {
  protected:
    MachineFiles& files() { return tp.machine().files(); }
    Faults& faults() { return tp.machine().faults(); }
    std::string Host(const std::string& rel) { return tp.DriveC(rel); }

    HANDLE Open(const char* name, DWORD access, DWORD share, DWORD disposition) {
        return files().CreateFileA(name, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    // Whether the call failed with `error` (the last-error sentinel shows calls that set nothing).
    void ExpectFails(BOOL ok, DWORD error, const char* what) {
        EXPECT_FALSE(ok) << what;
        EXPECT_EQ(GetLastError(), error) << what;
    }

    testing_support::TempPrefix tp;
};

TEST_F(Files, CreateFileFollowsEachDisposition) {
    struct Row {
        DWORD disposition;
        bool exists;
        bool opens;
        DWORD error;          // last error afterwards (0x0BADF00D: untouched)
        const char* content;  // the file afterwards ("-" for none)
    } rows[] = {
        {CREATE_NEW, false, true, 0x0BADF00D, ""},
        {CREATE_NEW, true, false, ERROR_FILE_EXISTS, "old"},
        {CREATE_ALWAYS, false, true, ERROR_SUCCESS, ""},
        {CREATE_ALWAYS, true, true, ERROR_ALREADY_EXISTS, ""},
        {OPEN_EXISTING, false, false, ERROR_FILE_NOT_FOUND, "-"},
        {OPEN_EXISTING, true, true, 0x0BADF00D, "old"},
        {OPEN_ALWAYS, false, true, ERROR_SUCCESS, ""},
        {OPEN_ALWAYS, true, true, ERROR_ALREADY_EXISTS, "old"},
        {TRUNCATE_EXISTING, false, false, ERROR_FILE_NOT_FOUND, "-"},
        {TRUNCATE_EXISTING, true, true, 0x0BADF00D, ""},
    };
    for (const auto& r : rows) {
        std::string host = Host("f.txt");
        std::remove(host.c_str());
        if (r.exists) WriteHostFile(host, "old");
        SetLastError(0x0BADF00D);
        HANDLE h = Open("C:\\f.txt", GENERIC_READ | GENERIC_WRITE, 0, r.disposition);
        std::string what = "disposition " + std::to_string(r.disposition) + (r.exists ? " existing" : " new");
        EXPECT_EQ(h != INVALID_HANDLE_VALUE, r.opens) << what;
        EXPECT_EQ(GetLastError(), r.error) << what;
        if (h != INVALID_HANDLE_VALUE) files().CloseHandle(h);
        EXPECT_EQ(HostExists(host) ? ReadHostFile(host) : "-", r.content) << what;
    }
    SetLastError(0);
    EXPECT_EQ(Open("C:\\nodir\\f.txt", GENERIC_WRITE, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(Open("C:\\windows", GENERIC_READ, 0, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}

// Only regular files are opened: a FIFO nobody writes would block the setup and a link to a device
// would feed it without end. Both fail at once with ERROR_ACCESS_DENIED, for reading and for copying.
TEST_F(Files, OpensOnlyRegularFiles) {
    ASSERT_EQ(::mkfifo(Host("fifo.ins").c_str(), 0644), 0);
    std::filesystem::create_symlink("/dev/zero", Host("zero.ins"));
    for (const char* name : {"C:\\fifo.ins", "C:\\zero.ins"}) {
        SCOPED_TRACE(name);
        SetLastError(0xDEAD);
        EXPECT_EQ(Open(name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
        ExpectFails(files().CopyFileA(name, "C:\\copy.ins", FALSE), ERROR_ACCESS_DENIED, "CopyFileA");
        EXPECT_EQ(files().fopen(name, "rb"), nullptr);
    }
    EXPECT_FALSE(testing_support::HostExists(Host("copy.ins")));
}

TEST_F(Files, ReadsWritesAndSeeks) {
    HANDLE h = Open("C:\\data.bin", GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD n = 0;
    ASSERT_TRUE(files().WriteFile(h, "hello world", 11, &n, nullptr));
    EXPECT_EQ(n, 11u);
    EXPECT_EQ(files().GetFileSize(h, nullptr), 11u);
    EXPECT_EQ(files().SetFilePointer(h, -5, nullptr, FILE_END), 6u);
    char buf[16] = {};
    ASSERT_TRUE(files().ReadFile(h, buf, sizeof buf, &n, nullptr));
    EXPECT_EQ(std::string(buf, n), "world");
    ASSERT_TRUE(files().ReadFile(h, buf, sizeof buf, &n, nullptr));
    EXPECT_EQ(n, 0u);  // end of file is a successful read of nothing
    EXPECT_EQ(files().SetFilePointer(h, -20, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
    EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
    EXPECT_TRUE(files().CloseHandle(h));
    ExpectFails(files().CloseHandle(h), ERROR_INVALID_HANDLE, "second close");

    HANDLE ro = Open("C:\\data.bin", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    ExpectFails(files().WriteFile(ro, "x", 1, &n, nullptr), ERROR_ACCESS_DENIED, "write on a read handle");
    files().CloseHandle(ro);
}

TEST_F(Files, EnforcesShareModesBetweenOpenHandles) {
    WriteHostFile(Host("s.txt"), "x");
    struct Row {
        DWORD access1, share1, access2, share2;
        bool secondOpens;
    } rows[] = {
        {GENERIC_READ | GENERIC_WRITE, 0, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, false},
        {GENERIC_READ, FILE_SHARE_READ, GENERIC_READ, FILE_SHARE_READ, true},
        {GENERIC_READ, FILE_SHARE_READ, GENERIC_WRITE, FILE_SHARE_READ, false},
        {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, GENERIC_WRITE, FILE_SHARE_READ, true},
        {GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, GENERIC_READ, FILE_SHARE_READ, false},
        {GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
         true},
    };
    for (const auto& r : rows) {
        HANDLE a = Open("C:\\s.txt", r.access1, r.share1, OPEN_EXISTING);
        ASSERT_NE(a, INVALID_HANDLE_VALUE);
        SetLastError(0);
        HANDLE b = Open("c:\\S.TXT", r.access2, r.share2, OPEN_EXISTING);
        EXPECT_EQ(b != INVALID_HANDLE_VALUE, r.secondOpens)
            << std::hex << r.access1 << " " << r.share1 << " / " << r.access2 << " " << r.share2;
        if (b == INVALID_HANDLE_VALUE)
            EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
        else
            files().CloseHandle(b);
        files().CloseHandle(a);
    }
    HANDLE a = Open("C:\\s.txt", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    ExpectFails(files().DeleteFileA("C:\\s.txt"), ERROR_SHARING_VIOLATION, "delete while open");
    ExpectFails(files().MoveFileA("C:\\s.txt", "C:\\t.txt"), ERROR_SHARING_VIOLATION, "move while open");
    files().CloseHandle(a);
    EXPECT_TRUE(files().DeleteFileA("C:\\s.txt"));
}

TEST_F(Files, HonoursReadOnlyEvenAsRoot) {
    WriteHostFile(Host("ro.txt"), "keep");
    WriteHostFile(Host("src.txt"), "new");
    ASSERT_TRUE(files().SetFileAttributesA("C:\\ro.txt", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(files().GetFileAttributesA("C:\\ro.txt"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    SetLastError(0);
    EXPECT_EQ(Open("C:\\ro.txt", GENERIC_WRITE, 0, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(Open("C:\\ro.txt", GENERIC_READ, 0, CREATE_ALWAYS), INVALID_HANDLE_VALUE);
    ExpectFails(files().DeleteFileA("C:\\ro.txt"), ERROR_ACCESS_DENIED, "delete read-only");
    ExpectFails(files().CopyFileA("C:\\src.txt", "C:\\ro.txt", FALSE), ERROR_ACCESS_DENIED,
                "copy onto read-only");
    HANDLE r = Open("C:\\ro.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_NE(r, INVALID_HANDLE_VALUE);
    files().CloseHandle(r);
    EXPECT_EQ(ReadHostFile(Host("ro.txt")), "keep");

    // A copy keeps the read-only attribute of its source.
    ASSERT_TRUE(files().CopyFileA("C:\\ro.txt", "C:\\copy.txt", FALSE));
    EXPECT_EQ(files().GetFileAttributesA("C:\\copy.txt"), 0x21u);

    ASSERT_TRUE(files().SetFileAttributesA("C:\\ro.txt", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(files().GetFileAttributesA("C:\\ro.txt"), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_TRUE(files().DeleteFileA("C:\\ro.txt"));
    EXPECT_EQ(files().GetFileAttributesA("C:\\windows"), FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(Files, InjectedFaultsReachEveryErrorPath) {
    WriteHostFile(Host("busy.dll"), "old");
    WriteHostFile(Host("src.dll"), "new");
    faults().inUse.insert("C:\\BUSY.DLL");
    SetLastError(0);
    EXPECT_EQ(Open("C:\\busy.dll", GENERIC_WRITE, 0, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    HANDLE r = Open("C:\\busy.dll", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_NE(r, INVALID_HANDLE_VALUE);  // another program holding a file still lets it be read
    files().CloseHandle(r);
    ExpectFails(files().DeleteFileA("C:\\busy.dll"), ERROR_SHARING_VIOLATION, "delete in use");
    ExpectFails(files().CopyFileA("C:\\src.dll", "C:\\busy.dll", FALSE), ERROR_SHARING_VIOLATION,
                "replace in use");

    files().CreateDirectoryA("C:\\locked", nullptr);
    WriteHostFile(Host("locked/old.txt"), "x");
    faults().denied.insert("c:\\LOCKED");
    ExpectFails(files().CreateDirectoryA("C:\\locked\\sub", nullptr), ERROR_ACCESS_DENIED, "mkdir denied");
    EXPECT_EQ(Open("C:\\locked\\new.txt", GENERIC_WRITE, 0, CREATE_NEW), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    ExpectFails(files().DeleteFileA("C:\\locked\\old.txt"), ERROR_ACCESS_DENIED, "delete denied");
    ExpectFails(files().SetFileAttributesA("C:\\locked\\old.txt", FILE_ATTRIBUTE_READONLY),
                ERROR_ACCESS_DENIED, "attributes denied");
    HANDLE lr = Open("C:\\locked\\old.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    EXPECT_NE(lr, INVALID_HANDLE_VALUE);
    files().CloseHandle(lr);
    EXPECT_EQ(files().GetFileAttributesA("C:\\lockedness"),
              INVALID_FILE_ATTRIBUTES);  // a prefix of a name only

    faults().diskSpaceLeft = 3;
    HANDLE w = Open("C:\\full.bin", GENERIC_WRITE, 0, CREATE_ALWAYS);
    DWORD n = 99;
    ExpectFails(files().WriteFile(w, "12345", 5, &n, nullptr), ERROR_DISK_FULL, "write past the space");
    EXPECT_EQ(n, 3u);
    files().CloseHandle(w);
    EXPECT_EQ(ReadHostFile(Host("full.bin")), "123");
    faults().diskSpaceLeft = 1;
    ExpectFails(files().CopyFileA("C:\\src.dll", "C:\\copy.dll", FALSE), ERROR_DISK_FULL,
                "copy past the space");
    EXPECT_FALSE(HostExists(Host("copy.dll")));  // no half-written copy stays behind
}

TEST_F(Files, MoveReplacingAnExistingFile) {
    WriteHostFile(Host("new.txt"), "new");
    WriteHostFile(Host("old.txt"), "old");
    ExpectFails(files().MoveFileExA("C:\\new.txt", "C:\\old.txt", 0), ERROR_ALREADY_EXISTS, "no flag");
    ASSERT_TRUE(files().SetFileAttributesA("C:\\old.txt", FILE_ATTRIBUTE_READONLY));
    ExpectFails(files().MoveFileExA("C:\\new.txt", "C:\\old.txt", MOVEFILE_REPLACE_EXISTING),
                ERROR_ACCESS_DENIED, "onto read-only");
    ASSERT_TRUE(files().SetFileAttributesA("C:\\old.txt", FILE_ATTRIBUTE_NORMAL));
    HANDLE open = Open("C:\\old.txt", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    ExpectFails(files().MoveFileExA("C:\\new.txt", "C:\\old.txt", MOVEFILE_REPLACE_EXISTING),
                ERROR_SHARING_VIOLATION, "onto an open file");
    files().CloseHandle(open);
    ExpectFails(files().MoveFileExA("C:\\new.txt", "C:\\windows", MOVEFILE_REPLACE_EXISTING),
                ERROR_ACCESS_DENIED, "onto a directory");
    EXPECT_EQ(ReadHostFile(Host("old.txt")), "old");
    ASSERT_TRUE(files().MoveFileExA("C:\\new.txt", "C:\\OLD.TXT", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(ReadHostFile(Host("old.txt")), "new");
    EXPECT_EQ(files().GetFileAttributesA("C:\\new.txt"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Files, CopyMoveAndDirectoriesReportWindowsErrors) {
    WriteHostFile(Host("a.txt"), "A");
    WriteHostFile(Host("b.txt"), "B");
    ExpectFails(files().CopyFileA("C:\\a.txt", "C:\\b.txt", TRUE), ERROR_FILE_EXISTS, "copy fail-if-exists");
    ExpectFails(files().CopyFileA("C:\\none.txt", "C:\\c.txt", FALSE), ERROR_FILE_NOT_FOUND, "copy missing");
    ExpectFails(files().CopyFileA("C:\\a.txt", "C:\\nodir\\c.txt", FALSE), ERROR_PATH_NOT_FOUND,
                "copy to no dir");
    EXPECT_TRUE(files().CopyFileA("C:\\a.txt", "C:\\B.TXT", FALSE));
    EXPECT_EQ(ReadHostFile(Host("b.txt")), "A");
    ExpectFails(files().MoveFileA("C:\\a.txt", "C:\\b.txt"), ERROR_ALREADY_EXISTS, "move onto a file");
    EXPECT_TRUE(files().MoveFileA("C:\\a.txt", "C:\\A2.txt"));
    EXPECT_EQ(ReadHostFile(Host("A2.txt")), "A");
    EXPECT_TRUE(files().MoveFileA("C:\\A2.txt", "C:\\a2.TXT"));  // another spelling of its own name
    EXPECT_EQ(ReadHostFile(Host("a2.TXT")), "A");

    ExpectFails(files().CreateDirectoryA("C:\\windows", nullptr), ERROR_ALREADY_EXISTS, "mkdir existing");
    ExpectFails(files().CreateDirectoryA("C:\\x\\y", nullptr), ERROR_PATH_NOT_FOUND, "mkdir without parent");
    ASSERT_TRUE(files().CreateDirectoryA("C:\\Ovra", nullptr));
    ASSERT_TRUE(files().CreateDirectoryA("c:\\OVRA\\Bin", nullptr));
    EXPECT_TRUE(HostExists(Host("Ovra/Bin")));
    ExpectFails(files().RemoveDirectoryA("C:\\ovra"), ERROR_DIR_NOT_EMPTY, "rmdir non-empty");
    ExpectFails(files().RemoveDirectoryA("C:\\b.txt"), ERROR_DIRECTORY, "rmdir a file");
    EXPECT_TRUE(files().RemoveDirectoryA("C:\\ovra\\bin"));
    ExpectFails(files().DeleteFileA("C:\\nodir\\x"), ERROR_PATH_NOT_FOUND, "delete in missing dir");
    ExpectFails(files().DeleteFileA("C:\\windows"), ERROR_ACCESS_DENIED, "delete a directory");
}

TEST_F(Files, FindsByPatternWithAliases) {
    files().CreateDirectoryA("C:\\f", nullptr);
    for (const char* n : {"readme.txt", "Release Notes.txt", "setup.exe"})
        WriteHostFile(Host(std::string("f/") + n), "x");
    WIN32_FIND_DATAA d;
    HANDLE h = files().FindFirstFileA("C:\\F\\*.TXT", &d);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    std::vector<std::pair<std::string, std::string>> found{{d.cFileName, d.cAlternateFileName}};
    while (files().FindNextFileA(h, &d))
        found.emplace_back(d.cFileName, d.cAlternateFileName);
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    EXPECT_TRUE(files().FindClose(h));
    EXPECT_EQ(found, (std::vector<std::pair<std::string, std::string>>{
                         {"readme.txt", ""}, {"Release Notes.txt", "RELE~3NX.TXT"}}));

    h = files().FindFirstFileA("C:\\f\\*", &d);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(d.cFileName, ".");  // a subdirectory lists "." and ".." first
    files().FindClose(h);
    h = files().FindFirstFileA("C:\\f\\RELE~3NX.TXT", &d);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(d.cFileName, "Release Notes.txt");
    files().FindClose(h);

    SetLastError(0);
    EXPECT_EQ(files().FindFirstFileA("C:\\f\\*.dll", &d), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(files().FindFirstFileA("C:\\nodir\\*", &d), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

// String results: larger, exact and one-short buffers, with sentinels around what may be written.
TEST_F(Files, StringResultsFollowTheWindowsBufferRules) {
    ASSERT_TRUE(files().SetCurrentDirectoryA("C:\\windows"));
    WriteHostFile(Host("Program Files/Long Name Here.txt"), "x");
    using Call = std::function<DWORD(char*, DWORD)>;
    struct Row {
        const char* what;
        Call call;
        std::string text;
    } rows[] = {
        {"GetWindowsDirectoryA", [&](char* b, DWORD s) { return files().GetWindowsDirectoryA(b, s); },
         "C:\\windows"},
        {"GetSystemDirectoryA", [&](char* b, DWORD s) { return files().GetSystemDirectoryA(b, s); },
         "C:\\windows\\system32"},
        {"GetCurrentDirectoryA", [&](char* b, DWORD s) { return files().GetCurrentDirectoryA(s, b); },
         "C:\\windows"},
        {"GetFullPathNameA",
         [&](char* b, DWORD s) { return files().GetFullPathNameA("..\\x.txt", s, b, nullptr); }, "C:\\x.txt"},
        {"GetShortPathNameA",
         [&](char* b, DWORD s) {
             return files().GetShortPathNameA("C:\\program files\\Long Name Here.txt", b, s);
         },
         "C:\\PROG~FBU\\LONG~BZZ.TXT"},
        {"GetLongPathNameA",
         [&](char* b, DWORD s) { return files().GetLongPathNameA("C:\\PROG~FBU\\LONG~BZZ.TXT", b, s); },
         "C:\\Program Files\\Long Name Here.txt"},
    };
    for (const auto& r : rows) {
        const DWORD len = static_cast<DWORD>(r.text.size());
        for (DWORD size : {len + 10, len + 1, len, DWORD{0}}) {
            char buf[300];
            std::memset(buf, 0xCC, sizeof buf);
            DWORD ret = r.call(buf, size);
            if (size > len) {
                EXPECT_EQ(ret, len) << r.what << " size " << size;
                EXPECT_EQ(std::string(buf), r.text) << r.what;
                EXPECT_EQ(static_cast<unsigned char>(buf[len + 1]), 0xCC) << r.what << ": wrote past the NUL";
            } else {
                EXPECT_EQ(ret, len + 1) << r.what << " size " << size;
                EXPECT_EQ(static_cast<unsigned char>(buf[0]), 0xCC) << r.what << ": touched a short buffer";
            }
        }
    }
    SetLastError(0);
    char buf[MAX_PATH];
    EXPECT_EQ(files().GetShortPathNameA("C:\\Program Files\\none.txt", buf, sizeof buf), 0u);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    LPSTR part = nullptr;
    EXPECT_EQ(files().GetFullPathNameA("sub\\name.ini", sizeof buf, buf, &part), 23u);
    EXPECT_STREQ(part, "name.ini");
}

TEST_F(Files, CurrentDirectoryResolvesRelativeNames) {
    ExpectFails(files().SetCurrentDirectoryA("C:\\nowhere"), ERROR_FILE_NOT_FOUND, "cd missing");
    WriteHostFile(Host("windows/win.ini"), "[x]");
    ExpectFails(files().SetCurrentDirectoryA("C:\\windows\\win.ini"), ERROR_DIRECTORY, "cd to a file");
    ASSERT_TRUE(files().SetCurrentDirectoryA("c:\\WINDOWS\\system32\\"));
    EXPECT_EQ(files().GetFileAttributesA("..\\win.ini"), FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(files().HostPathFor("..\\WIN.INI"), Host("windows/win.ini"));
    EXPECT_EQ(files().HostPathFor("\\windows"), Host("windows"));
    EXPECT_FALSE(files().HostPathFor("\\\\server\\share\\x"));
}

TEST_F(Files, DrivesAndFreeSpace) {
    EXPECT_EQ(files().GetDriveTypeA("C:\\"), DRIVE_FIXED);
    EXPECT_EQ(files().GetDriveTypeA("Q:\\"), DRIVE_NO_ROOT_DIR);
    EXPECT_EQ(files().GetLogicalDrives(), (1u << 2) | (1u << 25));
    faults().reportedFreeSpace = 12345;
    ULONGLONG avail = 0, total = 0, free = 0;
    ASSERT_TRUE(files().GetDiskFreeSpaceExA("C:\\", &avail, &total, &free));
    EXPECT_EQ(avail, 12345u);
    EXPECT_EQ(free, 12345u);
    EXPECT_GE(total, 12345u);
    ExpectFails(files().GetDiskFreeSpaceExA("C:\\nodir\\", &avail, nullptr, nullptr), ERROR_PATH_NOT_FOUND,
                "free space of a missing directory");
    char tmp[MAX_PATH];
    ASSERT_GT(files().GetTempPathA(sizeof tmp, tmp), 0u);
    EXPECT_EQ(files().GetFileAttributesA(tmp), FILE_ATTRIBUTE_DIRECTORY) << tmp;
}

TEST_F(Files, TextStreamsTranslateLineEnds) {
    crt::FILE* f = crt::fopen("C:\\log.txt", "w");
    ASSERT_TRUE(f);
    EXPECT_EQ(crt::fputs("one\ntwo\n", f), 0);
    EXPECT_EQ(crt::ftell(f), 10);  // the file's bytes, CR included
    EXPECT_EQ(crt::fclose(f), 0);
    EXPECT_EQ(ReadHostFile(Host("log.txt")), "one\r\ntwo\r\n");

    f = crt::fopen("C:\\LOG.TXT", "a+");
    ASSERT_TRUE(f);
    crt::fputs("three\n", f);
    ASSERT_EQ(crt::fseek(f, 0, SEEK_SET), 0);
    char line[64];
    std::vector<std::string> lines;
    while (crt::fgets(line, sizeof line, f))
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"one\n", "two\n", "three\n"}));
    EXPECT_TRUE(crt::feof(f));
    crt::fclose(f);

    f = crt::fopen("C:\\log.txt", "rb");
    ASSERT_TRUE(f);
    EXPECT_STREQ(crt::fgets(line, sizeof line, f), "one\r\n");
    crt::fclose(f);

    // A CR LF split across the stream's read-ahead, a lone CR, and Ctrl-Z ending the text.
    WriteHostFile(Host("edge.txt"), std::string(4095, 'x') + "\r\nA\rB\x1A" + "after");
    f = crt::fopen("C:\\edge.txt", "rt");
    ASSERT_TRUE(f);
    std::string all(5000, '\0');
    all.resize(crt::fread(all.data(), 1, all.size(), f));
    EXPECT_EQ(all, std::string(4095, 'x') + "\nA\rB");
    EXPECT_TRUE(crt::feof(f));
    crt::fclose(f);

    f = crt::fopen("C:\\bin.dat", "wb");
    EXPECT_EQ(crt::fwrite("a\nb", 1, 3, f), 3u);
    crt::fclose(f);
    EXPECT_EQ(ReadHostFile(Host("bin.dat")), "a\nb");
}

TEST_F(Files, StreamsReportFailuresAsTheRuntimeDoes) {
    errno = 0;
    EXPECT_FALSE(crt::fopen("C:\\missing.txt", "r"));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_FALSE(crt::fopen("C:\\x.txt", "q"));
    EXPECT_EQ(errno, EINVAL);
    faults().diskSpaceLeft = 3;
    crt::FILE* f = crt::fopen("C:\\full.txt", "w");
    ASSERT_TRUE(f);
    EXPECT_EQ(crt::fwrite("ab\ncd", 1, 5, f), 2u);  // "ab\r" fits: the newline was not written whole
    EXPECT_EQ(errno, ENOSPC);
    crt::fclose(f);
    EXPECT_EQ(crt::remove("C:\\full.txt"), 0);
    EXPECT_EQ(crt::remove("C:\\full.txt"), -1);
    EXPECT_EQ(errno, ENOENT);
}

}  // namespace
}  // namespace platform
