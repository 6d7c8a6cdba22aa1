// The native backend against the real API (run under Wine or on Windows): what the shim between the
// platform's types and the system's must get right. Each case goes through the platform interface, as
// the logic does, and checks what the system did.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "mkmedia/szdd_compress.h"
#include "platform/win32.h"
#include "platform/win32/backend.h"

namespace {

class NativeBackend : public testing::Test {
  protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
        dir_ = std::string(temp) + "ovra_native_" +
               testing::UnitTest::GetInstance()->current_test_info()->name();
        RemoveTree(dir_);
        ASSERT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr)) << GetLastError();
    }
    void TearDown() override { RemoveTree(dir_); }

    std::string Path(const std::string& name) const { return dir_ + "\\" + name; }

    void Put(const std::string& name, const std::string& bytes) {
        HANDLE h = CreateFileA(Path(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << GetLastError();
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
        ASSERT_EQ(written, bytes.size());
        CloseHandle(h);
    }

    std::string Get(const std::string& name) {
        HANDLE h = CreateFileA(Path(name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return "<missing>";
        std::string data;
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0)
            data.append(buffer, got);
        CloseHandle(h);
        return data;
    }

    static void RemoveTree(const std::string& dir) {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::string name = data.cFileName;
                if (name == "." || name == "..") continue;
                std::string path = dir + "\\" + name;
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path);
                else
                    DeleteFileA(path.c_str());
            } while (FindNextFileA(find, &data));
            FindClose(find);
        }
        RemoveDirectoryA(dir.c_str());
    }

    platform::win32::NativeMachine machine_;
    platform::ScopedServices services_{machine_.ServicesWith(nullptr)};
    std::string dir_;
};

// The system's last error reaches the thread's error the logic reads, for failures of every kind.
TEST_F(NativeBackend, FailuresLeaveTheSystemsLastError) {
    struct Row {
        const char* what;
        std::function<bool()> call;
        DWORD error;
    };
    std::string missing = Path("absent.txt"), missingDir = Path("nodir\\file.txt");
    Put("present.txt", "x");
    std::string present = Path("present.txt");
    std::vector<Row> rows = {
        {"open a missing file",
         [&] {
             return CreateFileA(missing.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) ==
                    INVALID_HANDLE_VALUE;
         },
         ERROR_FILE_NOT_FOUND},
        {"create in a missing directory",
         [&] {
             return CreateFileA(missingDir.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr) ==
                    INVALID_HANDLE_VALUE;
         },
         ERROR_PATH_NOT_FOUND},
        {"attributes of a missing file",
         [&] { return GetFileAttributesA(missing.c_str()) == INVALID_FILE_ATTRIBUTES; },
         ERROR_FILE_NOT_FOUND},
        {"copy over an existing file when told not to",
         [&] { return !CopyFileA(present.c_str(), present.c_str(), TRUE); }, ERROR_FILE_EXISTS},
        {"delete a missing file", [&] { return !DeleteFileA(missing.c_str()); }, ERROR_FILE_NOT_FOUND},
        {"make a directory that exists", [&] { return !CreateDirectoryA(dir_.c_str(), nullptr); },
         ERROR_ALREADY_EXISTS},
    };
    for (const Row& row : rows) {
        SetLastError(0xDEAD);
        EXPECT_TRUE(row.call()) << row.what;
        EXPECT_EQ(GetLastError(), row.error) << row.what;
    }
}

