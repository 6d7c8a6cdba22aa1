// The setup program on a pseudo-terminal with the text front end: the header appears, the end of the
// input leaves through Exit, and the program ends on its own (a run that overruns its deadline is killed
// and fails the test).
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/media_dir.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::ReadHostFile;
using testing_support::TempDir;
using testing_support::WriteHostFile;

struct PtyStep {
    std::string waitFor;  // sent once the screen shows this ("" at once)
    std::string send;
};

struct PtyRun {
    int exitCode = -1;
    bool timedOut = false;
    std::string screen;
};

PtyRun RunOnPty(const std::vector<std::string>& args, const std::vector<PtyStep>& steps,
                std::chrono::seconds limit = std::chrono::seconds(30)) {
    PtyRun run;
    winsize size{};
    size.ws_col = 100;
    size.ws_row = 30;
    int master = -1;
    pid_t child = forkpty(&master, nullptr, nullptr, &size);
    if (child < 0) {
        ADD_FAILURE() << "forkpty failed: errno " << errno;
        return run;
    }
    if (child == 0) {
        std::vector<char*> argv;
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        unsetenv("DISPLAY");
        execv(argv[0], argv.data());
        _exit(127);
    }
    auto deadline = std::chrono::steady_clock::now() + limit;
    std::size_t step = 0;
    std::size_t searchFrom = 0;
    bool open = true;
    while (open) {
        while (step < steps.size()) {
            std::size_t at = run.screen.find(steps[step].waitFor, searchFrom);
            if (at == std::string::npos) break;
            searchFrom = at + steps[step].waitFor.size();
            // A child that has already gone makes this fail; what it left on the screen still counts.
            (void)!write(master, steps[step].send.data(), steps[step].send.size());
            ++step;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            run.timedOut = true;
            kill(child, SIGKILL);
            break;
        }
        pollfd p{master, POLLIN, 0};
        int ready = poll(&p, 1, 100);
        if (ready < 0 && errno != EINTR) break;
        if (ready <= 0) continue;
        char buffer[4096];
        ssize_t n = read(master, buffer, sizeof buffer);
        if (n > 0) {
            run.screen.append(buffer, static_cast<std::size_t>(n));
        } else if (!(n < 0 && errno == EINTR)) {
            open = false;  // EIO: every copy of the terminal's other side is closed
        }
    }
    close(master);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    // The terminal turns each line end into CR LF; the program wrote LF.
    std::string text;
    for (std::size_t i = 0; i < run.screen.size(); ++i)
        if (!(run.screen[i] == '\r' && i + 1 < run.screen.size() && run.screen[i + 1] == '\n'))
            text += run.screen[i];
    run.screen = text;
    return run;
}

// A media directory of the kit and a prefix that does not exist yet.
struct SmallMedia {
    TempDir dir;
    SmallMedia() {
        testing_support::MediaDir(dir.path() + "/media").Flavour("INSTOVRA.INI", {"CODE=11"}).EmptyFileSets();
    }
    std::vector<std::string> Args(bool withUi) const {
        std::vector<std::string> args = {std::string(OVRA_BINARY_DIR) + "/setup"};
        if (withUi) {
            args.push_back("--ui");
            args.push_back("text");
        }
        for (const char* a :
             {"--prefix", "/prefix", "--media", "/media", "--transcript", "/transcript.txt"}) {
            std::string s = a;
            args.push_back(s[0] == '/' ? dir.path() + s : s);
        }
        return args;
    }
    std::string Transcript() const { return ReadHostFile(dir.path() + "/transcript.txt"); }
};

TEST(TextFrontEnd, ShowsTheHeaderAndEndsWhenTheInputCloses) {
    SmallMedia media;
    // Ctrl-D at the start of a line is the end of the input on a terminal.
    PtyRun run = RunOnPty(media.Args(true), {{"Vexa 6.1 Installation Program", "\x04"}});
    ASSERT_FALSE(run.timedOut) << run.screen;
    EXPECT_EQ(run.exitCode, 0) << run.screen;
    EXPECT_NE(run.screen.find("Vexa 6.1 Installation Program - Kestravion Vexa 6.1 Development Suite"),
              std::string::npos)
        << run.screen;
    std::string transcript = media.Transcript();
    EXPECT_EQ(transcript.rfind("window caption=\"Vexa 6.1 Installation Program\"\n", 0), 0u) << transcript;
    // Whatever page the input ended on was left with Exit, and its question was let through.
    if (transcript.find("\npage ") != std::string::npos) {
        EXPECT_NE(transcript.find("\npress 103 "), std::string::npos) << transcript;
        EXPECT_NE(transcript.find("style=0x31 answer=OK\n"), std::string::npos) << transcript;
    }
}

TEST(TextFrontEnd, InputClosedFromTheStartStillEnds) {
    SmallMedia media;
    PtyRun run = RunOnPty(media.Args(true), {{"", "\x04"}, {"", "\x04"}});
    ASSERT_FALSE(run.timedOut) << run.screen;
    EXPECT_EQ(run.exitCode, 0) << run.screen;
}

