// The install engine on real media: the sample media the build makes (build/media/small) installed
// file set by file set through the scripted front end, the media check of the setup program on it, and
// images compressed by Debian's mscompress installed through the engine.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "app/inst_app.h"
#include "app/setup_record.h"
#include "e2e/setup_run.h"
#include "engine/file_set.h"
#include "engine/file_transfer.h"
#include "engine/setup_ini.h"
#include "engine/uninstall_log.h"
#include "mkmedia/manifest.h"
#include "platform/machine/machine.h"
#include "platform/ui/answers.h"
#include "platform/ui/script_ui.h"
#include "platform/ui/transcript.h"
#include "platform/win32.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::ReadHostFile;
using testing_support::TempDir;
using testing_support::WriteHostFile;

const std::string kSmallMedia = std::string(OVRA_BINARY_DIR) + "/media/small";

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A machine over a fresh prefix with the scripted front end writing a transcript, the setup record
// pointing at `media` (reached through drive Z:) and at C:\OVRA.
class ScriptedEngine {
  public:
    explicit ScriptedEngine(const std::string& media, const std::string& answers = "") {
        std::string error;
        platform::Answers parsed;
        parsed.Parse(answers, error);
        transcript_.Open(dir_.path() + "/transcript.txt");
        machine_ =
            std::make_unique<platform::Machine>(platform::Machine::Options{dir_.path() + "/prefix", "C"});
        ui_ = std::make_unique<platform::ScriptUi>(parsed, transcript_);
        scope_ = std::make_unique<platform::ScopedServices>(machine_->ServicesWith(ui_.get()));
        ResetSetupRecord();
        ResetIdeIniErrorReport();
        ResetSharedDllCounter();
        SetupRecord& s = ::Setup();
        s.sourceDir = *machine_->prefix().ToWindows(media, true) + "\\";
        s.productWord = 0x11;  // CODE=11 of the sample media: OVRA and ENGLISH
        CreateDirectoryA("C:\\OVRA", nullptr);
        CreateUninstallLog();
        app_ = std::make_unique<WVexaInstApp>();
    }
    ~ScriptedEngine() {
        app_.reset();
        scope_.reset();
        ResetSetupRecord();
        ResetSharedDllCounter();
    }
    int Install(const std::string& name) {
        std::string set = name;
        return InstallFileSet(*app_, set);
    }
    std::string Transcript() { return ReadHostFile(dir_.path() + "/transcript.txt"); }
    std::string DriveC(const std::string& relative) { return dir_.path() + "/prefix/drive_c/" + relative; }
    WVexaInstApp& app() { return *app_; }

  private:
    TempDir dir_;
    platform::Transcript transcript_;
    std::unique_ptr<platform::Machine> machine_;
    std::unique_ptr<platform::ScriptUi> ui_;
    std::unique_ptr<platform::ScopedServices> scope_;
    std::unique_ptr<WVexaInstApp> app_;
};

