#include "platform/host/prefix_guard.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "e2e/media_dir.h"
#include "e2e/setup_run.h"
#include "support/temp_prefix.h"
#include "support/wine_user.h"

namespace {

using testing_support::TempDir;

TEST(PrefixGuard, OneSetupAtATime) {
    TempDir dir;
    std::string why;
    platform::PrefixGuard first;
    ASSERT_TRUE(first.Acquire(dir.path() + "/prefix", why)) << why;
    platform::PrefixGuard second;
    EXPECT_FALSE(second.Acquire(dir.path() + "/prefix", why));
    EXPECT_NE(why.find("another setup"), std::string::npos) << why;

    // The program itself refuses while the lock is held, before anything is written.
    testing_support::MediaDir media(dir.path() + "/media");
    media.Flavour("INSTOVRA.INI", {"CODE=11"}).EmptyFileSets();
    auto run = testing_support::RunSetup(dir.path() + "/prefix", media.path());
    EXPECT_EQ(run.exitCode, 5) << run.output;
    EXPECT_NE(run.output.find("another setup"), std::string::npos);
    EXPECT_FALSE(testing_support::HostExists(dir.path() + "/prefix/system.reg"));
}

TEST(PrefixGuard, ARunningWineServerIsRefused) {
    TempDir dir;
    std::string prefix = dir.path() + "/prefix";
    std::filesystem::create_directories(prefix);
    std::string socketPath = platform::PrefixGuard::WineServerSocket(prefix);
    ASSERT_FALSE(socketPath.empty());
    EXPECT_FALSE(platform::PrefixGuard::WineServerRunning(prefix));

    // Stand in for Wine's server: listen where it would.
    std::filesystem::create_directories(std::filesystem::path(socketPath).parent_path());
    int s = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(s, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(s, 1), 0);
    EXPECT_TRUE(platform::PrefixGuard::WineServerRunning(prefix));
    std::string why;
    platform::PrefixGuard guard;
    EXPECT_FALSE(guard.Acquire(prefix, why));
    EXPECT_NE(why.find("Wine is running"), std::string::npos) << why;
    close(s);
    std::filesystem::remove_all(std::filesystem::path(socketPath).parent_path());
    // A socket file nobody listens on any more (a server that died) does not block the setup.
    platform::PrefixGuard again;
    EXPECT_TRUE(again.Acquire(prefix, why)) << why;
}

// Listens on `socketPath` as Wine's server would; closed (and its directory removed) on destruction.
class FakeServer {
  public:
    explicit FakeServer(const std::string& socketPath)
        : dir_(std::filesystem::path(socketPath).parent_path()) {
        std::filesystem::create_directories(dir_);
        fd_ = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
        listening_ = fd_ >= 0 && bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                     listen(fd_, 1) == 0;
    }
    ~FakeServer() {
        if (fd_ >= 0) close(fd_);
        std::filesystem::remove_all(
            dir_.parent_path().filename().string().rfind("wine-", 0) == 0 ? dir_.parent_path() : dir_);
    }
    bool listening() const { return listening_; }

