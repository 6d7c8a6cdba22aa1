// What follows the destination page: the installation directory made to exist, and the uninstall log.
#pragma once

#include <string>

// Run when the destination page was left forward. Probes the directory for write access; when that fails,
// creates it. A directory that can be neither written nor created gets message 1076 and false: nothing
// is written then. Otherwise starts the uninstall log (once per directory and run) and returns true.
bool SetUpDestination();
// Creates each missing level of a directory path; false when a level cannot be created (an already
// existing last level counts as a failure, as the original routine reports it).
bool MakeDirectoryTree(const std::string& path);
// Whether a new file can be made in `directory`: a probe file is created exclusively under a name that
// does not exist yet and removed at once, so no file of the user's is ever opened or deleted.
bool ProbeWritable(const std::string& directory);