TEST_F(NativeBackend, FindReturnsNamesAttributesAndSizes) {
    Put("Long File Name.txt", "12345");
    ASSERT_TRUE(CreateDirectoryA(Path("Sub").c_str(), nullptr));
    WIN32_FIND_DATAA data;
    std::memset(&data, 0xCC, sizeof data);
    HANDLE find = FindFirstFileA(Path("*.txt").c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE) << GetLastError();
    EXPECT_STREQ(data.cFileName, "Long File Name.txt");
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_EQ(data.nFileSizeHigh, 0u);
    EXPECT_FALSE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_NE(data.ftLastWriteTime.dwHighDateTime, 0u);
    SetLastError(0);
    EXPECT_FALSE(FindNextFileA(find, &data));
    EXPECT_EQ(GetLastError(), ERROR_NO_MORE_FILES);
    FindClose(find);

    find = FindFirstFileA(Path("Sub").c_str(), &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    FindClose(find);
}

// The predefined roots travel as 32-bit values in the platform's handles and must reach the system
// as its own (sign-extended) handles; keys the system opened come back unchanged.
TEST_F(NativeBackend, RegistryRoundTripUnderEachRootTheSetupWrites) {
    const std::string sub = "Software\\OvraNativeTest";
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        SECURITY_DESCRIPTOR sd;
        ASSERT_TRUE(InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION));
        ASSERT_TRUE(SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE));
        SECURITY_ATTRIBUTES sa;
        sa.lpSecurityDescriptor = &sd;
        HKEY key = nullptr;
        DWORD disposition = 0;
        ASSERT_EQ(RegCreateKeyExA(root, (sub + "\\Inner").c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, &sa, &key, &disposition),
                  ERROR_SUCCESS);
        EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
        const char text[] = "c:\\OVRA";
        ASSERT_EQ(RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text),
                  ERROR_SUCCESS);
        DWORD number = 0x12345678;
        ASSERT_EQ(RegSetValueExA(key, "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4),
                  ERROR_SUCCESS);
        RegCloseKey(key);

        ASSERT_EQ(RegOpenKeyExA(root, (sub + "\\inner").c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
        char buffer[64];
        std::memset(buffer, 0xCC, sizeof buffer);
        DWORD type = 0, size = sizeof buffer;
        ASSERT_EQ(RegQueryValueExA(key, "path", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(type, REG_SZ);
        EXPECT_EQ(size, sizeof text);
        EXPECT_STREQ(buffer, text);
        size = 2;
        EXPECT_EQ(RegQueryValueExA(key, "Path", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size),
                  static_cast<LONG>(ERROR_MORE_DATA));
        EXPECT_EQ(size, sizeof text);
        DWORD got = 0;
        size = sizeof got;
        ASSERT_EQ(RegQueryValueExA(key, "Count", nullptr, &type, reinterpret_cast<BYTE*>(&got), &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(type, REG_DWORD);
        EXPECT_EQ(got, number);
        char name[64];
        DWORD nameSize = sizeof name;
        FILETIME written;
        HKEY parent = nullptr;
        ASSERT_EQ(RegOpenKeyExA(root, sub.c_str(), 0, KEY_READ, &parent), ERROR_SUCCESS);
        ASSERT_EQ(RegEnumKeyExA(parent, 0, name, &nameSize, nullptr, nullptr, nullptr, &written),
                  ERROR_SUCCESS);
        EXPECT_STREQ(name, "Inner");
        EXPECT_EQ(nameSize, 5u);
        RegCloseKey(parent);
        RegCloseKey(key);

        EXPECT_EQ(RegDeleteTreeA(root, sub.c_str()), ERROR_SUCCESS);
        EXPECT_EQ(RegOpenKeyExA(root, sub.c_str(), 0, KEY_READ, &key),
                  static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    }
}

TEST_F(NativeBackend, ProfileWriteAndReadBack) {
    std::string ini = Path("test.ini");
    ASSERT_TRUE(WritePrivateProfileStringA("Section One", "Key", "value", ini.c_str()));
    char buffer[32];
    EXPECT_EQ(GetPrivateProfileStringA("section one", "KEY", "x", buffer, sizeof buffer, ini.c_str()), 5u);
    EXPECT_STREQ(buffer, "value");
    EXPECT_EQ(GetPrivateProfileStringA("Section One", "Other", "x", buffer, sizeof buffer, ini.c_str()), 1u);
    EXPECT_STREQ(buffer, "x");
    EXPECT_EQ(GetPrivateProfileStringA("Section One", "Key", "x", buffer, 4, ini.c_str()), 3u);
    EXPECT_STREQ(buffer, "val");
}

// The C runtime of the native program writes text as Windows does: "\n" becomes CR LF on disk.
TEST_F(NativeBackend, CrtStreamsUseTheWindowsTextMode) {
    std::string path = Path("log.ins");
    crt::FILE* file = crt::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    EXPECT_GE(crt::fputs("copy c:\\OVRA\\bin\\a.exe\n", file), 0);
    EXPECT_EQ(crt::fclose(file), 0);
    EXPECT_EQ(Get("log.ins"), "copy c:\\OVRA\\bin\\a.exe\r\n");
    file = crt::fopen(path.c_str(), "r");
    ASSERT_NE(file, nullptr);
    char line[64];
    ASSERT_NE(crt::fgets(line, sizeof line, file), nullptr);
    EXPECT_STREQ(line, "copy c:\\OVRA\\bin\\a.exe\n");
    EXPECT_EQ(crt::fgets(line, sizeof line, file), nullptr);
    EXPECT_NE(crt::feof(file), 0);
    crt::fclose(file);
    EXPECT_EQ(crt::fopen(Path("absent\\x.txt").c_str(), "r"), nullptr);
}

// VerInstallFileA expands a compressed image on its own, as the engine relies on.
TEST_F(NativeBackend, VerInstallFileExpandsACompressedImage) {
    std::string plain = "plain text payload, repeated: payload payload payload payload\n";
    std::vector<std::uint8_t> bytes(plain.begin(), plain.end());
    std::vector<std::uint8_t> packed = mkmedia::CompressSzdd(bytes, 't');
    ASSERT_TRUE(CreateDirectoryA(Path("src").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(Path("dst").c_str(), nullptr));
    Put("src\\readme.tx_", std::string(packed.begin(), packed.end()));

    char temp[MAX_PATH] = {};
    UINT tempLen = sizeof temp;
    DWORD result = VerInstallFileA(0, "readme.tx_", "readme.txt", Path("src").c_str(), Path("dst").c_str(),
                                   Path("dst").c_str(), temp, &tempLen);
    EXPECT_EQ(result & ~VIF_TEMPFILE, 0u) << std::hex << result;
    EXPECT_EQ(Get("dst\\readme.txt"), plain);

    char expanded[MAX_PATH];
    EXPECT_EQ(GetExpandedNameA(Path("src\\readme.tx_").c_str(), expanded), 1u);
    EXPECT_EQ(std::string(expanded), Path("src\\readme.txt"));
    EXPECT_EQ(LZCopyFile(Path("src\\readme.tx_").c_str(), Path("copy.txt").c_str()),
              static_cast<LONG>(plain.size()));
    EXPECT_EQ(Get("copy.txt"), plain);
}

TEST_F(NativeBackend, EnvironmentAndVersionComeFromTheSystem) {
    ASSERT_TRUE(SetEnvironmentVariableA("OVRA_NATIVE_TEST", "on"));
    char buffer[16];
    EXPECT_EQ(GetEnvironmentVariableA("ovra_native_test", buffer, sizeof buffer), 2u);
    EXPECT_STREQ(buffer, "on");
    EXPECT_EQ(GetEnvironmentVariableA("OVRA_NATIVE_TEST", buffer, 2), 3u);
    SetLastError(0);
    EXPECT_EQ(GetEnvironmentVariableA("OVRA_NATIVE_ABSENT", buffer, sizeof buffer), 0u);
    EXPECT_EQ(GetLastError(), ERROR_ENVVAR_NOT_FOUND);
    DWORD version = GetVersion();
    EXPECT_GE(version & 0xFF, 4u);  // a major version the setup knows
    EXPECT_NE(FormatSystemMessage(ERROR_FILE_NOT_FOUND, 0), "");
}

// With --no-progman no server answers, whether or not the system has one.
TEST_F(NativeBackend, AbsentServersRefuseTheConversation) {
    machine_.dde().SetServersAbsent(true);
    DWORD instance = 0;
    ASSERT_EQ(DdeInitializeA(&instance, nullptr, APPCLASS_STANDARD | APPCMD_CLIENTONLY, 0), DMLERR_NO_ERROR);
    HSZ service = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    EXPECT_EQ(DdeConnect(instance, service, service, nullptr), nullptr);
    EXPECT_EQ(DdeGetLastError(instance), DMLERR_NO_CONV_ESTABLISHED);
    DdeFreeStringHandle(instance, service);
    DdeUninitialize(instance);
}

}  // namespace
