#include "engine/file_transfer.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <functional>

#include "engine/engine_fixture.h"
#include "mkmedia/pe_image.h"

namespace {

using testing_support::EngineTest;
using testing_support::WriteHostFile;

TEST(PathsDiffer, Table) {
    struct Case {
        const char* a;
        const char* b;
        bool differ;
    } cases[] = {
        {"C:\\WINDOWS\\SYSTEM", "C:\\KIT\\BIN\\", true},
        {"C:\\KIT\\", "c:\\kit\\x.dll", false},
        {"C:\\KIT\\BIN\\", "D:\\KIT\\BIN\\", true},
        {"\\KIT\\", "D:\\KIT\\", false},  // only one has a drive
        {"C:", "C:\\KIT\\", true},        // only one has a directory
        {"C:", "c:", false},
        {"x.dll", "y.dll", false},
        {"C:\\OVRA\\BIN", "C:\\OVRA\\BIN\\", true},  // the last component of a path without "\" is a name
        {"", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PathsDiffer(c.a, c.b), c.differ) << c.a << " | " << c.b;
}

class FileTransferTest : public EngineTest {
  protected:
    static std::string Pe(const char* version, bool dll = true) {
        std::array<std::uint16_t, 4> parts;
        mkmedia::ParseVersion(version, parts);
        auto image = mkmedia::MakePeImage(parts, version, dll);
        return std::string(image.begin(), image.end());
    }
    std::string Newer() { return Pe("7.0"); }
    std::string Ours() { return Pe("6.10.2"); }
};

TEST_F(FileTransferTest, OlderSourceQuestionBothWays) {
    for (int answer : {IDYES, IDNO}) {
        if (!Host("OVRA\\bin").empty()) std::filesystem::remove_all(Host("OVRA\\bin"));
        WriteHostFile(prefix.DriveC("OVRA/bin/x.dll"), Newer());
        Media("set X\n  md bin\n  file bin x.dll pe=6.10.2\nend\n");
        ui.boxes.clear();
        ui.answers = {answer};
        ASSERT_EQ(Install("X"), 1);
        ASSERT_EQ(ui.BoxIds(), (std::vector<int>{1072}));
        EXPECT_EQ(ui.boxes[0].text,
                  "x.DLL to install is older than the preexisting file!\nDo you want to overwrite the file?");
        EXPECT_EQ(Read("OVRA\\bin\\x.dll"), answer == IDYES ? Ours() : Newer());
        // Declining leaves no expanded copy under a temporary name.
        EXPECT_EQ(Names("OVRA\\bin").size(), 1u);
    }
}

// The long-name boundary on both sides. A name part of 8 characters with an extension of 3 is stored under
// its own name; one character more in the name part or in the extension makes a long name. Either way the
// file is installed under the name it keeps, through the version check and its question, so an older long
// name never replaces a newer file unasked.
TEST_F(FileTransferTest, EightPlusThreeIsTheLongestNameInstalledUnderItsOwnName) {
    struct Case {
        const char* entry;      // the manifest's file line after "file bin "
        const char* installed;  // the name in the directory afterwards
        bool longName;
        bool newerInPlace;  // a newer copy of the file is there before
    } cases[] = {
        {"abcdefgh.dll pe=6.10.2", "abcdefgh.DLL", false, true},
        {"abcdefghi.dll pe=6.10.2", "abcdefghi.DLL", true, true},
        {"abcdefgh.txt text=\"short\" plain", "abcdefgh.txt", false, false},
        {"abcdefgh.html text=\"long\" plain", "abcdefgh.html", true, false},
    };
    auto Which = [&](const std::string& image) {
        return image == Ours() ? "ours" : image == Newer() ? "newer" : "another image";
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        if (!Host("OVRA\\bin").empty()) std::filesystem::remove_all(Host("OVRA\\bin"));
        if (c.newerInPlace) WriteHostFile(prefix.DriveC(std::string("OVRA/bin/") + c.installed), Newer());
        Media(std::string("set N\n  md bin\n  file bin ") + c.entry + "\nend\n");
        ui.boxes.clear();
        ui.traces.clear();
        ui.answers = {IDNO};
        ASSERT_EQ(Install("N"), 1);

        EXPECT_EQ(Names("OVRA\\bin"), (std::vector<std::string>{c.installed}));
        std::vector<std::string> installs;
        for (const auto& t : ui.traces)
            if (t.rfind("verinstall ", 0) == 0) installs.push_back(t.substr(11, t.find(' ', 11) - 11));
        ASSERT_FALSE(installs.empty());
        EXPECT_EQ(installs.front(), std::string(c.installed));
        EXPECT_EQ(installs.size(), 1u) << "no second installation under another name";
        if (!c.newerInPlace) {
            EXPECT_TRUE(ui.boxes.empty());
            continue;
        }
        ASSERT_EQ(ui.BoxIds(), (std::vector<int>{1072}));
        EXPECT_EQ(ui.boxes[0].text, std::string(c.installed) +
                                        " to install is older than the preexisting file!\nDo you want to "
                                        "overwrite the file?");
        EXPECT_EQ(Which(Read(std::string("OVRA\\bin\\") + c.installed)), "newer");  // No keeps it
    }
}

TEST_F(FileTransferTest, InUseQuestionOkRetriesCancelEndsTheSet) {
    // A locked destination: the search reports it in use; after Cancel the service answers
    // VIF_FILEINUSE | VIF_CANNOTDELETE as Windows does. The file is still in use, so it is not in place:
    // 1070, and the set cannot be complete.
    WriteHostFile(prefix.DriveC("OVRA/bin/x.dll"), "old");
    Faults().inUse.insert("C:\\OVRA\\bin\\x.dll");
    Media("set X\n  md bin\n  file bin x.dll size=50 gauge=60\n  file bin y.dll size=5\nend\n");
    ui.answers = {IDOK, IDCANCEL};
    EXPECT_EQ(Install("X"), 0);
    EXPECT_EQ(ui.BoxIds(), (std::vector<int>{1071, 1071, 1070}));
    EXPECT_EQ(ui.boxes[0].text,
              "x.DLL is currently in use by another program.\nClose this program to continue the setup");
    EXPECT_EQ(ui.boxes[0].style & 0xF, MB_OKCANCEL);
    EXPECT_EQ(Read("OVRA\\bin\\x.dll"), "old");
    EXPECT_FALSE(Exists("OVRA\\bin\\y.DLL"));
    EXPECT_FALSE(Exists("OVRA\\tempfile.tmp"));
    bool sawLocked = false;
    for (const auto& t : ui.traces)
        if (t.find("verinstall x.DLL") == 0 && t.find("result=0x1080") != std::string::npos) sawLocked = true;
    EXPECT_TRUE(sawLocked);
}

TEST_F(FileTransferTest, InUseRetrySucceedsOnceTheProgramHasClosed) {
    class ReleasingUi : public testing_support::RecordingUi {
      public:
        platform::Faults* faults = nullptr;
        int MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD lang) override {
            int answer = RecordingUi::MessageBoxExA(owner, text, caption, type, lang);
            faults->inUse.clear();  // the user closed the program before pressing OK
            return answer;
        }
    } releasing;
    releasing.faults = &Faults();
    platform::Services services = prefix.machine().ServicesWith(&releasing);
    platform::ScopedServices scope(services);
    WriteHostFile(prefix.DriveC("OVRA/bin/x.dll"), "old");
    Faults().inUse.insert("C:\\OVRA\\bin\\x.dll");
    Media("set X\n  md bin\n  file bin x.dll size=50\nend\n");
    releasing.answers = {IDOK};
    ASSERT_EQ(Install("X"), 1);
    EXPECT_EQ(releasing.BoxIds(), (std::vector<int>{1071}));
    EXPECT_EQ(Read("OVRA\\bin\\x.dll"), mkmedia::GeneratedText(50, "x.dll"));
    app.reset();  // its progress window belongs to this UI
}

TEST_F(FileTransferTest, OtherCopyQuestionBothWays) {
    for (int answer : {IDYES, IDNO}) {
        WriteHostFile(prefix.DriveC("windows/system32/v.dll"), "elsewhere");
        if (!Host("OVRA\\bin").empty()) std::filesystem::remove_all(Host("OVRA\\bin"));
        Media("set V\n  md bin\n  file bin v.dll size=80 VERSION\nend\n");
        ui.boxes.clear();
        ui.answers = {answer};
        ASSERT_EQ(Install("V"), 1);
        ASSERT_EQ(ui.BoxIds(), (std::vector<int>{1074}));
        EXPECT_EQ(
            ui.boxes[0].text,
            "The install program has found another version of v.dll in C:\\windows\\system32\nDo you want "
            "to overwrite it?");
        std::string ours = mkmedia::GeneratedText(80, "v.dll");
        EXPECT_EQ(Read("OVRA\\bin\\v.dll"), ours);
        EXPECT_EQ(Read("windows\\system32\\v.dll"), answer == IDYES ? ours : "elsewhere");
    }
}

// The version service as the machine provides it, with hooks a test may replace.
class VersionsWithHooks : public platform::VersionApi {
  public:
    explicit VersionsWithHooks(platform::VersionApi& inner) : inner_(inner) {}
    DWORD GetFileVersionInfoSizeA(LPCSTR f, LPDWORD h) override {
        return inner_.GetFileVersionInfoSizeA(f, h);
    }
    BOOL GetFileVersionInfoA(LPCSTR f, DWORD h, DWORD s, void* d) override {
        return inner_.GetFileVersionInfoA(f, h, s, d);
    }
    BOOL VerQueryValueA(const void* b, LPCSTR s, void** v, UINT* l) override {
        return inner_.VerQueryValueA(b, s, v, l);
    }
    DWORD VerFindFileA(DWORD f, LPCSTR n, LPCSTR w, LPCSTR a, LPSTR c, UINT* cl, LPSTR d, UINT* dl) override {
        if (findHook) return findHook(c, cl, d, dl);
        return inner_.VerFindFileA(f, n, w, a, c, cl, d, dl);
    }
    DWORD VerInstallFileA(DWORD f, LPCSTR s, LPCSTR d, LPCSTR sd, LPCSTR dd, LPCSTR cd, LPSTR t,
                          UINT* tl) override {
        if (installHook)
            if (DWORD bits = installHook(d, f)) return bits;
        return inner_.VerInstallFileA(f, s, d, sd, dd, cd, t, tl);
    }
    DWORD GetExpandedNameA(LPCSTR s, LPSTR b) override { return inner_.GetExpandedNameA(s, b); }
    LONG LZCopyFile(LPCSTR s, LPCSTR d) override { return inner_.LZCopyFile(s, d); }

