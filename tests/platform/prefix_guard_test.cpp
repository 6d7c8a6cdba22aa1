#include "platform/host/prefix_guard.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "e2e/media_dir.h"
#include "e2e/setup_run.h"
#include "support/temp_prefix.h"

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

}  // namespace
