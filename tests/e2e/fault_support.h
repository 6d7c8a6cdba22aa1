// End-to-end support for the fault and crash tests: a prefix holding what a user already had before
// a run (a Wine-written hive, an autoexec.bat, files of their own, the BUILD.INI of an earlier kit),
// and the check that a run, however it ended, left all of it whole.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace testing_support {

// Key header -> the value lines below it (time stamps left out), as a hive file holds them.
std::map<std::string, std::set<std::string>> HiveKeys(const std::string& hive);

// Writes the user's data into a fresh prefix directory.
void PlantUserData(const std::string& prefixDir);

// Problems with the user's data after a run, one line each (empty when all is whole): files changed
// that the program must not change, lines lost from files it edits, hives that do not load or lost a
// key or value they held before (`hivesBefore`: file name -> text).
std::vector<std::string> CheckUserData(const std::string& prefixDir,
                                       const std::map<std::string, std::string>& hivesBefore);

// The hive files of a prefix by name ("system.reg", "user.reg"; missing ones left out).
std::map<std::string, std::string> ReadHives(const std::string& prefixDir);

// Single-quoted for the shell.
std::string ShellWord(const std::string& s);

}  // namespace testing_support