    std::function<DWORD(LPSTR, UINT*, LPSTR, UINT*)> findHook;
    // Non-zero: the result for (destination name, flags), without installing.
    std::function<DWORD(const std::string&, DWORD)> installHook;

  private:
    platform::VersionApi& inner_;
};

TEST_F(FileTransferTest, SharingAndAccessViolationsSkipTheFile) {
    // A denied destination comes from the machine; a sharing violation (what Wine reports for a locked
    // file) is forced through the service's result.
    platform::Services services = platform::Current();
    VersionsWithHooks versions(*services.versions);
    versions.installHook = [](const std::string& name, DWORD) -> DWORD {
        return name == "a.DLL" ? VIF_SHARINGVIOLATION | VIF_CANNOTDELETE : 0;
    };
    services.versions = &versions;
    platform::ScopedServices scope(services);
    Faults().denied.insert("C:\\OVRA\\bin\\b.DLL");
    Media(
        "set S\n  md bin\n  file bin a.dll size=20\n  file bin b.dll size=20\n  file bin c.dll "
        "size=20\nend\n");
    ASSERT_EQ(Install("S"), 1);
    EXPECT_EQ(ui.BoxIds(), (std::vector<int>{1070, 1070}));
    EXPECT_EQ(
        ui.boxes[0].text,
        " Unable to copy files!\nThe destination disk is full or the file is currently in use by another "
        "program!");
    EXPECT_FALSE(Exists("OVRA\\bin\\a.DLL"));
    EXPECT_FALSE(Exists("OVRA\\bin\\b.DLL"));
    EXPECT_TRUE(Exists("OVRA\\bin\\c.DLL"));
    EXPECT_EQ(Names("OVRA\\bin"), (std::vector<std::string>{"c.DLL"}));  // no temporary copy left
    // Each is logged all the same: the line is written before the installation.
    EXPECT_EQ(LogLines().size(), 5u);  // header, md, three files
}

// Result bits the comparison does not explain are failures: the file is not reported as copied. A
// mismatch that is not an older source needs no question; an old copy elsewhere that stays is no failure.
TEST_F(FileTransferTest, ResultBitsBeyondTheComparisonAreFailures) {
    struct Case {
        const char* name;
        DWORD first;  // the result of the first attempt
        std::vector<int> boxes;
        int result;
        bool installed;
    } cases[] = {
        {"cannot create", VIF_CANNOTCREATE, {1070}, 0, false},
        {"cannot delete", VIF_CANNOTDELETE, {1070}, 0, false},
        {"cannot rename", VIF_CANNOTRENAME | VIF_TEMPFILE, {1070}, 0, false},
        {"in use", VIF_FILEINUSE, {1070}, 0, false},
        {"still read-only", VIF_WRITEPROT, {1070}, 0, false},  // the retry fails the same way
        {"unreadable image", VIF_CANNOTREADSRC, {1069}, 0, false},
        {"no LZ32", VIF_CANNOTLOADLZ32, {1070}, 0, false},
        {"access", VIF_ACCESSVIOLATION, {1070}, 1, false},
        {"sharing", VIF_SHARINGVIOLATION, {1070}, 1, false},
        {"old copy stays", VIF_CANNOTDELETECUR, {}, 1, false},
        {"other language", VIF_MISMATCH | VIF_DIFFLANG | VIF_TEMPFILE, {}, 1, true},
        {"other type", VIF_MISMATCH | VIF_DIFFTYPE | VIF_TEMPFILE, {}, 1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!Host("OVRA\\bin").empty()) std::filesystem::remove_all(Host("OVRA\\bin"));
        platform::Services services = platform::Current();
        VersionsWithHooks versions(*services.versions);
        const DWORD first = c.first;
        // Every attempt fails as the first did, except a forced one after a mismatch.
        versions.installHook = [first](const std::string& name, DWORD flags) -> DWORD {
            if (name != "a.DLL") return 0;
            if ((first & VIF_MISMATCH) && (flags & VIFF_FORCEINSTALL)) return 0;
            return first;
        };
        services.versions = &versions;
        platform::ScopedServices scope(services);
        Media("set B\n  md bin\n  file bin a.dll size=20\n  file bin b.dll size=20\nend\n");
        ui.boxes.clear();
        EXPECT_EQ(Install("B"), c.result);
        EXPECT_EQ(ui.BoxIds(), c.boxes);
        EXPECT_EQ(Exists("OVRA\\bin\\a.DLL"), c.installed);
        EXPECT_EQ(Exists("OVRA\\bin\\b.DLL"), c.result == 1);
        EXPECT_FALSE(Exists("OVRA\\tempfile.tmp"));
    }
}

TEST_F(FileTransferTest, MissingDestinationDirectoryEndsTheSet) {
    // No md line for "lib": the service cannot create the file there.
    Media("set N\n  md bin\n  file lib a.lib size=20\n  file bin b.dll size=20\nend\n");
    EXPECT_EQ(Install("N"), 0);
    EXPECT_EQ(ui.BoxIds(), (std::vector<int>{1070}));
    EXPECT_FALSE(Exists("OVRA\\lib"));
    EXPECT_FALSE(Exists("OVRA\\bin\\b.DLL"));
    EXPECT_FALSE(Exists("OVRA\\tempfile.tmp"));
}

TEST_F(FileTransferTest, ReadOnlyCopyIsReplacedOnceAgreed) {
    struct Case {
        const char* installed;  // version of the read-only copy in place
        std::vector<int> answers;
        std::vector<int> boxes;
        bool replaced;
    } cases[] = {
        {"7.0", {IDYES}, {1072}, true},  // older source, the user agrees
        {"7.0", {IDNO}, {1072}, false},  // older source, the user keeps the copy
        {"6.0", {}, {}, true},           // newer source: no question to ask
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.installed);
        if (!Host("OVRA\\bin").empty()) std::filesystem::remove_all(Host("OVRA\\bin"));
        const std::string before = Pe(c.installed);
        WriteHostFile(prefix.DriveC("OVRA/bin/x.dll"), before);
        ASSERT_TRUE(SetFileAttributesA("C:\\OVRA\\bin\\x.dll", FILE_ATTRIBUTE_READONLY));
        Media("set X\n  md bin\n  file bin x.dll pe=6.10.2 VERSION\nend\n");
        ui.boxes.clear();
        ui.answers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(Install("X"), 1);
        EXPECT_EQ(ui.BoxIds(), c.boxes);
        EXPECT_EQ(Read("OVRA\\bin\\x.dll"), c.replaced ? Ours() : before);
        if (c.replaced) {
            EXPECT_FALSE(GetFileAttributesA("C:\\OVRA\\bin\\x.dll") & FILE_ATTRIBUTE_READONLY);
        }
        EXPECT_EQ(Names("OVRA\\bin").size(), 1u);
    }
}

