// A run of the setup on a prefix whose registry Wine wrote: every key it did not touch survives, and a
// damaged hive is refused rather than written over.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "e2e/fault_support.h"
#include "e2e/media_dir.h"
#include "e2e/setup_run.h"
#include "support/temp_prefix.h"

namespace {

using testing_support::MediaDir;
using testing_support::ReadHostFile;
using testing_support::RunSetup;
using testing_support::TempDir;
using testing_support::WriteHostFile;

// A machine hive as Wine 8 writes it, with value forms the setup never writes itself.
const char kWineHive[] =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\Classes\\\\.txt] 1700000000\n"
    "#time=1da1b2c3d4e5f60\n"
    "@=\"txtfile\"\n"
    "\"Content Type\"=\"text/plain\"\n"
    "\n"
    "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\Fonts] 1700000001\n"
    "#time=1da1b2c3d4e5f61\n"
    "\"Arial (TrueType)\"=\"arial.ttf\"\n"
    "\"Big\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\n"
    "  17,18,19,1a,1b,1c,1d,1e,1f\n"
    "\"Expand\"=str(2):\"%SystemRoot%\\\\Fonts\"\n"
    "\"Multi\"=str(7):\"one\\0two\\0\"\n"
    "\"Count\"=dword:0000002a\n"
    "\"Unicode\"=\"caf\\xe9 \\x263a\"\n"
    "\n"
    "[System\\\\CurrentControlSet\\\\Control\\\\Session Manager\\\\Environment] 1700000002\n"
    "#time=1da1b2c3d4e5f62\n"
    "\"ComSpec\"=str(2):\"%SystemRoot%\\\\system32\\\\cmd.exe\"\n"
    "\"Path\"=str(2):\"%SystemRoot%\\\\system32;%SystemRoot%\"\n"
    "\n"
    "[System\\\\Select] 1700000003\n"
    "#time=1da1b2c3d4e5f63\n"
    "\"Current\"=dword:00000001\n";

TEST(HivePreservation, KeysTheSetupNeverTouchesSurviveARun) {
    TempDir dir;
    const std::string prefix = dir.path() + "/prefix";
    WriteHostFile(prefix + "/system.reg", kWineHive);
    MediaDir media(dir.path() + "/media");
    media.Flavour("INSTOVRA.INI", {"CODE=11"}).EmptyFileSets();
    auto run = RunSetup(prefix, media.path(), "name=Ada\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;

    auto before = testing_support::HiveKeys(kWineHive);
    auto after = testing_support::HiveKeys(ReadHostFile(prefix + "/system.reg"));
    for (const auto& [key, values] : before) {
        ASSERT_TRUE(after.count(key)) << key;
        for (const auto& v : values) {
            // The machine's search path is the one value the setup edits: the IDE's bin directory is added.
            if (v.rfind("\"Path\"=", 0) == 0) continue;
            EXPECT_TRUE(after[key].count(v)) << key << " lost " << v;
        }
    }
    const auto& env = after["[System\\\\CurrentControlSet\\\\Control\\\\Session Manager\\\\Environment]"];
    EXPECT_EQ(env.count("\"Path\"=str(2):\"%SystemRoot%\\\\system32;%SystemRoot%;c:\\\\OVRA\\\\Bin;\""), 1u);
    EXPECT_TRUE(after.count("[Software\\\\KESTRAVION\\\\Ovra\\\\6.1\\\\User Info\\\\Registration]"));
    // Still the format Wine reads.
    std::string written = ReadHostFile(prefix + "/system.reg");
    EXPECT_EQ(written.rfind("WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n", 0), 0u);
}

TEST(HivePreservation, ADamagedHiveIsRefusedAndKeptByteForByte) {
    const std::string full = kWineHive;
    const std::string damaged[] = {
        full.substr(0, full.find("\"Big\"") + 30),            // cut inside a continued hex value
        full.substr(0, full.find("[System\\\\Select]") + 9),  // cut inside a key header
        std::string(
            "WINE REGISTRY Version 2\n[Software\\\\X] 1\n\"a\"=dword:zz\n"),  // a value that does not parse
    };
    for (const auto& hive : damaged) {
        TempDir dir;
        const std::string prefix = dir.path() + "/prefix";
        WriteHostFile(prefix + "/system.reg", hive);
        MediaDir media(dir.path() + "/media");
        media.Flavour("INSTOVRA.INI", {"CODE=11"}).EmptyFileSets();
        auto run = RunSetup(prefix, media.path());
        EXPECT_EQ(run.exitCode, 4) << run.output;
        EXPECT_NE(run.output.find("damaged"), std::string::npos) << run.output;
        EXPECT_EQ(ReadHostFile(prefix + "/system.reg"), hive);
        EXPECT_TRUE(run.LinesStartingWith("page").empty());
    }
}

}  // namespace
