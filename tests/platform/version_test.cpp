#include "platform/machine/version.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/win32.h"
#include "support/temp_prefix.h"

namespace platform {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadHostFile;

const char* const kInputs[] = {"v6102.dll", "v600.dll",  "v600de.dll", "v700app.dll", "nover.dll",
                               "plain.txt", "v6102.dl_", "v600.dl_",   "v6102nc.dl_"};

class VersionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : kInputs)
            Stage(name, "probe/in");
        fs::create_directories(prefix_.DriveC("probe/dst"));
        fs::create_directories(prefix_.DriveC("probe/old"));
        fs::create_directories(prefix_.DriveC("probe/app"));
    }

    std::string Input(const std::string& name) {
        return ReadHostFile(std::string(OVRA_CONFORMANCE_DIR) + "/inputs/" + name);
    }
    // Puts a conformance input at drive C's `dir` (under its own name unless `as` is given).
    void Stage(const std::string& name, const std::string& dir, const std::string& as = "") {
        testing_support::WriteHostFile(prefix_.DriveC(dir + "/" + (as.empty() ? name : as)), Input(name));
    }
    std::string Host(const std::string& relative) { return ReadHostFile(prefix_.DriveC(relative)); }
    std::vector<std::string> List(const std::string& dir) {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(prefix_.DriveC(dir)))
            names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    Faults& faults() { return prefix_.machine().faults(); }

    struct Install {
        DWORD ret;
        std::string tmp;
        UINT tmpLen;
    };
    Install Run(DWORD flags, const char* src, const char* srcDir = "C:\\probe\\in", const char* cur = "",
                UINT tmpLen = 260, const char* tmpInit = "") {
        char tmp[300];
        std::memset(tmp, 0xCC, sizeof tmp);
        std::strcpy(tmp, tmpInit);
        UINT len = tmpLen;
        DWORD r = ::VerInstallFileA(flags, src, "ORATEST.DLL", srcDir, "C:\\probe\\dst", cur, tmp, &len);
        EXPECT_EQ(static_cast<unsigned char>(tmp[tmpLen]), 0xCC) << "wrote past the stated size";
        return {r, std::string(tmp, strnlen(tmp, tmpLen)), len};
    }

    testing_support::TempPrefix prefix_;
};