TEST(EngineMedia, SampleMediaInstallsEveryIdeSet) {
    ASSERT_TRUE(std::filesystem::exists(kSmallMedia + "/English/Ovra_1.INS"))
        << "the build makes " << kSmallMedia;
    ScriptedEngine engine(kSmallMedia);
    for (const char* set : {"Ovra_1", "Ovra_2", "Ovra_3", "Ovra_4", "Version", "Ovra_5", "Debug"})
        ASSERT_EQ(engine.Install(set), 1) << set;
    engine.app().DestroyProgressWindow();

    // The IDE program carries its version resource through compression and expansion.
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA("C:\\OVRA\\bin\\Ovra.exe", &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA("C:\\OVRA\\bin\\Ovra.exe", 0, size, block.data()));
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\FileVersion", &value, &length));
    EXPECT_STREQ(static_cast<const char*>(value), "6.10.2");

    EXPECT_EQ(ReadHostFile(engine.DriveC("OVRA/BIN/Description.txt")), "The Ovra IDE of the Vexa 6.1 kit.\n");
    EXPECT_EQ(ReadHostFile(engine.DriveC("OVRA/LIB/ovra51.LIB")), mkmedia::GeneratedText(4000, "ovra51.lib"));
    EXPECT_FALSE(std::filesystem::exists(engine.DriveC("OVRA/tempfile.tmp")));
    EXPECT_FALSE(std::filesystem::exists(engine.DriveC("OVRA/BIN/tempdest.des")));

    auto lines = Lines(engine.Transcript());
    std::vector<std::string> progress, messages;
    for (const auto& line : lines) {
        if (line.rfind("progress", 0) == 0) progress.push_back(line);
        if (line.rfind("messagebox", 0) == 0) messages.push_back(line);
    }
    EXPECT_TRUE(messages.empty()) << messages.front();
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), "progress show title=\"Installing\" text=\"\" gauge=0");
    EXPECT_EQ(progress[1], "progress title=\"Installing ovra_1\" text=\"\" gauge=0");
    EXPECT_EQ(
        progress[2],
        "progress title=\"Installing ovra_1\" text=\"Making the directory :\\nC:\\\\OVRA\\\\BIN\" gauge=0");
    EXPECT_EQ(progress[3],
              "progress title=\"Installing ovra_1\" text=\"Copying the file "
              ":\\nC:\\\\OVRA\\\\BIN\\\\OVRA.EXE\" gauge=40");
    EXPECT_NE(std::find(progress.begin(), progress.end(),
                        "progress title=\"Installing version\" text=\"Copying the file "
                        ":\\nC:\\\\OVRA\\\\.\\\\VERSIONS.TXT\" "
                        "gauge=100"),
              progress.end());
    EXPECT_EQ(progress.back(), "progress close");
}

TEST(EngineMedia, SetupAcceptsCompleteMediaAndRefusesIncompleteMedia) {
    TempDir dir;
    auto complete = testing_support::RunSetup(dir.path() + "/prefix", kSmallMedia);
    EXPECT_EQ(complete.LinesStartingWith("messagebox id=1104").size(), 0u) << complete.transcript;
    EXPECT_FALSE(complete.LinesStartingWith("page ").empty()) << complete.transcript;

    std::filesystem::copy(kSmallMedia, dir.path() + "/media", std::filesystem::copy_options::recursive);
    std::filesystem::remove(dir.path() + "/media/English/Debug.DAT");
    auto incomplete = testing_support::RunSetup(dir.path() + "/prefix2", dir.path() + "/media");
    EXPECT_EQ(incomplete.LinesStartingWith("messagebox id=1104").size(), 1u) << incomplete.transcript;
    EXPECT_TRUE(incomplete.LinesStartingWith("page ").empty());
}

TEST(EngineMedia, SourcePromptThroughTheScriptedFrontEnd) {
    TempDir media;
    std::string error;
    ASSERT_TRUE(mkmedia::BuildMedia("set Debug\n  md bin\n  file bin d.dll size=10\nend\n", ".",
                                    media.path() + "/elsewhere", error))
        << error;
    {
        ScriptedEngine engine(media.path(), "source=Z:" + media.path() + "/elsewhere\n");
        EXPECT_EQ(engine.Install("Debug"), 1);
        auto t = engine.Transcript();
        EXPECT_NE(t.find("page 15 caption=\"Setup path\""), std::string::npos) << t;
        EXPECT_TRUE(std::filesystem::exists(engine.DriveC("OVRA/BIN/d.DLL")));
    }
    {
        ScriptedEngine engine(media.path(), "source=cancel\n");
        EXPECT_EQ(engine.Install("Debug"), 0);
        EXPECT_EQ(engine.app().progress, nullptr);
        EXPECT_NE(engine.Transcript().find("progress close"), std::string::npos);
    }
}

