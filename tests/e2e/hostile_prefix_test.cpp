// The prefix as a hostile or unlucky host hands it over: another user's prefix, a broken layout, hives
// that cannot be saved, a full file system, media files that are not files, a drive link the user
// removed. Each ends with its own status and message, and leaves the prefix as it was.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>

#include "e2e/fault_support.h"
#include "e2e/setup_run.h"
#include "support/temp_prefix.h"
#include "support/wine_user.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_support;

const std::string kSmallMedia = std::string(OVRA_BINARY_DIR) + "/media/small";
const char kAnswers[] = "name=Ada\ncompany=Engines\n";
const char kFinished[] = "Setup has finished installing files";

// Every name below `dir` (links as links) with the contents of its regular files.
std::map<std::string, std::string> Snapshot(const std::string& dir) {
    std::map<std::string, std::string> out;
    if (!fs::exists(fs::symlink_status(dir))) return out;
    out[""] = "dir";
    for (auto it = fs::recursive_directory_iterator(dir); it != fs::recursive_directory_iterator(); ++it) {
        std::string name = fs::relative(it->path(), dir).string();
        if (it->is_symlink())
            out[name] = "-> " + fs::read_symlink(it->path()).string();
        else if (it->is_regular_file())
            out[name] = ReadHostFile(it->path().string());
        else
            out[name] = "dir";
    }
    return out;
}

void Chown(const std::string& dir, uid_t uid) {
    EXPECT_EQ(::lchown(dir.c_str(), uid, uid), 0);
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        EXPECT_EQ(::lchown(entry.path().c_str(), uid, uid), 0);
}

// A prefix an unprivileged user owns, and how to run the setup as that user: root's commands run as
// uid 65534 (root writes anywhere, so permissions need someone else), anyone else's as themselves. The
// setup and the small media are copied into `dir`, where that user reaches them (the build tree may be
// in a private folder).
struct Unprivileged {
    std::string runner, setup, media;
};
Unprivileged UnprivilegedRunner(const std::string& dir, const std::string& prefix) {
    Unprivileged u;
    u.setup = ReachableCopy(std::string(OVRA_BINARY_DIR) + "/setup", dir + "/tools");
    u.media = ReachableCopy(kSmallMedia, dir + "/tools");
    if (geteuid() != 0) return u;
    Chown(prefix, 65534);
    ::chmod(dir.c_str(), 0755);
    u.runner = "setpriv --reuid=65534 --regid=65534 --clear-groups";
    return u;
}