TEST_F(VersionTest, VersionInfoSizesAndErrorsMatchWindows) {
    struct Row {
        const char* file;
        DWORD size;
        DWORD error;
    } rows[] = {
        {"C:\\probe\\in\\v6102.dll", 980, 0},  {"C:\\probe\\in\\v600.dll", 964, 0},
        {"C:\\probe\\in\\nover.dll", 0, 1812}, {"C:\\probe\\in\\plain.txt", 0, 1812},
        {"C:\\probe\\in\\v6102.dl_", 0, 1812}, {"C:\\probe\\in\\missing.dll", 0, ERROR_FILE_NOT_FOUND},
        {"c:\\PROBE\\IN\\V6102.DLL", 980, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        DWORD handle = 0xdead;
        SetLastError(0x0BADF00D);
        EXPECT_EQ(::GetFileVersionInfoSizeA(row.file, &handle), row.size);
        EXPECT_EQ(handle, 0u);
        EXPECT_EQ(GetLastError(), row.error);
    }
}

TEST_F(VersionTest, QueriesGiveAnsiTextsInsideTheCallersBuffer) {
    const char* file = "C:\\probe\\in\\v6102.dll";
    DWORD size = ::GetFileVersionInfoSizeA(file, nullptr);
    ASSERT_EQ(size, 980u);
    std::vector<unsigned char> buf(size + 32, 0xCC);
    ASSERT_TRUE(::GetFileVersionInfoA(file, 0, size, buf.data()));
    void* p = nullptr;
    UINT len = 0;
    ASSERT_TRUE(::VerQueryValueA(buf.data(), "\\StringFileInfo\\040904e4\\FileVersion", &p, &len));
    EXPECT_EQ(len, 7u);
    EXPECT_STREQ(static_cast<const char*>(p), "6.10.2");
    ASSERT_TRUE(::VerQueryValueA(buf.data(), "\\StringFileInfo\\040904E4\\CompanyName", &p, &len));
    EXPECT_EQ(len, 19u);
    EXPECT_STREQ(static_cast<const char*>(p), "Oracle Test Inputs");
    auto* at = static_cast<unsigned char*>(p);
    EXPECT_TRUE(at >= buf.data() && at + len <= buf.data() + size);
    // The first text is still intact after the second was converted.
    ASSERT_TRUE(::VerQueryValueA(buf.data(), "StringFileInfo\\040904e4\\FileVersion", &p, &len));
    EXPECT_STREQ(static_cast<const char*>(p), "6.10.2");
    ASSERT_TRUE(::VerQueryValueA(buf.data(), "\\", &p, &len));
    EXPECT_EQ(len, sizeof(VS_FIXEDFILEINFO));
    len = 0xdead;
    EXPECT_FALSE(::VerQueryValueA(buf.data(), "\\StringFileInfo\\040704e4\\FileVersion", &p, &len));
    EXPECT_EQ(len, 0u);
    for (std::size_t i = size; i < buf.size(); ++i)
        ASSERT_EQ(buf[i], 0xCC) << "wrote past the block at " << i;
}

TEST_F(VersionTest, FindFileLocatesTheCurrentCopyAndTheDestination) {
    struct Row {
        const char* what;
        DWORD flags;
        const char* appDir;
        DWORD ret;
        const char* cur;
        const char* dest;
    };
    auto check = [&](const Row& row) {
        SCOPED_TRACE(row.what);
        char cur[260], dest[260];
        UINT curLen = sizeof cur, destLen = sizeof dest;
        EXPECT_EQ(::VerFindFileA(row.flags, "ORATEST.DLL", nullptr, row.appDir, cur, &curLen, dest, &destLen),
                  row.ret);
        EXPECT_STREQ(cur, row.cur);
        EXPECT_STREQ(dest, row.dest);
        EXPECT_EQ(curLen, std::strlen(row.cur) + 1);
        EXPECT_EQ(destLen, std::strlen(row.dest) + 1);
    };
    check({"nowhere, private", 0, "C:\\probe\\app", VFF_CURNEDEST, "", "C:\\probe\\app"});
    check(
        {"nowhere, shared", VFFF_ISSHAREDFILE, "C:\\probe\\app", VFF_CURNEDEST, "", "C:\\windows\\system32"});
    Stage("v600.dll", "windows/system32", "ORATEST.DLL");
    check({"system only, private", 0, "C:\\probe\\app", VFF_CURNEDEST, "C:\\windows\\system32",
           "C:\\probe\\app"});
    check({"system only, shared", VFFF_ISSHAREDFILE, "C:\\probe\\app", 0, "C:\\windows\\system32",
           "C:\\windows\\system32"});
    Stage("v600.dll", "probe/app", "ORATEST.DLL");
    check({"both, private", 0, "C:\\probe\\app", 0, "C:\\probe\\app", "C:\\probe\\app"});
    check({"trailing backslash", 0, "C:\\probe\\app\\", 0, "C:\\probe\\app\\", "C:\\probe\\app\\"});
    fs::remove(prefix_.DriveC("windows/system32/ORATEST.DLL"));
    check({"app only, shared", VFFF_ISSHAREDFILE, "C:\\probe\\app", VFF_CURNEDEST, "C:\\probe\\app",
           "C:\\windows\\system32"});
    faults().inUse.insert("C:\\probe\\app\\ORATEST.DLL");
    check({"in use", 0, "C:\\probe\\app", VFF_FILEINUSE, "C:\\probe\\app", "C:\\probe\\app"});
}

TEST_F(VersionTest, FindFileTruncatesIntoSmallBuffersAndReportsTheNeededLength) {
    Stage("v600.dll", "probe/app", "ORATEST.DLL");
    for (UINT size : {0u, 1u, 4u, 12u, 13u}) {
        SCOPED_TRACE(size);
        char cur[32], dest[32];
        std::memset(cur, 0xCC, sizeof cur);
        std::memset(dest, 0xCC, sizeof dest);
        UINT curLen = size, destLen = size;
        DWORD r = ::VerFindFileA(0, "ORATEST.DLL", nullptr, "C:\\probe\\app", cur, &curLen, dest, &destLen);
        EXPECT_EQ(r, size < 13 ? VFF_BUFFTOOSMALL : 0u);
        EXPECT_EQ(curLen, 13u);
        EXPECT_EQ(destLen, 13u);
        EXPECT_EQ(static_cast<unsigned char>(cur[size]), 0xCC);
        if (size) {
            EXPECT_EQ(std::string(cur), std::string("C:\\probe\\app").substr(0, size - 1));
        }
    }
}

TEST_F(VersionTest, InstallsFreshAndComparesWithTheExistingCopy) {
    auto r = Run(0, "v6102.dll");
    EXPECT_EQ(r.ret, 0u);
    EXPECT_EQ(r.tmpLen, 260u);
    EXPECT_EQ(Host("probe/dst/ORATEST.DLL"), Input("v6102.dll"));

    r = Run(0, "v600.dll");  // older over newer: kept aside in a temporary file
    EXPECT_EQ(r.ret, VIF_TEMPFILE | VIF_MISMATCH | VIF_SRCOLD);
    ASSERT_EQ(r.tmp.size(), 11u);
    EXPECT_EQ(r.tmp.substr(0, 3), "ver");
    EXPECT_EQ(r.tmp.substr(7), ".tmp");
    EXPECT_EQ(r.tmpLen, 12u);
    EXPECT_EQ(Host("probe/dst/" + r.tmp), Input("v600.dll"));
    EXPECT_EQ(Host("probe/dst/ORATEST.DLL"), Input("v6102.dll"));

    auto forced = Run(VIFF_FORCEINSTALL, "v600.dll", "C:\\probe\\in", "", 260, r.tmp.c_str());
    EXPECT_EQ(forced.ret, 0u);
    EXPECT_EQ(List("probe/dst"), std::vector<std::string>{"ORATEST.DLL"});
    EXPECT_EQ(Host("probe/dst/ORATEST.DLL"), Input("v600.dll"));

    EXPECT_EQ(Run(0, "v6102.dll").ret, 0u);  // newer over older
    EXPECT_EQ(Run(0, "v6102.dll").ret, 0u);  // the same again
    EXPECT_EQ(Run(VIFF_FORCEINSTALL, "v600.dll").ret, 0u);
    EXPECT_EQ(Host("probe/dst/ORATEST.DLL"), Input("v600.dll"));
    EXPECT_EQ(List("probe/dst"), std::vector<std::string>{"ORATEST.DLL"});
}

TEST_F(VersionTest, ReportsTypeLanguageAndUnversionedDifferences) {
    struct Row {
        const char* existing;  // empty: none
        const char* source;
        DWORD ret;
    } rows[] = {
        {"v6102.dll", "v700app.dll", VIF_TEMPFILE | VIF_MISMATCH | VIF_DIFFTYPE},
        {"v600.dll", "v600de.dll", VIF_TEMPFILE | VIF_MISMATCH | VIF_DIFFLANG},
        {"v6102.dll", "nover.dll", VIF_TEMPFILE | VIF_MISMATCH | VIF_SRCOLD},
        {"nover.dll", "v600.dll", 0},
        {"plain.txt", "v600.dll", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.source);
        fs::remove_all(prefix_.DriveC("probe/dst"));
        fs::create_directories(prefix_.DriveC("probe/dst"));
        Stage(row.existing, "probe/dst", "ORATEST.DLL");
        auto r = Run(0, row.source);
        EXPECT_EQ(r.ret, row.ret);
        EXPECT_EQ(List("probe/dst").size(), row.ret ? 2u : 1u);
        EXPECT_EQ(Host("probe/dst/ORATEST.DLL"), Input(row.ret ? row.existing : row.source));
    }
}

TEST_F(VersionTest, ExpandsCompressedSourcesAndFindsThemByTheirExpandedName) {
    EXPECT_EQ(Run(0, "v6102.dl_").ret, 0u);
    EXPECT_EQ(Host("probe/dst/ORATEST.DLL"), Input("v6102.dll"));
    EXPECT_EQ(Run(0, "v600.dl_").ret, VIF_TEMPFILE | VIF_MISMATCH | VIF_SRCOLD);
    fs::remove_all(prefix_.DriveC("probe/dst"));
    fs::create_directories(prefix_.DriveC("probe/dst"));
    Stage("v600.dl_", "probe/conly");
    EXPECT_EQ(Run(0, "v600.dll", "C:\\probe\\conly").ret, 0u);
    EXPECT_EQ(Host("probe/dst/ORATEST.DLL"), Input("v600.dll"));
}

TEST_F(VersionTest, ComparesWithTheCopyInCurDirAndDeletesItUnlessAskedNotTo) {
    Stage("v600.dll", "probe/old", "ORATEST.DLL");
    EXPECT_EQ(Run(VIFF_DONTDELETEOLD, "v6102.dll", "C:\\probe\\in", "C:\\probe\\old").ret, 0u);
    EXPECT_EQ(List("probe/old").size(), 1u);
    fs::remove(prefix_.DriveC("probe/dst/ORATEST.DLL"));
    EXPECT_EQ(Run(0, "v6102.dll", "C:\\probe\\in", "C:\\probe\\old").ret, 0u);
    EXPECT_TRUE(List("probe/old").empty());

    // Windows compares with the copy being replaced (Wine looks in the destination directory).
    Stage("v6102.dll", "probe/old", "ORATEST.DLL");
    fs::remove(prefix_.DriveC("probe/dst/ORATEST.DLL"));
    auto r = Run(0, "v600.dll", "C:\\probe\\in", "C:\\probe\\old");
    EXPECT_EQ(r.ret, VIF_TEMPFILE | VIF_MISMATCH | VIF_SRCOLD);
    EXPECT_EQ(List("probe/old").size(), 1u);
}

TEST_F(VersionTest, ErrorResults) {
    Stage("v600.dll", "probe/dst", "ORATEST.DLL");
    ASSERT_TRUE(::SetFileAttributesA("C:\\probe\\dst\\ORATEST.DLL", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(Run(0, "v6102.dll").ret, VIF_WRITEPROT);
    ASSERT_TRUE(::SetFileAttributesA("C:\\probe\\dst\\ORATEST.DLL", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(List("probe/dst"), std::vector<std::string>{"ORATEST.DLL"});

    faults().inUse.insert("C:\\probe\\dst\\ORATEST.DLL");
    EXPECT_EQ(Run(0, "v6102.dll").ret, VIF_FILEINUSE | VIF_CANNOTDELETE);
    EXPECT_EQ(Host("probe/dst/ORATEST.DLL"), Input("v600.dll"));
    EXPECT_EQ(List("probe/dst"), std::vector<std::string>{"ORATEST.DLL"});
    faults().inUse.clear();

    EXPECT_EQ(Run(0, "missing.dll").ret, VIF_CANNOTREADSRC);
    testing_support::WriteHostFile(prefix_.DriveC("probe/in/broken.dl_"), Input("v600.dl_").substr(0, 200));
    auto broken = Run(0, "broken.dl_");
    EXPECT_TRUE(broken.ret & (VIF_CANNOTREADSRC)) << broken.ret;
    EXPECT_EQ(List("probe/dst"), std::vector<std::string>{"ORATEST.DLL"});

    Stage("v6102.dll", "probe/dst", "ORATEST.DLL");
    auto small = Run(0, "v600.dll", "C:\\probe\\in", "", 4);
    EXPECT_EQ(small.ret, VIF_MISMATCH | VIF_SRCOLD | VIF_BUFFTOOSMALL);
    EXPECT_EQ(small.tmpLen, 12u);  // the length the name needs, as documented
    EXPECT_EQ(List("probe/dst"), std::vector<std::string>{"ORATEST.DLL"});

    faults().diskSpaceLeft = 1000;
    EXPECT_TRUE(Run(VIFF_FORCEINSTALL, "v600.dll").ret & VIF_OUTOFSPACE);
    EXPECT_EQ(List("probe/dst"), std::vector<std::string>{"ORATEST.DLL"});
    EXPECT_EQ(Host("probe/dst/ORATEST.DLL"), Input("v6102.dll"));
    faults().diskSpaceLeft.reset();

    faults().denied.insert("C:\\probe\\dst");
    EXPECT_EQ(Run(VIFF_FORCEINSTALL, "v600.dll").ret, VIF_CANNOTCREATE | VIF_ACCESSVIOLATION);
    EXPECT_EQ(Host("probe/dst/ORATEST.DLL"), Input("v6102.dll"));
}

TEST_F(VersionTest, ExpandedNamesAndLzCopy) {
    char out[MAX_PATH];
    EXPECT_EQ(::GetExpandedNameA("C:\\probe\\in\\v6102.dl_", out), 1u);
    EXPECT_STREQ(out, "C:\\probe\\in\\v6102.dll");
    EXPECT_EQ(::GetExpandedNameA("C:\\probe\\in\\v6102nc.dl_", out), 1u);
    EXPECT_STREQ(out, "C:\\probe\\in\\v6102nc.dl");
    EXPECT_EQ(::GetExpandedNameA("C:\\probe\\in\\v6102.dll", out), 1u);
    EXPECT_STREQ(out, "C:\\probe\\in\\v6102.dll");
    EXPECT_EQ(static_cast<LONG>(::GetExpandedNameA("C:\\probe\\in\\none.dl_", out)), LZERROR_BADINHANDLE);

    EXPECT_EQ(::LZCopyFile("C:\\probe\\in\\v6102.dl_", "C:\\probe\\dst\\a.dll"), 5120);
    EXPECT_EQ(Host("probe/dst/a.dll"), Input("v6102.dll"));
    EXPECT_EQ(::LZCopyFile("C:\\probe\\in\\plain.txt", "C:\\probe\\dst\\plain.txt"), 27);
    EXPECT_EQ(Host("probe/dst/plain.txt"), Input("plain.txt"));
    Stage("v600.dl_", "probe/conly");
    EXPECT_EQ(::LZCopyFile("C:\\probe\\conly\\v600.dll", "C:\\probe\\dst\\b.dll"), 5120);
    EXPECT_EQ(Host("probe/dst/b.dll"), Input("v600.dll"));
    EXPECT_EQ(::LZCopyFile("C:\\probe\\in\\none.dll", "C:\\probe\\dst\\c.dll"), LZERROR_BADINHANDLE);
    EXPECT_EQ(::LZCopyFile("C:\\probe\\in\\v600.dll", "C:\\probe\\nodir\\c.dll"), LZERROR_BADOUTHANDLE);
    faults().diskSpaceLeft = 100;
    EXPECT_EQ(::LZCopyFile("C:\\probe\\in\\v600.dl_", "C:\\probe\\dst\\d.dll"), LZERROR_WRITE);
}

}  // namespace
}  // namespace platform
