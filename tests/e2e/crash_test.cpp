// The setup killed (SIGKILL) at points spread over a whole run of the sample kit: after each kill every
// hive loads and holds every key it held before, every INI file of the prefix ends on a whole line,
// and a second complete run succeeds and installs every file.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <set>
#include <thread>

#include "e2e/fault_support.h"
#include "e2e/setup_run.h"
#include "platform/machine/hive_format.h"
#include "platform/machine/registry_tree.h"
#include "support/temp_prefix.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_support;

const std::string kSmallMedia = std::string(OVRA_BINARY_DIR) + "/media/small";
const char kAnswers[] = "name=Ada\ncompany=Engines\n";

std::size_t CountLines(const std::string& path) {
    std::string text = ReadHostFile(path);
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Runs the setup and kills it once its transcript holds `lines` lines (or lets it finish first).
// True when the kill came before the end.
bool RunAndKill(const std::string& prefix, const std::string& scratch, std::size_t lines) {
    const std::string transcript = scratch + "/transcript.txt", answers = scratch + "/answers.txt";
    WriteHostFile(answers, kAnswers);
    WriteHostFile(transcript, "");
    const std::string setup = std::string(OVRA_BINARY_DIR) + "/setup";
    pid_t child = fork();
    if (child == 0) {
        int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execl(setup.c_str(), setup.c_str(), "--ui", "script", "--prefix", prefix.c_str(), "--media",
                kSmallMedia.c_str(), "--answers", answers.c_str(), "--transcript", transcript.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    for (auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);;) {
        if (::waitpid(child, &status, WNOHANG) == child) return false;
        if (CountLines(transcript) >= lines || std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            return WIFSIGNALED(status);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

std::vector<std::string> IniProblems(const std::string& prefix) {
    std::vector<std::string> problems;
    for (const auto& entry : fs::recursive_directory_iterator(prefix + "/drive_c")) {
        if (!entry.is_regular_file()) continue;
        std::string ext = entry.path().extension().string();
        for (char& c : ext)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (ext != ".ini") continue;
        std::string text = ReadHostFile(entry.path().string());
        if (!text.empty() && text.back() != '\n')
            problems.push_back(entry.path().string() + " ends mid-line");
    }
    return problems;
}

std::set<std::string> FilesBelow(const std::string& dir) {
    std::set<std::string> files;
    if (!fs::exists(dir)) return files;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file()) files.insert(fs::relative(entry.path(), dir).string());
    return files;
}

TEST(CrashTest, KilledRunsLoseNothingAndASecondRunCompletes) {
    ASSERT_TRUE(fs::exists(kSmallMedia + "/INSTOVRA.INI")) << "the build makes " << kSmallMedia;
    // A complete run: how long its transcript gets and what it installs.
    std::size_t total = 0;
    std::set<std::string> installed;
    {
        TempDir dir;
        PlantUserData(dir.path() + "/prefix");
        auto run = RunSetup(dir.path() + "/prefix", kSmallMedia, kAnswers);
        ASSERT_EQ(run.exitCode, 0) << run.output;
        total = run.Lines().size();
        installed = FilesBelow(dir.path() + "/prefix/drive_c/OVRA");
    }
    ASSERT_GT(total, 10u);

    const int kPoints = 24;
    int killed = 0, staleTemps = 0;
    for (int point = 1; point <= kPoints; ++point) {
        const std::size_t lines =
            std::max<std::size_t>(1, total * static_cast<std::size_t>(point) / (kPoints + 1));
        TempDir dir;
        const std::string prefix = dir.path() + "/prefix";
        PlantUserData(prefix);
        auto hives = ReadHives(prefix);
        if (RunAndKill(prefix, dir.path(), lines)) ++killed;

        for (const auto& p : CheckUserData(prefix, hives))
            ADD_FAILURE() << "killed after " << lines << " lines: " << p;
        for (const auto& p : IniProblems(prefix))
            ADD_FAILURE() << "killed after " << lines << " lines: " << p;
        for (const auto& entry : fs::directory_iterator(prefix))
            if (entry.path().filename().string().find(".tmp") != std::string::npos) ++staleTemps;

        // The next run treats whatever the killed one left as an earlier, unfinished installation.
        auto hivesNow = ReadHives(prefix);
        auto second = RunSetup(prefix, kSmallMedia, kAnswers);
        EXPECT_EQ(second.exitCode, 0) << "after " << lines << " lines: " << second.output;
        for (const auto& p : CheckUserData(prefix, hivesNow))
            ADD_FAILURE() << "second run after a kill at " << lines << " lines: " << p;
        std::set<std::string> now = FilesBelow(prefix + "/drive_c/OVRA");
        for (const auto& f : installed)
            EXPECT_TRUE(now.count(f)) << "second run after a kill at " << lines << " lines lacks " << f;
    }
    std::printf(
        "crash test: %d kill points over %zu transcript lines (%d killed before the end), %d stale "
        "temporary files ignored\n",
        kPoints, total, killed, staleTemps);
}

// Kills the setup `delay` after its start (or lets it finish first). True when the kill came first.
bool RunAndKillAfter(const std::string& prefix, const std::string& scratch, std::chrono::microseconds delay) {
    const std::string answers = scratch + "/answers.txt";
    WriteHostFile(answers, kAnswers);
    const std::string setup = std::string(OVRA_BINARY_DIR) + "/setup";
    pid_t child = fork();
    if (child == 0) {
        int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execl(setup.c_str(), setup.c_str(), "--ui", "script", "--prefix", prefix.c_str(), "--media",
                kSmallMedia.c_str(), "--answers", answers.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    std::this_thread::sleep_for(delay);
    int status = 0;
    if (::waitpid(child, &status, WNOHANG) == child) return false;
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status);
}

// The temporary files of a run, anywhere in the prefix: none may outlive a complete run.
std::vector<std::string> TemporaryFiles(const std::string& prefix) {
    std::vector<std::string> found;
    for (const auto& entry : fs::recursive_directory_iterator(prefix)) {
        if (entry.is_symlink() || !entry.is_regular_file()) continue;
        std::string name = entry.path().filename().string();
        bool temporary = name.find(".reg.tmp-") != std::string::npos || name.rfind("~prf", 0) == 0 ||
                         (name.rfind("ver", 0) == 0 && name.size() == 11 && name.substr(7) == ".tmp") ||
                         name == "tempfile.tmp" || name == "tempfile.chk";
        if (temporary) found.push_back(fs::relative(entry.path(), prefix).string());
    }
    return found;
}

// Twenty kills at random moments of a run over an installed kit: after each, OVRA.ini is in its place
// and whole and both hives hold every key they held; the complete run that follows leaves no temporary
// file of any earlier run behind.
TEST(CrashTest, RandomKillsOverAnInstalledKitLeaveNothingBehind) {
    ASSERT_TRUE(fs::exists(kSmallMedia + "/INSTOVRA.INI")) << "the build makes " << kSmallMedia;
    TempDir dir;
    const std::string prefix = dir.path() + "/prefix";
    const std::string ovraIni = prefix + "/drive_c/windows/OVRA.ini";
    PlantUserData(prefix);
    const auto planted = ReadHives(prefix);
    ASSERT_EQ(RunSetup(prefix, kSmallMedia, kAnswers).exitCode, 0);
    // The moments are drawn from the length of a run over the installed kit.
    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(RunSetup(prefix, kSmallMedia, kAnswers).exitCode, 0);
    const auto runTime =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    ASSERT_FALSE(ReadHostFile(ovraIni).empty());

    const unsigned seed = static_cast<unsigned>(std::random_device{}());
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<long long> moment(0, runTime.count() * 3 / 4);
    int killed = 0;
    for (int kill = 1; kill <= 20; ++kill) {
        const std::chrono::microseconds delay(moment(random));
        SCOPED_TRACE("kill " + std::to_string(kill) + " after " + std::to_string(delay.count()) + " us");
        if (RunAndKillAfter(prefix, dir.path(), delay)) ++killed;

        // The program rewrites its own sections of OVRA.ini and its own keys as a run goes on; what must
        // hold at any moment is that the file is in its place and whole, and that the hives load and keep
        // everything the user had.
        const std::string ini = ReadHostFile(ovraIni);
        ASSERT_FALSE(ini.empty()) << "OVRA.ini is not in its place";
        EXPECT_EQ(ini.back(), '\n');
        EXPECT_EQ(ini.find("\r\n[Ovra]") == std::string::npos && ini.rfind("[Ovra]", 0) != 0, false) << ini;
        for (const char* hive : {"system.reg", "user.reg"}) {
            platform::RegNode root(u"");
            auto read = platform::ReadHive(ReadHostFile(prefix + "/" + hive), root);
            EXPECT_EQ(read.error, "") << hive;
        }
        for (const auto& p : CheckUserData(prefix, planted))
            ADD_FAILURE() << p;
        for (const auto& p : IniProblems(prefix))
            ADD_FAILURE() << p;

        auto rerun = RunSetup(prefix, kSmallMedia, kAnswers);
        EXPECT_EQ(rerun.exitCode, 0) << rerun.output;
        for (const auto& f : TemporaryFiles(prefix))
            ADD_FAILURE() << "left behind: " << f;
    }
    std::printf("random kills: %d of 20 came before the end of the run (%lld us)\n", killed,
                static_cast<long long>(runTime.count()));
}

}  // namespace
