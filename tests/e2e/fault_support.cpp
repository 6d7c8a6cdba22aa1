#include "e2e/fault_support.h"

#include <algorithm>
#include <sstream>

#include "platform/machine/hive_format.h"
#include "platform/machine/ini_document.h"
#include "support/temp_prefix.h"

namespace testing_support {

namespace {

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
    "[Software\\\\KESTRAVION\\\\Other Product] 1700000001\n"
    "#time=1da1b2c3d4e5f61\n"
    "\"Keep\"=dword:0000002a\n"
    "\"Unicode\"=\"caf\\xe9 \\x263a\"\n"
    "\n"
    "[System\\\\CurrentControlSet\\\\Control\\\\Session Manager\\\\Environment] 1700000002\n"
    "#time=1da1b2c3d4e5f62\n"
    "\"ComSpec\"=str(2):\"%SystemRoot%\\\\system32\\\\cmd.exe\"\n"
    "\"Path\"=str(2):\"%SystemRoot%\\\\system32;%SystemRoot%\"\n";

const char kAutoexec[] = "@ECHO OFF\r\nPROMPT $P$G\r\nSET TEMP=C:\\TEMP\r\nPATH C:\\DOS;C:\\TOOLS\r\n";
const char kBuildIni[] = "[Ovra]\r\nVERSION=6.00\r\n[Mine]\r\nNote=kept by the user\r\n";
const char kNotes[] = "the user's own notes\n";
const char kOwnFile[] = "a file of the user's in the installation directory\n";

std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

std::map<std::string, std::set<std::string>> HiveKeys(const std::string& hive) {
    std::map<std::string, std::set<std::string>> keys;
    std::istringstream in(hive);
    std::string key, pending;
    for (std::string line; std::getline(in, line);) {
        if (!pending.empty()) {
            pending += "\n" + line;
            if (line.empty() || line.back() != '\\') {
                keys[key].insert(pending);
                pending.clear();
            }
            continue;
        }
        if (line.rfind("[", 0) == 0) {
            key = line.substr(0, line.find(']') + 1);
            keys[key];
        } else if (!key.empty() && (line.rfind("\"", 0) == 0 || line.rfind("@", 0) == 0)) {
            if (line.back() == '\\')
                pending = line;
            else
                keys[key].insert(line);
        }
    }
    return keys;
}

void PlantUserData(const std::string& prefixDir) {
    WriteHostFile(prefixDir + "/system.reg", kWineHive);
    WriteHostFile(prefixDir + "/drive_c/autoexec.bat", kAutoexec);
    WriteHostFile(prefixDir + "/drive_c/users/Public/Documents/notes.txt", kNotes);
    WriteHostFile(prefixDir + "/drive_c/OVRA/BUILD.INI", kBuildIni);
    WriteHostFile(prefixDir + "/drive_c/OVRA/own.txt", kOwnFile);
}

std::map<std::string, std::string> ReadHives(const std::string& prefixDir) {
    std::map<std::string, std::string> hives;
    for (const char* name : {"system.reg", "user.reg", "userdef.reg"})
        if (HostExists(prefixDir + "/" + name)) hives[name] = ReadHostFile(prefixDir + "/" + name);
    return hives;
}

std::vector<std::string> CheckUserData(const std::string& prefixDir,
                                       const std::map<std::string, std::string>& hivesBefore) {
    std::vector<std::string> problems;
    if (ReadHostFile(prefixDir + "/drive_c/users/Public/Documents/notes.txt") != kNotes)
        problems.push_back("notes.txt changed");
    if (ReadHostFile(prefixDir + "/drive_c/OVRA/own.txt") != kOwnFile) problems.push_back("own.txt changed");

    // autoexec.bat may gain lines (or have them edited in place into a PATH): every other line stays.
    std::string autoexec = ReadHostFile(prefixDir + "/drive_c/autoexec.bat");
    std::vector<std::string> now = LinesOf(autoexec);
    for (const std::string& line : LinesOf(kAutoexec)) {
        if (line.rfind("PATH", 0) == 0) {
            bool found = false;
            for (const auto& l : now)
                found =
                    found || (l.rfind("PATH", 0) == 0 && l.find("C:\\DOS;C:\\TOOLS") != std::string::npos);
            if (!found) problems.push_back("autoexec.bat lost its PATH");
        } else if (std::find(now.begin(), now.end(), line) == now.end()) {
            problems.push_back("autoexec.bat lost \"" + line + "\"");
        }
    }

    // The earlier BUILD.INI: the program rewrites its own keys; the user's section stays.
    platform::IniDocument build =
        platform::IniDocument::Parse(ReadHostFile(prefixDir + "/drive_c/OVRA/BUILD.INI"));
    const auto* note = build.FindEntry("Mine", "Note");
    if (!note || note->value != "kept by the user") problems.push_back("BUILD.INI lost [Mine] Note");

    for (const auto& [name, before] : hivesBefore) {
        std::string text = ReadHostFile(prefixDir + "/" + name);
        platform::RegNode root(u"");
        platform::HiveReadResult read = platform::ReadHive(text, root);
        if (!read.error.empty()) problems.push_back(name + " does not load: " + read.error);
        auto keysBefore = HiveKeys(before), keysAfter = HiveKeys(text);
        for (const auto& [key, values] : keysBefore) {
            if (!keysAfter.count(key)) {
                problems.push_back(name + " lost " + key);
                continue;
            }
            for (const auto& v : values) {
                // The search path is the one value the program edits in place.
                if (v.rfind("\"Path\"=", 0) == 0) continue;
                if (!keysAfter[key].count(v)) problems.push_back(name + " " + key + " lost " + v);
            }
        }
    }
    return problems;
}

std::string ShellWord(const std::string& s) {
    std::string out = "'";
    for (char c : s)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

}  // namespace testing_support
