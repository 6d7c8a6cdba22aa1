// What follows the destination page: the installation directory made to exist, and the uninstall log.
#pragma once

#include <string>

// Probes the directory with "\test.tmp"; when that fails, creates it (message 1076 when it cannot be
// created), then starts the uninstall log.
void SetUpDestination();
// Creates each missing level of a directory path; false when a level cannot be created (an already
// existing last level counts as a failure, as the original routine reports it).
bool MakeDirectoryTree(const std::string& path);