  private:
    std::filesystem::path dir_;
    int fd_ = -1;
    bool listening_ = false;
};

// Debian's Wine 8 keeps its server below a private directory the prefix's "wineserver" file names;
// upstream Wine below /tmp/.wine-UID. Either one running is refused; a name that would lead out of the
// temporary directory is not followed.
TEST(PrefixGuard, SeesTheWineServerWhereverWineLaysItOut) {
    struct Row {
        const char* name;
        const char* wineserverFile;  // contents of PREFIX/wineserver, or null
        bool debianLayout;
        bool refused;
    } rows[] = {
        {"upstream layout", nullptr, false, true},
        {"Debian layout", "wine-ovraTst\n", true, true},
        {"Debian layout, file without newline", "wine-ovraTs2", true, true},
        {"a name that leaves /tmp", "../tmp/wine-ovraTs3", true, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        std::string prefix = dir.path() + "/prefix";
        std::filesystem::create_directories(prefix);
        std::string socketPath = platform::PrefixGuard::WineServerSocket(prefix);
        if (row.wineserverFile) {
            testing_support::WriteHostFile(prefix + "/wineserver", row.wineserverFile);
            std::string name = row.wineserverFile;
            if (name.back() == '\n') name.pop_back();
            socketPath = "/tmp/" + name + "/" +
                         std::filesystem::path(socketPath).parent_path().filename().string() + "/socket";
        }
        FakeServer server(socketPath);
        ASSERT_TRUE(server.listening()) << socketPath;
        EXPECT_EQ(platform::PrefixGuard::WineServerRunning(prefix), row.refused);
        std::string why;
        platform::PrefixGuard guard;
        EXPECT_EQ(guard.Acquire(prefix, why), !row.refused) << why;
        if (row.refused) {
            EXPECT_EQ(guard.refusal(), platform::PrefixGuard::Refusal::InUse);
        }
    }
}

// What Wine itself does: a real server, started on a prefix made for the test by the unprivileged user
// Wine runs as, stops the setup (run as that user) before it writes anything.
TEST(PrefixGuard, ARealWineServerIsRefused) {
    std::string why;
    auto user = testing_support::WineUser::Get(why);
    if (!user) GTEST_SKIP() << why;
    TempDir dir;
    // A copy the Wine user can run (the build tree may be in a private folder).
    const std::string setup =
        testing_support::ReachableCopy(std::string(OVRA_BINARY_DIR) + "/setup", dir.path() + "/tools");
    int status = -1;
    const std::string prefix = dir.path() + "/prefix";
    std::filesystem::create_directories(prefix);
    testing_support::MediaDir media(dir.path() + "/media");
    media.Flavour("INSTOVRA.INI", {"CODE=11"}).EmptyFileSets();
    user->Own(dir.path());
    const std::string env = "WINEPREFIX=" + testing_support::ShellQuote(prefix) + " WINEDEBUG=-all";
    // Detached from our pipe: the server outlives the command that started it.
    user->Run(env, "wineserver -p </dev/null >/dev/null 2>&1", &status);
    ASSERT_EQ(status, 0);
    struct StopServer {
        const testing_support::WineUser& user;
        std::string env;
        ~StopServer() { user.Run(env, "wineserver -k </dev/null >/dev/null 2>&1"); }
    } stop{*user, env};
    for (int i = 0; i < 100 && !platform::PrefixGuard::WineServerRunning(prefix); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_TRUE(platform::PrefixGuard::WineServerRunning(prefix));

    std::string output = user->Run("",
                                   testing_support::ShellQuote(setup) + " --ui script --prefix " +
                                       testing_support::ShellQuote(prefix) + " --media " +
                                       testing_support::ShellQuote(media.path()) + " </dev/null",
                                   &status);
    EXPECT_EQ(status, 5) << output;
    EXPECT_NE(output.find("Wine is running"), std::string::npos) << output;
    EXPECT_FALSE(testing_support::HostExists(prefix + "/system.reg"));
    EXPECT_FALSE(testing_support::HostExists(prefix + "/drive_c/windows/OVRA.ini"));
}

// A broken layout is named before anything is made; a prefix that is only a directory, or not there at
// all, is a new prefix.
TEST(PrefixGuard, NamesWhatIsBrokenInAPrefix) {
    struct Row {
        const char* name;
        void (*make)(const std::string& prefix);
        const char* problem;  // a part of the message, or "" for a sound prefix
    } rows[] = {
        {"missing", [](const std::string&) {}, ""},
        {"empty", [](const std::string& p) { std::filesystem::create_directories(p); }, ""},
        {"drive_c a file",
         [](const std::string& p) {
             std::filesystem::create_directories(p);
             testing_support::WriteHostFile(p + "/drive_c", "x");
         },
         "drive_c is not a directory"},
        {"dosdevices a file",
         [](const std::string& p) {
             std::filesystem::create_directories(p + "/drive_c");
             testing_support::WriteHostFile(p + "/dosdevices", "x");
         },
         "dosdevices is not a directory"},
        {"dangling drive_c",
         [](const std::string& p) {
             std::filesystem::create_directories(p);
             std::filesystem::create_directory_symlink(p + "/gone", p + "/drive_c");
         },
         "which does not exist"},
        {"the prefix a file",
         [](const std::string& p) {
             std::filesystem::create_directories(std::filesystem::path(p).parent_path());
             testing_support::WriteHostFile(p, "x");
         },
         "is not a directory"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        std::string prefix = dir.path() + "/prefix";
        row.make(prefix);
        std::string problem = platform::PrefixGuard::LayoutProblem(prefix);
        if (!*row.problem) {
            EXPECT_EQ(problem, "");
            continue;
        }
        EXPECT_NE(problem.find(row.problem), std::string::npos) << problem;
        std::string why;
        platform::PrefixGuard guard;
        EXPECT_FALSE(guard.Acquire(prefix, why));
        EXPECT_EQ(guard.refusal(), platform::PrefixGuard::Refusal::Malformed);
        EXPECT_FALSE(testing_support::HostExists(prefix + "/.ovra-setup.lock"));
    }
}

}  // namespace