TEST(TextFrontEnd, IsTheDefaultOnATerminal) {
    SmallMedia media;
    PtyRun run = RunOnPty(media.Args(false), {{"Vexa 6.1 Installation Program", "\x04"}});
    ASSERT_FALSE(run.timedOut) << run.screen;
    EXPECT_EQ(run.exitCode, 0) << run.screen;
    // The headless front end writes nothing to the terminal; the text one draws the header.
    EXPECT_NE(run.screen.find("Vexa 6.1 Installation Program\n"), std::string::npos) << run.screen;
}

TEST(TextFrontEnd, WalksTheWholeKitWizard) {
    SmallMedia media;
    PtyRun run = RunOnPty(media.Args(true), {{"[N]ext <Enter>", "\n"},
                                             {"I [a]ccept <Enter>", "a\n"},
                                             {"[S]kip", "s\n"},
                                             {"User Name 1)", "1=Ada Lovelace\n"},
                                             {"Ada Lovelace", "NEXT\n"},
                                             {"Type of setup", "\n"},
                                             // A path typed at the prompt is the field's new text.
                                             {"Destination location", "C:\\Tools\\Kit\n"},
                                             {"[C:\\Tools\\Kit]", "\n"},
                                             {"Setup settings", "\n"},
                                             {"ACROBAT Reader", "\n"},
                                             {"Setup has finished installing files.", "\n"}});
    ASSERT_FALSE(run.timedOut) << run.screen;
    EXPECT_EQ(run.exitCode, 0) << run.screen;
    std::string transcript = media.Transcript();
    std::vector<std::string> pages;
    for (std::size_t at = transcript.find("page "); at != std::string::npos;
         at = transcript.find("\npage ", at + 1))
        pages.push_back(transcript.substr(transcript[at] == '\n' ? at + 6 : at + 5, 2));
    EXPECT_EQ(pages, (std::vector<std::string>{"1 ", "2 ", "3 ", "6 ", "5 ", "7 ", "8 ", "12"}))
        << transcript;
    EXPECT_NE(transcript.find("edit 201 \"Ada Lovelace\""), std::string::npos) << transcript;
    EXPECT_NE(transcript.find("edit 206 \"C:\\\\Tools\\\\Kit\""), std::string::npos) << transcript;
    // Each file set says which of how many it is, and the last is the last of them.
    std::size_t first = run.screen.find("(set 1 of ");
    ASSERT_NE(first, std::string::npos) << run.screen;
    int count = std::atoi(run.screen.c_str() + first + 10);
    EXPECT_GT(count, 1);
    std::string last = "(set " + std::to_string(count) + " of " + std::to_string(count) + ")";
    EXPECT_NE(run.screen.find(last), std::string::npos) << run.screen;
    EXPECT_EQ(run.screen.find("(set " + std::to_string(count + 1) + " of "), std::string::npos);
    EXPECT_NE(ReadHostFile(media.dir.path() + "/prefix/system.reg").find("\"Name\"=\"Ada Lovelace\""),
              std::string::npos);
}

// The set count of the progress line against the sets the install phase really took (one "fileset ...
// at" trace each), on sample kits where a set is taken twice (the version set of the add-on tools) or
// listed twice (the XE8000 tools).
TEST(TextFrontEnd, ProgressCountsTheSetsTheInstallTakes) {
    for (const char* kit : {"full", "philips", "xe"}) {
        TempDir dir;
        std::string keys;
        for (int i = 0; i < 100; ++i)
            keys += "s\n\n";  // Skip on the readme page, the default button everywhere else
        WriteHostFile(dir.path() + "/keys", keys);
        std::string command = std::string(OVRA_BINARY_DIR) + "/setup --ui text --prefix " + dir.path() +
                              "/prefix --media " + OVRA_BINARY_DIR + "/media/" + kit + " --transcript " +
                              dir.path() + "/transcript.txt < " + dir.path() + "/keys > " + dir.path() +
                              "/screen 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << kit;
        std::string screen = ReadHostFile(dir.path() + "/screen");
        std::string transcript = ReadHostFile(dir.path() + "/transcript.txt");
        int taken = 0;
        for (std::size_t at = transcript.find("\ntrace fileset "); at != std::string::npos;
             at = transcript.find("\ntrace fileset ", at + 1))
            taken += transcript.find(" at ", at) < transcript.find('\n', at + 1) ? 1 : 0;
        ASSERT_GT(taken, 1) << kit;
        std::vector<int> numbers;
        for (std::size_t at = screen.find("(set "); at != std::string::npos;
             at = screen.find("(set ", at + 1)) {
            int k = 0, n = 0;
            ASSERT_EQ(std::sscanf(screen.c_str() + at, "(set %d of %d)", &k, &n), 2) << kit;
            EXPECT_EQ(n, taken) << kit << ": set " << k;
            if (numbers.empty() || numbers.back() != k) numbers.push_back(k);
        }
        std::vector<int> expected;
        for (int k = 1; k <= taken; ++k)
            expected.push_back(k);
        EXPECT_EQ(numbers, expected) << kit;
    }
}

}  // namespace
