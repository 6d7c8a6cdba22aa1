// Faults injected one at a time into whole runs of the setup on the sample kit (build/setup with
// OVRA_FAULTS): a full disk at points spread over the run, each installed file in use or denied, each
// top-level key of the product refused, the uninstall log unwritable, the Program Manager absent.
// After each run: the program ended on its own with only the messages it has for such faults, and
// everything the user had before the run is whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>

#include "e2e/fault_support.h"
#include "e2e/setup_run.h"
#include "support/temp_prefix.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_support;

const std::string kSmallMedia = std::string(OVRA_BINARY_DIR) + "/media/small";
const char kAnswers[] = "name=Ada\ncompany=Engines\n";

// The messages a fault may lead to: disk full (1070), a file that cannot be written (1063), a
// corrupted or unreadable source (1069), a registry or configuration write that failed (1084), and the
// questions the program asks about files in use or older copies.
const std::set<int> kPrescribed = {1063, 1064, 1065, 1069, 1070, 1071, 1072, 1084, 1085, 1086, 1087};

int MessageId(const std::string& line) {
    return std::atoi(line.c_str() + std::string("messagebox id=").size());
}

struct Outcome {
    std::string fault;
    std::vector<std::string> problems;
    std::set<int> messages;  // the message ids shown
};

// `over`: the kit is installed once before the faulted run, so its files exist (a file in use only
// matters when there is one to replace).
Outcome RunWithFault(const std::string& fault, bool over = false) {
    TempDir dir;
    const std::string prefix = dir.path() + "/prefix";
    PlantUserData(prefix);
    if (over) {
        EXPECT_EQ(RunSetup(prefix, kSmallMedia, kAnswers).exitCode, 0);
    }
    auto hives = ReadHives(prefix);
    auto run =
        RunSetup(prefix, kSmallMedia, kAnswers, {}, fault.empty() ? "" : "OVRA_FAULTS=" + ShellWord(fault));
    Outcome outcome{fault, CheckUserData(prefix, hives), {}};
    if (run.exitCode != 0)
        outcome.problems.push_back("exit code " + std::to_string(run.exitCode) + ": " + run.output);
    if (run.output.find("Sanitizer") != std::string::npos ||
        run.output.find("runtime error") != std::string::npos)
        outcome.problems.push_back("sanitizer: " + run.output);
    for (const auto& line : run.LinesStartingWith("messagebox id=")) {
        int id = MessageId(line);
        outcome.messages.insert(id);
        if (!kPrescribed.count(id)) outcome.problems.push_back("unexpected " + line);
    }
    if (run.LinesStartingWith("page ").empty()) outcome.problems.push_back("no page shown");
    return outcome;
}

// The files a complete run installs below C:\OVRA, as Windows paths, and their total size.
std::vector<std::string> InstalledFiles(std::uintmax_t& bytes) {
    TempDir dir;
    const std::string prefix = dir.path() + "/prefix";
    PlantUserData(prefix);
    auto run = RunSetup(prefix, kSmallMedia, kAnswers);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    std::vector<std::string> files;
    bytes = 0;
    const fs::path root = prefix + "/drive_c/OVRA";
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::string rel = fs::relative(entry.path(), root).string();
        if (rel == "own.txt") continue;
        bytes += entry.file_size();
        std::replace(rel.begin(), rel.end(), '/', '\\');
        files.push_back("C:\\OVRA\\" + rel);
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The top-level keys of the product in a hive written by a complete run.
std::vector<std::string> ProductKeys() {
    TempDir dir;
    const std::string prefix = dir.path() + "/prefix";
    auto run = RunSetup(prefix, kSmallMedia, kAnswers);
    std::set<std::string> keys;
    const std::string product = "[Software\\\\KESTRAVION\\\\Ovra\\\\6.1\\\\";
    for (const auto& [hive, root] : {std::pair{"system.reg", "HKLM"}, std::pair{"user.reg", "HKCU"}}) {
        for (const auto& [key, values] : HiveKeys(ReadHostFile(prefix + "/" + hive))) {
            if (key.rfind(product, 0) != 0) continue;
            std::string rest = key.substr(product.size());
            rest = rest.substr(0, std::min(rest.find("\\\\"), rest.find(']')));
            keys.insert(std::string(root) + "\\Software\\KESTRAVION\\Ovra\\6.1\\" + rest);
        }
    }
    return {keys.begin(), keys.end()};
}

TEST(FaultMatrix, EveryFaultEndsOnAPrescribedPathAndKeepsTheUsersData) {
    ASSERT_TRUE(fs::exists(kSmallMedia + "/INSTOVRA.INI")) << "the build makes " << kSmallMedia;
    std::uintmax_t bytes = 0;
    std::vector<std::string> files = InstalledFiles(bytes);
    ASSERT_GT(files.size(), 3u);
    std::vector<std::string> keys = ProductKeys();
    ASSERT_FALSE(keys.empty());

    std::vector<std::string> faults = {"", "progman=off", "deny=C:\\OVRA\\uninst.ins"};
    // A full disk at points spread over the whole run (and beyond the files, for the configuration).
    for (std::uintmax_t n : {std::uintmax_t{0}, std::uintmax_t{1}, std::uintmax_t{100}, bytes / 8, bytes / 4,
                             bytes / 2, bytes * 3 / 4, bytes - 1, bytes + 200, bytes + 2000})
        faults.push_back("disk=" + std::to_string(n));
    // At most eight files, spread over the list, each in use and each denied.
    const std::size_t picked = std::min<std::size_t>(8, files.size());
    for (std::size_t i = 0; i < picked; ++i) {
        const std::string& file = files[i * files.size() / picked];
        faults.push_back("inuse=" + file);
        faults.push_back("deny=" + file);
    }
    for (const auto& key : keys)
        faults.push_back("refuse=" + key);
    // Over an installed kit: a few of its files in use.
    std::vector<std::string> overInstalled;
    for (std::size_t i = 0; i < 4 && i < files.size(); ++i)
        overInstalled.push_back("inuse=" + files[i * files.size() / 4]);

    int failures = 0;
    for (const auto& fault : faults) {
        Outcome outcome = RunWithFault(fault);
        std::string ids;
        for (int id : outcome.messages)
            ids += " " + std::to_string(id);
        std::printf("  [%s]%s\n", fault.c_str(), ids.c_str());
        // A disk that fills before the files are in must be noticed: the run may not end as if complete.
        if (fault.rfind("disk=", 0) == 0 && std::stoull(fault.substr(5)) < bytes) {
            EXPECT_TRUE(outcome.messages.count(1070) && outcome.messages.count(1063)) << fault << ":" << ids;
        }
        for (const auto& p : outcome.problems) {
            ADD_FAILURE() << "[" << (fault.empty() ? "no fault" : fault) << "] " << p;
            ++failures;
        }
    }
    for (const auto& fault : overInstalled) {
        Outcome outcome = RunWithFault(fault, true);
        std::string ids;
        for (int id : outcome.messages)
            ids += " " + std::to_string(id);
        std::printf("  [%s, over an installed kit]%s\n", fault.c_str(), ids.c_str());
        for (const auto& p : outcome.problems) {
            ADD_FAILURE() << "[" << fault << ", over an installed kit] " << p;
            ++failures;
        }
    }
    std::printf("fault matrix: %zu cases (%zu files of %ju bytes, %zu product keys), %d problems\n",
                faults.size() + overInstalled.size(), files.size(), bytes, keys.size(), failures);
}

}  // namespace
