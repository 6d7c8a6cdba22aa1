// The measured process of the benchmark: one install of a file set from a media into a fresh prefix.
#pragma once

#include <string>

// Installs file set `setName` from host directory `media` into the prefix at host directory `prefix`
// (to C:\OVRA) with the machine backend and a silent front end. 0 when the whole set was installed
// without a single message box.
int RunInstallChild(const std::string& media, const std::string& prefix, const std::string& setName);