// Root installing into a user's prefix would write as root where the user planted links; it is refused
// as Wine refuses it, naming the owner, before anything is written.
TEST(HostilePrefix, AnotherUsersPrefixIsRefusedWithNothingWritten) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to run on a prefix of another user";
    TempDir dir;
    const std::string prefix = dir.path() + "/prefix", secret = dir.path() + "/root-only";
    WriteHostFile(secret, "root's own\n");
    ::chmod(secret.c_str(), 0600);
    fs::create_directories(prefix + "/drive_c/OVRA");
    fs::create_directories(prefix + "/dosdevices");
    fs::create_directory_symlink("../drive_c", prefix + "/dosdevices/c:");
    fs::create_symlink(secret, prefix + "/drive_c/OVRA/tempfile.tmp");
    WriteHostFile(prefix + "/system.reg", "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n");
    Chown(prefix, 65534);
    auto before = Snapshot(prefix);

    auto run = RunSetup(prefix, kSmallMedia, kAnswers);
    EXPECT_EQ(run.exitCode, 6) << run.output;
    EXPECT_NE(run.output.find("is not owned by you"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("nobody"), std::string::npos) << run.output;
    EXPECT_EQ(Snapshot(prefix), before);
    EXPECT_EQ(ReadHostFile(secret), "root's own\n");
    struct stat st;
    ASSERT_EQ(::stat((prefix + "/system.reg").c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
}

// A malformed prefix gets a message and status 7, never an uncaught exception (status 134 from abort).
TEST(HostilePrefix, MalformedPrefixesEndWithTheirStatus) {
    struct Row {
        const char* name;
        void (*make)(const std::string& prefix);
        const char* message;
    } rows[] = {
        {"drive_c a plain file",
         [](const std::string& p) {
             fs::create_directories(p + "/dosdevices");
             WriteHostFile(p + "/drive_c", "not a drive\n");
         },
         "drive_c is not a directory"},
        {"dosdevices a plain file",
         [](const std::string& p) {
             fs::create_directories(p + "/drive_c");
             WriteHostFile(p + "/dosdevices", "not a directory\n");
         },
         "dosdevices is not a directory"},
        {"dangling drive_c",
         [](const std::string& p) {
             fs::create_directories(p + "/dosdevices");
             fs::create_directory_symlink(p + "/../gone", p + "/drive_c");
         },
         "which does not exist"},
        {"no drive c:",
         [](const std::string& p) {
             fs::create_directories(p + "/dosdevices");
             fs::create_directories(p + "/drive_c/windows");
         },
         "dosdevices/c:"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const std::string prefix = dir.path() + "/prefix";
        row.make(prefix);
        auto before = Snapshot(prefix);
        auto run = RunSetup(prefix, kSmallMedia, kAnswers);
        EXPECT_EQ(run.exitCode, 7) << run.output;
        EXPECT_NE(run.output.find(row.message), std::string::npos) << run.output;
        EXPECT_FALSE(HostExists(prefix + "/system.reg"));
        EXPECT_FALSE(HostExists(prefix + "/drive_c/windows/OVRA.ini"));
        if (std::string(row.name) != "no drive c:") {
            EXPECT_EQ(Snapshot(prefix), before);
        }
    }
}

// A prefix directory its owner cannot write in (run as an unprivileged user: root writes anywhere).
TEST(HostilePrefix, AnUnwritablePrefixEndsWithItsStatus) {
    TempDir dir;
    const std::string prefix = dir.path() + "/prefix";
    fs::create_directories(prefix + "/drive_c");
    fs::create_directories(prefix + "/dosdevices");
    const Unprivileged user = UnprivilegedRunner(dir.path(), prefix);
    ::chmod(prefix.c_str(), 0555);
    int status = -1;
    const std::string output =
        Capture(user.runner + " " + ShellWord(user.setup) + " --ui script --prefix " + ShellWord(prefix) +
                    " --media " + ShellWord(user.media) + " </dev/null",
                &status);
    ::chmod(prefix.c_str(), 0755);
    EXPECT_EQ(status, 7) << output;
    EXPECT_NE(output.find("cannot be written"), std::string::npos) << output;
    EXPECT_FALSE(HostExists(prefix + "/system.reg"));
}

// A hive that cannot be saved (the disk is full for it) ends the run on the system's text and the
// failure message, with status 8 and the hive files as they were.
TEST(HostilePrefix, AHiveThatCannotBeSavedIsReported) {
    TempDir dir;
    const std::string prefix = dir.path() + "/prefix";
    ASSERT_EQ(RunSetup(prefix, kSmallMedia, kAnswers).exitCode, 0);
    auto hives = ReadHives(prefix);

    auto run = RunSetup(prefix, kSmallMedia, kAnswers, {}, "OVRA_FAULTS=regdisk=0");
    EXPECT_EQ(run.exitCode, 8) << run.output;
    EXPECT_NE(run.transcript.find("text=\"Disk full.\\r\\n\" style=0x10"), std::string::npos)
        << run.transcript;
    EXPECT_NE(run.transcript.find("messagebox id=1063"), std::string::npos);
    EXPECT_EQ(run.transcript.find(kFinished), std::string::npos);
    EXPECT_EQ(ReadHives(prefix), hives);
    for (const auto& entry : fs::directory_iterator(prefix))
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
}

// A real full file system (a small tmpfs, where this machine lets us mount one) holding the hives, which
// the prefix links to: every save meets ENOSPC for real.
TEST(HostilePrefix, AFullFileSystemForTheHivesIsReported) {
    TempDir dir;
    const std::string mountPoint = dir.path() + "/fs", prefix = dir.path() + "/prefix";
    fs::create_directories(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here: " << std::strerror(errno);
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{mountPoint};
    ASSERT_EQ(RunSetup(prefix, kSmallMedia, kAnswers).exitCode, 0);
    for (const char* hive : {"system.reg", "user.reg"}) {
        fs::copy_file(prefix + "/" + hive, mountPoint + "/" + hive);
        fs::remove(prefix + "/" + hive);
        fs::create_symlink(mountPoint + "/" + hive, prefix + "/" + hive);
    }
    auto hives = ReadHives(prefix);
    Capture("dd if=/dev/zero of=" + ShellWord(mountPoint + "/filler") + " bs=4096");

    auto run = RunSetup(prefix, kSmallMedia, kAnswers);
    EXPECT_EQ(run.exitCode, 8) << run.output;
    EXPECT_NE(run.transcript.find("text=\"Disk full.\\r\\n\" style=0x10"), std::string::npos)
        << run.transcript;
    EXPECT_EQ(run.transcript.find(kFinished), std::string::npos);
    EXPECT_EQ(ReadHives(prefix), hives);
    for (const auto& entry : fs::directory_iterator(mountPoint))
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos) << entry.path();
}

// Hives the user cannot replace (they live, linked, in a directory the user may not write in): the
// system's "Access denied." text, status 8, the files as they were.
TEST(HostilePrefix, HivesWithoutPermissionAreReported) {
    TempDir dir;
    const std::string prefix = dir.path() + "/prefix", hives = dir.path() + "/hives";
    const std::string transcript = dir.path() + "/out/transcript.txt";
    ASSERT_EQ(RunSetup(prefix, kSmallMedia, kAnswers).exitCode, 0);
    fs::create_directories(hives);
    fs::create_directories(dir.path() + "/out");
    for (const char* hive : {"system.reg", "user.reg"}) {
        fs::copy_file(prefix + "/" + hive, hives + "/" + hive);
        fs::remove(prefix + "/" + hive);
        fs::create_symlink(hives + "/" + hive, prefix + "/" + hive);
    }
    const Unprivileged user = UnprivilegedRunner(dir.path(), prefix);
    if (geteuid() == 0) Chown(dir.path() + "/out", 65534);
    // The machine hive without the kit's keys, so that the run has them to write again.
    WriteHostFile(hives + "/system.reg", "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n");
    for (const char* hive : {"system.reg", "user.reg"})  // readable and even writable, but not replaceable
        ::chmod((hives + "/" + hive).c_str(), 0666);
    ::chmod(hives.c_str(), 0555);
    const auto before = ReadHives(prefix);
    WriteHostFile(dir.path() + "/out/answers.txt", kAnswers);
    if (geteuid() == 0) Chown(dir.path() + "/out", 65534);

    int status = -1;
    const std::string output = Capture(user.runner + " " + ShellWord(user.setup) + " --ui script --prefix " +
                                           ShellWord(prefix) + " --media " + ShellWord(user.media) +
                                           " --answers " + ShellWord(dir.path() + "/out/answers.txt") +
                                           " --transcript " + ShellWord(transcript) + " </dev/null",
                                       &status);
    ::chmod(hives.c_str(), 0755);
    const std::string text = ReadHostFile(transcript);
    EXPECT_EQ(status, 8) << output;
    EXPECT_NE(text.find("text=\"Access denied.\\r\\n\" style=0x10"), std::string::npos) << text;
    EXPECT_EQ(text.find(kFinished), std::string::npos);
    EXPECT_EQ(ReadHives(prefix), before);
}

// An install list that is a FIFO (nobody writes it) or a link to an endless device is damaged media,
// told at once rather than a hang or a spin.
TEST(HostilePrefix, MediaFilesThatAreNotFilesAreDamagedMedia) {
    struct Row {
        const char* name;
        void (*make)(const std::string& path);
    } rows[] = {
        {"FIFO", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); }},
        {"link to /dev/zero", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const std::string media = dir.path() + "/media";
        fs::copy(kSmallMedia, media, fs::copy_options::recursive);
        fs::remove(media + "/English/Ovra_1.INS");
        row.make(media + "/English/Ovra_1.INS");
        // A hang or a spin is cut short after 60 seconds (status 124).
        auto run = RunSetup(dir.path() + "/prefix", media, kAnswers, {}, "OVRA_UNUSED=1 timeout 60");
        EXPECT_EQ(run.exitCode, 0) << run.output;
        bool damaged = run.transcript.find("messagebox id=1104") != std::string::npos ||
                       run.transcript.find("messagebox id=1069") != std::string::npos;
        EXPECT_TRUE(damaged) << run.transcript;
        EXPECT_EQ(run.transcript.find(kFinished), std::string::npos);
    }
}

// The drive links belong to the prefix's owner once it exists: a z: removed stays removed.
TEST(HostilePrefix, ARemovedZDriveStaysRemoved) {
    TempDir dir;
    const std::string prefix = dir.path() + "/prefix";
    ASSERT_EQ(RunSetup(prefix, kSmallMedia, kAnswers).exitCode, 0);
    ASSERT_TRUE(fs::is_symlink(prefix + "/dosdevices/z:"));
    fs::remove(prefix + "/dosdevices/z:");
    auto run = RunSetup(prefix, kSmallMedia, kAnswers);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.transcript.find(kFinished), std::string::npos);
    EXPECT_FALSE(fs::exists(fs::symlink_status(prefix + "/dosdevices/z:")));
}

}  // namespace