TEST_F(FileTransferTest, OutOfMemoryIsReportedAndTheSetGoesOn) {
    platform::Services services = platform::Current();
    VersionsWithHooks versions(*services.versions);
    versions.installHook = [](const std::string& name, DWORD) -> DWORD {
        return name == "a.DLL" ? VIF_OUTOFMEMORY : 0;
    };
    services.versions = &versions;
    platform::ScopedServices scope(services);
    Media("set M\n  md bin\n  file bin a.dll size=20\n  file bin b.dll size=20\nend\n");
    ASSERT_EQ(Install("M"), 1);
    EXPECT_EQ(ui.BoxIds(), (std::vector<int>{1073}));
    EXPECT_EQ(ui.boxes[0].text, " Unable to copy files!\nExpand process out of memory!");
    EXPECT_TRUE(Exists("OVRA\\bin\\b.DLL"));
}

TEST_F(FileTransferTest, DiskFullWhileExpandingEndsTheSet) {
    // Without the checksum option, whose check would meet the full disk first.
    Media("set F\n  md bin\n  file bin big.dll size=60000 nocrc\n  file bin next.dll size=10\nend\n");
    std::string dat = Read("media\\English\\F.DAT");
    // Room for the compressed image and the log lines, not for the expanded file.
    Faults().diskSpaceLeft = dat.size() + 400;
    EXPECT_EQ(Install("F"), 0);
    EXPECT_EQ(ui.BoxIds(), (std::vector<int>{1070}));
    EXPECT_FALSE(Exists("OVRA\\bin\\big.DLL"));
    EXPECT_FALSE(Exists("OVRA\\bin\\next.DLL"));
    bool outOfSpace = false;
    for (const auto& t : ui.traces)
        if (t.find("verinstall big.DLL") == 0 && t.find("result=0x1") != std::string::npos) outOfSpace = true;
    EXPECT_TRUE(outOfSpace);
}

