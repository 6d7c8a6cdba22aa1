// The answers file as the unattended front end takes it: UTF-8 texts typed as Windows-1252 bytes, texts
// that cannot be typed refused before anything is done, and presses of buttons a person could not press
// ending the run with a message that names the page and the button.
#include <gtest/gtest.h>

#include "e2e/setup_run.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::HostExists;
using testing_support::ReadHostFile;
using testing_support::RunSetup;
using testing_support::TempDir;

const std::string kMedia = std::string(OVRA_BINARY_DIR) + "/media/small";

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(ScriptFrontEnd, RefusesWhatAPersonCouldNotDo) {
    struct Case {
        const char* answers;
        int status;
        const char* message;  // on stderr, and in the transcript after "error "
    } cases[] = {
        {"press.1=back\n", 3,
         "page 1 (\"Presentation\"): press.1 presses \"back\", but its button \"Back\" is disabled"},
        {"press.12=finish\n", 3,
         "page 12 (\"Presentation\"): press.12 presses \"finish\", but its button \"Finish\" is hidden"},
        {"name=\xC5\x81ukasz\n", 2,
         "line 1: name: the character U+0141 \"\xC5\x81\" has no byte in the ANSI code page"},
    };
    for (const auto& c : cases) {
        TempDir dir;
        auto run = RunSetup(dir.path() + "/prefix", kMedia, c.answers);
        EXPECT_EQ(run.exitCode, c.status) << c.answers << run.output;
        EXPECT_TRUE(Contains(run.output, c.message)) << run.output;
        if (c.status == 3) {
            EXPECT_TRUE(Contains(run.transcript, std::string("\nerror ") + c.message)) << run.transcript;
            // The finish page's hidden button would have asked for a logoff.
            EXPECT_FALSE(Contains(run.transcript, "ExitWindowsEx")) << run.transcript;
        } else {
            // A file that cannot be typed is refused before the prefix is even made.
            EXPECT_FALSE(HostExists(dir.path() + "/prefix")) << c.answers;
        }
    }
}

TEST(ScriptFrontEnd, Utf8TextsReachTheHiveAsCodePageBytes) {
    TempDir dir;
    auto run = RunSetup(dir.path() + "/prefix", kMedia,
                        "name=J\xC3\xA9r\xC3\xB4me\ncompany=Caf\xC3\xA9 \xE2\x82\xAC\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(Contains(run.transcript, "edit 201 \"J\\xE9r\\xF4me\"")) << run.transcript;
    EXPECT_TRUE(Contains(run.transcript, "edit 202 \"Caf\\xE9 \\x80\"")) << run.transcript;
    std::string hive = ReadHostFile(dir.path() + "/prefix/system.reg");
    EXPECT_TRUE(Contains(hive, "\"Name\"=\"J\\xe9r\\xf4me\"")) << hive;
    EXPECT_FALSE(Contains(hive, "\\xc3")) << "UTF-8 bytes stored as if they were characters";
}

}  // namespace