TEST(EngineMedia, MscompressImagesInstallByteForByte) {
    if (std::system("command -v mscompress >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "mscompress is not installed";
    TempDir dir;
    std::string payload = mkmedia::GeneratedText(50000, "mscompress") + std::string(3000, ' ') + "end";
    WriteHostFile(dir.path() + "/tool.dll", payload);
    ASSERT_EQ(std::system(("cd '" + dir.path() + "' && mscompress tool.dll").c_str()), 0);
    ASSERT_TRUE(std::filesystem::exists(dir.path() + "/tool.dll_"));
    std::string error;
    ASSERT_TRUE(mkmedia::BuildMedia(
        "set Packed\n  md bin\n  file bin tool.dll from=tool.dll_ plain stored=tool.dl_\nend\n", dir.path(),
        dir.path() + "/media", error))
        << error;
    ScriptedEngine engine(dir.path() + "/media");
    ASSERT_EQ(engine.Install("Packed"), 1);
    EXPECT_EQ(ReadHostFile(engine.DriveC("OVRA/BIN/tool.DLL")), payload);
}

// The C checksum of a copy line: a file whose expanded image does not match is a corrupted source
// (message 1069, the set ends, nothing put in place); media without the token install as before.
TEST(EngineMedia, CopyChecksumGuardsEveryInstalledFile) {
    TempDir dir;
    std::string error;
    ASSERT_TRUE(
        mkmedia::BuildMedia("set Good\n  md bin\n  file bin a.lib text=\"alpha\"\n"
                            "  file bin b.txt text=\"beta\" plain\nend\n"
                            "set Old\n  md bin\n  file bin c.lib text=\"gamma\" nocrc\nend\n"
                            "set Bad\n  md bin\n  file bin d.lib text=\"delta\" crc=DEADBEEF\n"
                            "  file bin e.lib text=\"after\"\nend\n"
                            "set Flipped\n  md bin\n  file bin f.txt text=\"foxtrot\" plain\nend\n",
                            dir.path(), dir.path() + "/media", error))
        << error;
    const std::string english = dir.path() + "/media/English/";
    EXPECT_NE(ReadHostFile(english + "Good.INS").find(" C"), std::string::npos);
    EXPECT_EQ(ReadHostFile(english + "Old.INS").find(" C"), std::string::npos);
    // One byte of the stored image changed after the media was made.
    std::string data = ReadHostFile(english + "Flipped.DAT");
    std::size_t at = data.find("foxtrot");
    ASSERT_NE(at, std::string::npos);
    data[at] = 'F';
    WriteHostFile(english + "Flipped.DAT", data);

    ScriptedEngine engine(dir.path() + "/media");
    EXPECT_EQ(engine.Install("Good"), 1);
    EXPECT_EQ(engine.Install("Old"), 1);
    EXPECT_EQ(ReadHostFile(engine.DriveC("OVRA/BIN/a.LIB")), "alpha");
    EXPECT_EQ(ReadHostFile(engine.DriveC("OVRA/BIN/b.txt")), "beta");
    EXPECT_EQ(ReadHostFile(engine.DriveC("OVRA/BIN/c.LIB")), "gamma");
    EXPECT_EQ(engine.Transcript().find("messagebox"), std::string::npos) << engine.Transcript();

    EXPECT_EQ(engine.Install("Bad"), 0);
    EXPECT_EQ(engine.Install("Flipped"), 0);
    engine.app().DestroyProgressWindow();
    auto lines = Lines(engine.Transcript());
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.rfind("messagebox id=1069", 0) == 0; }),
              2)
        << engine.Transcript();
    for (const char* name : {"OVRA/BIN/d.LIB", "OVRA/BIN/e.LIB", "OVRA/BIN/f.txt", "OVRA/tempfile.chk"})
        EXPECT_FALSE(std::filesystem::exists(engine.DriveC(name))) << name;
}

}  // namespace