TEST_F(FileTransferTest, SharedDllsAreNumberedAcrossSets) {
    Media(R"(
set One
  md bin
  file bin first.dll size=10 SHARED
  file bin notes.txt text="x" plain SHARED
end
set Two
  md bin
  file bin second.dll size=10 SHARED
  file bin third.dll size=10 SHARED VERSION
end
)");
    ASSERT_EQ(Install("One"), 1);
    ASSERT_EQ(Install("Two"), 1);
    EXPECT_EQ(SharedDllCount(), 3);
    EXPECT_EQ(OvraIni("Shared Dlls", "Shared0"), "C:\\windows\\system32\\first.DLL");
    EXPECT_EQ(OvraIni("Shared Dlls", "Shared1"), "C:\\windows\\system32\\second.DLL");
    EXPECT_EQ(OvraIni("Shared Dlls", "Shared2"), "C:\\windows\\system32\\third.DLL");
    EXPECT_EQ(OvraIni("Shared Dlls", "Shared3"), "<none>");
    EXPECT_TRUE(Exists("windows\\system32\\notes.txt"));
    EXPECT_EQ(LogLines().size(), 3u);  // the header and the two md lines: shared files are never logged
}

TEST_F(FileTransferTest, ReadOnlyAttributeIsCleared) {
    Media("set R\n  md bin\n  file bin r.dll size=10\nend\n");
    ASSERT_EQ(Install("R"), 1);
    DWORD attributes = GetFileAttributesA("C:\\OVRA\\bin\\r.DLL");
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(attributes & FILE_ATTRIBUTE_READONLY);
}

TEST_F(FileTransferTest, OwnFilesNeverGoIntoTheSystemDirectory) {
    platform::Services services = platform::Current();
    VersionsWithHooks versions(*services.versions);
    // The service proposes the System directory for every file, as Windows may for a file it knows there.
    versions.findHook = [](LPSTR cur, UINT* curLen, LPSTR dest, UINT* destLen) -> DWORD {
        cur[0] = '\0';
        *curLen = 1;
        std::snprintf(dest, *destLen, "%s", "C:\\windows\\system32");
        *destLen = 20;
        return 0;
    };
    services.versions = &versions;
    platform::ScopedServices scope(services);
    Media("set P\n  md bin\n  file bin own.dll size=10\n  file bin common.dll size=10 SHARED\nend\n");
    ASSERT_EQ(Install("P"), 1);
    EXPECT_TRUE(Exists("OVRA\\bin\\own.DLL"));
    EXPECT_FALSE(Exists("windows\\system32\\own.DLL"));
    EXPECT_TRUE(Exists("windows\\system32\\common.DLL"));
}

}  // namespace
